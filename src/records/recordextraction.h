#pragma once

#include "imagerecord.h"

#include <QString>

// Extraction of records into the scratch bitmap, and the copies that Save As writes.
namespace RecordExtraction {

// Makes the scratch bitmap from the image record at the catalogue offset: the 54-byte header,
// the colour table (blue, green, red, alpha), then the pixels: in 2048-byte blocks when the
// width is a multiple of 4, otherwise row by row, each padded to a multiple of 4 bytes. The
// old scratch bitmap is deleted first; a refused record leaves none. The GOB file is opened for
// reading only. stored receives the header's width and height as read. Like every output, the
// scratch bitmap is written whole or not at all, and never onto the GOB file itself.
ImageRecord::Size extractImageRecord(const QString &gobPath, qint32 catalogueOffset,
                                     const QString &scratchPath,
                                     ImageRecord::Size *stored = nullptr);

// Makes the scratch bitmap from the areaSize bytes of a whole-file record, exactly as stored.
void extractWholeFileRecord(const QString &gobPath, qint32 catalogueOffset, qint32 areaSize,
                            const QString &scratchPath);

// Writes the image file held in the scratch file without its trailing zero bytes. The target
// is replaced only by a complete copy, and never when it is the scratch file itself.
void saveWholeFileCopy(const QString &scratchPath, const QString &target);

// Copies the scratch file to target whole, replacing an existing file as above.
void saveBitmapCopy(const QString &scratchPath, const QString &target);

// Save As names: ".bmp" is appended unless the path ends in exactly ".bmp"; for a whole-file
// entry "." + type (in lower case) is appended unless the last three characters are the type.
QString bitmapTarget(const QString &chosenPath);
QString wholeFileTarget(const QString &chosenPath, const QString &typeName);

} // namespace RecordExtraction
