#include "imagefile.h"

#include "bitmaplayout.h"
#include "bitmappixels.h"
#include "failure.h"
#include "fileaccess.h"
#include "messages.h"
#include "pixelformat.h"
#include "pngpixels.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace ImageFile {

namespace {

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

Loaded read(const QString &path)
{
    const QString shown = FileAccess::displayPath(path);
    auto refuse = [](const QString &description) {
        throw Failure(FailureNumber::BitmapMismatch, description);
    };
    if (QFileInfo(path).isDir())
        refuse(Messages::pictureNotOpened(shown, Messages::isAFolder()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(Messages::pictureNotOpened(shown, file.errorString()));
    if (file.size() == 0)
        refuse(Messages::pictureEmpty(shown));

    Loaded loaded;
    const BitmapLayout layout = BitmapLayout::read(file);
    if (layout.problem != BitmapLayout::Problem::NotABitmap) {
        loaded.image = BitmapPixels::decode(file, layout, shown);
        loaded.pixelFormat = *PixelFormat::fromBitmap(layout);
        loaded.bitmap = true;
        return loaded;
    }
    if (PngPixels::isPng(file)) {
        loaded.image = PngPixels::decode(file, shown);
        loaded.pixelFormat = *PixelFormat::fromPng(file);
        return loaded;
    }

    // Qt's plugins read the other kinds: JPEG, GIF, TGA and the rest.
    file.seek(0);
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!reader.read(&loaded.image) || loaded.image.isNull())
        refuse(Messages::notAnImage(shown));
    completeColourTable(loaded.image);
    loaded.pixelFormat = PixelFormat::fromImage(loaded.image, format);
    return loaded;
}

std::optional<Loaded> load(const QString &path)
{
    try {
        return read(path);
    } catch (const Failure &) {
        return std::nullopt; // nothing to draw
    }
}

Info info(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isDir() && file.open(QIODevice::ReadOnly))
        return info(path, BitmapLayout::read(file));
    return info(path, BitmapLayout {});
}

Info info(const QString &path, const BitmapLayout &layout)
{
    if (layout.isReadable())
        return Info {layout.width, layout.height, *PixelFormat::fromBitmap(layout)};
    const Loaded loaded = read(path);
    return Info {loaded.image.width(), loaded.image.height(), loaded.pixelFormat};
}

} // namespace ImageFile
