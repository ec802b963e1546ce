#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The layout of an image record in the GOB file and of the 8-bit bitmap made from it.
// Offsets are 0-based from the record's first byte B = catalogue offset - 1.
namespace ImageRecord {

constexpr qint64 WidthOffset = 96;
constexpr qint64 HeightOffset = 100;
constexpr qint64 PixelsOffset = 112;
constexpr qint64 PaletteBytes = 1024; // 256 entries of red, green, blue, alpha
constexpr qint64 PaletteEntries = 256;
constexpr qint64 MaxSide = 16384;
constexpr qint64 MaxPixels = MaxSide * MaxSide;

// The scratch bitmap: 14-byte file header, 40-byte info header, 1024-byte colour table, then
// the record's rows in their order, each padded to 4 bytes as every bitmap reader expects.
constexpr qint64 BitmapHeaderBytes = 54;
constexpr qint64 BitmapPixelOffset = 1078;

struct Size
{
    qint32 width = 0;
    qint32 height = 0;
    qint64 pixels() const { return qint64(width) * height; }
    qint64 recordBytes() const { return PixelsOffset + pixels() + PaletteBytes; }
    // Bytes of one row in the scratch bitmap, and of all its rows.
    qint64 bitmapStride() const;
    qint64 bitmapPixelBytes() const { return bitmapStride() * height; }
};

// The record's first byte for a catalogue offset.
constexpr qint64 recordStart(qint32 catalogueOffset)
{
    return qint64(catalogueOffset) - 1;
}

// Reads the width and height of the record that starts at 0-based byte start. Throws a Failure
// when the header lies outside the file, a side is below 1, the picture is larger than
// 16384 x 16384 pixels, or the record reaches past the end of the file. stored, when given,
// receives the numbers as read, also when they are refused.
Size readHeader(QFile &gob, qint64 start, Size *stored = nullptr);

// Throws a Failure unless the bytes [start, start + length) lie inside the file.
void requireInsideFile(const QFile &file, qint64 catalogueOffset, qint64 start, qint64 length);

// The 54 header bytes of the scratch bitmap for a picture of this size: its file size and
// image size count the padded rows.
QByteArray bitmapHeader(Size size);

} // namespace ImageRecord
