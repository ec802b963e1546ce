#include "pictureview.h"

#include "services/imaging.h"

#include <QMouseEvent>
#include <QPainter>

PictureView::PictureView(QSize size, QWidget *parent)
    : QWidget(parent)
    , m_canvas(size, QColor::fromRgb(MainModule::PreviewBackground))
{
    setMouseTracking(true);
    setFixedSize(m_canvas.size());
    m_canvas.changed = [this] { canvasChanged(); };
}

QSize PictureView::sizeHint() const
{
    return m_canvas.size();
}

void PictureView::canvasChanged()
{
    if (size() != m_canvas.size())
        setFixedSize(m_canvas.size());
    update();
}

void PictureView::setPlaceholderText(const QString &text)
{
    if (text == m_placeholder)
        return;
    m_placeholder = text;
    update();
}

void PictureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_canvas.image());
    if (!m_placeholder.isEmpty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_placeholder);
    }
}

void PictureView::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseReleased(event->button(), event->position().toPoint());
}

void PictureView::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event->position().toPoint());
}
