#include "progressdisplay.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int TextThreshold = 55;

} // namespace

ProgressDisplay::ProgressDisplay(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

QColor ProgressDisplay::fillColour()
{
    return QColor(0, 0, 255);
}

QColor ProgressDisplay::textColour(int percent)
{
    return percent < TextThreshold ? QColor(255, 0, 0) : QColor(255, 255, 255);
}

void ProgressDisplay::setPercent(int percent)
{
    m_percent = qBound(0, percent, 100);
    m_textColour = textColour(m_percent);
    repaint();
    emit percentShown(m_percent);
}

void ProgressDisplay::clear()
{
    m_percent = -1;
    m_textColour = textColour(0);
    repaint();
}

void ProgressDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (m_percent < 0)
        return;
    painter.fillRect(QRect(0, 0, width() * m_percent / 100, height()), fillColour());
    // The number alone is centred; the "%" follows it.
    const QFontMetrics metrics(font());
    const QString number = QString::number(m_percent);
    const int x = (width() - metrics.horizontalAdvance(number)) / 2;
    const int y = (height() - metrics.height()) / 2 + metrics.ascent();
    painter.setPen(m_textColour);
    painter.drawText(x, y, number + u'%');
}
