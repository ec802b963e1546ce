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

void Canvas::setBaseSize(QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    if (size == m_baseSize)
        return;
    m_baseSize = size;
    if (!m_growing || !QRect(QPoint(0, 0), size).contains(QRect(QPoint(0, 0), m_image.size()))) {
        // Keep what is drawn: copy it into a canvas of the new size.
        QSize newSize = m_growing ? m_image.size().expandedTo(size) : size;
        QImage resized(newSize, QImage::Format_ARGB32_Premultiplied);
        resized.fill(m_background);
        QPainter p(&resized);
        p.drawImage(0, 0, m_image);
        p.end();
        m_image = resized;
        if (changed)
            changed();
    }
}

void Canvas::clear()
{
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
    const QSize needed = m_image.size().expandedTo(QSize(rect.right() + 1, rect.bottom() + 1));
    if (needed == m_image.size())
        return;
    QImage grown(needed, QImage::Format_ARGB32_Premultiplied);
    grown.fill(m_background);
    QPainter p(&grown);
    p.drawImage(0, 0, m_image);
    p.end();
    m_image = grown;
}

void Canvas::refresh()
{
    if (changed)
        changed();
}
