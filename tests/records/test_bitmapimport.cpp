#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"
#include "paintbitmaps.h"
#include "refusal.h"
#include "testhome.h"

#include "records/bitmapimport.h"
#include "records/recordextraction.h"
#include "services/failure.h"
#include "services/imagefile.h"
#include "services/imaging.h"
#include "services/openfiles.h"

#include <gtest/gtest.h>

namespace {

constexpr qsizetype RecordAt = 1001; // 0-based; catalogue offset 1002
constexpr qint32 CatalogueOffset = 1002;

// A colour table whose entry k is blue k, green 2k, red 255 - k and fourth byte alpha(k).
QByteArray tableOf(int entries, int (*alpha)(int))
{
    QByteArray t;
    for (int k = 0; k < entries; ++k)
        t += Bytes::of({k, (2 * k) & 0xFF, 255 - k, alpha(k)});
    return t;
}

int alphaRamp(int k)
{
    return (k * 3) & 0xFF;
}

// What the record's palette holds after an import of that table: red, green, blue, alpha.
QByteArray paletteFrom(const QByteArray &table, bool keepAlpha)
{
    QByteArray p;
    for (qsizetype k = 0; k < table.size() / 4; ++k)
        p += Bytes::of({quint8(table[4 * k + 2]), quint8(table[4 * k + 1]), quint8(table[4 * k]),
                        keepAlpha ? quint8(table[4 * k + 3]) : 255});
    return p;
}

struct Gob
{
    QString path;
    QByteArray bytes;
};

// A GOB file with a record of w x h at RecordAt, cut short to size bytes when size is given.
Gob gobWithRecord(const TestHome &home, qint32 w, qint32 h, qsizetype size = 0)
{
    const QByteArray record =
        HandGob::imageRecord(w, h, Bytes::pattern(qsizetype(w) * h, 77), HandGob::palette());
    QByteArray bytes = HandGob::withAt(RecordAt + record.size() + 500, RecordAt, record);
    if (size)
        bytes.truncate(size);
    return {home.write(QStringLiteral("g%1_pc.gob").arg(size), bytes), bytes};
}

void import(const Gob &gob, const QString &bitmap, bool keepAlpha)
{
    BitmapImport::write(BitmapImport::check(gob.path, CatalogueOffset, bitmap), keepAlpha);
}

} // namespace

TEST(BitmapImport, WholeBlocksOfPixelsAndTheFullPaletteReplaceOnlyTheRecord)
{
    TestHome home;
    const Gob gob = gobWithRecord(home, 256, 128);
    const QByteArray pixels = Bytes::pattern(256 * 128, 5); // 16 blocks of 2048
    const QByteArray table = tableOf(256, alphaRamp);
    const QString bmp =
        home.write(QStringLiteral("new.bmp"), HandBitmap::bitmap8(256, 128, table, pixels));
    int events = 0;
    BitmapImport::write(BitmapImport::check(gob.path, CatalogueOffset, bmp), true,
                        [&] { ++events; });
    EXPECT_EQ(events, 1);
    QByteArray expected = gob.bytes;
    expected.replace(RecordAt + 112, pixels.size(), pixels);
    expected.replace(RecordAt + 112 + pixels.size(), 1024, paletteFrom(table, true));
    EXPECT_EQ(Bytes::readFile(gob.path), expected);
    EXPECT_EQ(MainModule::openFileCount(), 0);

    // Without keep-alpha every entry is opaque, whatever the fourth bytes say.
    import(gob, bmp, false);
    expected.replace(RecordAt + 112 + pixels.size(), 1024, paletteFrom(table, false));
    EXPECT_EQ(Bytes::readFile(gob.path), expected);
}

