#include "pngpixels.h"

#include "bitmaplayout.h"
#include "failure.h"
#include "messages.h"

#include <QFile>

#include <png.h>

#include <csetjmp>
#include <vector>

namespace PngPixels {

namespace {

// What libpng said when it gave up; filled by its error handler, read after the jump back.
struct Reason
{
    char text[256] = {};
};

void onError(png_structp png, png_const_charp message)
{
    auto *reason = static_cast<Reason *>(png_get_error_ptr(png));
    qstrncpy(reason->text, message, sizeof reason->text);
    png_longjmp(png, 1);
}

// libpng's warnings are about files it reads anyway; they are no concern of the user's.
void onWarning(png_structp, png_const_charp) { }

void readFromFile(png_structp png, png_bytep data, size_t length)
{
    auto *file = static_cast<QFile *>(png_get_io_ptr(png));
    if (file->read(reinterpret_cast<char *>(data), qint64(length)) != qint64(length))
        png_error(png, "the file ends before its last chunk");
}

struct Header
{
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0;
    bool indexed = false; // one byte per pixel, else red, green, blue and alpha
    size_t rowBytes = 0;
};

// The header and the transforms to one of the two outputs. The two functions that run libpng
// keep free of C++ objects with destructors, as a long jump back skips them.
bool readHeader(png_structp png, png_infop info, Header *h)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    h->width = png_get_image_width(png, info);
    h->height = png_get_image_height(png, info);
    h->depth = png_get_bit_depth(png, info);
    h->colourType = png_get_color_type(png, info);
    const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    h->indexed = h->colourType == PNG_COLOR_TYPE_PALETTE
        || (h->colourType == PNG_COLOR_TYPE_GRAY && h->depth <= 8 && !trns);
    if (qint64(h->width) * h->height > BitmapLayout::MaxPixels)
        return true;
    if (h->indexed) {
        png_set_packing(png);
    } else {
        png_set_expand(png);
        png_set_scale_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    h->rowBytes = png_get_rowbytes(png, info);
    return true;
}

bool readPixels(png_structp png, png_infop info, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

// The colours an indexed picture names: the palette with the alpha of tRNS, or the greys of
// the file's depth.
QList<QRgb> coloursOf(png_structp png, png_infop info, const Header &h)
{
    QList<QRgb> colours;
    if (h.colourType == PNG_COLOR_TYPE_GRAY) {
        const int top = (1 << h.depth) - 1;
        for (int v = 0; v <= top; ++v)
            colours.append(qRgb(v * 255 / top, v * 255 / top, v * 255 / top));
        return colours;
    }
    png_colorp palette = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &palette, &count);
    png_bytep alpha = nullptr;
    int alphaCount = 0;
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_get_tRNS(png, info, &alpha, &alphaCount, nullptr);
    for (int i = 0; i < count; ++i)
        colours.append(qRgba(palette[i].red, palette[i].green, palette[i].blue,
                             i < alphaCount ? alpha[i] : 255));
    return colours;
}

QImage decodeWith(png_structp png, png_infop info, Reason &reason, const QString &path)
{
    Header h;
    if (!readHeader(png, info, &h))
        throw Failure(FailureNumber::BitmapMismatch, Messages::pngNotRead(path, reason.text));
    QImage image;
    if (qint64(h.width) * h.height <= BitmapLayout::MaxPixels)
        image = QImage(int(h.width), int(h.height),
                       h.indexed ? QImage::Format_Indexed8 : QImage::Format_RGBA8888);
    if (image.isNull() || h.rowBytes != size_t(h.indexed ? 1 : 4) * h.width)
        throw Failure(FailureNumber::BitmapMismatch,
                      Messages::pictureTooLarge(path, qint64(h.width), qint64(h.height)));
    std::vector<png_bytep> rows(h.height);
    for (png_uint_32 y = 0; y < h.height; ++y)
        rows[y] = image.scanLine(int(y));
    if (!readPixels(png, info, rows.data()))
        throw Failure(FailureNumber::BitmapMismatch, Messages::pngNotRead(path, reason.text));
    if (!h.indexed)
        return image;

    QList<QRgb> colours = coloursOf(png, info, h);
    const int named = int(colours.size());
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (line[x] >= named)
                throw Failure(FailureNumber::BitmapMismatch,
                              Messages::pngIndexPastPalette(path, line[x], named, x, y));
    }
    colours.resize(256, qRgb(0, 0, 0));
    image.setColorTable(colours);
    return image;
}

} // namespace

bool isPng(QFile &file)
{
    return file.seek(0) && file.read(8) == QByteArray("\x89PNG\r\n\x1a\n", 8);
}

QImage decode(QFile &file, const QString &path)
{
    if (!file.seek(0))
        throw Failure(FailureNumber::BitmapMismatch,
                      Messages::pngNotRead(path, file.errorString()));
    Reason reason;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reason, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw Failure(FailureNumber::BitmapMismatch, Messages::pngNotRead(path, "out of memory"));
    }
    png_set_read_fn(png, &file, readFromFile);
    try {
        QImage image = decodeWith(png, info, reason, path);
        png_destroy_read_struct(&png, &info, nullptr);
        return image;
    } catch (...) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw;
    }
}

} // namespace PngPixels
