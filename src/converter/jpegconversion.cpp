#include "jpegconversion.h"

#include "areashrink.h"

#include "services/bitmaplayout.h"
#include "services/bitmappixels.h"
#include "services/bitmaprows.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/imagefile.h"
#include "services/messages.h"
#include "services/outputfile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

namespace JpegConversion {

QString autoName(const QString &bitmapPath)
{
    const QString fileName = QFileInfo(bitmapPath).fileName();
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString extension = dot > 0 ? fileName.mid(dot + 1) : QString();
    // A JPEG's own name would name the picture itself: ".jpg" is added instead.
    if (dot <= 0 || extension.compare(QStringLiteral("jpg"), Qt::CaseInsensitive) == 0)
        return bitmapPath + QStringLiteral(".jpg");
    return bitmapPath.left(bitmapPath.size() - extension.size()) + QStringLiteral("jpg");
}

QString withJpgExtension(const QString &answer)
{
    return answer.right(4) == QStringLiteral(".jpg") ? answer : answer + QStringLiteral(".jpg");
}

QImage loadPicture(const QString &path)
{
    std::optional<ImageFile::Loaded> loaded = ImageFile::load(path);
    if (!loaded)
        throw Failure(FailureNumber::FileAccess,
                      Messages::cannotLoadPicture(FileAccess::displayPath(path)));
    return loaded->image;
}

void checkSize(qint32 width, qint32 height)
{
    if (width < 1 || width > MaxSide)
        throw Failure(FailureNumber::Overflow,
                      Messages::jpegSizeOutOfRange(QStringLiteral("width"), width));
    if (height < 1 || height > MaxSide)
        throw Failure(FailureNumber::Overflow,
                      Messages::jpegSizeOutOfRange(QStringLiteral("height"), height));
}

QImage resized(const QImage &picture, qint32 width, qint32 height, QRgb background)
{
    QImage result(width, height, QImage::Format_RGB32);
    result.fill(background);
    QPainter painter(&result);
    // Qt's smooth scaling averages every source pixel when it shrinks and interpolates when
    // it enlarges.
    painter.drawImage(
        0, 0, picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return result;
}

namespace {

// The bitmap shrunk while its rows are read; a null image where the file needs the whole
// decoder: colour indexes (Qt shrinks an indexed picture into its own palette), an alpha mask
// or unsound bit fields.
QImage shrunkWhileRead(const QString &path, qint32 width, qint32 height)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return QImage();
    const BitmapLayout layout = BitmapLayout::read(file);
    const AreaShrink shrink(layout.width, layout.height, width, height);
    if (!layout.isReadable() || layout.bits <= 8 || layout.alphaMask
        || !BitmapPixels::masksSound(layout) || !shrink.applies())
        return QImage();
    BitmapRows rows(file, layout);
    std::vector<QRgb> line(size_t(layout.width));
    return shrink.run([&](int r) -> const QRgb * {
        const char *stored = rows.stored(layout.topDown ? r : layout.height - 1 - r);
        if (!stored)
            return nullptr;
        BitmapPixels::unpackRow(layout, reinterpret_cast<const uchar *>(stored),
                                reinterpret_cast<uchar *>(line.data()));
        return line.data();
    });
}

} // namespace

QImage loadResized(const QString &path, qint32 width, qint32 height, QRgb background)
{
    QImage shrunk = shrunkWhileRead(path, width, height);
    return shrunk.isNull() ? resized(loadPicture(path), width, height, background) : shrunk;
}

int saveJpeg(const QImage &picture, const QString &target)
{
    // Encoded in memory first: the encoder does not notice a short write.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(Quality);
    if (writer.write(picture)) {
        OutputFile::write(target, bytes);
        return 0;
    }
    switch (writer.error()) {
    case QImageWriter::UnsupportedFormatError:
        return 6;
    case QImageWriter::InvalidImageError:
        return 2;
    default:
        return 1;
    }
}

} // namespace JpegConversion
