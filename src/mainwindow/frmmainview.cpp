// The preview's view options: the four turns, the transparent preview, the automatic
// transparent preview and the preview's context menu.
#include "frmmain.h"

#include "services/errorreport.h"
#include "services/recordpreview.h"
#include "widgets/pictureview.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

void frmMain::mnuRotate_Click(int index)
{
    if (index < 0 || index > 3 || !m_session.isShown())
        return;
    for (QAction *rotation : mnuRotate) {
        rotation->setChecked(false);
        rotation->setEnabled(true);
    }
    mnuAutoTrans->setEnabled(true);
    mnuRotate[index]->setChecked(true);
    mnuRotate[index]->setEnabled(false);

    QString fileName; // empty: temp.bmp
    const SelectionState &shown = selection();
    qint32 width = shown.width, height = shown.height; // measured by the session already
    picPreview->canvas().setSeeThrough(false);
    try {
        RecordPreview::drawTurned(picPreview->canvas(), shown.wholeFile, index, width, height,
                                  fileName);
        if (shown.wholeFile)
            mnuAutoTrans->setEnabled(false);
    } catch (const Failure &failure) {
        report(failure);
    }
}

void frmMain::mnuTransparent_Click()
{
    if (!m_session.isShown() || selection().wholeFile)
        return;
    QString fileName;
    picPreview->canvas().setSeeThrough(true); // a checkerboard behind the transparent colours
    try {
        RecordPreview::drawTransparent(picPreview->canvas(), fileName);
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
    if (m_session.isShown())
        mnuPopup->popup(QCursor::pos());
}
