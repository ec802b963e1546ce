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

// Loads the file, or nothing when it is missing or no image. A bitmap is read by our own
// reader wherever its layout puts the colour table and rows (any header size, padded or not,
// top-down or bottom-up); only the compressed ones and headers it does not know go to Qt's
// reader, and a bitmap it refuses for another reason is no image. A picture with a palette
// always has an entry for every pixel value: entries its file does not store are black.
std::optional<Loaded> load(const QString &path);

} // namespace ImageFile
