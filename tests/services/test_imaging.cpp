#include "bytes.h"
#include "handbitmap.h"
#include "paintbitmaps.h"
#include "testhome.h"

#include "services/apppath.h"
#include "services/failure.h"
#include "services/imagefile.h"
#include "services/imaging.h"

#include <QImage>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// Six distinct colours, A B C on the top row and D E F below.
const std::map<char, QRgb> Colours = {
    {'A', qRgb(255, 0, 0)},   {'B', qRgb(0, 255, 0)},   {'C', qRgb(0, 0, 255)},
    {'D', qRgb(255, 255, 0)}, {'E', qRgb(0, 255, 255)}, {'F', qRgb(255, 0, 255)},
};
const QRgb Background = MainModule::PreviewBackground;

QList<QRgb> picture3x2()
{
    QList<QRgb> p;
    for (char c : QByteArrayLiteral("ABCDEF"))
        p << Colours.at(c);
    return p;
}

// The same picture as an 8-bit bitmap of width 3: rows as stored (bottom row first), no padding.
QByteArray picture3x2Indexed()
{
    QList<QRgb> table;
    for (char c : QByteArrayLiteral("ABCDEF"))
        table << (Colours.at(c) | 0xFF000000);
    return HandBitmap::bitmap8(3, 2, HandBitmap::colourTable(table), Bytes::of({3, 4, 5, 0, 1, 2}));
}

// What the canvas shows at the top-left corner, row by row ("DA/EB/FC"); '.' for background.
QString shown(const Canvas &canvas, int w, int h)
{
    QStringList rows;
    for (int y = 0; y < h; ++y) {
        rows << QString();
        for (int x = 0; x < w; ++x) {
            const QRgb p = canvas.pixel(x, y) | 0xFF000000;
            QChar letter = p == (Background | 0xFF000000) ? u'.' : u'?';
            for (const auto &[name, colour] : Colours)
                letter = colour == p ? QChar::fromLatin1(name) : letter;
            rows.last() += letter;
        }
    }
    return rows.join(u'/');
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= 1 && qAbs(qGreen(a) - qGreen(b)) <= 1
        && qAbs(qBlue(a) - qBlue(b)) <= 1;
}

// Colour c of alpha a over the background, worked out by hand.
QRgb over(QRgb c, int a)
{
    const auto mix = [a](int s, int d) { return (s * a + d * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(c), qRed(Background)), mix(qGreen(c), qGreen(Background)),
                mix(qBlue(c), qBlue(Background)));
}

// A PNG chunk: length, type, data and the CRC-32 of type and data.
QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type) + data;
    quint32 crc = 0xFFFFFFFF;
    for (char byte : body) {
        crc ^= quint8(byte);
        for (int k = 0; k < 8; ++k)
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320 : 0);
    }
    const auto bigEndian = [](quint32 v) {
        return Bytes::of({int(v >> 24), int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)});
    };
    return bigEndian(quint32(data.size())) + body + bigEndian(~crc);
}

} // namespace

// At its own size with the background beyond the turned picture, and stretched to a fixed
// 200 x 200 (sampled in the middle of each cell; no pixel of another colour).
TEST(Imaging, EightRotateFlipCodesTurnThenMirrorAndOddCodesExchangeTheSides)
{
    TestHome home;
    const QString files[] = {home.write(u"rgb.bmp"_s, HandBitmap::bitmap24(3, 2, picture3x2())),
                             home.write(u"indexed.bmp"_s, picture3x2Indexed())};
    const char *expected[8] = {"ABC./DEF./..../....", "DA../EB../FC../....", "FED./CBA./..../....",
                               "CF../BE../AD../....", "CBA./FED./..../....", "AD../BE../CF../....",
                               "DEF./ABC./..../....", "FC../EB../DA../...."};
    for (QString file : files) {
        for (int code = 0; code < 8; ++code) {
            Canvas canvas(QSize(5, 5), QColor::fromRgb(Background));
            qint32 w = 0, h = 0;
            MainModule::DrawImageFile(canvas, false, code, w, h, file);
            EXPECT_EQ(std::pair(w, h), std::pair(3, 2)) << code; // the size before the turn
            EXPECT_EQ(shown(canvas, 4, 4), QString::fromLatin1(expected[code]))
                << file.toStdString() << " code " << code;

            Canvas fixed(QSize(200, 200), QColor::fromRgb(Background));
            w = h = 200;
            MainModule::DrawImageFile(fixed, true, code, w, h, file);
            EXPECT_EQ(std::pair(w, h), std::pair(200, 200)); // the given size stays
            const QString all = shown(fixed, 200, 200);
            const int cols = code % 2 ? 2 : 3, rows = code % 2 ? 3 : 2;
            QString cells;
            for (int i = 0; i < 6; ++i)
                cells += all[((2 * (i / cols) + 1) * 100 / rows) * 201
                             + (2 * (i % cols) + 1) * 100 / cols];
            EXPECT_EQ(cells, QString::fromLatin1(expected[code]).remove(u'.').remove(u'/')) << code;
            EXPECT_FALSE(all.contains(u'.') || all.contains(u'?')) << code;
        }
    }
}

