#include "bytes.h"
#include "handgob.h"
#include "refusal.h"
#include "testhome.h"

#include "records/recordextraction.h"
#include "services/failure.h"
#include "services/openfiles.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The scratch bitmap of a record, built by hand from its parts: rows padded with zero bytes.
QByteArray expectedBitmap(qint32 w, qint32 h, const QByteArray &pixels, const QByteArray &rgba)
{
    const int stride = (w + 3) / 4 * 4;
    QByteArray b(1078, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Bytes::put32(b, 2, stride * h + 1078);
    Bytes::put32(b, 10, 1078);
    Bytes::put32(b, 14, 40);
    Bytes::put32(b, 18, w);
    Bytes::put32(b, 22, h);
    Bytes::put16(b, 26, 1);
    Bytes::put16(b, 28, 8);
    Bytes::put32(b, 34, stride * h);
    for (int k = 0; k < 256; ++k) {
        b[54 + 4 * k] = rgba[4 * k + 2];
        b[55 + 4 * k] = rgba[4 * k + 1];
        b[56 + 4 * k] = rgba[4 * k];
        b[57 + 4 * k] = rgba[4 * k + 3];
    }
    for (int y = 0; y < h; ++y)
        b += pixels.mid(y * w, w) + QByteArray(stride - w, '\0');
    return b;
}

} // namespace

TEST(Extraction, ImageRecordAtAnOddOffsetIsWrittenByteForByte)
{
    TestHome home;
    const QByteArray pixels = Bytes::pattern(64 * 64, 3);
    const QByteArray rgba = HandGob::palette([](int k) { return k % 3 == 0 ? 0 : 128; });
    // Record at 0-based 4999: catalogue offset 5000.
    const QString gob =
        home.write(QStringLiteral("g_pc.gob"),
                   HandGob::withAt(20001, 4999, HandGob::imageRecord(64, 64, pixels, rgba)));
    const QString scratch = home.file(QStringLiteral("temp.bmp"));
    const ImageRecord::Size size = RecordExtraction::extractImageRecord(gob, 5000, scratch);
    EXPECT_EQ(size.width, 64);
    EXPECT_EQ(size.height, 64);
    const QByteArray written = Bytes::readFile(scratch);
    EXPECT_EQ(written.size(), 5174);
    EXPECT_EQ(Bytes::get32(written, 2), 5174);
    EXPECT_EQ(Bytes::get32(written, 34), 4096);
    EXPECT_EQ(written, expectedBitmap(64, 64, pixels, rgba));
    EXPECT_EQ(MainModule::openFileCount(), 0);
}

TEST(Extraction, TenByThreeRecordHasPaddedRowsThatQtReadsAndTheTableIsBlueGreenRedAlpha)
{
    TestHome home;
    const QByteArray pixels = Bytes::pattern(30, 1);
    QByteArray rgba = HandGob::palette();
    rgba.replace(0, 4, Bytes::of({10, 20, 30, 0}));
    const QString gob =
        home.write(QStringLiteral("g_pc.gob"),
                   HandGob::withAt(3000, 777, HandGob::imageRecord(10, 3, pixels, rgba)));
    const QString scratch = home.file(QStringLiteral("temp.bmp"));
    RecordExtraction::extractImageRecord(gob, 778, scratch);
    const QByteArray written = Bytes::readFile(scratch);
    EXPECT_EQ(written.size(), 1078 + 36);
    EXPECT_EQ(written.mid(54, 4), Bytes::of({30, 20, 10, 0}));
    EXPECT_EQ(written, expectedBitmap(10, 3, pixels, rgba));
    // Another bitmap reader shows the record: its first row at the bottom.
    const QImage read(scratch);
    ASSERT_EQ(read.size(), QSize(10, 3));
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(read.pixelIndex(i % 10, 2 - i / 10), quint8(pixels[i])) << i;
}