TEST(BitmapImport, SizeAndDepthChecksComeInTheirOrderWith481AndTheirTexts)
{
    TestHome home;
    const Gob gob = gobWithRecord(home, 128, 256);
    const QByteArray before = Bytes::sha256(gob.path);
    const QByteArray table = tableOf(256, alphaRamp);
    const QString wide = home.write(QStringLiteral("wide.bmp"),
                                    HandBitmap::bitmap8(256, 128, table, QByteArray(32768, 1)));
    int number = 0;
    EXPECT_EQ(refusal([&] { import(gob, wide, true); }, &number),
              wide + QStringLiteral("\r\nWidth is not same as the image"));
    EXPECT_EQ(number, 481);

    const QString rgb = home.write(QStringLiteral("rgb.bmp"),
                                   HandBitmap::bitmap24(128, 256, QList<QRgb>(32768, 0xFF102030)));
    EXPECT_EQ(refusal([&] { import(gob, rgb, true); }, &number),
              rgb + QStringLiteral(" is not a 256 color image"));
    EXPECT_EQ(number, 481);
    // The width check comes first: a 24-bit file of the wrong width fails on its width.
    const QString rgbWide = home.write(QStringLiteral("rgbwide.bmp"),
                                       HandBitmap::bitmap24(4, 256, QList<QRgb>(1024, 0)));
    EXPECT_TRUE(refusal([&] {
                    import(gob, rgbWide, true);
                }).endsWith(QStringLiteral("Width is not same as the image")));
    EXPECT_EQ(Bytes::sha256(gob.path), before);
}

TEST(BitmapImport, BitmapsAsPaintProgramsWriteThemGoInAsTheConfirmationShowsThem)
{
    TestHome home;
    for (const PaintBitmaps::Case &c : PaintBitmaps::all()) {
        const Gob gob = gobWithRecord(home, c.w, c.h);
        const QString bmp = home.write(c.name, c.file);
        QString info = bmp;
        qint32 w = 0, h = 0, format = 0;
        MainModule::GetImageInfo(w, h, format, info);
        EXPECT_EQ(std::tuple(w, h, format), std::tuple(c.w, c.h, 198659)) << c.name.toStdString();
        const std::optional<ImageFile::Loaded> shown = ImageFile::load(bmp);
        ASSERT_TRUE(shown) << c.name.toStdString();
        import(gob, bmp, true);

        // Only the pixels and the entries the file holds change; record row y is picture row
        // h - 1 - y, and its pixels name entries of the picture's colours and alphas.
        const QByteArray after = Bytes::readFile(gob.path);
        const qsizetype pixels = RecordAt + 112, palette = pixels + c.w * c.h;
        EXPECT_EQ(after.left(pixels), gob.bytes.left(pixels));
        EXPECT_EQ(after.mid(palette + 4 * c.entries), gob.bytes.mid(palette + 4 * c.entries))
            << c.name.toStdString();
        for (int i = 0; i < c.w * c.h; ++i) {
            const int x = i % c.w, y = c.h - 1 - i / c.w, k = quint8(after[pixels + i]);
            const auto at = [&](int b) { return quint8(after[palette + 4 * k + b]); };
            ASSERT_LT(k, c.entries) << c.name.toStdString();
            EXPECT_EQ(qRgba(at(0), at(1), at(2), at(3)), c.picture[y * c.w + x])
                << c.name.toStdString() << " pixel " << i;
            EXPECT_EQ(shown->image.pixel(x, y), c.picture[y * c.w + x] | 0xFF000000);
        }
    }
}

TEST(BitmapImport, ExportThenImportLeavesTheGobByteForByteUnchangedForEveryWidth)
{
    TestHome home;
    for (int w = 1; w <= 9; ++w) {
        const QByteArray record =
            HandGob::imageRecord(w, 3, Bytes::pattern(3 * w, w),
                                 HandGob::palette([](int k) { return k % 7 ? 128 : 0; }));
        const QByteArray bytes = HandGob::withAt(5000, 777, record);
        const QString gob = home.write(QStringLiteral("g_pc.gob"), bytes);
        const QString exported = home.file(QStringLiteral("temp.bmp"));
        RecordExtraction::extractImageRecord(gob, 778, exported);
        BitmapImport::write(BitmapImport::check(gob, 778, exported), true);
        EXPECT_EQ(Bytes::readFile(gob), bytes) << w;
        // The exports of older versions, rows without padding, read as they were written.
        const QString old =
            home.write(QStringLiteral("old.bmp"),
                       Bytes::readFile(exported).left(1078) + Bytes::pattern(3 * w, w));
        BitmapImport::write(BitmapImport::check(gob, 778, old), true);
        EXPECT_EQ(Bytes::readFile(gob), bytes) << w;

        // Without keep-alpha only the alpha bytes change, to 255.
        BitmapImport::write(BitmapImport::check(gob, 778, exported), false);
        QByteArray expected = bytes;
        for (int k = 0; k < 256; ++k)
            expected[777 + 112 + 3 * w + 4 * k + 3] = char(255);
        EXPECT_EQ(Bytes::readFile(gob), expected) << w;
    }
}

