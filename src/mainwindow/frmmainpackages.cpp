// The package commands of the main window: the package window and importing a package.
#include "frmmain.h"

#include "packages/frmscript.h"
#include "services/errorreport.h"

void frmMain::cmdScript_Click()
{
    frmScript window(m_prompts, m_opener, txtGOBFile, chkBackup, this);
    window.Form_Load();
    window.exec();
    if (window.importRan())
        refreshSelectedRecord();
    updateUndoCommand();
}

void frmMain::cmdImportZip_Click()
{
    importPackage(QString());
}

void frmMain::importPackage(const QString &package)
{
    // The package window shows the import's progress and keeps this window blocked meanwhile.
    frmScript window(m_prompts, m_opener, txtGOBFile, chkBackup, this);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.StartImport(package);
    window.close();
    MainModule::restoreNormalPointer();
    if (window.importRan())
        refreshSelectedRecord();
    updateUndoCommand();
}
