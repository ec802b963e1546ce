// Choosing a catalogue entry and a sub file: the option buttons, the extraction of the record,
// the preview and the three labels.
#include "frmmain.h"

#include "subfilebutton.h"

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
#include <QVBoxLayout>

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
    cmdImport->setText(chosen.wholeFile ? tr("&Import as %1").arg(entry.typeName())
                                        : tr("&Import as Bitmap"));
    // Built hidden: a button shown in a shown panel lays out the whole panel again.
    picContainer->hide();
    for (int i = 1; i <= chosen.count; ++i) {
        auto *button = new SubFileButton(i, entry.subFile(i).caption, picContainer);
        ContextHelp::setTopic(button, 2);
        button->installEventFilter(this);
        m_subFileColumn->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                opnSubFile_Click(i);
        });
        opnSubFile.push_back(button);
    }
    picContainer->show();
    setTabOrderOfSubFiles();
    settleSubFilePanel();
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
    // The column goes first, so that the buttons do not leave the layout one by one.
    delete m_subFileColumn;
    for (size_t i = opnSubFile.size() - 1; i >= 1; --i)
        delete opnSubFile[i];
    opnSubFile.resize(1);
    m_subFileColumn = new QVBoxLayout;
    m_subFileColumn->setSpacing(0);
    static_cast<QVBoxLayout *>(picContainer->layout())->insertLayout(1, m_subFileColumn);
    settleSubFilePanel();
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
        lblWidth->setText(tr("Width : "));
        lblHeight->setText(tr("Height : "));
        lblOffset->setText(tr("Offset : "));
        return;
    }
    picPreview->setPlaceholderText(QString());
    if (shown.wholeFile || !mnuAutoTrans->isChecked())
        mnuRotate_Click(0);
    else
        mnuTransparent_Click();
    lblWidth->setText(tr("Width : ") + QString::number(shown.width));
    lblHeight->setText(tr("Height : ") + QString::number(shown.height));
    lblOffset->setText(tr("Offset : ") + QString::number(shown.offset));
}

bool frmMain::subFileKeyPressed(const SubFileButton *button, int key)
{
    const int pitch = qMax(1, opnSubFile[0]->sizeHint().height());
    const int page = qMax(1, picContainerHost->viewport()->height() / pitch - 1);
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

void frmMain::settleSubFilePanel()
{
    // The panel lays out its buttons and the scroll range follows now, not at the next pass of
    // the event loop (nor only once the window shows), so that a key press at once can bring a
    // button into view.
    picContainer->layout()->invalidate();
    picContainerHost->setWidgetResizable(true); // takes the panel's new size and scroll range
    picContainer->layout()->setGeometry(picContainer->rect());
}

void frmMain::scrollToSubFile(int index)
{
    // Just far enough for the button to show whole, and the caption "Sub Files" with the first.
    if (index == 1)
        VScroll1->setValue(0);
    else if (index == selection().count)
        VScroll1->setValue(VScroll1->maximum());
    else if (index < int(opnSubFile.size()))
        picContainerHost->ensureWidgetVisible(opnSubFile[index], 0, 0);
}
