#pragma once

#include "history/gobchange.h"

#include <QString>

#include <functional>

// Writing an image file (a PNG or whatever the entry's type is) into a whole-file record's
// area, in place: the file's bytes as they are, then zero bytes to the end of the area. Every
// check is made before the GOB file is opened for writing; the write is one GobChange of kind
// "png".
namespace PngImport {

struct Plan
{
    QString gobPath;
    QString filePath;
    qint64 areaStart = 0; // 0-based first byte of the area
    qint64 areaSize = 0;
    qint64 length = 0; // of the file
    QString description; // how the history names the change ("Logos/Team")
    WithoutUndo withoutUndo; // what to do when the history cannot keep the change
};

// Throws failure 5 "File size is too long" when the file is longer than the area, and a
// failure naming the GOB file when the area reaches past its end. Opens both files for
// reading only.
Plan check(const QString &gobPath, qint32 catalogueOffset, qint32 areaSize,
           const QString &filePath);

// Copies the file to the area in 2048-byte blocks, fills the rest of the area with zeros and
// commits. pendingEvents runs once before the copy.
void write(const Plan &plan, const std::function<void()> &pendingEvents = {});

} // namespace PngImport
