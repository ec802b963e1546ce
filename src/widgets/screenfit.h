#pragma once

#include <QRect>

class QWidget;

// Keeps windows on the screen they open on: a remembered or designed geometry larger than the
// available area, or partly beside it, is brought inside it.
namespace ScreenFit {

// frame (outer geometry) made no larger than available and moved inside it.
QRect clamped(const QRect &frame, const QRect &available);

// The available area of the screen the window is on, or of the primary screen.
QRect availableFor(const QWidget *window);

// Brings a top-level window, frame included, inside the available area of its screen.
void fit(QWidget *window);

// Places a window centred on over (by default its parent's window, or its screen without one),
// inside the screen.
void centre(QWidget *window, const QWidget *over = nullptr);

} // namespace ScreenFit
