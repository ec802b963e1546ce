#include "subfilebutton.h"

#include "widgets/wholetexttip.h"

#include <QStyleOptionButton>
#include <QStylePainter>

SubFileButton::SubFileButton(int index, const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("opnSubFile%1").arg(index));
}

QRect SubFileButton::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
}

bool SubFileButton::isElided() const
{
    return fontMetrics().horizontalAdvance(text()) > captionRect().width();
}

QSize SubFileButton::sizeHint() const
{
    return minimumSizeHint();
}

QSize SubFileButton::minimumSizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, this);
    return {indicator + fontMetrics().averageCharWidth() * 4, QRadioButton::sizeHint().height()};
}

bool SubFileButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        return showWholeTextTip(event, this, text(), isElided());
    return QRadioButton::event(event);
}

void SubFileButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = fontMetrics().elidedText(text(), Qt::ElideRight, captionRect().width(),
                                           Qt::TextShowMnemonic);
    painter.drawControl(QStyle::CE_RadioButton, option);
}
