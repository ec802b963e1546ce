#include "pathlabel.h"

#include "widgets/wholetexttip.h"

#include <QPainter>
#include <QStyle>

PathLabel::PathLabel(QWidget *parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize PathLabel::minimumSizeHint() const
{
    return QSize(0, QLabel::minimumSizeHint().height());
}

QSize PathLabel::sizeHint() const
{
    return QSize(0, QLabel::sizeHint().height());
}

bool PathLabel::isElided() const
{
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

bool PathLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        return showWholeTextTip(event, this, text(), isElided());
    return QLabel::event(event);
}

void PathLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect room = contentsRect();
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(),
                          fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width()),
                          foregroundRole());
}
