// The package commands of the main window: the package window and importing a package.
#include "frmmain.h"

// TODO: open the package window modally; import a package through it.
void frmMain::cmdScript_Click() { }

void frmMain::cmdImportZip_Click() { }
