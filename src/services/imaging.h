#pragma once

#include "canvas.h"

#include <QString>

// Imaging services: the one place where pictures are loaded, turned and drawn into picture
// views. Every call is self-contained: it loads the file afresh and keeps nothing.
namespace MainModule {

// The background of every picture view: what fully transparent colours show.
inline constexpr QRgb PreviewBackground = 0xFFD4D0C8;

// Rotate-flip codes: rotations are clockwise and come before the left-right mirror.
enum RotateFlip : qint32 {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6, // the same as a top-to-bottom mirror
    Rotate270FlipX = 7,
};

// A session of the image library. Qt needs no start, so a session costs nothing; it fails
// only where the image codecs are missing (or a test says so).
struct ImagingSession
{
    bool started = false;
};

// Throws failure 5 "Cannot load file" (source "GDI+") when no session can start.
void StartImaging(ImagingSession &session);
void EndImaging(ImagingSession &session);

// For tests of the failure path: makes every later StartImaging fail, or work again.
void setImagingAvailable(bool available);

// Draws the file into view at (0, 0): clears the view, loads the file, with fixedSize false
// stores the picture's own size (before the turn) into width and height, turns it by code and
// draws it scaled into width x height (height x width for the odd codes). An empty fileName
// means temp.bmp in the application folder and is replaced by that path.
void DrawImageFile(Canvas &view, bool fixedSize, qint32 rotateFlip, qint32 &width, qint32 &height,
                   QString &fileName);

// Draws a picture held in memory as DrawImageFile draws a file at a fixed size: the view cleared,
// the picture turned by the code and scaled into width x height (height x width for the odd
// codes), blended with its alpha over the background.
void DrawImage(Canvas &view, const QImage &image, qint32 rotateFlip, qint32 width, qint32 height);

// Draws the file with the alpha of its colour table: the entries the bitmap's table holds,
// where its layout puts them, each fourth byte the entry's alpha; mirrored top to bottom and
// blended over the view's background. width and height are used only with fixedSize.
void DrawTransparentBitmap(Canvas &view, bool fixedSize, qint32 width, qint32 height,
                           QString &fileName);

// Width, height and pixel-format value of the file; a file that cannot be loaded leaves all
// three unchanged, or with refuse throws the readers' failure (481, naming the file and why).
void GetImageInfo(qint32 &width, qint32 &height, qint32 &pixelFormat, QString &fileName,
                  bool refuse = false);

// 0xAARRGGBB from a toolkit colour 0x00BBGGRR and an alpha of 0 to 255, as a signed number.
qint32 ColorToARGB(quint32 colour, qint32 alpha);

// The picture turned and mirrored by a rotate-flip code.
QImage rotateFlipped(const QImage &image, qint32 code);

} // namespace MainModule
