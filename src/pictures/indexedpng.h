#pragma once

#include <QByteArray>

// An 8-bit indexed PNG file made with libpng: PLTE holds 256 colours, tRNS their alpha (up to
// the last entry that is not opaque), the pixels are one palette index each.
namespace IndexedPng {

// rows holds height rows of width indexes; the PNG's top row is the last of them when
// bottomFirst (the order of image records), else the first. palette holds 256 entries of red,
// green, blue and alpha.
QByteArray encode(int width, int height, const QByteArray &rows, bool bottomFirst,
                  const QByteArray &palette);

} // namespace IndexedPng
