#pragma once

#include "littleendian.h"

#include <QtGlobal>

// The fields of a bitmap's 14-byte file header and 40-byte info header that the program reads.
struct BitmapHeader
{
    static constexpr qint64 Bytes = 54;

    qint32 pixelOffset = 0;
    qint32 headerSize = 0;
    qint32 width = 0;
    qint32 height = 0; // negative for a top-down bitmap
    quint16 bits = 0;
    qint32 compression = 0;
    qint32 coloursUsed = 0;

    // From the first 54 bytes of the file.
    static BitmapHeader parse(const char *h)
    {
        return {LittleEndian::int32At(h + 10),  LittleEndian::int32At(h + 14),
                LittleEndian::int32At(h + 18),  LittleEndian::int32At(h + 22),
                LittleEndian::uint16At(h + 28), LittleEndian::int32At(h + 30),
                LittleEndian::int32At(h + 46)};
    }
};
