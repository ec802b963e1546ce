#include "bitmappixels.h"

#include "bitmaplayout.h"
#include "bitmaprows.h"
#include "failure.h"
#include "messages.h"

#include <QFile>

#include <bit>
#include <cstring>

namespace BitmapPixels {

namespace {

[[noreturn]] void refuse(const QString &description)
{
    throw Failure(FailureNumber::BitmapMismatch, description);
}

// One colour channel of a 16- or 32-bit pixel, scaled to 0 to 255 (rounded when the channel
// has fewer than 8 bits, its top 8 bits when it has more).
int channel(quint32 value, quint32 mask)
{
    if (mask == 0)
        return 0;
    const quint32 bits = quint32(std::popcount(mask));
    const quint32 v = (value & mask) >> std::countr_zero(mask);
    if (bits >= 8)
        return int(v >> (bits - 8));
    const quint32 top = (1u << bits) - 1;
    return int((v * 255 + top / 2) / top);
}

} // namespace

bool masksSound(const BitmapLayout &l)
{
    quint32 seen = 0;
    for (quint32 mask : {l.redMask, l.greenMask, l.blueMask, l.alphaMask}) {
        const quint32 shifted = mask ? mask >> std::countr_zero(mask) : 0;
        if ((mask & seen) || (shifted & (shifted + 1)))
            return false;
        seen |= mask;
    }
    return l.bits == 32 || seen <= 0xFFFF;
}

namespace {

QImage blankPicture(const BitmapLayout &l, QFile &file, const QString &path)
{
    const bool indexed = l.bits <= 8;
    QImage image(l.width, l.height,
                 indexed           ? QImage::Format_Indexed8
                     : l.alphaMask ? QImage::Format_ARGB32
                                   : QImage::Format_RGB32);
    if (image.isNull())
        refuse(Messages::pictureTooLarge(path, l.width, l.height));
    if (indexed) {
        QList<QRgb> colours(256, qRgb(0, 0, 0));
        const QByteArray table = l.readTable(file);
        const auto *e = reinterpret_cast<const uchar *>(table.constData());
        for (int i = 0; i < table.size() / 4; ++i, e += 4)
            colours[i] = qRgb(e[2], e[1], e[0]);
        image.setColorTable(colours);
        image.fill(0u);
    }
    return image;
}

// The image's line for stored row y: stored rows go bottom row first unless the file is
// top-down.
uchar *lineOf(QImage &image, const BitmapLayout &l, qint64 y)
{
    return image.scanLine(int(l.topDown ? y : l.height - 1 - y));
}

void checkIndexes(const QImage &image, const BitmapLayout &l, const QString &path)
{
    const int entries = l.tableEntries;
    if (entries >= 1 << l.bits)
        return; // a full table names every value the bits can hold
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < width; ++x)
            if (line[x] >= entries)
                refuse(Messages::bitmapIndexPastTable(path, line[x], entries, x, y));
    }
}

void readRows(QFile &file, const BitmapLayout &l, QImage &image, const QString &path)
{
    if (!masksSound(l))
        refuse(Messages::bitmapBadMasks(path));
    BitmapRows rows(file, l);
    for (qint64 y = 0; y < l.height; ++y) {
        const auto *b = reinterpret_cast<const uchar *>(rows.stored(y));
        if (!b)
            refuse(l.problemText(path));
        unpackRow(l, b, lineOf(image, l, y));
    }
}

// Run-length 8 and 4: pairs of bytes, a count and a colour (two alternating colours in 4 bits),
// or 0 and an escape: 0 ends the row, 1 the picture, 2 moves right and up by the next two bytes,
// 3 to 255 are that many plain pixels padded to an even number of bytes. Pixels never written
// keep colour 0.
void readRuns(QFile &file, const BitmapLayout &l, QImage &image, const QString &path)
{
    if (!file.seek(l.pixelOffset))
        refuse(l.problemText(path));
    const QByteArray data = file.read(l.fileSize - l.pixelOffset);
    const auto *d = reinterpret_cast<const uchar *>(data.constData());
    const qint64 size = data.size();
    const bool four = l.bits == 4;
    qint64 x = 0, y = 0, at = 0, start = 0; // start: where the pair being read begins
    auto place = [&](qint64 count) {
        if (y >= l.height)
            refuse(Messages::bitmapRunPastPicture(path, l.pixelOffset + start));
        if (x + count > l.width)
            refuse(Messages::bitmapRunPastRow(path, l.pixelOffset + start, y));
        return lineOf(image, l, y) + x;
    };
    while (true) {
        if (at + 2 > size) {
            if (y >= l.height) // every row ended; only the end mark is missing
                return;
            refuse(Messages::bitmapRunsEndEarly(path, l.fileSize));
        }
        start = at;
        const uchar count = d[at], value = d[at + 1];
        at += 2;
        if (count > 0) {
            uchar *to = place(count);
            for (int i = 0; i < count; ++i)
                to[i] = four ? (i % 2 ? value & 15 : value >> 4) : value;
            x += count;
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (at + 2 > size)
                refuse(Messages::bitmapRunsEndEarly(path, l.fileSize));
            x += d[at];
            y += d[at + 1];
            at += 2;
            if (x > l.width || y > l.height)
                refuse(Messages::bitmapRunPastPicture(path, l.pixelOffset + start));
        } else {
            const qint64 bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > size)
                refuse(Messages::bitmapRunsEndEarly(path, l.fileSize));
            uchar *to = place(value);
            for (int i = 0; i < value; ++i)
                to[i] = four ? (i % 2 ? d[at + i / 2] & 15 : d[at + i / 2] >> 4) : d[at + i];
            x += value;
            at += bytes + bytes % 2;
        }
    }
}

} // namespace

void unpackRow(const BitmapLayout &l, const uchar *b, uchar *line)
{
    // 8-bit rows are the picture's bytes as they are; the others are unpacked.
    if (l.bits == 8) {
        std::memcpy(line, b, size_t(l.rowBytes()));
        return;
    }
    auto *rgb = reinterpret_cast<QRgb *>(line);
    for (int x = 0; x < l.width; ++x) {
        switch (l.bits) {
        case 1:
            line[x] = (b[x / 8] >> (7 - x % 8)) & 1;
            break;
        case 4:
            line[x] = (b[x / 2] >> (x % 2 ? 0 : 4)) & 15;
            break;
        case 24:
            rgb[x] = qRgb(b[3 * x + 2], b[3 * x + 1], b[3 * x]);
            break;
        default: {
            const quint32 v = l.bits == 16 ? quint32(b[2 * x] | b[2 * x + 1] << 8)
                                           : quint32(b[4 * x]) | quint32(b[4 * x + 1]) << 8
                    | quint32(b[4 * x + 2]) << 16 | quint32(b[4 * x + 3]) << 24;
            rgb[x] = qRgba(channel(v, l.redMask), channel(v, l.greenMask), channel(v, l.blueMask),
                           l.alphaMask ? channel(v, l.alphaMask) : 255);
        }
        }
    }
}

bool decodable(const BitmapLayout &layout)
{
    return layout.isReadable() || layout.problem == BitmapLayout::Problem::RunLength;
}

QImage decode(QFile &file, const BitmapLayout &layout, const QString &path)
{
    if (!decodable(layout))
        refuse(layout.problemText(path));
    QImage image = blankPicture(layout, file, path);
    if (layout.isRunLength())
        readRuns(file, layout, image, path);
    else
        readRows(file, layout, image, path);
    if (layout.bits <= 8)
        checkIndexes(image, layout, path);
    return image;
}

} // namespace BitmapPixels
