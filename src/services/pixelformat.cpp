#include "pixelformat.h"

#include "bitmaplayout.h"

#include <QFile>

namespace PixelFormat {

namespace {

quint32 bigEndian32(const char *p)
{
    const auto *b = reinterpret_cast<const unsigned char *>(p);
    return quint32(b[0]) << 24 | quint32(b[1]) << 16 | quint32(b[2]) << 8 | quint32(b[3]);
}

} // namespace

std::optional<qint32> fromBitmap(const BitmapLayout &layout)
{
    if (!layout.hasHeader())
        return std::nullopt;
    switch (layout.bits) {
    case 1:
        return Indexed1;
    case 4:
        return Indexed4;
    case 8:
        return Indexed8;
    case 16:
        // 5-6-5 when the red bits are the top five, every other 16-bit bitmap 5-5-5.
        if (layout.alphaMask != 0)
            return Argb1555;
        return layout.redMask == 0xF800 ? Rgb565 : Rgb555;
    case 24:
        return Rgb24;
    case 32:
        return layout.alphaMask != 0 ? Argb32 : Rgb32;
    default:
        return std::nullopt;
    }
}

std::optional<qint32> fromPng(QFile &file)
{
    // Signature (8), IHDR length and type (8), width, height, depth, colour type.
    if (!file.seek(0))
        return std::nullopt;
    const QByteArray h = file.read(26);
    if (h.size() < 26 || !h.startsWith("\x89PNG\r\n\x1a\n") || h.mid(12, 4) != "IHDR")
        return std::nullopt;
    const int depth = quint8(h[24]);
    const int colourType = quint8(h[25]);

    // Any chunk before the pixels may be tRNS, however long the chunks before it (PIL writes
    // its text chunks first): the chunks are stepped over, not read.
    bool hasTrns = false;
    for (qint64 pos = 8; pos + 8 <= file.size();) {
        char chunk[8];
        if (!file.seek(pos) || file.read(chunk, 8) != 8)
            break;
        const QByteArray type(chunk + 4, 4);
        if (type == "IDAT" || type == "IEND")
            break;
        if (type == "tRNS") {
            hasTrns = true;
            break;
        }
        pos += 12 + qint64(bigEndian32(chunk));
    }

    switch (colourType) {
    case 0: // greyscale
    case 3: // palette
        if (hasTrns && colourType == 0)
            return Argb32;
        if (depth == 1)
            return Indexed1;
        if (depth == 2 || depth == 4)
            return Indexed4;
        if (depth == 8)
            return Indexed8;
        return Rgb48;
    case 2: // RGB
        if (hasTrns)
            return Argb32;
        return depth == 16 ? Rgb48 : Rgb24;
    case 4: // grey with alpha
    case 6: // RGBA
        return depth == 16 ? Argb64 : Argb32;
    default:
        return std::nullopt;
    }
}

qint32 fromImage(const QImage &image, const QByteArray &readerFormat)
{
    if (readerFormat == "jpeg" || readerFormat == "jpg")
        return Rgb24;
    // Qt hands GIF frames over as 32-bit pictures; the file itself is always indexed.
    if (readerFormat == "gif")
        return Indexed8;
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return Indexed1;
    case QImage::Format_Indexed8:
        return Indexed8;
    case QImage::Format_RGB16:
        return Rgb565;
    case QImage::Format_RGB555:
        return Rgb555;
    case QImage::Format_RGB888:
        return Rgb24;
    case QImage::Format_RGB32:
        return Rgb32;
    case QImage::Format_RGBX64:
        return Rgb48;
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
        return Argb64;
    default:
        return image.hasAlphaChannel() ? Argb32 : Rgb32;
    }
}

} // namespace PixelFormat
