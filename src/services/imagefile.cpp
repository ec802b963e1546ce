#include "imagefile.h"

#include "bitmapheader.h"
#include "pixelformat.h"

#include <QFile>
#include <QImageReader>

#include <limits>

namespace ImageFile {

namespace {

constexpr qint64 HeadBytes = 64 * 1024;
constexpr qint64 MaxPixels = 16384LL * 16384LL;

// An unpadded 8-bit bitmap: uncompressed, 8 bits per pixel, and exactly pixel offset + w x |h|
// bytes long while its width is no multiple of 4.
std::optional<QImage> readUnpadded8Bit(QFile &file, const QByteArray &h)
{
    if (h.size() < BitmapHeader::Bytes || !h.startsWith("BM"))
        return std::nullopt;
    const auto [pixelOffset, headerSize, w, signedHeight, bits, compression, coloursUsed] =
        BitmapHeader::parse(h.constData());
    if (bits != 8 || compression != 0 || w <= 0 || w % 4 == 0 || signedHeight == 0
        || signedHeight == std::numeric_limits<qint32>::min())
        return std::nullopt;
    const qint64 rows = qAbs(qint64(signedHeight));
    if (qint64(w) * rows > MaxPixels || pixelOffset < 54
        || file.size() != qint64(pixelOffset) + qint64(w) * rows)
        return std::nullopt;

    const qint64 tableStart = 14 + qMax(40, headerSize);
    const int count = coloursUsed > 0 && coloursUsed < 256 ? coloursUsed : 256;
    QList<QRgb> colours(256, qRgb(0, 0, 0));
    if (!file.seek(tableStart))
        return std::nullopt;
    const QByteArray table = file.read(qMin<qint64>(4 * count, pixelOffset - tableStart));
    for (int i = 0; i < table.size() / 4; ++i)
        colours[i] = qRgb(quint8(table[4 * i + 2]), quint8(table[4 * i + 1]), quint8(table[4 * i]));

    QImage image(w, int(rows), QImage::Format_Indexed8);
    if (image.isNull())
        return std::nullopt;
    image.setColorTable(colours);
    if (!file.seek(pixelOffset))
        return std::nullopt;
    for (qint64 r = 0; r < rows; ++r) {
        // A positive height stores the bottom row first.
        const int y = signedHeight > 0 ? int(rows - 1 - r) : int(r);
        if (file.read(reinterpret_cast<char *>(image.scanLine(y)), w) != w)
            return std::nullopt;
    }
    return image;
}

// A picture with a palette whose file stores fewer colours than its pixels can name (an 8-bit
// bitmap declaring 2 colours, a PNG with a short palette) gets black for the missing entries:
// drawing a pixel whose entry is missing would read past the end of the colour table.
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

QByteArray head(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(HeadBytes);
}

std::optional<Loaded> load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray h = file.read(HeadBytes);

    Loaded loaded;
    if (std::optional<QImage> own = readUnpadded8Bit(file, h)) {
        loaded.image = *own;
        loaded.pixelFormat = PixelFormat::Indexed8;
        return loaded;
    }

    file.seek(0);
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!reader.read(&loaded.image) || loaded.image.isNull())
        return std::nullopt;
    completeColourTable(loaded.image);
    loaded.pixelFormat =
        PixelFormat::fromHeader(h).value_or(PixelFormat::fromImage(loaded.image, format));
    return loaded;
}

} // namespace ImageFile