// The alpha of each colour-table entry, wherever the table lies and however few entries it holds.
TEST(Imaging, TransparentDrawBlendsEachColourTableAlphaOverTheBackground)
{
    TestHome home;
    // Stored rows: first 0 1 2 (alpha 0, 128, 255), then three opaque whites.
    const QList<QRgb> table = {qRgba(255, 0, 0, 0), qRgba(0, 255, 0, 128), qRgba(0, 0, 255, 255),
                               qRgba(255, 255, 255, 255)};
    QString file = home.write(
        u"alpha.bmp"_s,
        HandBitmap::bitmap8(3, 2, HandBitmap::colourTable(table), Bytes::of({0, 1, 2, 3, 3, 3})));
    Canvas canvas(QSize(4, 4), QColor::fromRgb(Background));
    MainModule::DrawTransparentBitmap(canvas, false, 0, 0, file);
    // Mirrored top to bottom: the first stored row is on top.
    EXPECT_TRUE(near(canvas.pixel(0, 0), Background));
    EXPECT_TRUE(near(canvas.pixel(1, 0), over(qRgb(0, 255, 0), 128)))
        << std::hex << canvas.pixel(1, 0);
    EXPECT_TRUE(near(canvas.pixel(2, 0), qRgb(0, 0, 255)));
    EXPECT_TRUE(near(canvas.pixel(1, 1), qRgb(255, 255, 255)));
    EXPECT_TRUE(near(canvas.pixel(3, 0), Background)); // drawn at its own size

    // The plain draw ignores the fourth bytes.
    qint32 w = 0, h = 0;
    MainModule::DrawImageFile(canvas, false, MainModule::Rotate180FlipX, w, h, file);
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));

    // Fixed size: stretched to 200 x 200.
    Canvas view(QSize(200, 200), QColor::fromRgb(Background));
    MainModule::DrawTransparentBitmap(view, true, 200, 200, file);
    EXPECT_TRUE(near(view.pixel(10, 10), Background));
    EXPECT_TRUE(near(view.pixel(190, 10), qRgb(0, 0, 255)));
    EXPECT_TRUE(near(view.pixel(190, 190), qRgb(255, 255, 255)));

    // A picture without a palette is shown mirrored and plain.
    file = home.write(u"rgb.bmp"_s, HandBitmap::bitmap24(3, 2, picture3x2()));
    Canvas plain(QSize(4, 4), QColor::fromRgb(Background));
    MainModule::DrawTransparentBitmap(plain, false, 0, 0, file);
    EXPECT_EQ(shown(plain, 4, 3), u"DEF./ABC./...."_s);

    // 16 entries after a 108-byte header and a gap, rows top-down: entry 1 has alpha 0, entry
    // 5 is opaque, entry 0 opaque black.
    QList<QRgb> blues;
    for (int k = 0; k < 16; ++k)
        blues << qRgba(0, 0, 10 * k, 255);
    blues[1] = qRgba(90, 90, 90, 0);
    const QByteArray indexes =
        QByteArray(4, 1) + QByteArray(4, 0) + QByteArray(4, 0) + QByteArray(4, 5);
    file = home.write(
        u"sixteen.bmp"_s,
        HandBitmap::indexed(
            4, 4, indexes, blues,
            {.headerSize = 108, .topDown = true, .entries = 16, .coloursUsed = 16, .gap = 4}));
    const std::optional<ImageFile::Loaded> loaded = ImageFile::load(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->image.colorCount(), 256); // a colour for every index
    Canvas sixteen(QSize(4, 4), QColor::fromRgb(Background));
    MainModule::DrawTransparentBitmap(sixteen, false, 0, 0, file);
    // Mirrored top to bottom: the picture's bottom row is on top.
    EXPECT_EQ(sixteen.pixel(0, 0), qRgb(0, 0, 50));
    EXPECT_EQ(sixteen.pixel(0, 1), qRgb(0, 0, 0));
    EXPECT_EQ(sixteen.pixel(3, 2), qRgb(0, 0, 0));
    EXPECT_TRUE(near(sixteen.pixel(0, 3), Background));
}

