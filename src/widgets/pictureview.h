#pragma once

#include "services/canvas.h"

#include <QWidget>

// A picture box: a widget that shows its own canvas. The imaging services draw into the
// canvas; the widget repaints when the canvas changes. A plain view takes the canvas's size; a
// zoomable view shows what was drawn centred, scaled by its zoom or fitted to the view, with
// sharp pixels, and a checkerboard behind a see-through canvas.
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

    // Makes the view zoomable; its zoom is kept under the settings key and read back from it.
    // Without a saved zoom the view starts fitted, or at actual size.
    void setZoomable(const char *settingsKey, bool fitFirst = false);
    // Keeps the other view at this view's zoom and this one at the other's.
    void shareZoom(PictureView *other);
    // Zoom In, Zoom Out, Fit and Actual Size on the view's context menu.
    void addZoomMenu();
    bool isFitted() const { return m_fit; }
    // Screen pixels per picture pixel: the zoom, or the scale that fits the view.
    double scale() const;
    void zoomIn();
    void zoomOut();
    void fitToView();
    void showActualSize();
    // Ctrl++ (or Ctrl+=), Ctrl+- and Ctrl+0 in the window, for windows without a View menu.
    void addZoomKeys(QWidget *window);

    // The picture pixel under a place of the view, or (-1, -1) where the picture is not.
    QPoint picturePixelAt(QPoint position) const;
    // What the status bar says about the picture pixel under a place of the view; empty off it.
    QString describePixelAt(QPoint position) const;

Q_SIGNALS:
    void mouseReleased(Qt::MouseButton button, QPoint position);
    void mouseMoved(QPoint position);
    // The pointer moved over the picture (the text describes the pixel) or left it (empty).
    void pixelPointed(const QString &description);
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void canvasChanged();
    void setZoom(double zoom, bool fit);
    // The part of the canvas that holds the picture, and where the view shows it.
    QRect pictureRect() const;
    QRectF shownRect() const;

    Canvas m_canvas;
    QString m_placeholder;
    const char *m_zoomKey = nullptr; // null: a plain view
    double m_zoom = 1.0;
    bool m_fit = false;
};
