// Choosing a catalogue entry and a sub file: the option buttons, the extraction of the record,
// the preview and the three labels.
#include "frmmain.h"

#include "subfilebutton.h"
#include "widgets/twips.h"

#include "services/errorreport.h"
#include "widgets/busycursor.h"
#include "widgets/contexthelp.h"
#include "widgets/entrylist.h"
#include "widgets/pictureview.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
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
    if (!m_session.hasGobFile()) {
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
        m_session.clearSelection();
        report(failure);
        return;
    }

    m_session.selectEntry(entry);
    const SelectionState &chosen = selection();
    cmdImport->setText(chosen.wholeFile ? QStringLiteral("&Import as ") + entry.typeName()
                                        : QStringLiteral("&Import as Bitmap"));
    picContainer->resize(picContainer->width(),
                         Twips::toPixels(ButtonPitch * chosen.count + ButtonPitch));
    for (int i = 1; i <= chosen.count; ++i) {
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
    if (opnSubFile.size() == 1)
        return;
    for (size_t i = opnSubFile.size() - 1; i >= 1; --i)
        delete opnSubFile[i];
    opnSubFile.resize(1);
    picContainer->resize(picContainer->width(), Twips::toPixels(ButtonPitch));
    layoutSubFiles();
}

void frmMain::opnSubFile_Click(int index)
{
    BusyCursor busy;
    try {
        m_session.selectSubFile(index); // drawn as the session says it is shown
    } catch (const Failure &failure) {
        report(failure);
    }
    scrollToSubFile(index);
}

void frmMain::showRecord()
{
    updateRecordCommands();
    const SelectionState &shown = selection();
    if (!m_session.isShown()) {
        picPreview->canvas().clear();
        picPreview->canvas().refresh();
        picPreview->setPlaceholderText(Messages::nothingShown());
        lblWidth->setText(QStringLiteral("Width : "));
        lblHeight->setText(QStringLiteral("Height : "));
        lblOffset->setText(QStringLiteral("Offset : "));
        return;
    }
    picPreview->setPlaceholderText(QString());
    if (shown.wholeFile || !mnuAutoTrans->isChecked())
        mnuRotate_Click(0);
    else
        mnuTransparent_Click();
    lblWidth->setText(QStringLiteral("Width : ") + QString::number(shown.width));
    lblHeight->setText(QStringLiteral("Height : ") + QString::number(shown.height));
    lblOffset->setText(QStringLiteral("Offset : ") + QString::number(shown.offset));
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
        target = selection().count;
        break;
    default:
        return false;
    }
    target = qBound(1, target, selection().count);
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
