#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"
#include "refusal.h"
#include "testhome.h"

#include "records/bitmapimport.h"
#include "records/recordextraction.h"
#include "services/failure.h"
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

    // A top-down bitmap of the right size has a negative height.
    const QString topDown = home.write(QStringLiteral("topdown.bmp"),
                                       HandBitmap::bitmap8(128, -256, table, QByteArray(32768, 1)));
    EXPECT_EQ(refusal([&] { import(gob, topDown, true); }),
              topDown + QStringLiteral("\r\nHeight is not same as the image"));

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

TEST(BitmapImport, SixteenColoursAtPixelOffset118ChangeOnlySixteenPaletteEntries)
{
    TestHome home;
    const Gob gob = gobWithRecord(home, 64, 32);
    const QByteArray pixels = Bytes::pattern(64 * 32, 11);
    const QByteArray table = tableOf(16, [](int k) { return 200 + k; });
    const QByteArray file = HandBitmap::bitmap8(64, 32, table, pixels, 16);
    ASSERT_EQ(Bytes::get32(file, 10), 118);
    const QString bmp = home.write(QStringLiteral("sixteen.bmp"), file);
    import(gob, bmp, true);
    QByteArray expected = gob.bytes;
    expected.replace(RecordAt + 112, pixels.size(), pixels);
    expected.replace(RecordAt + 112 + pixels.size(), 64, paletteFrom(table, true));
    EXPECT_EQ(Bytes::readFile(gob.path), expected);
}

TEST(BitmapImport, ExportThenImportWithKeepAlphaLeavesTheGobByteForByteUnchanged)
{
    TestHome home;
    // 10 x 3: no multiple of 4, so the export carries no row padding.
    const QByteArray record = HandGob::imageRecord(
        10, 3, Bytes::pattern(30, 3), HandGob::palette([](int k) { return k % 7 ? 128 : 0; }));
    const QString gob = home.write(QStringLiteral("g_pc.gob"), HandGob::withAt(5000, 777, record));
    const QByteArray before = Bytes::sha256(gob);
    const QString exported = home.file(QStringLiteral("temp.bmp"));
    RecordExtraction::extractImageRecord(gob, 778, exported);
    BitmapImport::write(BitmapImport::check(gob, 778, exported), true);
    EXPECT_EQ(Bytes::sha256(gob), before);

    // Without keep-alpha only the alpha bytes change, to 255.
    BitmapImport::write(BitmapImport::check(gob, 778, exported), false);
    const QByteArray after = Bytes::readFile(gob);
    QByteArray expected = HandGob::withAt(5000, 777, record);
    for (int k = 0; k < 256; ++k)
        expected[777 + 112 + 30 + 4 * k + 3] = char(255);
    EXPECT_EQ(after, expected);
}

TEST(BitmapImport, BitmapsThatWouldCorruptTheRecordAreRefusedBeforeAnythingIsWritten)
{
    TestHome home;
    const Gob gob = gobWithRecord(home, 8, 4);
    const QByteArray before = Bytes::sha256(gob.path);
    const QByteArray table = tableOf(256, alphaRamp);
    const QByteArray pixels(32, 9);
    const auto withField = [&](qsizetype at, qint32 value) {
        QByteArray b = HandBitmap::bitmap8(8, 4, table, pixels);
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
        {"rle.bmp", withField(30, 1), "compressed (compression 1)"},
        {"inside.bmp", withField(10, 20), "start at byte 20"},
        {"short.bmp", HandBitmap::bitmap8(8, 4, table, pixels).left(1078 + 31),
         "too short for 8 x 4 pixels from byte 1078"},
        {"farpixels.bmp", withField(10, 5000), "too short for 8 x 4 pixels from byte 5000"},
        {"table.bmp", HandBitmap::bitmap8(8, 4, QByteArray(), QByteArray(32, 0)).left(80),
         "too short for its color table of 256 colors"},
        {"tiny.bmp", QByteArray("BM\x10\0", 4), "too short for the 54 header bytes"},
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
        home.write(QStringLiteral("fine.bmp"), HandBitmap::bitmap8(8, 4, table, pixels));
    const Gob cut = gobWithRecord(home, 8, 4, RecordAt + 112 + 32 + 1000);
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
