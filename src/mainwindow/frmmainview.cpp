// The preview's view options: the four turns, the transparent preview, the automatic
// transparent preview and the preview's context menu.
#include "frmmain.h"

#include "services/errorreport.h"
#include "services/imaging.h"
#include "services/pictureview.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace {

// Rotate-flip codes of the four turns: image records are always shown mirrored top to bottom,
// whole-file records hold ordinary image files and are shown as they are.
constexpr qint32 ImageRecordCodes[4] = {MainModule::Rotate180FlipX, MainModule::Rotate90FlipX,
                                        MainModule::RotateNoneFlipX, MainModule::Rotate270FlipX};
constexpr qint32 WholeFileCodes[4] = {MainModule::RotateNoneFlipNone, MainModule::Rotate90FlipNone,
                                      MainModule::Rotate180FlipNone, MainModule::Rotate270FlipNone};

} // namespace

void frmMain::mnuRotate_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    for (QAction *rotation : mnuRotate) {
        rotation->setChecked(false);
        rotation->setEnabled(true);
    }
    mnuAutoTrans->setEnabled(true);
    mnuRotate[index]->setChecked(true);
    mnuRotate[index]->setEnabled(false);

    QString fileName; // empty: temp.bmp
    try {
        if (selection.wholeFile) {
            MainModule::DrawImageFile(picPreview->canvas(), false, WholeFileCodes[index],
                                      selection.width, selection.height, fileName);
            mnuAutoTrans->setEnabled(false);
        } else {
            qint32 width = 0, height = 0;
            MainModule::DrawImageFile(picPreview->canvas(), false, ImageRecordCodes[index], width,
                                      height, fileName);
        }
    } catch (const Failure &failure) {
        report(failure);
    }
}

void frmMain::mnuTransparent_Click()
{
    QString fileName;
    try {
        MainModule::DrawTransparentBitmap(picPreview->canvas(), false, 0, 0, fileName);
    } catch (const Failure &failure) {
        report(failure);
    }
    // The transparent preview is never turned: the choice returns to "Rotate None".
    for (int r = 1; r < 4; ++r) {
        mnuRotate[r]->setChecked(false);
        mnuRotate[r]->setEnabled(true);
    }
    mnuRotate[0]->setChecked(true);
    mnuRotate[0]->setEnabled(false);
}

void frmMain::mnuAutoTrans_Click()
{
    // Takes effect at the next sub-file selection of a bitmap entry; nothing is redrawn.
    mnuAutoTrans->toggle();
}

void frmMain::picPreview_MouseUp(Qt::MouseButton, QPoint)
{
    mnuPopup->popup(QCursor::pos());
}
