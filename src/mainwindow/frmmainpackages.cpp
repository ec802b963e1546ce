// The package commands of the main window: the package window and importing a package.
#include "frmmain.h"

#include "services/errorreport.h"
#include "tools/frmscript.h"

#include <QCheckBox>

void frmMain::cmdScript_Click()
{
    frmScript window(m_prompts, m_opener, m_session, chkBackup->isChecked(), this);
    window.Form_Load();
    window.exec();
    activateWindow();
}

void frmMain::cmdImportZip_Click()
{
    importPackage(QString());
}

void frmMain::importPackage(const QString &package)
{
    // The package window shows the import's progress and keeps this window blocked meanwhile.
    frmScript window(m_prompts, m_opener, m_session, chkBackup->isChecked(), this);
    window.setWindowModality(Qt::ApplicationModal);
    window.showImportOnly();
    window.show();
    window.StartImport(package);
    window.close();
    MainModule::restoreNormalPointer();
}
