// Choosing a catalogue entry and a sub file: the option buttons, the extraction of the record,
// the preview and the three labels.
#include "frmmain.h"

#include "subfilebutton.h"
#include "widgets/twips.h"

#include "records/catalogue.h"
#include "records/recordextraction.h"
#include "services/apppath.h"
#include "widgets/busycursor.h"
#include "widgets/contexthelp.h"
#include "widgets/entrylist.h"
#include "services/errorreport.h"
#include "widgets/pictureview.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// Twips of the sub-file panel.
constexpr int ContainerTopMargin = 50;
constexpr int ButtonLeft = 30;
constexpr int ButtonPitch = 300;

} // namespace

void frmMain::lstItem_Click()
{
    if (txtGOBFile->text().trimmed().isEmpty()) {
        m_prompts.critical(this, Messages::selectGobFile());
        return;
    }
    const int k = lstItem->currentRow();
    if (k < 0)
        return;
    BusyCursor busy;

    CatalogueEntry entry;
    try {
        entry = lstItem->entry(k);
    } catch (const Failure &failure) {
        // The line stays chosen, so that the arrow keys go on from it, but nothing of the
        // previous entry stays on show for the commands to act on.
        clearShownEntry();
        report(failure);
        return;
    }

    removeSubFileButtons();
    selection.entry = entry;
    selection.hasEntry = true;
    selection.wholeFile = entry.isWholeFile();
    selection.count = entry.count();
    selection.subFile = 0;
    cmdImport->setText(selection.wholeFile ? QStringLiteral("&Import as ") + entry.typeName()
                                           : QStringLiteral("&Import as Bitmap"));
    mnuTransparent->setEnabled(!selection.wholeFile);

    picContainer->resize(picContainer->width(),
                         Twips::toPixels(ButtonPitch * selection.count + ButtonPitch));
    for (int i = 1; i <= selection.count; ++i) {
        auto *button = new SubFileButton(i, entry.subFile(i).caption, picContainer);
        // Placed with a size of its own: showing it then measures no caption.
        button->setGeometry(Twips::toPixels(ButtonLeft), Twips::toPixels(ButtonPitch * i),
                            picContainer->width() - Twips::toPixels(ButtonLeft),
                            opnSubFile[0]->sizeHint().height());
        ContextHelp::setTopic(button, 2);
        button->installEventFilter(this);
        button->show();
        connect(button, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                opnSubFile_Click(i);
        });
        opnSubFile.push_back(button);
    }
    setTabOrderOfSubFiles();
    layoutSubFiles();
    opnSubFile[1]->setChecked(true); // runs the sub-file selection of button 1
}

void frmMain::setTabOrderOfSubFiles()
{
    // New buttons join the end of the focus chain; they belong between the list and the preview.
    QWidget *previous = lstItem;
    for (size_t i = 1; i < opnSubFile.size(); ++i) {
        setTabOrder(previous, opnSubFile[i]);
        previous = opnSubFile[i];
    }
    setTabOrder(previous, previewArea);
}

void frmMain::removeSubFileButtons()
{
    for (size_t i = opnSubFile.size() - 1; i >= 1; --i)
        delete opnSubFile[i];
    opnSubFile.resize(1);
}

void frmMain::clearShownEntry()
{
    removeSubFileButtons();
    selection.clearEntry();
    selection.count = 0;
    selection.subFile = 0;
    m_extracted = false;
    picContainer->resize(picContainer->width(), Twips::toPixels(ButtonPitch));
    layoutSubFiles();
    picPreview->canvas().clear();
    picPreview->canvas().refresh();
    lblWidth->setText(QStringLiteral("Width : "));
    lblHeight->setText(QStringLiteral("Height : "));
    lblOffset->setText(QStringLiteral("Offset : "));
    updateRecordCommands();
}

