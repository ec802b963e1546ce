#pragma once

#include "services/canvas.h"

#include <QWidget>

// A picture box: a widget that shows its own canvas. The imaging services draw into the
// canvas; the widget takes the canvas's size and repaints when the canvas changes.
class PictureView : public QWidget
{
    Q_OBJECT

public:
    explicit PictureView(QSize size, QWidget *parent = nullptr);

    Canvas &canvas() { return m_canvas; }
    const Canvas &canvas() const { return m_canvas; }

    QSize sizeHint() const override;

    // A short text drawn in the middle while there is no picture to show; empty for none.
    void setPlaceholderText(const QString &text);
    const QString &placeholderText() const { return m_placeholder; }

Q_SIGNALS:
    void mouseReleased(Qt::MouseButton button, QPoint position);
    void mouseMoved(QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void canvasChanged();

    Canvas m_canvas;
    QString m_placeholder;
};
