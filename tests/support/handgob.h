#pragma once

#include "bytes.h"

#include <QByteArray>

// GOB bytes built by hand for tests: filler bytes with image records or areas placed at chosen
// 0-based positions. Independent of the program's own sample-data generator.
namespace HandGob {

// An image record: 96 bytes 0xA5, width, height, 8 bytes 0x5A, pixels, palette (red, green,
// blue, alpha for each of 256 entries).
inline QByteArray imageRecord(qint32 w, qint32 h, const QByteArray &pixels,
                              const QByteArray &paletteRgba)
{
    QByteArray r(96, char(0xA5));
    Bytes::put32(r, 96, w);
    Bytes::put32(r, 100, h);
    r.append(QByteArray(8, char(0x5A)));
    r.append(pixels);
    r.append(paletteRgba);
    return r;
}

// A palette whose entry k is (k, 255 - k, k / 2, alpha(k)).
inline QByteArray palette(int (*alpha)(int) = nullptr)
{
    QByteArray p;
    for (int k = 0; k < 256; ++k) {
        p.append(char(k));
        p.append(char(255 - k));
        p.append(char(k / 2));
        p.append(char(alpha ? alpha(k) : 255));
    }
    return p;
}

// size bytes of filler (0xEE, 0xEF alternating) with data placed at position.
inline QByteArray withAt(qsizetype size, qsizetype position, const QByteArray &data)
{
    QByteArray gob(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        gob[i] = char(i % 2 ? 0xEF : 0xEE);
    gob.replace(position, data.size(), data);
    return gob;
}

} // namespace HandGob
