#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"
#include "paintbitmaps.h"
#include "refusal.h"
#include "testhome.h"

#include "records/bitmapimport.h"
#include "records/recordextraction.h"
#include "services/imagefile.h"
#include "services/imaging.h"
#include "services/openfiles.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype RecordAt = 1001; // 0-based; catalogue offset 1002

// A GOB file with a record of w x h at RecordAt; returns its bytes.
QByteArray gobWithRecord(const TestHome &home, qint32 w, qint32 h)
{
    const QByteArray record =
        HandGob::imageRecord(w, h, Bytes::pattern(qsizetype(w) * h, 77),
                             HandGob::palette([](int k) { return k % 7 ? 128 : 0; }));
    const QByteArray bytes = HandGob::withAt(RecordAt + record.size() + 500, RecordAt, record);
    home.write(u"g_pc.gob"_s, bytes);
    return bytes;
}

void importBitmap(const TestHome &home, const QString &bitmap, bool keepAlpha,
                  const std::function<void()> &events = {})
{
    BitmapImport::write(BitmapImport::check(home.file(u"g_pc.gob"_s), RecordAt + 1, bitmap),
                        keepAlpha, events);
}

} // namespace

// The record's own export goes back byte for byte: every width's padding, whole and partial
// blocks of 2048 pixels, the exports of older versions (rows without padding) too; without
// keep-alpha only the alpha bytes change, to 255.
TEST(BitmapImport, ExportThenImportLeavesTheGobByteForByteUnchanged)
{
    TestHome home;
    const QString gob = home.file(u"g_pc.gob"_s), exported = home.file(u"temp.bmp"_s);
    QList<std::pair<int, int>> sizes = {{256, 128}, {98, 50}};
    for (int w = 1; w <= 9; ++w)
        sizes << std::pair(w, 3);
    for (const auto &[w, h] : sizes) {
        const QByteArray bytes = gobWithRecord(home, w, h);
        RecordExtraction::extractImageRecord(gob, RecordAt + 1, exported);
        int events = 0;
        importBitmap(home, exported, true, [&] { ++events; });
        EXPECT_EQ(events, 1);
        EXPECT_EQ(Bytes::readFile(gob), bytes) << w;
        const QString old =
            home.write(u"old.bmp"_s,
                       Bytes::readFile(exported).left(1078) + Bytes::pattern(qsizetype(w) * h, 77));
        importBitmap(home, old, true);
        EXPECT_EQ(Bytes::readFile(gob), bytes) << w;
        EXPECT_EQ(MainModule::openFileCount(), 0);

        importBitmap(home, exported, false);
        QByteArray expected = bytes;
        for (int k = 0; k < 256; ++k)
            expected[RecordAt + 112 + w * h + 4 * k + 3] = char(255);
        EXPECT_EQ(Bytes::readFile(gob), expected) << w;
    }
}

TEST(BitmapImport, BitmapsAsPaintProgramsWriteThemGoInAsTheConfirmationShowsThem)
{
    TestHome home;
    for (const PaintBitmaps::Case &c : PaintBitmaps::all()) {
        const QByteArray before = gobWithRecord(home, c.w, c.h);
        const QString bmp = home.write(c.name, c.file);
        QString info = bmp;
        qint32 w = 0, h = 0, format = 0;
        MainModule::GetImageInfo(w, h, format, info);
        EXPECT_EQ(std::tuple(w, h, format), std::tuple(c.w, c.h, 198659)) << c.name.toStdString();
        const std::optional<ImageFile::Loaded> shown = ImageFile::load(bmp);
        ASSERT_TRUE(shown) << c.name.toStdString();
        importBitmap(home, bmp, true);

        // Only the pixels and the entries the file holds change; record row y is picture row
        // h - 1 - y, and its pixels name entries of the picture's colours and alphas.
        const QByteArray after = Bytes::readFile(home.file(u"g_pc.gob"_s));
        const qsizetype pixels = RecordAt + 112, palette = pixels + c.w * c.h;
        EXPECT_EQ(after.left(pixels), before.left(pixels));
        EXPECT_EQ(after.mid(palette + 4 * c.entries), before.mid(palette + 4 * c.entries))
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

// Refusals come in their order with failure 481 and a text naming the bitmap, before anything
// is written; the record's size is read before the checks.
TEST(BitmapImport, BitmapsThatDoNotFitTheRecordAreRefusedBeforeAnythingIsWritten)
{
    TestHome home;
    const QByteArray before = gobWithRecord(home, 7, 4);
    const QByteArray table = Bytes::pattern(1024, 1), pixels(28, 9);
    const auto withField = [&](qsizetype at, qint32 value) {
        QByteArray b = HandBitmap::bitmap8(7, 4, table, pixels);
        Bytes::put32(b, at, value);
        return b;
    };
    const auto rgb = [](int w, int h) { return HandBitmap::bitmap24(w, h, QList<QRgb>(w * h, 0)); };
    const struct
    {
        const char *name;
        QByteArray file;
        const char *says;
    } cases[] = {
        {"wide.bmp", HandBitmap::bitmap8(8, 4, table, QByteArray(32, 1)),
         "\r\nWidth is not same as the image"},
        {"tall.bmp", withField(22, -5), "\r\nHeight is not same as the image"},
        {"rgb.bmp", rgb(7, 4), " is not a 256 color image"},
        {"rgbwide.bmp", rgb(4, 4), "\r\nWidth is not same as the image"}, // the width comes first
        {"many.bmp", withField(46, 300), "uses 300 colors"},
        {"negative.bmp", withField(46, -1), "uses -1 colors"},
        {"rle.bmp", PaintBitmaps::data(u"im-rle8.bmp"_s),
         "is compressed (RLE); save it uncompressed"},
        {"jpeg.bmp", withField(30, 4), "compressed (JPEG)"},
        {"os2v2.bmp", withField(14, 64), "OS/2 2.x header of 64 bytes, with no alpha byte"},
        {"inside.bmp", withField(10, 1000),
         "start at byte 1000, inside its headers and color table, which end at byte 1078"},
        {"short.bmp", HandBitmap::bitmap8(7, 4, table, pixels).left(1078 + 27),
         "too short for 7 x 4 pixels from byte 1078"},
        {"farpixels.bmp", withField(10, 5000), "too short for 7 x 4 pixels from byte 5000"},
        {"tiny.bmp", QByteArray("BM\x10\0", 4), "too short for the 18 header bytes"},
        {"zip.bmp", QByteArray(60, 'P'), "not a bitmap"},
    };
    for (const auto &c : cases) {
        const QString bmp = home.write(QString::fromLatin1(c.name), c.file);
        FailureNumber number {};
        ImageRecord::Size stored;
        const QString text = refusal(
            [&] { BitmapImport::check(home.file(u"g_pc.gob"_s), RecordAt + 1, bmp, &stored); },
            &number);
        EXPECT_TRUE(text.startsWith(bmp) && text.contains(QString::fromLatin1(c.says)))
            << text.toStdString();
        EXPECT_EQ(int(number), 481) << c.name;
        EXPECT_EQ(std::pair(stored.width, stored.height), std::pair(7, 4));
    }
    const QString missing = home.file(u"none.bmp"_s);
    EXPECT_TRUE(refusal([&] { importBitmap(home, missing, true); }).contains(missing));
    EXPECT_EQ(Bytes::readFile(home.file(u"g_pc.gob"_s)), before);
    EXPECT_EQ(MainModule::openFileCount(), 0);
}
