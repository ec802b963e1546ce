#include "bytes.h"
#include "clirunner.h"
#include "handbitmap.h"
#include "handgob.h"

#include <QImage>

using namespace Qt::StringLiterals;

using CliPreview = CliTest;

TEST_F(CliPreview, DrawsTheRecordAsThePreviewDoesAndRefusesViewsTheWindowHasNot)
{
    const QByteArray pixels = Bytes::pattern(12, 9); // 4 x 3, entry k's alpha 255 for odd k
    const QByteArray palette = HandGob::palette([](int k) { return k % 2 ? 255 : 0; });
    paths = {{u"G"_s,
              home.write(u"g_pc.gob"_s,
                         HandGob::withAt(6000, 200, HandGob::imageRecord(4, 3, pixels, palette)))},
             {u"C"_s,
              home.write(u"BmpList.txt"_s,
                         "//x\r\n\r\nBoard,1,201,One\r\n$png,Logo,1,3001,Small,1\r\n")},
             {u"O"_s, home.file(u"p.png"_s)}};
    // Stored pixel i as shown: its colour, or the background where its alpha 0 is shown.
    const auto shown = [&](int i, bool transparent) {
        const int k = quint8(pixels[i]);
        return transparent && k % 2 == 0 ? qRgb(0xD4, 0xD0, 0xC8) : qRgb(k, 255 - k, k / 2);
    };
    const struct
    {
        const char *view;
        int w, h;
        int (*stored)(int x, int y); // the stored pixel shown at (x, y)
        bool transparent = false;
    } views[] = {
        {"", 4, 3, [](int x, int y) { return y * 4 + x; }},
        {"--rotate 1", 3, 4, [](int x, int y) { return (2 - x) * 4 + y; }},
        {"--transparent", 4, 3, [](int x, int y) { return y * 4 + x; }, true},
    };
    const QString preview = u"preview --catalogue C --gob G --sub 1 --out O --entry "_s;
    for (const auto &v : views) {
        ASSERT_EQ(cli(preview + u"0 "_s + QString::fromLatin1(v.view)).exitCode, 0) << v.view;
        QImage expected(v.w, v.h, QImage::Format_RGB32);
        for (int y = 0; y < v.h; ++y)
            for (int x = 0; x < v.w; ++x)
                expected.setPixel(x, y, shown(v.stored(x, y), v.transparent));
        EXPECT_EQ(QImage(paths[u"O"_s]).convertToFormat(QImage::Format_RGB32), expected) << v.view;
    }

    QFile::remove(paths[u"O"_s]);
    const std::pair<const char *, QString> refused[] = {
        {"0 --rotate 4", u"0, 1, 2 or 3"_s},
        {"0 --rotate 1 --transparent", u"never turned"_s},
        {"1 --transparent", u"bitmap entries only"_s},
        {"1", u"Sub file 1 of entry 1 in %1 cannot be loaded as an image.\n"_s.arg(paths[u"G"_s])},
    };
    for (const auto &[words, text] : refused)
        expectRefused(preview + QString::fromLatin1(words), text);
    EXPECT_FALSE(Bytes::exists(paths[u"O"_s]));
}

TEST_F(CliPreview, InfoPrintsWidthHeightAndPixelFormat)
{
    paths = {
        {u"8"_s,
         home.write(u"a.bmp"_s,
                    HandBitmap::bitmap8(3, 2, HandBitmap::colourTable({}), QByteArray(6, '\0')))},
        {u"24"_s, home.write(u"b.bmp"_s, HandBitmap::bitmap24(5, 1, QList<QRgb>(5, 1)))},
        {u"N"_s, home.file(u"none.png"_s)}};
    EXPECT_EQ(cli(u"info 8"_s).out, u"3\t2\t198659\n"_s);
    EXPECT_EQ(cli(u"info 24"_s).out, u"5\t1\t137224\n"_s);
    const CliResult r = cli(u"info N"_s);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, paths[u"N"_s] + u" cannot be loaded as an image.\n"_s);
    EXPECT_TRUE(r.out.isEmpty());
}
