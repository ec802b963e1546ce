#include "canvas.h"

#include <QPainter>

Canvas::Canvas(QSize size, QColor background)
    : m_image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied)
    , m_baseSize(size.expandedTo(QSize(1, 1)))
    , m_background(background)
{
    m_image.fill(m_background);
}

void Canvas::setBackground(QColor colour)
{
    m_background = colour;
}

void Canvas::resizeTo(QSize size)
{
    if (size == m_image.size())
        return;
    QImage resized(size, QImage::Format_ARGB32_Premultiplied);
    resized.fill(m_seeThrough ? QColor(Qt::transparent) : m_background);
    QPainter p(&resized);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, m_image);
    p.end();
    m_image = resized;
}

void Canvas::setBaseSize(QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    if (size == m_baseSize)
        return;
    m_baseSize = size;
    // A growing canvas never cuts off what is drawn, but gives back room it no longer needs.
    const QSize wanted = m_growing ? size.expandedTo(m_drawn) : size;
    if (wanted != m_image.size()) {
        resizeTo(wanted);
        if (changed)
            changed();
    }
}

QRgb Canvas::pixel(int x, int y) const
{
    const QRgb p = m_image.pixel(x, y);
    if (!m_seeThrough || qAlpha(p) == 255)
        return p;
    QImage one(1, 1, QImage::Format_ARGB32_Premultiplied);
    one.fill(m_background);
    QPainter painter(&one);
    painter.drawImage(0, 0, m_image.copy(x, y, 1, 1));
    painter.end();
    return one.pixel(0, 0);
}

int Canvas::indexAt(int x, int y) const
{
    const QPoint p = QPoint(x, y) - m_indexOrigin;
    return m_indexes.valid(p) ? m_indexes.pixelIndex(p) : -1;
}

void Canvas::keepIndexes(const QImage &indexed, QPoint origin)
{
    m_indexes = indexed;
    m_indexOrigin = origin;
}

void Canvas::clear()
{
    m_drawn = QSize(0, 0);
    m_indexes = QImage();
    if (m_image.size() != m_baseSize)
        m_image = QImage(m_baseSize, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(m_seeThrough ? QColor(Qt::transparent) : m_background);
    if (changed)
        changed();
}

void Canvas::reserve(const QRect &rect)
{
    if (!m_growing)
        return;
    m_drawn = m_drawn.expandedTo(QSize(rect.right() + 1, rect.bottom() + 1));
    resizeTo(m_image.size().expandedTo(m_drawn));
}

void Canvas::refresh()
{
    if (changed)
        changed();
}
