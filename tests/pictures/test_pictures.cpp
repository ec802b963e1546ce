#include "bytes.h"
#include "handgob.h"
#include "paintbitmaps.h"
#include "testhome.h"

#include "pictures/folderexport.h"
#include "pictures/pictureimport.h"
#include "pictures/recordpicture.h"

#include <QImage>

#include <png.h>

#include <csetjmp>
#include <cstring>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype RecordAt = 100; // catalogue offset 101

// What libpng reads from a PNG, untransformed: its colour type, the indexes top row first, and
// PLTE with the alpha of tRNS (255 past its end) as red, green, blue, alpha each entry.
struct ReadPng
{
    int colourType = -1;
    QByteArray indexes;
    QByteArray palette;
};

void readFromArray(png_structp png, png_bytep out, png_size_t n)
{
    auto *in = static_cast<QByteArray *>(png_get_io_ptr(png));
    std::memcpy(out, in->constData(), n);
    in->remove(0, qsizetype(n));
}

bool readWithLibpng(QByteArray bytes, ReadPng &r)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &bytes, readFromArray);
    png_read_info(png, info);
    r.colourType = png_get_color_type(png, info);
    png_colorp plte = nullptr;
    png_bytep trns = nullptr;
    int colours = 0, alphas = 0;
    png_get_PLTE(png, info, &plte, &colours);
    png_get_tRNS(png, info, &trns, &alphas, nullptr);
    for (int i = 0; i < colours; ++i)
        r.palette +=
            Bytes::of({plte[i].red, plte[i].green, plte[i].blue, i < alphas ? trns[i] : 255});
    const int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
    r.indexes.resize(w * h);
    for (int y = 0; y < h; ++y)
        png_read_row(png, reinterpret_cast<png_bytep>(r.indexes.data()) + y * w, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// A GOB file holding one image record of w x h with the given pixels (stored order) and palette.
QString gobWith(const TestHome &home, int w, int h, const QByteArray &pixels,
                const QByteArray &palette)
{
    return home.write(u"g_pc.gob"_s,
                      HandGob::withAt(RecordAt + 112 + w * h + 1024 + 50, RecordAt,
                                      HandGob::imageRecord(w, h, pixels, palette)));
}

QRgb entryOf(const QByteArray &palette, int k)
{
    return qRgba(quint8(palette[4 * k]), quint8(palette[4 * k + 1]), quint8(palette[4 * k + 2]),
                 quint8(palette[4 * k + 3]));
}

} // namespace

TEST(PngExport, LibpngReadsTheRecordsIndexesColoursAndAlphaTopRowFirst)
{
    QByteArray grey; // opaque (k, k, k): a writer could take it for a greyscale picture
    for (int k = 0; k < 256; ++k)
        grey += Bytes::of({k, k, k, 255});
    const struct
    {
        int w, h;
        QByteArray palette;
    } cases[] = {
        {5, 3, HandGob::palette([](int k) { return k % 3 ? k : 0; })},
        {4, 2, grey},
    };
    for (const auto &c : cases) {
        TestHome home;
        const QByteArray pixels = Bytes::pattern(c.w * c.h, c.w);
        const QByteArray png =
            RecordPicture::read(gobWith(home, c.w, c.h, pixels, c.palette), RecordAt + 1).png();
        ReadPng read;
        ASSERT_TRUE(readWithLibpng(png, read));
        EXPECT_EQ(read.colourType, PNG_COLOR_TYPE_PALETTE);
        EXPECT_EQ(read.palette, c.palette);
        // The picture's top row is the record's first, as the preview shows it.
        EXPECT_EQ(read.indexes, pixels);
    }
}

