// Save As: exporting the selected record to a file the user names.
#include "frmmain.h"

#include "pictures/pictureoutput.h"
#include "pictures/recordpicture.h"
#include "records/recordextraction.h"
#include "services/apppath.h"
#include "services/failure.h"
#include "services/filedialogs.h"

#include <QLabel>
#include <QLineEdit>

void frmMain::cmdSaveAs_Click()
{
    // Any failure, and a cancelled dialog, end the command silently.
    try {
        const QString scratch = MainModule::scratchBitmapPath();
        if (selection.wholeFile) {
            const QString t = selection.entry.typeName().toLower();
            const QString path = MainModule::ShowSaveDialog(
                m_prompts, this, {{t + QStringLiteral(" File"), QStringLiteral("*.") + t}});
            lblFileName->setText(path);
            RecordExtraction::saveWholeFileCopy(
                scratch, RecordExtraction::wholeFileTarget(path, selection.entry.typeName()));
        } else {
            const QString path = MainModule::ShowSaveDialog(
                m_prompts, this,
                {{QStringLiteral("Bitmap File"), QStringLiteral("*.bmp")},
                 {QStringLiteral("Png File"), QStringLiteral("*.png")}});
            lblFileName->setText(path);
            // A name ending in .png gets the indexed PNG with the palette's alpha.
            if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
                PictureOutput::write(
                    path, RecordPicture::read(txtGOBFile->text(), selection.offset).png());
            else
                RecordExtraction::saveBitmapCopy(scratch, RecordExtraction::bitmapTarget(path));
        }
    } catch (const Failure &) {
    }
}
