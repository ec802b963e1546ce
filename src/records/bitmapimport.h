#pragma once

#include "imagerecord.h"

#include "history/gobchange.h"
#include "services/bitmaplayout.h"

#include <QString>

#include <functional>

// Writing a 256-colour bitmap of exactly the record's size into an image record, in place:
// every check is made before the GOB file is opened for writing, then the pixels and the
// palette go through one GobChange of kind "bitmap" and are put on the disk.
namespace BitmapImport {

// What check() found: where the bitmap's pixels and colour table go.
struct Plan
{
    QString gobPath;
    QString bitmapPath;
    qint64 recordStart = 0; // 0-based first byte of the record
    ImageRecord::Size size;
    BitmapLayout layout; // where the bitmap's colour table and rows lie
    QString description; // how the history names the change ("Kits/Home/File 1")
    WithoutUndo withoutUndo; // what to do when the history cannot keep the change
};

// Reads the record's width and height (stored receives them as read, also when a check fails)
// and the bitmap's layout, and throws the first refusal: a record that cannot be an image or
// reaches past the end of the GOB file; then, with failure 481 and a message that names the
// bitmap, a file whose headers cannot be read, a width or a number of rows that differs from
// the record's, a bit count other than 8, and every other layout the reader does not take
// (compressed, a colour table overlapping the pixels, a file too short for its rows). Opens
// both files for reading only.
Plan check(const QString &gobPath, qint32 catalogueOffset, const QString &bitmapPath,
           ImageRecord::Size *stored = nullptr);

// Writes what the bitmap shows: its w x h pixels to record + 112 in the record's row order
// (bottom row first, padding dropped), then each colour-table entry the file holds (blue,
// green, red, fourth byte) as red, green, blue and the fourth byte (keepAlpha and an entry
// that has one) or 255; entries the file does not hold keep their bytes. The pixels go in
// blocks of BlockCopy::RecordBlock; then everything is committed. pendingEvents runs once before
// the copy.
void write(const Plan &plan, bool keepAlpha, const std::function<void()> &pendingEvents = {});

} // namespace BitmapImport
