// The Tools menu's windows: the palette editor and the BMP to JPG converter.
#include "frmmain.h"

// TODO: show the palette editor modeless and the converter modally.
void frmMain::mnuFp_Click() { }

void frmMain::mnuJPG_Click() { }
