#pragma once

#include "bytes.h"
#include "handbitmap.h"

#include <QString>

// 8-bit bitmaps as paint programs write them, each with the picture it shows, worked out here
// without the program's reader: the files under tests/data (see the README there) and
// hand-built ones with the layouts those programs use.
namespace PaintBitmaps {

struct Case
{
    QString name;
    QByteArray file;
    int w = 0, h = 0;
    QList<QRgb> picture; // top row first; alpha is the entry's fourth byte (255 without one)
    qint64 tableAt = 54;
    int entries = 256; // entries the colour table holds
};

// tests/data/picture-7x4.ppm: pixel (x, y) is red 40x + 5, green 80y + 10, blue 9xy + 3.
inline QList<QRgb> picture7x4(int alpha)
{
    QList<QRgb> p;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x)
            p << qRgba(40 * x + 5, 80 * y + 10, (9 * x * y + 3) & 0xFF, alpha);
    return p;
}

// What a picture of palette indexes (top row first) shows; opaque for three-byte entries.
inline QList<QRgb> shown(const QByteArray &indexes, const QList<QRgb> &colours, bool opaque = false)
{
    QList<QRgb> p;
    for (char i : indexes)
        p << (colours[quint8(i)] | (opaque ? 0xFF000000 : 0));
    return p;
}

inline QByteArray data(const QString &name)
{
    return Bytes::readFile(QStringLiteral(KESTRIX_TEST_DATA "/") + name);
}

inline QList<Case> all()
{
    // PIL's picture: index (3x + 5y) mod 16, entry i red 16i + 1, green 255 - 16i, blue 37i.
    QByteArray pil, hand;
    QList<QRgb> pilColours, colours;
    for (int i = 0; i < 20; ++i) {
        pil += char((3 * (i % 5) + 5 * (i / 5)) % 16);
        hand += char((i * 7) % 20);
        pilColours << qRgba(16 * i + 1, 255 - 16 * i, (37 * i) & 0xFF, 0);
        colours << qRgba(12 * i + 7, 200 - 9 * i, 11 * i, 13 * i + 5);
    }
    pil.truncate(15);
    hand.truncate(15);
    const auto file = [](const char *name, int w, QList<QRgb> picture, qint64 at = 54,
                         int entries = 256) {
        const QString n = QString::fromLatin1(name);
        return Case {n, data(n), w, int(picture.size()) / w, picture, at, entries};
    };
    const auto made = [&](const char *name, HandBitmap::Layout l, qint64 at, int entries = 256) {
        return Case {QString::fromLatin1(name),
                     HandBitmap::indexed(5, 3, hand, colours, l),
                     5,
                     3,
                     shown(hand, colours, l.headerSize == 12),
                     at,
                     entries};
    };
    return {
        file("im-bmp3.bmp", 7, picture7x4(0)),
        file("im-v5.bmp", 7, picture7x4(0), 138),
        file("netpbm.bmp", 7, picture7x4(0)),
        file("netpbm-os2.bmp", 7, picture7x4(255), 26),
        file("pil-p16.bmp", 5, shown(pil, pilColours), 54, 16),
        made("v4-topdown.bmp", {.headerSize = 108, .topDown = true}, 122),
        made("v3-gap.bmp", {.headerSize = 56, .entries = 20, .coloursUsed = 20, .gap = 6}, 70, 20),
        made("os2.bmp", {.headerSize = 12}, 26),
        made("padded.bmp", {}, 54),
    };
}

} // namespace PaintBitmaps
