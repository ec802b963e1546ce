#include "bytes.h"
#include "handbitmap.h"
#include "paintbitmaps.h"
#include "refusal.h"
#include "testhome.h"

#include "services/imagefile.h"

#include <QDir>

#include <functional>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Picture = std::function<QRgb(int x, int y)>;

// tests/data/picture-7x4.ppm and grey-7x4.pgm, and the palette pictures of the PIL commands:
// entry i is red 15i, green 255 - 13i, blue 7i, pixel (x, y) entry (x + 2y) mod n.
QRgb rgb(int x, int y)
{
    return qRgb(40 * x + 5, 80 * y + 10, (9 * x * y + 3) & 0xFF);
}

int grey(int x, int y)
{
    return 30 * x + 20 * y + 5;
}

Picture palette(int n)
{
    return [n](int x, int y) {
        const int i = (x + 2 * y) % n;
        return qRgb(15 * i, 255 - 13 * i, 7 * i);
    };
}

// A bitmap header with the compression field and the colours used set, then table and data.
QByteArray compressed(int w, int h, quint16 bits, qint32 compression, const QByteArray &table,
                      const QByteArray &data)
{
    const qint32 offset = qint32(54 + table.size());
    QByteArray b = HandBitmap::header(w, h, bits, offset, offset + data.size()) + table + data;
    Bytes::put32(b, 30, compression);
    Bytes::put32(b, 46, qint32(table.size() / 4));
    return b;
}

QString dataFile(const char *name)
{
    return QStringLiteral(KESTRIX_TEST_DATA "/") + QString::fromLatin1(name);
}

const QList<QRgb> Four = {qRgb(10, 0, 0), qRgb(20, 0, 0), qRgb(30, 0, 0), qRgb(40, 0, 0)};

} // namespace

// Every depth, colour type, interlacing and tRNS kind as other programs write them, decoded to the
// picture each command was given (worked out here from the commands in tests/data/README.md).
TEST(PictureReaders, FilesOfOtherProgramsAreReadAsTheyLook)
{
    const auto g = [](int x, int y) { return qRgb(grey(x, y), grey(x, y), grey(x, y)); };
    // 16-bit channels of k * 257 + 1 scale to k; the first pixel is the tRNS colour, the second
    // differs from it only in its low red byte and stays opaque.
    const QList<QRgb> hand16 = {qRgba(18, 86, 154, 0), qRgb(18, 86, 154), qRgb(255, 0, 128),
                                qRgb(1, 2, 3),         qRgb(0, 0, 0),     qRgb(127, 48, 200)};
    const struct
    {
        const char *file;
        Picture picture;
        int tolerance = 0;
    } cases[] = {
        {"pil-rgb.png", rgb},
        {"im-rgb16.png", rgb},
        {"im-rgb-interlaced.png", rgb},
        {"im-rgba16.png", [](int x, int y) { return (rgb(x, y) & 0xFFFFFF) | 128u << 24; }},
        {"pil-rgb-trns.png",
         [](int x, int y) { return x == 2 && y == 1 ? rgb(x, y) & 0xFFFFFF : rgb(x, y); }},
        {"pil-grey8.png", g},
        {"pil-grey16.png", g},
        {"pil-grey8-trns.png", [&](int x, int y) { return grey(x, y) == 65 ? 0x414141 : g(x, y); }},
        {"pil-la.png",
         [&](int x, int y) { return (g(x, y) & 0xFFFFFF) | quint32(36 * x + 10 * y) << 24; }},
        {"pil-grey1.png",
         [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }},
        {"pil-1bit.bmp",
         [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }},
        {"pil-p1.png", palette(2)},
        {"pil-p2.png", palette(4)},
        {"pil-p4.png", palette(16)},
        {"im-p4-interlaced.png", palette(16)},
        {"im-4bit.bmp", palette(16)},
        {"im-24.bmp", rgb},
        {"im-rgb565.bmp", rgb, 8}, // 5 and 6 bits a channel
        {"hand-rgb16-trns.png", [&](int x, int y) { return hand16[3 * y + x]; }},
    };
    for (const auto &c : cases) {
        const QImage image =
            ImageFile::read(dataFile(c.file)).image.convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << c.file;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb want = c.picture(x, y), got = image.pixel(x, y);
                for (int shift : {24, 16, 8, 0})
                    ASSERT_LE(std::abs(int(want >> shift & 255) - int(got >> shift & 255)),
                              c.tolerance)
                        << c.file << " at " << x << ", " << y << ": " << std::hex << got;
            }
    }
}

