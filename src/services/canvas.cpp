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
    resized.fill(m_background);
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

void Canvas::clear()
{
    m_drawn = QSize(0, 0);
    if (m_image.size() != m_baseSize)
        m_image = QImage(m_baseSize, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(m_background);
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
