#pragma once

#include <QImage>
#include <QString>

// Turning a bitmap into a JPEG file, optionally scaled to an exact size first.
namespace JpegConversion {

constexpr qint32 MaxSide = 16384;
constexpr int Quality = 100;

// The JPEG named after the bitmap: its extension replaced by "jpg" (kit.bmp gives kit.jpg), or
// ".jpg" added to a name without an extension or with the extension jpg (pic.jpg gives
// pic.jpg.jpg), so that it never names the bitmap itself.
QString autoName(const QString &bitmapPath);
// The answer of the save dialog, with ".jpg" appended unless it ends in exactly ".jpg".
QString withJpgExtension(const QString &answer);

// Loads the bitmap; throws a Failure naming the file when it cannot be read.
QImage loadPicture(const QString &path);

// Throws a Failure naming the side when a size is below 1 or above 16384.
void checkSize(qint32 width, qint32 height);

// The picture stretched to exactly width x height over the background colour, with a
// high-quality filter; the proportions are not kept.
QImage resized(const QImage &picture, qint32 width, qint32 height, QRgb background);

// The picture in the file at path resized as resized() does. A bitmap of 16, 24 or 32 bits
// without alpha that shrinks both ways is read a block of rows at a time, so that only the
// result is held whole; every other picture is loaded whole first. Throws loadPicture's failure.
QImage loadResized(const QString &path, qint32 width, qint32 height, QRgb background);

// Writes the picture as a JPEG of quality 100, whole or not at all. Returns 0 on success,
// otherwise the encoder's status number: 1 for an unknown failure, 2 for a picture that cannot
// be encoded, 6 where no JPEG encoder is present. A file that cannot be written throws a
// Failure with the system's reason.
int saveJpeg(const QImage &picture, const QString &target);

} // namespace JpegConversion