TEST(Imaging, MissingFileLeavesTheViewClearedAndEmptyNameMeansTempBmp)
{
    TestHome home;
    Canvas canvas(QSize(4, 4), QColor::fromRgb(Background));
    canvas.setGrowing(true);
    home.write(u"temp.bmp"_s, HandBitmap::bitmap24(3, 2, picture3x2()));
    QString name;
    qint32 w = 0, h = 0;
    MainModule::DrawImageFile(canvas, false, 1, w, h, name);
    EXPECT_EQ(name, MainModule::scratchBitmapPath());
    EXPECT_EQ(shown(canvas, 2, 3), u"DA/EB/FC"_s);

    QString missing = home.file(u"none.bmp"_s);
    w = h = 7;
    MainModule::DrawImageFile(canvas, false, 0, w, h, missing);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(shown(canvas, 4, 4), u"..../..../..../...."_s);

    // A large picture grows the preview's canvas; a clear gives the room back.
    home.write(u"big.bmp"_s, HandBitmap::bitmap24(30, 20, QList<QRgb>(600, 0xFF0000FF)));
    QString big = home.file(u"big.bmp"_s);
    MainModule::DrawImageFile(canvas, false, 1, w, h, big);
    EXPECT_EQ(canvas.size(), QSize(20, 30));
    MainModule::DrawTransparentBitmap(canvas, false, 0, 0, missing);
    EXPECT_EQ(canvas.size(), QSize(4, 4));
    EXPECT_EQ(shown(canvas, 4, 4), u"..../..../..../...."_s);
}

TEST(Imaging, ImageInfoReadsThePixelFormatFromTheFilesOwnHeader)
{
    TestHome home;
    const auto info = [](QString file) {
        qint32 w = -1, h = -1, f = -1;
        MainModule::GetImageInfo(w, h, f, file);
        return std::tuple(w, h, f);
    };
    // Bitmaps: see the paint-program bitmaps of the import and the confirmation's labels.
    QImage rgb(5, 4, QImage::Format_RGB32);
    rgb.fill(qRgb(1, 2, 3));
    QImage indexed(5, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(9, 9, 9)});
    indexed.fill(1);
    QImage argb(5, 4, QImage::Format_ARGB32);
    argb.fill(qRgba(1, 2, 3, 4));
    const std::pair<QImage, std::pair<int, qint32>> pngs[] = {
        {rgb, {2, 137224}}, {indexed, {3, 198659}}, {argb, {6, 2498570}}};
    for (const auto &[image, want] : pngs) {
        const QByteArray png = HandBitmap::png(image);
        ASSERT_EQ(quint8(png[25]), want.first); // the IHDR colour type
        EXPECT_EQ(info(home.write(u"t.png"_s, png)), std::tuple(5, 4, want.second)) << want.first;
    }

    // A tRNS chunk far behind a long text chunk, as PIL writes them; a GIF is indexed.
    QByteArray png = HandBitmap::png(rgb);
    png.insert(33,
               pngChunk("tEXt", QByteArray("Comment\0", 8) + QByteArray(70000, 'x'))
                   + pngChunk("tRNS", Bytes::of({0, 1, 0, 2, 0, 3})));
    EXPECT_EQ(info(home.write(u"trns.png"_s, png)), std::tuple(5, 4, 2498570));
    EXPECT_EQ(info(QStringLiteral(KESTRIX_TEST_DATA "/im-8bit.gif")), std::tuple(7, 4, 198659));
    // 32 bits with an alpha mask in a 124-byte header: the picture with its alpha.
    const QString argb32 = QStringLiteral(KESTRIX_TEST_DATA "/im-argb32.bmp");
    EXPECT_EQ(info(argb32), std::tuple(7, 4, 2498570));
    const std::optional<ImageFile::Loaded> picture = ImageFile::load(argb32);
    ASSERT_TRUE(picture);
    for (int i = 0; i < 28; ++i)
        EXPECT_EQ(picture->image.pixel(i % 7, i / 7), PaintBitmaps::picture7x4(128)[i]) << i;

    // A PNG extracted into temp.bmp is known by its content.
    home.write(u"temp.bmp"_s, HandBitmap::png(argb) + QByteArray(3000, '\0'));
    EXPECT_EQ(info(QString()), std::tuple(5, 4, 2498570));
    // A missing file or one that is no image leaves the outputs as they were.
    EXPECT_EQ(info(home.file(u"none.png"_s)), std::tuple(-1, -1, -1));
    EXPECT_EQ(info(home.write(u"x.bmp"_s, "not a picture")), std::tuple(-1, -1, -1));
}

TEST(Imaging, ColorToArgbAndTheFailureOfASessionThatCannotStart)
{
    EXPECT_EQ(MainModule::ColorToARGB(0x00332211, 255), -15654349);
    EXPECT_EQ(MainModule::ColorToARGB(0x00332211, 0), 0x00112233);
    EXPECT_EQ(MainModule::ColorToARGB(0x00332211, 128), qint32(0x80112233u));

    MainModule::setImagingAvailable(false);
    Canvas canvas;
    QString name;
    qint32 w = 0, h = 0, f = 0;
    try {
        MainModule::DrawImageFile(canvas, false, 0, w, h, name);
        ADD_FAILURE() << "no failure";
    } catch (const Failure &e) {
        EXPECT_EQ(std::tuple(int(e.number()), e.description(), e.source()),
                  std::tuple(5, u"Cannot load file"_s, u"GDI+"_s));
    }
    EXPECT_THROW(MainModule::GetImageInfo(w, h, f, name), Failure);
    EXPECT_THROW(MainModule::DrawTransparentBitmap(canvas, false, 0, 0, name), Failure);
    MainModule::setImagingAvailable(true);
}
