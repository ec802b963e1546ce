// Save As: exporting the selected record to a file the user names.
#include "frmmain.h"

#include "pictures/recordpicture.h"
#include "records/recordextraction.h"
#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/filedialogs.h"
#include "services/fileidentity.h"
#include "services/outputfile.h"

#include <QLabel>
#include <QStatusBar>

void frmMain::cmdSaveAs_Click()
{
    // A cancelled dialog ends the command silently; a refusal or a failure is reported, and
    // leaves the file that was there as it was.
    if (!m_session.isShown())
        return;
    try {
        const QString scratch = MainModule::scratchBitmapPath();
        QString path, target;
        bool png = false;
        if (selection().wholeFile) {
            const QString t = selection().entry.typeName().toLower();
            path = MainModule::ShowSaveDialog(m_prompts, this,
                                              {{tr("%1 File").arg(t), QStringLiteral("*.") + t}});
            target = RecordExtraction::wholeFileTarget(path, selection().entry.typeName());
        } else {
            path = MainModule::ShowSaveDialog(m_prompts, this,
                                              {{tr("Bitmap File"), QStringLiteral("*.bmp")},
                                               {tr("Png File"), QStringLiteral("*.png")}});
            // A name ending in .png gets the indexed PNG with the palette's alpha.
            png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
            target = png ? path : RecordExtraction::bitmapTarget(path);
        }
        lblFileName->setText(path);
        FileIdentity::refuseInputs(target, {m_session.gobPath(), m_session.cataloguePath()});
        MainModule::askBeforeReplacing(m_prompts, this, target, path);
        if (selection().wholeFile)
            RecordExtraction::saveWholeFileCopy(scratch, target);
        else if (png)
            OutputFile::write(target,
                              RecordPicture::read(m_session.gobPath(), selection().offset).png());
        else
            RecordExtraction::saveBitmapCopy(scratch, target);
        statusBar()->showMessage(Messages::statusSaved(FileAccess::displayPath(target)));
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}
