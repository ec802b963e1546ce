// Choosing a catalogue entry and a sub file: the option buttons, the extraction of the record,
// the preview and the three labels.
#include "frmmain.h"

#include "twips.h"

#include "records/catalogue.h"
#include "records/recordextraction.h"
#include "services/apppath.h"
#include "services/busycursor.h"
#include "services/contexthelp.h"
#include "services/errorreport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>

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
        entry = CatalogueEntry::parse(
            Catalogue::splitFields(Catalogue::readEntryLine(MainModule::cataloguePath(), k)),
            Catalogue::lineNumberOfEntry(k), MainModule::cataloguePath());
    } catch (const Failure &failure) {
        // A line that cannot be used leaves the previous entry, its buttons and its preview.
        {
            const QSignalBlocker blocker(lstItem);
            lstItem->setCurrentRow(m_shownRow);
        }
        report(failure);
        return;
    }

    for (size_t i = opnSubFile.size() - 1; i >= 1; --i)
        delete opnSubFile[i];
    opnSubFile.resize(1);

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
        auto *button = new QRadioButton(entry.subFile(i).caption, picContainer);
        button->setObjectName(QStringLiteral("opnSubFile%1").arg(i));
        button->move(Twips::toPixels(ButtonLeft), Twips::toPixels(ButtonPitch * i));
        ContextHelp::setTopic(button, 2);
        button->show();
        connect(button, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                opnSubFile_Click(i);
        });
        opnSubFile.push_back(button);
    }
    layoutSubFiles();
    m_shownRow = k;
    opnSubFile[1]->setChecked(true); // runs the sub-file selection of button 1
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
}

void frmMain::extractSelectedRecord()
{
    const QString gob = txtGOBFile->text();
    const QString scratch = MainModule::scratchBitmapPath();
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
    // The scroll maximum is a 16-bit number; very long entries stop at its largest value.
    const int maximum = qBound(0, containerTwips - h + 100, 32767);
    VScroll1->setRange(0, maximum);
    VScroll1->setPageStep(qMax(1, h / 2));
    VScroll1->setSingleStep(ButtonPitch);
    VScroll1->setVisible(containerTwips > h);
    const int barWidth = VScroll1->sizeHint().width();
    VScroll1->setGeometry(picContainerHost->width() - barWidth, 0, barWidth,
                          picContainerHost->height());
    picContainer->resize(picContainerHost->width() - barWidth, picContainer->height());
    VScroll1_Change();
}

void frmMain::VScroll1_Change()
{
    picContainer->move(0, Twips::toPixels(ContainerTopMargin - VScroll1->value()));
}
