// The remaining commands: About, running the game's programs, help and the web pages.
#include "frmmain.h"

// TODO: the About box, the game's programs, help, context help and the web commands.
void frmMain::cmdAbout_Click() { }

void frmMain::mnuEXE_Click(int) { }

void frmMain::mnuHelp_Click() { }

void frmMain::mnuContextHelp_Click() { }

void frmMain::mnuWebsite_Click() { }

void frmMain::mnuPC_Click() { }
