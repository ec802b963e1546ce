#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"
#include "refusal.h"
#include "testhome.h"

#include "records/recordextraction.h"
#include "services/openfiles.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The scratch bitmap of a record, built by hand from its parts: rows padded with zero bytes.
QByteArray expectedBitmap(qint32 w, qint32 h, const QByteArray &pixels, const QByteArray &rgba)
{
    const int stride = (w + 3) / 4 * 4;
    QByteArray b = HandBitmap::header(w, h, 8, 1078, stride * h + 1078);
    Bytes::put32(b, 34, stride * h);
    for (int k = 0; k < 256; ++k)
        b += Bytes::of({rgba[4 * k + 2], rgba[4 * k + 1], rgba[4 * k], rgba[4 * k + 3]});
    for (int y = 0; y < h; ++y)
        b += pixels.mid(y * w, w) + QByteArray(stride - w, '\0');
    return b;
}

} // namespace

TEST(Extraction, ImageRecordsBecomeBitmapsWithPaddedRowsAndABlueGreenRedAlphaTable)
{
    TestHome home;
    const QString scratch = home.file(u"temp.bmp"_s);
    // Whole blocks at an odd offset, and rows that need padding.
    for (const auto &[w, h, at] : {std::tuple(64, 64, 4999), std::tuple(10, 3, 777)}) {
        const QByteArray pixels = Bytes::pattern(w * h, w);
        const QByteArray rgba = HandGob::palette([](int k) { return k % 3 == 0 ? 0 : 128; });
        const QString gob = home.write(
            u"g_pc.gob"_s, HandGob::withAt(20001, at, HandGob::imageRecord(w, h, pixels, rgba)));
        const ImageRecord::Size size = RecordExtraction::extractImageRecord(gob, at + 1, scratch);
        EXPECT_EQ(std::pair(size.width, size.height), std::pair(w, h));
        EXPECT_EQ(Bytes::readFile(scratch), expectedBitmap(w, h, pixels, rgba)) << w;
        EXPECT_EQ(MainModule::openFileCount(), 0);
    }
}

TEST(Extraction, BadRecordsAreRefusedBeforeTempBmpIsMadeAndTheGobIsUntouched)
{
    TestHome home;
    const QString scratch = home.file(u"temp.bmp"_s);
    const struct
    {
        qint32 w, h;
        qsizetype gobSize;
        const char *says;
    } cases[] = {
        {0, 10, 4000, "0 x 10"},
        {10, -4, 4000, "10 x -4"},
        {16385, 16384, 4000, "16385 x 16384"},
        {8, 8, 1050, "past the end"}, // the header itself lies past the end
    };
    for (const auto &c : cases) {
        const QString gob =
            home.write(u"g_pc.gob"_s,
                       HandGob::withAt(c.gobSize, 1000, HandGob::imageRecord(c.w, c.h, {}, {}))
                           .left(c.gobSize));
        const QByteArray before = Bytes::readFile(gob);
        home.write(u"temp.bmp"_s, "old picture");
        ImageRecord::Size stored;
        const QString text =
            refusal([&] { RecordExtraction::extractImageRecord(gob, 1001, scratch, &stored); });
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.says))) << text.toStdString();
        EXPECT_FALSE(Bytes::exists(scratch)) << c.says;
        EXPECT_EQ(Bytes::readFile(gob), before);
        EXPECT_EQ(stored.width, c.gobSize > 1100 ? c.w : 0);
    }
    const QString missing = home.file(u"none_pc.gob"_s);
    EXPECT_TRUE(refusal([&] {
                    RecordExtraction::extractImageRecord(missing, 1, scratch);
                }).contains(missing));
}

TEST(Extraction, WholeFileAreaIsCopiedAsStoredAndSavedWithoutTrailingZerosUnderItsName)
{
    TestHome home;
    QByteArray file = Bytes::pattern(5000, 9);
    file[4999] = char(0x42); // like the checksum that ends a PNG
    file[100] = 0; // zeros inside the file stay
    const QByteArray area = file + QByteArray(12288 - 5000, '\0');
    const QString scratch = home.file(u"temp.bmp"_s);
    const QString target = home.write(u"logo.png"_s, QByteArray(20000, 'z'));
    // An area of zeros saves as an empty file.
    for (const QByteArray &stored : {area, QByteArray(4096, '\0')}) {
        const QString gob = home.write(u"g_pc.gob"_s, HandGob::withAt(30001, 2047, stored));
        const QByteArray before = Bytes::readFile(gob);
        RecordExtraction::extractWholeFileRecord(gob, 2048, qint32(stored.size()), scratch);
        EXPECT_EQ(Bytes::readFile(scratch), stored);
        RecordExtraction::saveWholeFileCopy(scratch, target); // the longer file goes entirely
        EXPECT_TRUE(Bytes::exists(target));
        EXPECT_EQ(Bytes::readFile(target), stored == area ? file : QByteArray());
        EXPECT_EQ(Bytes::readFile(gob), before);
    }

    // The names Save As gives. No type: a bitmap entry. A type name that is not three
    // characters long is always appended.
    const char *cases[][3] = {
        {"/a/kit.bmp", "", "/a/kit.bmp"},
        {"/a/kit.BMP", "", "/a/kit.BMP.bmp"},
        {"/a/kit", "", "/a/kit.bmp"},
        {"/a/logo.png", "png", "/a/logo.png"},
        {"/a/logopng", "png", "/a/logopng"},
        {"/a/logo", "PNG", "/a/logo.png"},
        {"/a/p.jpeg", "jpeg", "/a/p.jpeg.jpeg"},
        {"/a/p.gz", "gz", "/a/p.gz.gz"},
    };
    for (const auto &[chosen, type, expected] : cases) {
        const QString path = QString::fromLatin1(chosen), t = QString::fromLatin1(type);
        EXPECT_EQ(t.isEmpty() ? RecordExtraction::bitmapTarget(path)
                              : RecordExtraction::wholeFileTarget(path, t),
                  QString::fromLatin1(expected));
    }
}
