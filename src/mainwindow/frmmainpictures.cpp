// Pictures: whole folders out and back in.
#include "frmmain.h"

#include "pictures/folderexport.h"
#include "pictures/folderimport.h"
#include "pictures/pictureimport.h"
#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/filedialogs.h"
#include "tools/frmimportfolder.h"
#include "widgets/busycursor.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>

namespace {

constexpr int FolderThumbnailSide = 64;

// The folder chosen through its manifest: a dialog names a file, an export writes a folder.
QList<FileFilter> manifestFilter()
{
    return {{QCoreApplication::translate("frmMain", "Kestrix export"),
             QStringLiteral("kestrix-export.tsv")}};
}

QString refusedLines(const QList<FolderExport::Refused> &refused)
{
    QString text;
    for (const FolderExport::Refused &r : refused)
        text += QStringLiteral("\r\n") + r.what + QStringLiteral(": ") + r.reason;
    return text;
}

} // namespace

void frmMain::createPictureMenus()
{
    mnuExportAll = new QAction(tr("Export &All…"), this);
    mnuExportAll->setObjectName(QStringLiteral("mnuExportAll"));
    mnuImportFolder = new QAction(tr("Import &Folder…"), this);
    mnuImportFolder->setObjectName(QStringLiteral("mnuImportFolder"));
    mnuFile->insertActions(mnuExit, {mnuExportAll, mnuImportFolder});
    mnuFile->insertSeparator(mnuExit);
    connect(mnuExportAll, &QAction::triggered, this, [this] { mnuExportAll_Click(); });
    connect(mnuImportFolder, &QAction::triggered, this, [this] { mnuImportFolder_Click(); });
}

void frmMain::mnuExportAll_Click()
{
    // A cancelled dialog ends the command silently; a failure is reported.
    try {
        const QString folder =
            MainModule::ShowFolderDialog(m_prompts, this, Messages::exportFolderTitle());
        // Files the user changed since they were exported are replaced only when asked.
        QStringList keep = FolderExport::editedFiles(folder);
        if (!keep.isEmpty()) {
            const Answer answer = m_prompts.message(
                this,
                {Messages::editedFilesQuestion(keep), MessageIcon::Exclamation,
                 MessageButtons::YesNoCancel, Answer::No, Messages::exportAllTitle()});
            if (answer == Answer::Cancel)
                return;
            if (answer == Answer::Yes)
                keep.clear();
        }
        QProgressDialog progress(Messages::exportAllTitle(), tr("&Cancel"), 0, 1, this);
        progress.setObjectName(QStringLiteral("progress"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        const FolderExport::Result result = FolderExport::run(
            m_session.cataloguePath(), m_session.gobPath(), {}, folder,
            [&](int done, int total) {
                progress.setMaximum(total);
                progress.setValue(done);
                QCoreApplication::processEvents();
                return !progress.wasCanceled();
            },
            keep);
        progress.reset();
        const int written = int(result.written.size());
        const QString text = (result.cancelled ? Messages::exportStopped(written, folder)
                                               : Messages::exportDone(written, folder))
            + refusedLines(result.refused);
        if (result.refused.isEmpty())
            m_prompts.inform(this, text);
        else
            m_prompts.critical(this, text);
    } catch (const Failure &failure) {
        report(failure);
    }
}

void frmMain::mnuImportFolder_Click()
{
    try {
        const QString manifest = MainModule::ShowOpenDialog(
            m_prompts, this, manifestFilter(), tr("Select the kestrix-export.tsv of the folder"));
        FolderImport::Plan plan;
        {
            BusyCursor busy;
            plan = m_session.checkFolder(QFileInfo(manifest).absolutePath(), FolderThumbnailSide);
        }
        if (plan.changes.isEmpty()) {
            QString text = Messages::nothingToImport();
            for (const FolderImport::Skipped &refused : plan.refused)
                text +=
                    QStringLiteral("\r\n") + refused.name + QStringLiteral(": ") + refused.reason;
            m_prompts.inform(this, text);
            return;
        }
        frmImportFolder question(plan, this);
        if (question.exec() != QDialog::Accepted)
            return;
        m_session.importFolder(plan, GobChange::asking(m_prompts, this),
                               [] { QCoreApplication::processEvents(); });
    } catch (const Failure &failure) {
        report(failure);
        return;
    }
    m_prompts.inform(this, Messages::importedSuccessfully());
}
