// Replacing the selected record: the import command, ImportBMP and ImportPNG.
#include "frmmain.h"

// TODO: the import command, the replace confirmation and the bitmap and PNG imports.
void frmMain::cmdImport_Click() { }

void frmMain::ImportBMP(const QString &, bool) { }

void frmMain::ImportPNG(const QString &) { }
