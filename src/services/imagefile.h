#pragma once

#include <QImage>
#include <QString>

#include <optional>

class BitmapLayout;

// Loading image files for drawing and comparison. The kind of file is found from its content,
// never from its name (a PNG extracted into temp.bmp loads as a PNG).
namespace ImageFile {

struct Loaded
{
    QImage image; // top row first, as a viewer shows the file
    qint32 pixelFormat = 0;
    bool bitmap = false; // read from a bitmap, whose stored rows are the record's rows
};

// Reads the file with the strict readers: a bitmap (anything starting with "BM") by our own
// decoder, a PNG by libpng, every other kind by Qt's image plugins. A picture with a palette
// always has an entry for every pixel value: entries its file does not store are black. Throws
// failure 481 with the reason, naming the file, when the file is missing, empty, a folder, or a
// picture the readers refuse.
Loaded read(const QString &path);

// The same for drawing: nothing where read() refuses the file, since a picture that cannot be
// drawn leaves the view blank and is no failure.
std::optional<Loaded> load(const QString &path);

struct Info
{
    qint32 width = 0;
    qint32 height = 0;
    qint32 pixelFormat = 0;
};

// Width, height and pixel format as read() finds them. A bitmap whose rows lie readable in the
// file is not decoded (its headers say all three; its pixels are checked where they are
// used), so that a comparison of sizes costs no more than the headers; every other file is
// loaded. Throws read()'s failure for a file it refuses.
Info info(const QString &path);
// The same, for a file whose bitmap layout the caller has read already.
Info info(const QString &path, const BitmapLayout &layout);

} // namespace ImageFile
