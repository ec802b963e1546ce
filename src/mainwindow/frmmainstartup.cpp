// Start-up, the choice of the GOB file and shut-down of the main window.
#include "frmmain.h"

#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/fileaccess.h"
#include "services/filedialogs.h"
#include "services/gamefolder.h"
#include "services/helppages.h"
#include "services/numberconversion.h"
#include "services/openfiles.h"
#include "services/settings.h"
#include "widgets/entrylist.h"
#include "widgets/screenfit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>

bool frmMain::Form_Load()
{
    m_helpFile = MainModule::helpPage(0);
    try {
        if (!QFileInfo::exists(MainModule::cataloguePath()))
            throw Failure(
                FailureNumber::CatalogueMissing,
                Messages::catalogueMissing(FileAccess::displayPath(MainModule::AppPath())));

        setWindowTitle(Messages::mainTitle(QString()));

        m_session.setGobPath(Settings::read(Settings::GobKey));

        const QString transparent =
            Settings::read(Settings::TransparentKey, Convert::booleanText(true));
        try {
            mnuAutoTrans->setChecked(Convert::toBoolean(transparent));
        } catch (const Failure &) {
            throw Failure(FailureNumber::TypeMismatch,
                          Messages::badBooleanSetting(QString::fromLatin1(Settings::TransparentKey),
                                                      transparent));
        }

        restoreGeometry(QByteArray::fromBase64(Settings::read(Settings::GeometryKey).toLatin1()));
        ScreenFit::fit(this); // remembered on a larger screen, or one no longer there
        m_recent = Settings::readList(Settings::RecentKey);
        rememberGobFile(m_session.gobPath());

        // Read since the window began to be built; each row's text is taken when the list
        // shows it.
        lstItem->load(*m_catalogueRead);

        if (m_session.hasGobFile()) {
            recoverGobFile();
            if (lstItem->count() == 0)
                throw Failure(FailureNumber::BadCatalogue,
                              Messages::catalogueNoEntries(
                                  FileAccess::displayPath(MainModule::cataloguePath())));
            lstItem->setCurrentRow(0); // selects the first entry at once
        } else {
            cmdGOBFile_Click();
        }

        discoverPrograms();
        if (lstItem->isEnabled())
            lstItem->setFocus();
        else
            cmdGOBFile->setFocus();
        return true;
    } catch (const Failure &failure) {
        report(failure);
        return false;
    }
}

void frmMain::discoverPrograms()
{
    const QString folder = GameFolder::gameFolderOf(m_session.gobPath());
    const QDir dir(folder.isEmpty() ? QDir::rootPath() : folder);
    // ".exe" in any letter case: game folders copied from Windows often hold ".EXE".
    const QStringList programs =
        dir.entryList({QStringLiteral("*.exe")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : programs) {
        const int index = int(mnuEXE.size());
        QAction *action = mnuTorvane->addAction(name);
        action->setObjectName(QStringLiteral("mnuEXE%1").arg(index));
        connect(action, &QAction::triggered, this, [this, index] { mnuEXE_Click(index); });
        mnuEXE.push_back(action);
    }
}

void frmMain::cmdGOBFile_Click()
{
    try {
        const QString path = MainModule::ShowOpenDialog(
            m_prompts, this, {{tr("Torvane GOB File"), QStringLiteral("*_pc.gob")}},
            tr("Select the torvane GOB file"));
        useGobFile(path);
    } catch (const Failure &) {
        // A cancelled dialog or any other failure leaves everything as it was.
    }
}

void frmMain::useGobFile(const QString &path)
{
    m_session.setGobPath(path);
    rememberGobFile(m_session.gobPath());
    recoverGobFile();
    // The entry chosen is read again from the file just taken.
    if (lstItem->currentRow() >= 0)
        lstItem_Click();
}

void frmMain::mnuExit_Click()
{
    close();
}

void frmMain::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    Settings::save(Settings::GobKey, m_session.gobPath());
    Settings::save(Settings::TransparentKey, Convert::booleanText(mnuAutoTrans->isChecked()));
    Settings::save(Settings::GeometryKey, QString::fromLatin1(saveGeometry().toBase64()));
    Settings::saveList(Settings::RecentKey, m_recent);
    MainModule::CloseAllFiles();
    FileAccess::removeIfExists(MainModule::scratchBitmapPath());
    m_session.clearSelection();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
}
