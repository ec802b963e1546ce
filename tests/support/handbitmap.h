#pragma once

#include "bytes.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// Bitmap files built by hand for tests, byte by byte, independent of the program's own code.
namespace HandBitmap {

// A 1024-byte colour table (blue, green, red, fourth byte) from up to 256 colours and alphas;
// missing entries are black with the fourth byte 0.
inline QByteArray colourTable(const QList<QRgb> &colours, int entries = 256)
{
    QByteArray t(4 * entries, '\0');
    for (int i = 0; i < colours.size() && i < entries; ++i) {
        t[4 * i] = char(qBlue(colours[i]));
        t[4 * i + 1] = char(qGreen(colours[i]));
        t[4 * i + 2] = char(qRed(colours[i]));
        t[4 * i + 3] = char(qAlpha(colours[i]));
    }
    return t;
}

// The 54 header bytes of a bitmap.
inline QByteArray header(qint32 w, qint32 h, quint16 bits, qint32 pixelOffset, qint64 fileSize)
{
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Bytes::put32(b, 2, qint32(fileSize));
    Bytes::put32(b, 10, pixelOffset);
    Bytes::put32(b, 14, 40);
    Bytes::put32(b, 18, w);
    Bytes::put32(b, 22, h);
    Bytes::put16(b, 26, 1);
    Bytes::put16(b, 28, bits);
    return b;
}

// An 8-bit bitmap: header, table (4 bytes per entry, its length decides the pixel offset), then
// the pixel bytes exactly as given (rows as stored, no padding added).
inline QByteArray bitmap8(qint32 w, qint32 h, const QByteArray &table, const QByteArray &pixels)
{
    const qint32 offset = qint32(54 + table.size());
    return header(w, h, 8, offset, offset + pixels.size()) + table + pixels;
}

// How a paint program may lay out an 8-bit bitmap.
struct Layout
{
    qint32 headerSize = 40; // 12 has three-byte entries and 16-bit sides
    bool topDown = false;
    int entries = 256; // entries written into the table
    qint32 coloursUsed = 0;
    int gap = 0; // bytes 0xCC between the table and the pixels
};

// An 8-bit bitmap of a picture given top row first as palette indexes: the table from colours
// (the alpha as fourth byte), rows padded with 0xDD to 4 bytes, bottom row first unless topDown.
inline QByteArray indexed(int w, int h, const QByteArray &indexes, const QList<QRgb> &colours,
                          const Layout &l)
{
    const bool core = l.headerSize == 12;
    QByteArray b(14 + l.headerSize, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Bytes::put32(b, 14, l.headerSize);
    if (core) {
        Bytes::put16(b, 18, quint16(w));
        Bytes::put16(b, 20, quint16(h));
        Bytes::put16(b, 22, 1);
        Bytes::put16(b, 24, 8);
    } else {
        Bytes::put32(b, 18, w);
        Bytes::put32(b, 22, l.topDown ? -h : h);
        Bytes::put16(b, 26, 1);
        Bytes::put16(b, 28, 8);
        Bytes::put32(b, 46, l.coloursUsed);
    }
    for (int i = 0; i < l.entries; ++i) {
        const QRgb c = colours.value(i);
        b += Bytes::of({qBlue(c), qGreen(c), qRed(c)});
        if (!core)
            b += char(qAlpha(c));
    }
    b += QByteArray(l.gap, char(0xCC));
    Bytes::put32(b, 10, qint32(b.size()));
    for (int r = 0; r < h; ++r)
        b += indexes.mid((l.topDown ? r : h - 1 - r) * w, w) + QByteArray(-w & 3, char(0xDD));
    Bytes::put32(b, 2, qint32(b.size()));
    return b;
}

// A 24-bit bottom-up bitmap of a picture given top row first, rows padded to 4 bytes.
inline QByteArray bitmap24(qint32 w, qint32 h, const QList<QRgb> &topDown)
{
    const int stride = (3 * w + 3) / 4 * 4;
    QByteArray pixels(qsizetype(stride) * h, '\0');
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y;
        for (int x = 0; x < w; ++x) {
            const QRgb c = topDown[y * w + x];
            pixels[row * stride + 3 * x] = char(qBlue(c));
            pixels[row * stride + 3 * x + 1] = char(qGreen(c));
            pixels[row * stride + 3 * x + 2] = char(qRed(c));
        }
    }
    return header(w, h, 24, 54, 54 + pixels.size()) + pixels;
}

// The picture as a PNG file, by Qt's writer (which picks the colour type from the format).
inline QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace HandBitmap
