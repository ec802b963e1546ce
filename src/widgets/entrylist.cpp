#include "entrylist.h"

#include "wholetexttip.h"

#include "records/cataloguemodel.h"

#include <QHelpEvent>
#include <QStyle>

EntryList::EntryList(QWidget *parent)
    : QListView(parent)
    , m_model(new CatalogueModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    // Rows are placed a batch at a time while the window is already on the screen, so that a
    // list of any length shows at once.
    setLayoutMode(QListView::Batched);
    setBatchSize(1000);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
}

void EntryList::load(const QString &path)
{
    m_model->load(path);
}

void EntryList::load(CatalogueReadAhead &read)
{
    m_model->load(read.take());
}

CatalogueEntry EntryList::entry(int k) const
{
    return m_model->entry(k);
}

int EntryList::count() const
{
    return m_model->rowCount();
}

int EntryList::currentRow() const
{
    return currentIndex().row();
}

void EntryList::setCurrentRow(int row)
{
    if (row < 0 || row >= count())
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    else
        selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::ClearAndSelect);
}

QString EntryList::text(int row) const
{
    return m_model->displayText(row);
}

void EntryList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    Q_EMIT currentRowChanged(current.row());
}

bool EntryList::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QListView::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = indexAt(help->pos());
    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4;
    const QString whole = index.isValid() ? text(index.row()) : QString();
    if (whole.isEmpty()
        || fontMetrics().horizontalAdvance(whole) + margin <= visualRect(index).width())
        return QListView::viewportEvent(event); // the list's own tooltip, if it has one
    return showWholeTextTip(event, viewport(), whole, true);
}
