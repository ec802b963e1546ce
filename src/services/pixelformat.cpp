#include "pixelformat.h"

#include "littleendian.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace PixelFormat {

namespace {

std::optional<qint32> fromBmp(const QByteArray &head)
{
    if (head.size() < 30)
        return std::nullopt;
    // The fields read here, with the bytes past a short header taken as zero.
    std::array<char, 70> h{};
    std::memcpy(h.data(), head.constData(), std::min<size_t>(h.size(), size_t(head.size())));
    const quint16 bits = LittleEndian::uint16At(h.data() + 28);
    const qint32 headerSize = LittleEndian::int32At(h.data() + 14);
    switch (bits) {
    case 1:
        return Indexed1;
    case 4:
        return Indexed4;
    case 8:
        return Indexed8;
    case 16: {
        // A bit-field bitmap whose red mask is 0xF800 is 5-6-5, every other one 5-5-5.
        const qint32 compression = LittleEndian::int32At(h.data() + 30);
        if (compression == 3 && LittleEndian::int32At(h.data() + 54) == 0xF800)
            return Rgb565;
        return Rgb555;
    }
    case 24:
        return Rgb24;
    case 32: {
        const bool hasAlphaMask = headerSize >= 56 && LittleEndian::int32At(h.data() + 66) != 0;
        return hasAlphaMask ? Argb32 : Rgb32;
    }
    default:
        return std::nullopt;
    }
}

quint32 bigEndian32(const char *p)
{
    const auto *b = reinterpret_cast<const unsigned char *>(p);
    return quint32(b[0]) << 24 | quint32(b[1]) << 16 | quint32(b[2]) << 8 | quint32(b[3]);
}

std::optional<qint32> fromPng(const QByteArray &h)
{
    // Signature (8), IHDR length and type (8), width, height, depth, colour type.
    if (h.size() < 26 || h.mid(12, 4) != "IHDR")
        return std::nullopt;
    const int depth = quint8(h[24]);
    const int colourType = quint8(h[25]);

    bool hasTrns = false;
    for (qsizetype pos = 8; pos + 8 <= h.size();) {
        const quint32 length = bigEndian32(h.constData() + pos);
        const QByteArray type = h.mid(pos + 4, 4);
        if (type == "tRNS")
            hasTrns = true;
        if (type == "IDAT" || type == "IEND" || length > quint32(h.size()))
            break;
        pos += 12 + qsizetype(length);
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

} // namespace

std::optional<qint32> fromHeader(const QByteArray &head)
{
    if (head.startsWith("BM"))
        return fromBmp(head);
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return fromPng(head);
    return std::nullopt;
}

qint32 fromImage(const QImage &image, const QByteArray &readerFormat)
{
    if (readerFormat == "jpeg" || readerFormat == "jpg")
        return Rgb24;
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
