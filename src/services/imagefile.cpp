#include "imagefile.h"

#include "bitmaplayout.h"
#include "pixelformat.h"

#include <QFile>
#include <QImageReader>

#include <bit>

namespace ImageFile {

namespace {

// One colour channel of a 16- or 32-bit pixel, scaled to 0 to 255.
int channel(quint32 value, quint32 mask)
{
    if (mask == 0)
        return 0;
    const quint32 bits = quint32(std::popcount(mask));
    const quint32 v = (value & mask) >> std::countr_zero(mask);
    return bits >= 8 ? int(v >> (bits - 8)) : int(v * 255 / ((1u << bits) - 1));
}

// The bitmap's picture, top row first, from where its layout says the table and rows lie.
std::optional<QImage> readBitmap(QFile &file, const BitmapLayout &l)
{
    const bool indexed = l.bits <= 8;
    QImage image(l.width, l.height,
                 indexed           ? QImage::Format_Indexed8
                     : l.alphaMask ? QImage::Format_ARGB32
                                   : QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    if (indexed) {
        QList<QRgb> colours(256, qRgb(0, 0, 0));
        const QByteArray table = l.readTable(file);
        const auto *e = reinterpret_cast<const uchar *>(table.constData());
        for (int i = 0; i < table.size() / 4; ++i, e += 4)
            colours[i] = qRgb(e[2], e[1], e[0]);
        image.setColorTable(colours);
    }

    QByteArray row(l.rowBytes(), Qt::Uninitialized);
    const auto *b = reinterpret_cast<const uchar *>(row.constData());
    for (int y = 0; y < l.height; ++y) {
        uchar *line = image.scanLine(y);
        // 8-bit rows are the picture's bytes as they are; the others are unpacked from row.
        char *to = l.bits == 8 ? reinterpret_cast<char *>(line) : row.data();
        if (!file.seek(l.recordRowOffset(l.height - 1 - y))
            || file.read(to, row.size()) != row.size())
            return std::nullopt;
        if (l.bits == 8)
            continue;
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
                rgb[x] = qRgba(channel(v, l.redMask), channel(v, l.greenMask),
                               channel(v, l.blueMask), l.alphaMask ? channel(v, l.alphaMask) : 255);
            }
            }
        }
    }
    return image;
}

// A picture with a palette whose file stores fewer colours than its pixels can name (a PNG
// with a short palette) gets black for the missing entries: drawing a pixel whose entry is
// missing would read past the end of the colour table.
void completeColourTable(QImage &image)
{
    if (image.depth() > 8 || image.format() == QImage::Format_Alpha8
        || image.format() == QImage::Format_Grayscale8)
        return;
    const int entries = 1 << image.depth();
    if (image.colorCount() >= entries)
        return;
    QList<QRgb> colours = image.colorTable();
    colours.resize(entries, qRgb(0, 0, 0));
    image.setColorTable(colours);
}

} // namespace

std::optional<Loaded> load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;

    Loaded loaded;
    const BitmapLayout layout = BitmapLayout::read(file);
    if (layout.isReadable()) {
        std::optional<QImage> own = readBitmap(file, layout);
        if (!own)
            return std::nullopt;
        loaded.image = *own;
        loaded.pixelFormat = *PixelFormat::fromBitmap(layout);
        return loaded;
    }
    // Qt reads what our reader does not take: run-length encoded bitmaps, other headers,
    // other kinds of file. A bitmap refused for its size, table or rows is no picture.
    if (layout.hasHeader() && layout.problem != BitmapLayout::Problem::Compressed)
        return std::nullopt;

    file.seek(0);
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!reader.read(&loaded.image) || loaded.image.isNull())
        return std::nullopt;
    completeColourTable(loaded.image);
    std::optional<qint32> fromHeader = PixelFormat::fromBitmap(layout);
    if (!fromHeader)
        fromHeader = PixelFormat::fromPng(file);
    loaded.pixelFormat = fromHeader.value_or(PixelFormat::fromImage(loaded.image, format));
    return loaded;
}

} // namespace ImageFile
