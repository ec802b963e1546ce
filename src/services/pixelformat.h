#pragma once

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

#include <optional>

class BitmapLayout;
class QFile;

// Pixel-format values in the numbering that the replace confirmation shows and compares.
namespace PixelFormat {

constexpr qint32 Indexed1 = 0x00030101; // 196865
constexpr qint32 Indexed4 = 0x00030402; // 197634
constexpr qint32 Indexed8 = 0x00030803; // 198659
constexpr qint32 Rgb555 = 0x00021005; // 135173
constexpr qint32 Rgb565 = 0x00021006; // 135174
constexpr qint32 Argb1555 = 0x00061007; // 397319, any 16-bit bitmap with an alpha mask
constexpr qint32 Rgb24 = 0x00021808; // 137224
constexpr qint32 Rgb32 = 0x00022009; // 139273
constexpr qint32 Argb32 = 0x0026200A; // 2498570
constexpr qint32 Rgb48 = 0x0010300C; // 1060876
constexpr qint32 Argb64 = 0x0034400D; // 3424269

// A bitmap's format by its bit count (and its masks); nothing when its headers are not read.
std::optional<qint32> fromBitmap(const BitmapLayout &layout);

// A PNG file's format by its colour type, bit depth and a tRNS chunk anywhere before its first
// IDAT chunk; nothing when the file is no PNG.
std::optional<qint32> fromPng(QFile &file);

// The format of a decoded image whose file header told nothing (GIF, JPEG and the like).
qint32 fromImage(const QImage &image, const QByteArray &readerFormat);

} // namespace PixelFormat