TEST(PictureImport, IndexedPicturesStayExactAndPicturesOfTheRecordsColoursKeepItsPalette)
{
    // The record: 5 x 3, entries 30 and 40 transparent, entry 200 the colour of entry 5.
    QByteArray palette = HandGob::palette([](int k) { return k == 30 || k == 40 ? 0 : 255; });
    palette.replace(800, 4, palette.mid(20, 4));
    QByteArray pixels = Bytes::pattern(15, 3);
    pixels[14] = char(200); // the picture's pixel (4, 2): the record's last row
    QByteArray pilPalette;
    for (int i = 0; i < 256; ++i)
        pilPalette += i < 20 ? Bytes::of({i * 12 + 7, 200 - i * 9, i * 11, i * 13 + 5})
                             : Bytes::of({0, 0, 0, 255});
    QByteArray pilIndexes, rgbaIndexes; // top row first
    for (int i = 0; i < 15; ++i) {
        pilIndexes += char(i * 7 % 20);
        rgbaIndexes += char(i == 0 ? 30 : i == 14 ? 200 : i + 1);
    }
    const struct
    {
        const char *file, *outcome;
        QByteArray indexes, palette;
    } cases[] = {
        {"pil-p-trns.png", "exact", pilIndexes, pilPalette},
        {"pil-rgba.png", "record palette kept", rgbaIndexes, palette},
    };
    for (const auto &c : cases) {
        TestHome home;
        const QString gob = gobWith(home, 5, 3, pixels, palette);
        const PictureImport::Plan plan = PictureImport::check(
            gob, RecordAt + 1, QStringLiteral(KESTRIX_TEST_DATA "/") + QString::fromLatin1(c.file));
        EXPECT_EQ(plan.description(), QString::fromLatin1(c.outcome));
        PictureImport::write(plan);
        // A PNG goes in as it looks: its top row is the record's first.
        EXPECT_EQ(Bytes::readFile(gob),
                  HandGob::withAt(RecordAt + 112 + 15 + 1024 + 50, RecordAt,
                                  HandGob::imageRecord(5, 3, c.indexes, c.palette)))
            << c.file;
    }
}

TEST(PictureImport, APhotoLikePictureIsQuantizedWithinTheBound)
{
    TestHome home;
    const QString gob = gobWith(home, 64, 64, Bytes::pattern(4096), HandGob::palette());
    const QString path = QStringLiteral(KESTRIX_TEST_DATA "/im-plasma-rgba.png");
    const PictureImport::Plan plan = PictureImport::check(gob, RecordAt + 1, path);
    PictureImport::write(plan);

    // The error worked out here from the GOB file: red, green and blue weighted by alpha, and
    // alpha, each 0 to 255, averaged over pixels and channels. The bound: a fixed palette of 4
    // levels a channel (32, 96, 160, 224; 4^4 = 256 entries, fitted to nothing) keeps every
    // channel within 32 of the original and gives this picture a mean error of about 11.7. A
    // palette fitted to the picture must do at least twice as well (it gives about 3.4,
    // dithering included); a slip of byte order, row order or index lands far above the grid.
    const QImage original = QImage(path).convertToFormat(QImage::Format_ARGB32);
    const QByteArray record = Bytes::readFile(gob).mid(RecordAt + 112, 4096 + 1024);
    ASSERT_EQ(record.size(), 4096 + 1024);
    double sum = 0, grid = 0;
    const auto level = [](int v) { return v / 64 * 64 + 32; }; // 4 levels a channel
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb a = original.pixel(x, y);
            const QRgb b = entryOf(record.mid(4096), quint8(record[y * 64 + x]));
            const QRgb g =
                qRgba(level(qRed(a)), level(qGreen(a)), level(qBlue(a)), level(qAlpha(a)));
            for (const auto &[to, total] : {std::pair(b, &sum), std::pair(g, &grid)}) {
                for (int shift : {16, 8, 0})
                    *total += std::abs(int(a >> shift & 255) * qAlpha(a)
                                       - int(to >> shift & 255) * qAlpha(to))
                        / 255.0;
                *total += std::abs(qAlpha(a) - qAlpha(to));
            }
        }
    sum /= 4 * 4096;
    grid /= 4 * 4096;
    EXPECT_LE(plan.colours, 256);
    EXPECT_NEAR(plan.meanError, sum, 0.005);
    EXPECT_EQ(plan.description(),
              u"quantized to %1 colours, mean error %2"_s.arg(plan.colours).arg(sum, 0, 'f', 2));
    EXPECT_LT(sum, grid / 2);
}

TEST(FolderExport, AStoppedExportLeavesAManifestOfEveryFileInTheFolder)
{
    TestHome home;
    const QString gob = gobWith(home, 5, 3, Bytes::pattern(15, 3), HandGob::palette());
    const QString catalogue =
        home.write(u"BmpList.txt"_s, "//x\r\n\r\nA,1,101,One\r\nB,1,101,Two\r\n");
    const QString folder = home.file(u"out"_s);
    FolderExport::run(catalogue, gob, {}, folder);
    const QString manifest = folder + u"/kestrix-export.tsv"_s;
    const QByteArray full = Bytes::readFile(manifest);
    ASSERT_EQ(full.count('\n'), 3);
    // Stopped at once, and after the first file: the manifest still names both files.
    for (int stopAt : {0, 1}) {
        const FolderExport::Result r = FolderExport::run(
            catalogue, gob, {}, folder, [&](int done, int) { return done < stopAt; });
        EXPECT_TRUE(r.cancelled);
        EXPECT_EQ(r.written.size(), stopAt);
        EXPECT_EQ(Bytes::readFile(manifest), full) << stopAt;
    }
}
