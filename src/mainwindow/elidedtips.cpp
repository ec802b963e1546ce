#include "elidedtips.h"

#include <QHelpEvent>
#include <QListWidget>
#include <QStyle>
#include <QToolTip>

ElidedTips::ElidedTips(QListWidget *list)
    : QObject(list)
    , m_list(list)
{
    list->viewport()->installEventFilter(this);
}

bool ElidedTips::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QListWidgetItem *item = m_list->itemAt(help->pos());
    const int margin = 2 * m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4;
    if (item
        && m_list->fontMetrics().horizontalAdvance(item->text()) + margin
            > m_list->visualItemRect(item).width())
        QToolTip::showText(help->globalPos(), item->text(), m_list->viewport());
    else
        QToolTip::hideText();
    return true;
}
