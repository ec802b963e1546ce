#include "pictureimport.h"

#include "quantizer.h"

#include "services/bitmaplayout.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/imagefile.h"
#include "services/messages.h"

#include <QHash>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace PictureImport {

namespace {

// 256 palette entries of red, green, blue and alpha from up to 256 colours; entries past them
// are opaque black.
QByteArray paletteOf(const QList<QRgb> &colours)
{
    QByteArray palette;
    palette.reserve(ImageRecord::PaletteBytes);
    for (int k = 0; k < ImageRecord::PaletteEntries; ++k) {
        const QRgb c = k < colours.size() ? colours[k] : qRgb(0, 0, 0);
        const char entry[4] = {char(qRed(c)), char(qGreen(c)), char(qBlue(c)), char(qAlpha(c))};
        palette.append(entry, 4);
    }
    return palette;
}

// The record's row for line y of a picture of h lines.
qsizetype recordRow(int y, int h, Rows rows)
{
    return rows == Rows::TopRowLast ? h - 1 - y : y;
}

// The indexes of a picture with a palette in the record's row order.
QByteArray indexesOf(const QImage &indexed, Rows rows)
{
    const int w = indexed.width(), h = indexed.height();
    QByteArray pixels(qsizetype(w) * h, Qt::Uninitialized);
    for (int y = 0; y < h; ++y)
        std::memcpy(pixels.data() + recordRow(y, h, rows) * w, indexed.constScanLine(y), w);
    return pixels;
}

// Four bytes red, green, blue, alpha as one number, the same for a pixel of Format_RGBA8888
// and a palette entry.
quint32 colourKey(const char *bytes)
{
    quint32 key;
    std::memcpy(&key, bytes, 4);
    return key;
}

// The record's indexes for a picture made only of its palette's colours, or nothing.
std::optional<QByteArray> indexesInPalette(const QImage &rgba, const RecordPicture &record,
                                           Rows rows)
{
    QHash<quint32, int> first;
    int firstClear = -1;
    for (int k = ImageRecord::PaletteEntries - 1; k >= 0; --k) {
        first.insert(colourKey(record.palette.constData() + 4 * k), k);
        if (record.palette[4 * k + 3] == '\0')
            firstClear = k;
    }
    const int w = rgba.width(), h = rgba.height();
    QByteArray pixels(qsizetype(w) * h, Qt::Uninitialized);
    for (int y = 0; y < h; ++y) {
        const char *line = reinterpret_cast<const char *>(rgba.constScanLine(y));
        const qsizetype row = recordRow(y, h, rows) * w;
        for (int x = 0; x < w; ++x) {
            const quint32 key = colourKey(line + 4 * x);
            const auto now = quint8(record.pixels[row + x]);
            if (colourKey(record.palette.constData() + 4 * now) == key) {
                pixels[row + x] = char(now);
                continue;
            }
            const auto found = first.constFind(key);
            if (found != first.constEnd())
                pixels[row + x] = char(found.value());
            else if (line[4 * x + 3] == '\0' && firstClear >= 0)
                pixels[row + x] = char(firstClear);
            else
                return std::nullopt;
        }
    }
    return pixels;
}

} // namespace

QString Plan::description() const
{
    switch (outcome) {
    case Outcome::Exact:
        return Messages::importedExact();
    case Outcome::PaletteKept:
        return Messages::importedPaletteKept();
    case Outcome::Quantized:
        break;
    }
    return Messages::importedQuantized(colours, meanError);
}

bool isBitmap8(const QString &path)
{
    return isBitmap8(BitmapLayout::read(path));
}

bool isBitmap8(const BitmapLayout &layout)
{
    return layout.hasHeader() && layout.bits == 8 && !layout.isRunLength();
}

Plan check(const QString &gobPath, qint32 catalogueOffset, const QString &picturePath, Rows rows)
{
    RecordPicture before = RecordPicture::read(gobPath, catalogueOffset);
    const ImageFile::Loaded loaded = ImageFile::read(picturePath);
    return plan(gobPath, std::move(before), loaded.image, picturePath,
                loaded.bitmap ? Rows::TopRowLast : rows);
}

Plan plan(const QString &gobPath, RecordPicture before, const QImage &picture,
          const QString &picturePath, Rows rows)
{
    if (picture.width() != before.size.width)
        throw Failure(FailureNumber::BitmapMismatch, Messages::widthNotSame(picturePath));
    if (picture.height() != before.size.height)
        throw Failure(FailureNumber::BitmapMismatch, Messages::heightNotSame(picturePath));

    Plan plan;
    plan.gobPath = gobPath;
    plan.after.start = before.start;
    plan.after.size = before.size;
    plan.before = std::move(before);
    const QImage::Format format = picture.format();
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono
        || format == QImage::Format_MonoLSB) {
        const QImage indexed = picture.convertToFormat(QImage::Format_Indexed8);
        plan.after.pixels = indexesOf(indexed, rows);
        plan.after.palette = paletteOf(indexed.colorTable());
        return plan;
    }

    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    if (std::optional<QByteArray> kept = indexesInPalette(rgba, plan.before, rows)) {
        plan.outcome = Outcome::PaletteKept;
        plan.after.pixels = *kept;
        plan.after.palette = plan.before.palette;
        return plan;
    }
    // The quantizer and the error measure take the picture's top row as the record's last.
    const QImage topRowLast = rows == Rows::TopRowLast ? rgba : rgba.mirrored();
    Quantizer::Result reduced = Quantizer::quantize(topRowLast);
    plan.outcome = Outcome::Quantized;
    plan.colours = int(reduced.palette.size() / 4);
    plan.after.pixels = reduced.indexes;
    plan.after.palette = reduced.palette
        + paletteOf({}).mid(reduced.palette.size()); // opaque black after the colours found
    plan.meanError = meanError(topRowLast, plan.after);
    return plan;
}

void write(const Plan &plan, const std::function<void()> &pendingEvents)
{
    GobPatches::write(plan.gobPath, {ChangeKind::Picture, plan.name, plan.withoutUndo},
                      {plan.patch()}, pendingEvents);
}

double meanError(const QImage &original, const RecordPicture &stored)
{
    const QImage rgba = original.convertToFormat(QImage::Format_RGBA8888);
    const int w = rgba.width(), h = rgba.height();
    const auto *palette = reinterpret_cast<const uchar *>(stored.palette.constData());
    double sum = 0;
    for (int y = 0; y < h; ++y) {
        const uchar *line = rgba.constScanLine(y);
        const qsizetype row = qsizetype(h - 1 - y) * w;
        for (int x = 0; x < w; ++x) {
            const uchar *a = line + 4 * x;
            const uchar *b = palette + 4 * quint8(stored.pixels[row + x]);
            for (int c = 0; c < 3; ++c)
                sum += std::abs(a[c] * a[3] - b[c] * b[3]) / 255.0;
            sum += std::abs(a[3] - b[3]);
        }
    }
    return w && h ? sum / (4.0 * w * h) : 0;
}

} // namespace PictureImport
