#pragma once

#include <QImage>
#include <QString>

#include <optional>

// Loading image files for drawing and comparison. The kind of file is found from its content,
// never from its name (a PNG extracted into temp.bmp loads as a PNG).
namespace ImageFile {

struct Loaded
{
    QImage image;
    qint32 pixelFormat = 0;
};

// Loads the file, or nothing when it is missing or no image. An 8-bit bitmap whose rows carry
// no padding (as the program's own exports of records whose width is no multiple of 4) is read
// by our own reader with rows of exactly w bytes, so that it is not sheared. A picture with a
// palette always has an entry for every pixel value: entries its file does not store are black.
std::optional<Loaded> load(const QString &path);

// The first bytes of a file, enough for its header and the PNG chunks before the pixels.
QByteArray head(const QString &path);

} // namespace ImageFile
