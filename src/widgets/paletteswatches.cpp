#include "paletteswatches.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int Columns = 16;
constexpr int Rows = 16;

} // namespace

PaletteSwatches::PaletteSwatches(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // A swatch as tall as a line of text, so that the grid follows the font and the scale.
    setMinimumSize(Columns * 8, Rows * 8);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize PaletteSwatches::sizeHint() const
{
    const int s = std::max(8, fontMetrics().height());
    return {Columns * s, Rows * s};
}

int PaletteSwatches::side() const
{
    return std::max(1, std::min(width() / Columns, height() / Rows));
}

void PaletteSwatches::setColours(const QList<QColor> &colours)
{
    m_colours = colours;
    update();
}

void PaletteSwatches::setCurrentIndex(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    update();
}

int PaletteSwatches::indexAt(QPoint position) const
{
    const int s = side();
    const int column = position.x() / s, row = position.y() / s;
    if (position.x() < 0 || position.y() < 0 || column >= Columns || row >= Rows)
        return -1;
    const int index = row * Columns + column;
    return index < m_colours.size() ? index : -1;
}

void PaletteSwatches::choose(int index)
{
    if (index < 0 || index >= m_colours.size() || index == m_current)
        return;
    setCurrentIndex(index);
    Q_EMIT indexChosen(index);
}

void PaletteSwatches::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int s = side();
    const QColor line = palette().color(QPalette::Mid);
    for (int i = 0; i < m_colours.size() && i < Columns * Rows; ++i) {
        const QRect swatch((i % Columns) * s, (i / Columns) * s, s, s);
        painter.fillRect(swatch.adjusted(1, 1, -1, -1), m_colours[i]);
        painter.setPen(line);
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    }
    if (m_current >= 0 && m_current < m_colours.size()) {
        // Two rings, dark and light, so that the frame shows on every colour.
        const QRect swatch((m_current % Columns) * s, (m_current / Columns) * s, s, s);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(swatch.adjusted(1, 1, -2, -2));
        if (hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
            painter.drawRect(
                swatch.adjusted(-1, -1, 0, 0).intersected(rect().adjusted(0, 0, -1, -1)));
        }
    }
}

void PaletteSwatches::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        choose(indexAt(event->position().toPoint()));
}

void PaletteSwatches::keyPressEvent(QKeyEvent *event)
{
    const int at = std::max(m_current, 0);
    switch (event->key()) {
    case Qt::Key_Left:
        choose(m_current < 0 ? 0 : at - 1);
        break;
    case Qt::Key_Right:
        choose(m_current < 0 ? 0 : at + 1);
        break;
    case Qt::Key_Up:
        choose(m_current < 0 ? 0 : at - Columns);
        break;
    case Qt::Key_Down:
        choose(m_current < 0 ? 0 : at + Columns);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
