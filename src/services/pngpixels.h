#pragma once

#include <QImage>
#include <QString>

class QFile;

// The pixels of a PNG file, decoded by libpng: every colour type and depth, interlaced or not,
// with its tRNS chunk of every kind; gamma and colour chunks are left alone (the bytes are what
// the record gets). Damage is refused with libpng's reason, and libpng prints nothing.
namespace PngPixels {

// Whether the file starts with the PNG signature.
bool isPng(QFile &file);

// The picture as it looks, top row first: Format_Indexed8 for palette files and for grey ones
// of up to 8 bits without tRNS (the colours a grey of that depth can name), Format_RGBA8888 for
// everything else, 16-bit channels scaled to 8 bits. Throws failure 481 naming the file (path)
// when libpng refuses it or it has more pixels than a picture may.
QImage decode(QFile &file, const QString &path);

} // namespace PngPixels
