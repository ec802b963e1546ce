#include "jpegconversion.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/imagefile.h"
#include "services/messages.h"
#include "services/outputfile.h"

#include <QBuffer>
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
