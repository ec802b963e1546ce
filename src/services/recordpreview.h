#pragma once

#include "canvas.h"

#include <QString>

// How the main preview shows the scratch bitmap: the four turns of each record kind and the
// transparent preview. The main window and kestrix-cli both draw through here, so that they
// show the same pixels.
namespace RecordPreview {

// The rotate-flip code of turn r (0 none, 1 a quarter, 2 a half, 3 three quarters clockwise).
// Image records hold their rows bottom first, so all their codes include the top-to-bottom
// mirror; whole-file records hold ordinary image files and are shown as they are.
qint32 rotationCode(bool wholeFile, int rotation);

// Draws the file (empty: temp.bmp, replaced by its path) at its own size, turned. For a
// whole-file record the picture's size before the turn is stored into width and height (0 x 0
// when it holds no picture); for an image record they are left alone.
void drawTurned(Canvas &view, bool wholeFile, int rotation, qint32 &width, qint32 &height,
                QString &fileName);

// Draws the file at its own size with the alpha of its colour table, never turned.
void drawTransparent(Canvas &view, QString &fileName);

} // namespace RecordPreview
