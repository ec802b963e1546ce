#include "imaging.h"

#include "apppath.h"
#include "bitmaplayout.h"
#include "failure.h"
#include "imagefile.h"
#include "messages.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTransform>

namespace MainModule {

namespace {

bool imagingAvailable = true;

void applyEmptyNameRule(QString &fileName)
{
    if (fileName.isEmpty())
        fileName = scratchBitmapPath();
}

// The picture's colours with the alpha of the bitmap's colour table, read where the layout puts
// it: each entry's fourth byte (opaque for three-byte entries). Entries the table does not hold,
// and every colour of a file that is no bitmap, keep the picture's own colours.
QList<QRgb> transparentColours(const QString &path, const QImage &image)
{
    QList<QRgb> colours = image.colorTable();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return colours;
    const QByteArray table = BitmapLayout::read(file).readTable(file);
    for (int i = 0; i < table.size() / 4 && i < colours.size(); ++i) {
        const auto *e = reinterpret_cast<const unsigned char *>(table.constData() + 4 * i);
        const quint32 toolkit = quint32(e[2]) | quint32(e[1]) << 8 | quint32(e[0]) << 16;
        colours[i] = QRgb(quint32(ColorToARGB(toolkit, e[3])));
    }
    return colours;
}

void drawScaled(Canvas &view, const QImage &image, const QRect &target)
{
    view.reserve(target);
    QPainter painter(&view.surface());
    painter.drawImage(target, image);
    if (image.format() == QImage::Format_Indexed8 && target.size() == image.size())
        view.keepIndexes(image, target.topLeft());
}

// The picture turned by the code, scaled into width x height (height x width for the odd codes).
void drawTurnedScaled(Canvas &view, const QImage &image, qint32 code, qint32 width, qint32 height)
{
    drawScaled(view, rotateFlipped(image, code),
               code % 2 == 0 ? QRect(0, 0, width, height) : QRect(0, 0, height, width));
}

} // namespace

void setImagingAvailable(bool available)
{
    imagingAvailable = available;
}

void StartImaging(ImagingSession &session)
{
    static const bool codecsPresent = [] {
        const QList<QByteArray> formats = QImageReader::supportedImageFormats();
        return formats.contains("bmp") && formats.contains("png");
    }();
    if (!imagingAvailable || !codecsPresent)
        throw Failure(FailureNumber::TooLong, Messages::cannotLoadFile(), QStringLiteral("GDI+"));
    session.started = true;
}

void EndImaging(ImagingSession &session)
{
    session.started = false;
}

QImage rotateFlipped(const QImage &image, qint32 code)
{
    // Turns of a half and mirrors are plain row and column swaps; only the quarter turns need
    // a transform.
    switch (code & 7) {
    case RotateNoneFlipNone:
        return image;
    case Rotate180FlipNone:
        return image.mirrored(true, true);
    case RotateNoneFlipX:
        return image.mirrored(true, false);
    case Rotate180FlipX:
        return image.mirrored(false, true);
    default: {
        const QImage turned = image.transformed(QTransform().rotate((code & 3) * 90));
        return code & 4 ? turned.mirrored(true, false) : turned;
    }
    }
}

void DrawImageFile(Canvas &view, bool fixedSize, qint32 rotateFlip, qint32 &width, qint32 &height,
                   QString &fileName)
{
    ImagingSession session;
    StartImaging(session);
    view.clear();
    applyEmptyNameRule(fileName);
    if (std::optional<ImageFile::Loaded> loaded = ImageFile::load(fileName)) {
        if (!fixedSize) {
            width = loaded->image.width();
            height = loaded->image.height();
        }
        drawTurnedScaled(view, loaded->image, rotateFlip, width, height);
    }
    view.refresh();
    EndImaging(session);
}

void DrawImage(Canvas &view, const QImage &image, qint32 rotateFlip, qint32 width, qint32 height)
{
    view.clear();
    drawTurnedScaled(view, image, rotateFlip, width, height);
    view.refresh();
}

void DrawTransparentBitmap(Canvas &view, bool fixedSize, qint32 width, qint32 height,
                           QString &fileName)
{
    ImagingSession session;
    StartImaging(session);
    view.clear();
    applyEmptyNameRule(fileName);
    if (std::optional<ImageFile::Loaded> loaded = ImageFile::load(fileName)) {
        QImage image = loaded->image;
        if (!fixedSize) {
            width = image.width();
            height = image.height();
        }
        // Only a picture with a palette takes the colour table's alpha.
        if (image.format() == QImage::Format_Indexed8)
            image.setColorTable(transparentColours(fileName, image));
        drawScaled(view, rotateFlipped(image, Rotate180FlipX), QRect(0, 0, width, height));
    }
    view.refresh();
    EndImaging(session);
}

void GetImageInfo(qint32 &width, qint32 &height, qint32 &pixelFormat, QString &fileName,
                  bool refuse)
{
    ImagingSession session;
    StartImaging(session);
    applyEmptyNameRule(fileName);
    const std::optional<ImageFile::Loaded> loaded =
        refuse ? ImageFile::read(fileName) : ImageFile::load(fileName);
    if (loaded) {
        width = loaded->image.width();
        height = loaded->image.height();
        pixelFormat = loaded->pixelFormat;
    }
    EndImaging(session);
}

qint32 ColorToARGB(quint32 colour, qint32 alpha)
{
    const quint32 red = colour & 0xFF;
    const quint32 green = (colour & 0xFF00) >> 8;
    const quint32 blue = (colour >> 16) & 0xFF;
    return qint32(quint32(alpha & 0xFF) << 24 | red << 16 | green << 8 | blue);
}

} // namespace MainModule