TEST(Extraction, BadRecordsAreRefusedBeforeTempBmpIsMadeAndTheGobIsUntouched)
{
    TestHome home;
    const QByteArray rgba = HandGob::palette();
    struct Case
    {
        qint32 w, h;
        qsizetype gobSize;
        const char *says;
    } cases[] = {
        {0, 10, 4000, "0 x 10"},
        {10, -4, 4000, "10 x -4"},
        {16385, 16384, 4000, "16385 x 16384"},
        {64, 64, 4000, "past the end"}, // the record needs 5232 bytes from 1000
    };
    for (const Case &c : cases) {
        QByteArray record = HandGob::imageRecord(c.w, c.h, QByteArray(), QByteArray());
        const QString gob =
            home.write(QStringLiteral("g_pc.gob"), HandGob::withAt(c.gobSize, 1000, record));
        const QByteArray before = Bytes::sha256(gob);
        const QString scratch = home.write(QStringLiteral("temp.bmp"), "old picture");
        ImageRecord::Size stored;
        const QString text =
            refusal([&] { RecordExtraction::extractImageRecord(gob, 1001, scratch, &stored); });
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.says))) << text.toStdString();
        EXPECT_FALSE(Bytes::exists(scratch)) << c.says;
        EXPECT_EQ(Bytes::sha256(gob), before);
        EXPECT_EQ(stored.width, c.w);
    }
    // A header beyond the end of the file, and a missing GOB file.
    const QString small = home.write(QStringLiteral("s_pc.gob"), QByteArray(50, 'x'));
    EXPECT_TRUE(refusal([&] {
                    RecordExtraction::extractImageRecord(small, 1,
                                                         home.file(QStringLiteral("t.bmp")));
                }).contains(QStringLiteral("past the end")));
    const QString missing = home.file(QStringLiteral("none_pc.gob"));
    EXPECT_TRUE(refusal([&] {
                    RecordExtraction::extractImageRecord(missing, 1,
                                                         home.file(QStringLiteral("t.bmp")));
                }).contains(missing));
}

TEST(Extraction, WholeFileAreaIsCopiedAsStoredAndSavedWithoutTrailingZeros)
{
    TestHome home;
    QByteArray file = Bytes::pattern(5000, 9);
    file[4999] = char(0x42); // like the checksum that ends a PNG
    file[100] = 0; // zeros inside the file stay
    QByteArray area = file + QByteArray(12288 - 5000, '\0');
    const QString gob = home.write(QStringLiteral("g_pc.gob"), HandGob::withAt(30001, 2047, area));
    const QByteArray before = Bytes::sha256(gob);
    const QString scratch = home.file(QStringLiteral("temp.bmp"));
    RecordExtraction::extractWholeFileRecord(gob, 2048, 12288, scratch);
    EXPECT_EQ(Bytes::readFile(scratch), area);
    const QString target = home.file(QStringLiteral("logo.png"));
    home.write(QStringLiteral("logo.png"), QByteArray(20000, 'z')); // replaced entirely
    RecordExtraction::saveWholeFileCopy(scratch, target);
    EXPECT_EQ(Bytes::readFile(target), file);
    EXPECT_EQ(Bytes::sha256(gob), before);

    // An area of zeros saves as an empty file.
    const QString zeros = home.write(QStringLiteral("z_pc.gob"), QByteArray(9000, '\0'));
    RecordExtraction::extractWholeFileRecord(zeros, 1, 4096, scratch);
    EXPECT_EQ(Bytes::readFile(scratch).size(), 4096);
    RecordExtraction::saveWholeFileCopy(scratch, target);
    EXPECT_TRUE(Bytes::exists(target));
    EXPECT_EQ(Bytes::readFile(target).size(), 0);

    // An area that reaches past the end is refused and leaves no scratch file.
    EXPECT_TRUE(refusal([&] {
                    RecordExtraction::extractWholeFileRecord(zeros, 8000, 2048, scratch);
                }).contains(QStringLiteral("past the end")));
    EXPECT_FALSE(Bytes::exists(scratch));
}

TEST(Extraction, SaveAsNamesFollowTheExtensionRules)
{
    using RecordExtraction::bitmapTarget;
    using RecordExtraction::wholeFileTarget;
    EXPECT_EQ(bitmapTarget(QStringLiteral("/a/kit.bmp")), QStringLiteral("/a/kit.bmp"));
    EXPECT_EQ(bitmapTarget(QStringLiteral("/a/kit.BMP")), QStringLiteral("/a/kit.BMP.bmp"));
    EXPECT_EQ(bitmapTarget(QStringLiteral("/a/kit")), QStringLiteral("/a/kit.bmp"));
    EXPECT_EQ(wholeFileTarget(QStringLiteral("/a/logo.png"), QStringLiteral("png")),
              QStringLiteral("/a/logo.png"));
    EXPECT_EQ(wholeFileTarget(QStringLiteral("/a/logopng"), QStringLiteral("png")),
              QStringLiteral("/a/logopng"));
    EXPECT_EQ(wholeFileTarget(QStringLiteral("/a/logo"), QStringLiteral("PNG")),
              QStringLiteral("/a/logo.png"));
    // A type name that is not three characters long is always appended.
    EXPECT_EQ(wholeFileTarget(QStringLiteral("/a/pic.jpeg"), QStringLiteral("jpeg")),
              QStringLiteral("/a/pic.jpeg.jpeg"));
    EXPECT_EQ(wholeFileTarget(QStringLiteral("/a/pic.gz"), QStringLiteral("gz")),
              QStringLiteral("/a/pic.gz.gz"));
}