void frmMain::opnSubFile_Click(int index)
{
    if (!selection.hasEntry || index < 1 || index > selection.count)
        return;
    BusyCursor busy;
    const SubFile &sub = selection.entry.subFile(index);
    selection.subFile = index;
    selection.offset = sub.offset;
    if (selection.wholeFile)
        selection.areaSize = sub.areaSize;
    extractSelectedRecord();
    if (selection.wholeFile || !mnuAutoTrans->isChecked())
        mnuRotate_Click(0);
    else
        mnuTransparent_Click();

    lblWidth->setText(QStringLiteral("Width : ") + QString::number(selection.width));
    lblHeight->setText(QStringLiteral("Height : ") + QString::number(selection.height));
    lblOffset->setText(QStringLiteral("Offset : ") + QString::number(selection.offset));
    updateRecordCommands();
    scrollToSubFile(index);
}

void frmMain::refreshSelectedRecord()
{
    if (selection.hasEntry && selection.subFile >= 1)
        opnSubFile_Click(selection.subFile);
}

bool frmMain::subFileKeyPressed(const SubFileButton *button, int key)
{
    const int page = qMax(1, subFileAreaTwips() / ButtonPitch - 1);
    int target = button->index();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        --target;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        ++target;
        break;
    case Qt::Key_PageUp:
        target -= page;
        break;
    case Qt::Key_PageDown:
        target += page;
        break;
    case Qt::Key_Home:
        target = 1;
        break;
    case Qt::Key_End:
        target = selection.count;
        break;
    default:
        return false;
    }
    target = qBound(1, target, selection.count);
    if (target < int(opnSubFile.size())) {
        opnSubFile[target]->setChecked(true);
        opnSubFile[target]->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

void frmMain::scrollToSubFile(int index)
{
    if (VScroll1->isHidden())
        return;
    // The panel moves just far enough for the button to show with the panel's margin, and the
    // caption "Sub Files" with the first.
    const int v = VScroll1->value();
    const int top = ContainerTopMargin + ButtonPitch * (index - 1) - v;
    const int bottom = ContainerTopMargin + ButtonPitch * (index + 1) - v;
    const int h = subFileAreaTwips();
    if (top < ContainerTopMargin)
        VScroll1->setValue(v - (ContainerTopMargin - top));
    else if (bottom > h - ContainerTopMargin)
        VScroll1->setValue(v + bottom - (h - ContainerTopMargin));
}

void frmMain::extractSelectedRecord()
{
    const QString gob = txtGOBFile->text();
    const QString scratch = MainModule::scratchBitmapPath();
    m_extracted = false;
    try {
        if (selection.wholeFile) {
            RecordExtraction::extractWholeFileRecord(gob, selection.offset, selection.areaSize,
                                                     scratch);
        } else {
            // The width and height as read, also when the record is refused.
            ImageRecord::Size stored {selection.width, selection.height};
            const auto keepSize = qScopeGuard([&] {
                selection.width = stored.width;
                selection.height = stored.height;
            });
            RecordExtraction::extractImageRecord(gob, selection.offset, scratch, &stored);
        }
        m_extracted = true;
    } catch (const Failure &failure) {
        report(failure);
    }
}

int frmMain::subFileAreaTwips() const
{
    return Twips::fromPixels(picContainerHost->height());
}

void frmMain::layoutSubFiles()
{
    const int containerTwips = Twips::fromPixels(picContainer->height());
    const int h = subFileAreaTwips();
    // The whole range, however many sub files: a 16-bit maximum would leave all but the first
    // hundred or so out of reach.
    const int maximum = qMax(0, containerTwips - h + 100);
    VScroll1->setRange(0, maximum);
    VScroll1->setPageStep(qMax(1, h / 2));
    VScroll1->setSingleStep(ButtonPitch);
    VScroll1->setVisible(containerTwips > h);
    const int barWidth = VScroll1->sizeHint().width();
    VScroll1->setGeometry(picContainerHost->width() - barWidth, 0, barWidth,
                          picContainerHost->height());
    picContainer->resize(picContainerHost->width() - barWidth, picContainer->height());
    // Each button as wide as the panel leaves it, so that a long caption is cut with an ellipsis.
    const QSize buttonSize(picContainer->width() - Twips::toPixels(ButtonLeft),
                           opnSubFile[0]->sizeHint().height());
    for (size_t i = 1; i < opnSubFile.size(); ++i)
        opnSubFile[i]->resize(buttonSize);
    VScroll1_Change();
}

void frmMain::VScroll1_Change()
{
    picContainer->move(0, Twips::toPixels(ContainerTopMargin - VScroll1->value()));
}
