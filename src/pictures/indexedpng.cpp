#include "indexedpng.h"

#include "services/failure.h"
#include "services/messages.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace IndexedPng {

namespace {

void appendToArray(png_structp png, png_bytep data, png_size_t length)
{
    auto *out = static_cast<QByteArray *>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void noFlush(png_structp) { }

// libpng's and zlib's buffers (some 300 KiB for each picture) kept for the next picture of the
// thread: an export of a thousand records would otherwise give them back to the system and have
// their pages faulted in anew each time. Each block carries its size in front of it.
class BufferPool
{
public:
    BufferPool() = default;
    BufferPool(const BufferPool &) = delete;
    BufferPool &operator=(const BufferPool &) = delete;
    ~BufferPool()
    {
        for (const Block &block : m_free)
            std::free(block.base);
    }

    void *take(std::size_t size)
    {
        for (auto block = m_free.begin(); block != m_free.end(); ++block) {
            if (block->size == size) {
                void *base = block->base;
                m_free.erase(block);
                return static_cast<char *>(base) + Front;
            }
        }
        void *base = std::malloc(Front + size);
        if (!base)
            return nullptr;
        std::memcpy(base, &size, sizeof size);
        return static_cast<char *>(base) + Front;
    }

    void give(void *data)
    {
        if (!data)
            return;
        void *base = static_cast<char *>(data) - Front;
        std::size_t size = 0;
        std::memcpy(&size, base, sizeof size);
        if (m_free.size() < Kept)
            m_free.push_back({size, base});
        else
            std::free(base);
    }

private:
    struct Block
    {
        std::size_t size;
        void *base;
    };
    static constexpr std::size_t Front = alignof(std::max_align_t);
    static constexpr std::size_t Kept = 32;
    std::vector<Block> m_free;
};

BufferPool &bufferPool()
{
    thread_local BufferPool pool;
    return pool;
}

png_voidp takeBuffer(png_structp, png_alloc_size_t size)
{
    return bufferPool().take(size);
}

void giveBuffer(png_structp, png_voidp data)
{
    bufferPool().give(data);
}

// Runs libpng; false when it gave up (it jumps back here on any error). Kept free of C++
// objects with destructors, as a long jump skips them.
bool write(png_structp png, png_infop info, int width, int height, const png_byte *rows,
           bool bottomFirst, const png_color *colours, const png_byte *alpha, int alphaCount,
           QByteArray *out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, appendToArray, noFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours, 256);
    if (alphaCount > 0)
        png_set_tRNS(png, info, alpha, alphaCount, nullptr);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rows + qint64(bottomFirst ? height - 1 - y : y) * width);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

QByteArray encode(int width, int height, const QByteArray &rows, bool bottomFirst,
                  const QByteArray &palette)
{
    png_color colours[256];
    png_byte alpha[256];
    int alphaCount = 0;
    for (int k = 0; k < 256; ++k) {
        colours[k] = {png_byte(palette[4 * k]), png_byte(palette[4 * k + 1]),
                      png_byte(palette[4 * k + 2])};
        alpha[k] = png_byte(palette[4 * k + 3]);
        if (alpha[k] != 255)
            alphaCount = k + 1;
    }

    QByteArray out;
    out.reserve(rows.size() / 2 + 2048);
    png_structp png = png_create_write_struct_2(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr,
                                                nullptr, takeBuffer, giveBuffer);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool done = info
        && write(png, info, width, height, reinterpret_cast<const png_byte *>(rows.constData()),
                 bottomFirst, colours, alpha, alphaCount, &out);
    png_destroy_write_struct(&png, &info);
    if (!done)
        throw Failure(FailureNumber::FileAccess, Messages::pngNotMade(width, height));
    return out;
}

} // namespace IndexedPng
