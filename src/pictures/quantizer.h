#pragma once

#include <QByteArray>
#include <QImage>

// Reducing a picture to at most 256 colours with alpha, by libimagequant: a palette fitted to
// the picture, then each pixel mapped to it with dithering.
namespace Quantizer {

struct Result
{
    QByteArray palette; // the colours found, four bytes each: red, green, blue, alpha
    QByteArray indexes; // one a pixel, bottom row first (the order of image records)
};

// picture is in QImage::Format_RGBA8888; throws a Failure when the library gives up.
Result quantize(const QImage &picture);

} // namespace Quantizer