TEST(BitmapImport, BitmapsThatWouldCorruptTheRecordAreRefusedBeforeAnythingIsWritten)
{
    TestHome home;
    const Gob gob = gobWithRecord(home, 7, 4);
    const QByteArray before = Bytes::sha256(gob.path);
    const QByteArray table = tableOf(256, alphaRamp);
    const QByteArray pixels(28, 9);
    const auto withField = [&](qsizetype at, qint32 value) {
        QByteArray b = HandBitmap::bitmap8(7, 4, table, pixels);
        Bytes::put32(b, at, value);
        return b;
    };
    struct Case
    {
        const char *name;
        QByteArray file;
        const char *says;
    } cases[] = {
        {"many.bmp", withField(46, 300), "uses 300 colors"},
        {"negative.bmp", withField(46, -1), "uses -1 colors"},
        {"rle.bmp", PaintBitmaps::data(QStringLiteral("im-rle8.bmp")),
         "is compressed (RLE); save it uncompressed"},
        {"jpeg.bmp", withField(30, 4), "compressed (JPEG)"},
        {"os2v2.bmp", withField(14, 64), "info header is 64 bytes long"},
        {"inside.bmp", withField(10, 1000),
         "start at byte 1000, inside its headers and color "
         "table, which end at byte 1078"},
        {"short.bmp", HandBitmap::bitmap8(7, 4, table, pixels).left(1078 + 27),
         "too short for 7 x 4 pixels from byte 1078"},
        {"farpixels.bmp", withField(10, 5000), "too short for 7 x 4 pixels from byte 5000"},
        {"tiny.bmp", QByteArray("BM\x10\0", 4), "too short for the 18 header bytes"},
        {"zip.bmp", QByteArray(60, 'P'), "not a bitmap"},
    };
    for (const Case &c : cases) {
        const QString bmp = home.write(QString::fromLatin1(c.name), c.file);
        int number = 0;
        const QString text = refusal([&] { import(gob, bmp, true); }, &number);
        EXPECT_TRUE(text.startsWith(bmp + QStringLiteral("\r\n"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.says))) << text.toStdString();
        EXPECT_EQ(number, 481) << c.name;
        EXPECT_EQ(Bytes::sha256(gob.path), before) << c.name;
    }

    // A record that reaches past the end of the GOB file, and a bitmap that is missing.
    const QString fine =
        home.write(QStringLiteral("fine.bmp"), HandBitmap::bitmap8(7, 4, table, pixels));
    const Gob cut = gobWithRecord(home, 7, 4, RecordAt + 112 + 28 + 1000);
    const QByteArray cutBefore = Bytes::sha256(cut.path);
    EXPECT_TRUE(refusal([&] { import(cut, fine, true); }).contains(QStringLiteral("past the end")));
    EXPECT_EQ(Bytes::sha256(cut.path), cutBefore);
    const QString missing = home.file(QStringLiteral("none.bmp"));
    EXPECT_TRUE(refusal([&] { import(gob, missing, true); }).contains(missing));
    EXPECT_EQ(MainModule::openFileCount(), 0);
}

TEST(BitmapImport, StoredSizeIsReadBeforeTheChecks)
{
    TestHome home;
    const Gob gob = gobWithRecord(home, 12, 5);
    const QString rgb =
        home.write(QStringLiteral("rgb.bmp"), HandBitmap::bitmap24(3, 3, QList<QRgb>(9, 0)));
    ImageRecord::Size stored;
    EXPECT_THROW(BitmapImport::check(gob.path, CatalogueOffset, rgb, &stored), Failure);
    EXPECT_EQ(stored.width, 12);
    EXPECT_EQ(stored.height, 5);
}
