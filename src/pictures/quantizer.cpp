#include "quantizer.h"

#include "services/failure.h"
#include "services/messages.h"

#include <libimagequant.h>

#include <memory>
#include <vector>

namespace Quantizer {

namespace {

struct LiqDeleter
{
    void operator()(liq_attr *p) const { liq_attr_destroy(p); }
    void operator()(liq_image *p) const { liq_image_destroy(p); }
    void operator()(liq_result *p) const { liq_result_destroy(p); }
};
template<typename T>
using LiqPointer = std::unique_ptr<T, LiqDeleter>;

void require(liq_error error)
{
    if (error != LIQ_OK)
        throw Failure(FailureNumber::BadRecord, Messages::quantizingFailed(int(error)));
}

} // namespace

Result quantize(const QImage &picture)
{
    const int w = picture.width(), h = picture.height();
    std::vector<void *> in(h);
    for (int y = 0; y < h; ++y)
        in[y] = const_cast<uchar *>(picture.constScanLine(y));
    LiqPointer<liq_attr> attr(liq_attr_create());
    if (!attr)
        require(LIQ_OUT_OF_MEMORY);
    require(liq_set_max_colors(attr.get(), 256));
    LiqPointer<liq_image> image(liq_image_create_rgba_rows(attr.get(), in.data(), w, h, 0));
    if (!image)
        require(LIQ_INVALID_POINTER);
    liq_result *quantized = nullptr;
    require(liq_image_quantize(image.get(), attr.get(), &quantized));
    LiqPointer<liq_result> result(quantized);
    require(liq_set_dithering_level(result.get(), 1.0f));

    Result out;
    out.indexes.resize(qsizetype(w) * h);
    std::vector<unsigned char *> rows(h);
    for (int y = 0; y < h; ++y) // the picture's top row is the record's last
        rows[y] = reinterpret_cast<unsigned char *>(out.indexes.data()) + qsizetype(h - 1 - y) * w;
    require(liq_write_remapped_image_rows(result.get(), image.get(), rows.data()));
    const liq_palette *palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color c = palette->entries[i];
        const char entry[4] = {char(c.r), char(c.g), char(c.b), char(c.a)};
        out.palette.append(entry, 4);
    }
    return out;
}

} // namespace Quantizer
