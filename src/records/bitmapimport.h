#pragma once

#include "imagerecord.h"

#include <QString>

#include <functional>

// Writing a 256-colour bitmap of exactly the record's size into an image record, in place:
// every check is made before the GOB file is opened for writing, then the pixels and the
// palette go through the GobWriter and are put on the disk.
namespace BitmapImport {

// What check() found: where the bitmap's pixels and colour table go.
struct Plan
{
    QString gobPath;
    QString bitmapPath;
    qint64 recordStart = 0; // 0-based first byte of the record
    ImageRecord::Size size;
    qint32 pixelOffset = 0; // where the pixels start in the bitmap file
    int count = 256; // colour-table entries copied into the palette
};

// Reads the record's width and height (stored receives them as read, also when a check fails)
// and the bitmap's headers, and throws the first refusal: a record that cannot be an image or
// reaches past the end of the GOB file; then, with failure 481 and a message that names the
// bitmap, a width or height that differs from the record's, a bit count other than 8, a
// compressed bitmap, more than 256 colours, pixels said to start inside the headers, a file
// too short for its colour table or for its w x h pixels. Opens both files for reading only.
Plan check(const QString &gobPath, qint32 catalogueOffset, const QString &bitmapPath,
           ImageRecord::Size *stored = nullptr);

// Copies the w x h pixels to record + 112 and the count colour-table entries (blue, green,
// red, fourth byte) as red, green, blue and the fourth byte (keepAlpha) or 255 to the palette
// after them, in 2048-byte blocks, then commits. pendingEvents runs once before the copy.
void write(const Plan &plan, bool keepAlpha, const std::function<void()> &pendingEvents = {});

} // namespace BitmapImport