// Run-length bitmaps are decoded with every run checked; what the readers cannot take is
// refused with why, before anything is compared with a record.
TEST(PictureReaders, DamagedAndUnusualFilesAreRefusedWithTheirReason)
{
    TestHome home;
    const QByteArray table = HandBitmap::colourTable(Four, 4);
    // 3 x 2: stored row 0 (the bottom) three of entry 1, row 1 entries 1, 2, 3 written plainly.
    const QByteArray rle8 =
        compressed(3, 2, 8, 1, table, Bytes::of({3, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1}));
    const QByteArray rle4 =
        compressed(3, 2, 4, 2, table, Bytes::of({3, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1}));
    const struct
    {
        QString name;
        QByteArray bytes;
        QList<QRgb> picture; // top row first
    } good[] = {
        {u"rle8.bmp"_s, rle8, {Four[1], Four[2], Four[3], Four[1], Four[1], Four[1]}},
        {u"rle4.bmp"_s, rle4, {Four[3], Four[1], Four[2], Four[1], Four[2], Four[1]}},
    };
    for (const auto &c : good) {
        const QImage image = ImageFile::read(home.write(c.name, c.bytes)).image;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(image.pixel(i % 3, i / 3), c.picture[i]) << c.name.toStdString() << i;
    }

    QByteArray os2v2 = HandBitmap::header(2, 2, 8, 54, 70);
    Bytes::put32(os2v2, 14, 16);
    QByteArray tooManyColours =
        HandBitmap::header(2, 2, 4, 54 + 80, 54 + 88) + QByteArray(88, '\0');
    Bytes::put32(tooManyColours, 46, 20);
    const QByteArray rows4 = QByteArray(16, '\0');
    const struct
    {
        QString name;
        QByteArray bytes;
        QString reason;
    } refused[] = {
        {u"2bit.bmp"_s, HandBitmap::header(4, 2, 2, 70, 78) + table + rows4.left(8),
         u"The bitmap has 2 bits per pixel; Kestrix reads 1, 4, 8, 16, 24 and 32."_s},
        {u"64bit.bmp"_s, HandBitmap::header(1, 1, 64, 54, 62) + rows4.left(8),
         u"The bitmap has 64 bits per pixel; Kestrix reads 1, 4, 8, 16, 24 and 32."_s},
        {u"os2v2.bmp"_s, os2v2 + rows4,
         u"The bitmap has an OS/2 2.x header of 16 bytes, with no alpha byte; Kestrix reads "
         "headers of 12, 40, 52, 56, 108 and 124 bytes. Save it as a Windows bitmap and load it "
         "again."_s},
        {u"jpeg.bmp"_s, compressed(2, 2, 24, 4, {}, "\xFF\xD8\xFF\xE0"),
         u"The bitmap is compressed (JPEG); save it uncompressed and try again."_s},
        {u"png.bmp"_s, compressed(2, 2, 24, 5, {}, "\x89PNG"),
         u"The bitmap is compressed (PNG); save it uncompressed and try again."_s},
        {u"colours.bmp"_s, tooManyColours,
         u"The bitmap says it uses 20 colors, which 4 bits per pixel cannot name."_s},
        {u"past.bmp"_s, compressed(2, 2, 8, 0, table, Bytes::of({0, 1, 0, 0, 3, 7, 0, 0})),
         u"The pixel at 1, 0 uses color 7, but the bitmap's color table holds 4 colors."_s},
        {u"row8.bmp"_s, compressed(3, 2, 8, 1, table, Bytes::of({3, 1, 0, 0, 4, 1, 0, 1})),
         u"The run at byte 74 passes the end of stored row 1."_s},
        {u"row4.bmp"_s, compressed(3, 2, 4, 2, table, Bytes::of({4, 0x12, 0, 1})),
         u"The run at byte 70 passes the end of stored row 0."_s},
        {u"picture8.bmp"_s,
         compressed(3, 2, 8, 1, table, Bytes::of({3, 1, 0, 0, 3, 1, 0, 0, 3, 1, 0, 1})),
         u"The run at byte 78 passes the end of the picture."_s},
        {u"short8.bmp"_s, compressed(3, 2, 8, 1, table, Bytes::of({3, 1, 0, 0, 0, 3, 1})),
         u"The file ends at byte 77, before its runs fill the picture."_s},
    };
    for (const auto &c : refused) {
        const QString path = home.write(c.name, c.bytes);
        EXPECT_EQ(refusal([&] { ImageFile::read(path); }), path + u"\r\n"_s + c.reason);
    }

    const std::pair<const char *, QString> damagedPng[] = {
        {"bad-crc.png", u"IDAT: CRC error"_s},
        {"cut-idat.png", u"the file ends before its last chunk"_s},
        {"bad-ihdr.png", u"Invalid IHDR data"_s},
    };
    for (const auto &c : damagedPng) {
        const QString path = dataFile(c.first);
        EXPECT_EQ(refusal([&] { ImageFile::read(path); }),
                  path + u"\r\nThe PNG file is damaged: %1."_s.arg(c.second));
    }

    QDir().mkpath(home.file(u"folder"_s));
    const std::pair<QString, QString> paths[] = {
        {home.file(u"none.png"_s), u" cannot be opened: No such file or directory."_s},
        {home.write(u"empty.png"_s, {}), u" is empty: it holds no picture."_s},
        {home.file(u"folder"_s), u" cannot be opened: it is a folder."_s},
    };
    for (const auto &c : paths)
        EXPECT_EQ(refusal([&] { ImageFile::read(c.first); }), c.first + c.second);
}
