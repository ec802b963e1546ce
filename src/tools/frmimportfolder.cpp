#include "frmimportfolder.h"

#include "pictures/folderimport.h"
#include "services/messages.h"

#include "widgets/wholetexttip.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Cells show their whole text as a tooltip while they are too narrow for it; a cell with a
// tooltip of its own (a refusal's reason) shows that.
class WholeTextDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() != QEvent::ToolTip || index.data(Qt::ToolTipRole).isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : view->style();
        const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
        const QString text = index.data(Qt::DisplayRole).toString();
        const bool cut = cell.fontMetrics.horizontalAdvance(text) > room.width();
        return showWholeTextTip(event, view->viewport(), text, cut);
    }
};

// A refusal may name the file on a line of its own before the reason; the row names it
// already, so the cell shows the reason on one line (the mark's tooltip has the whole text).
QString shownReason(const FolderImport::Skipped &refused)
{
    QStringList lines = refused.reason.split(QRegularExpression(QStringLiteral("\r?\n")));
    if (lines.size() > 1 && lines.first().endsWith(u'/' + refused.name))
        lines.removeFirst();
    return lines.join(u' ');
}

} // namespace

frmImportFolder::frmImportFolder(const FolderImport::Plan &plan, QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmImportFolder"));
    setWindowTitle(Messages::importFolderTitle());
    auto *layout = new QVBoxLayout(this);
    lblQuestion = new QLabel(Messages::importFolderQuestion(int(plan.changes.size())), this);
    lblQuestion->setObjectName(QStringLiteral("lblQuestion"));
    layout->addWidget(lblQuestion);

    lstFiles = new QTreeWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setRootIsDecorated(false);
    lstFiles->setIconSize(QSize(64, 64)); // the thumbnails' side
    lstFiles->setHeaderLabels({tr("File"), tr("Now"), tr("New"), tr("What happens")});
    for (const FolderImport::Change &change : plan.changes) {
        auto *row = new QTreeWidgetItem(lstFiles, {change.line.name, {}, {}, change.outcome});
        row->setIcon(1, QPixmap::fromImage(change.before));
        row->setIcon(2, QPixmap::fromImage(change.after));
    }
    // After the changes, the files left out: a refused one marked, its reason on the mark.
    QList<QTreeWidgetItem *> others;
    const QIcon refusedMark = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const FolderImport::Skipped &refused : plan.refused) {
        auto *row = new QTreeWidgetItem(lstFiles, {refused.name, {}, {}, shownReason(refused)});
        row->setIcon(0, refusedMark);
        row->setToolTip(0, refused.reason);
        others << row;
    }
    for (const QString &name : plan.unlisted)
        others << new QTreeWidgetItem(lstFiles, {name, {}, {}, Messages::notInManifest()});
    // The thumbnails' columns no wider than a thumbnail: the room goes to what happens.
    for (int column : {0, 1, 2})
        lstFiles->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    lstFiles->setItemDelegate(new WholeTextDelegate(lstFiles));
    layout->addWidget(lstFiles, 1);

    chkChangedOnly = new QCheckBox(tr("Show only the &changed files"), this);
    chkChangedOnly->setObjectName(QStringLiteral("chkChangedOnly"));
    chkChangedOnly->setEnabled(!others.isEmpty());
    connect(chkChangedOnly, &QCheckBox::toggled, this, [others](bool changedOnly) {
        for (QTreeWidgetItem *row : others)
            row->setHidden(changedOnly);
    });
    layout->addWidget(chkChangedOnly);
    lblUnchanged = new QLabel(
        plan.unchanged == 1 ? tr("1 file is unchanged and not listed.")
                            : tr("%1 files are unchanged and not listed.").arg(plan.unchanged),
        this);
    lblUnchanged->setObjectName(QStringLiteral("lblUnchanged"));
    lblUnchanged->setVisible(plan.unchanged > 0);
    layout->addWidget(lblUnchanged);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdYes = new QPushButton(tr("&Yes"), this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdNo = new QPushButton(tr("&No"), this);
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    cmdNo->setDefault(true);
    buttons->addWidget(cmdYes);
    buttons->addWidget(cmdNo);
    layout->addLayout(buttons);
    connect(cmdYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdNo, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 480);
}
