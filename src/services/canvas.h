#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

#include <functional>

// The drawing surface of a picture view, in device pixels with the origin at the top-left
// corner: clear erases it to the background colour, refresh asks the owner to repaint. A
// growing canvas (the main preview) is as large as its base size and whatever was drawn since
// the last clear together, and returns to its base size when cleared.
class Canvas
{
public:
    explicit Canvas(QSize size = QSize(1, 1), QColor background = QColor(Qt::white));

    QSize size() const { return m_image.size(); }
    QColor background() const { return m_background; }
    const QImage &image() const { return m_image; }
    // The colour shown at a place: over the background colour where the canvas is see-through.
    QRgb pixel(int x, int y) const;
    // The palette index drawn at a place, -1 where no paletted picture was drawn at its own size.
    int indexAt(int x, int y) const;
    // The size of what was drawn since the last clear (0 x 0 when nothing was); growing canvases
    // only.
    QSize drawnSize() const { return m_drawn; }

    void setBackground(QColor colour);
    // A see-through canvas is cleared to nothing, so that its view can show what lies behind
    // the transparent colours.
    void setSeeThrough(bool seeThrough) { m_seeThrough = seeThrough; }
    bool isSeeThrough() const { return m_seeThrough; }
    QSize baseSize() const { return m_baseSize; }
    // The view's own size; a canvas that does not grow keeps exactly this size.
    void setBaseSize(QSize size);
    void setGrowing(bool growing) { m_growing = growing; }
    bool isGrowing() const { return m_growing; }

    void clear();
    // Grows a growing canvas so that rect fits (new area in the background colour).
    void reserve(const QRect &rect);
    QImage &surface() { return m_image; }
    // Keeps the indexes of a paletted picture drawn unscaled with its top-left corner at origin.
    void keepIndexes(const QImage &indexed, QPoint origin);
    void refresh();

    // Called by refresh() and whenever the size changes.
    std::function<void()> changed;

private:
    // Gives the canvas the size it should have now, keeping what is drawn.
    void resizeTo(QSize size);

    QImage m_image;
    QSize m_baseSize;
    QSize m_drawn {0, 0}; // the part drawn since the last clear
    QColor m_background;
    bool m_growing = false;
    bool m_seeThrough = false;
    QImage m_indexes; // the paletted picture last drawn, or none
    QPoint m_indexOrigin;
};
