#include "bytes.h"
#include "clirunner.h"
#include "handbitmap.h"
#include "handgob.h"

#include <QFileInfo>
#include <QImage>

using namespace Qt::StringLiterals;

using CliRecords = CliTest;

TEST_F(CliRecords, DemoAndListDescribeTheSampleCatalogue)
{
    paths = {{u"D"_s, home.path()}, {u"C"_s, home.file(u"BmpList.txt"_s)}};
    ASSERT_EQ(cli(u"demo D"_s).exitCode, 0);
    EXPECT_TRUE(Bytes::exists(home.file(u"Torvane/Torvane.exe"_s)));
    EXPECT_TRUE(QFileInfo(home.file(u"Torvane/data/bats"_s)).isDir());
    EXPECT_EQ(cli(u"list --catalogue C"_s).out,
              u"0\tbitmap\t6\tKits/Home\n1\tbitmap\t1\tStadium board\n2\tbitmap\t1\tCrowd banner\n"
              "3\tbitmap\t1\tBall\n4\tbitmap\t2\tScoreboard glass\n5\tbitmap\t1\tPitch\n"
              "6\tbitmap\t1\tReferee card\n7\tfile:png\t2\tTeam logo\n"
              "8\tfile:png\t1\tMenu background\n"_s);
    EXPECT_EQ(cli(u"list --catalogue C --entry 8"_s).out, u"1\t1177359\t7680\tBackground\n"_s);
}

TEST_F(CliRecords, ListGoesPastMalformedLinesNamingTheFileAndEscapesEveryField)
{
    const QString catalogue = home.write(u"my list.txt"_s,
                                         "h1\r\nh2\r\nKit\\Home\tA,1,100,Front\nBack\r\n"
                                         "Board,two,5000,x\r\n\r\n$png,Lo\x01go,1,3001,Small,2\r\n"
                                         "$png,Big,2,10,a,1,20,b,x");
    paths = {{u"C"_s, catalogue}};
    CliResult r = cli(u"list --catalogue C"_s);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, u"0\tbitmap\t1\tKit\\\\Home\\tA\n3\tfile:png\t1\tLo\\x01go\n"_s);
    EXPECT_EQ(r.err,
              catalogue
                  + u" line 4: the number of sub files \"two\" is not a whole number from 1 to "
                    "32767.\n"_s
                  + catalogue + u" line 5 is empty.\n"_s + catalogue
                  + u" line 7: the size \"x\" of sub file 2 is not a number of kilobytes from 0 "
                    "up.\n"_s);
    EXPECT_EQ(cli(u"list --catalogue C --entry 0"_s).out, u"1\t100\t0\tFront\\nBack\n"_s);
    r = cli(u"list --catalogue C --entry 1"_s);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith(catalogue + u" line 4:"_s)) << r.err.toStdString();
    // Not one line to list (a UTF-16 file without its mark reads as such): a failure.
    paths[u"U"_s] =
        home.write(u"utf16.txt"_s, QByteArray("h\0\r\0\n\0h\0\r\0\n\0K\0,\0\x31\0", 18));
    EXPECT_EQ(cli(u"list --catalogue U"_s).exitCode, 1);
}

TEST_F(CliRecords, ExtractAndSaveWriteWhatTheWindowWouldAndRefusalsWriteNothing)
{
    const QByteArray pixels = Bytes::pattern(12, 5);
    QByteArray gobBytes =
        HandGob::withAt(9000, 100, HandGob::imageRecord(4, 3, pixels, HandGob::palette()));
    const QByteArray png = "\x89PNG-fake" + Bytes::pattern(300, 2) + "E";
    gobBytes.replace(5000, 2048, png + QByteArray(2048 - png.size(), '\0'));
    paths = {{u"G"_s, home.write(u"g_pc.gob"_s, gobBytes)},
             {u"C"_s,
              home.write(u"BmpList.txt"_s,
                         "//x\r\n\r\nBoard,1,101,One\r\n"
                         "$png,Logo,1,5001,Small,2\r\nBroken,1,8990,Far\r\n")},
             {u"B"_s, home.file(u"out.bmp"_s)},
             {u"P"_s, home.file(u"logo.png"_s)},
             {u"A"_s, home.file(u"area.bin"_s)},
             {u"K"_s, home.write(u"kept.bmp"_s, "keep me")},
             {u"N"_s, home.file(u"none.bmp"_s)},
             {u"g"_s, home.file(u"g.png"_s)},
             {u"b"_s, home.file(u"b.jpg"_s)}};
    const QString record = u"--catalogue C --gob G --sub 1 --entry "_s;
    ASSERT_EQ(cli(u"extract --out B "_s + record + u'0').exitCode, 0);
    EXPECT_EQ(Bytes::readFile(paths[u"B"_s]).mid(1078), pixels);
    EXPECT_EQ(Bytes::readFile(paths[u"B"_s]).size(), 1078 + 12);
    ASSERT_EQ(cli(u"save --out P "_s + record + u'1').exitCode, 0);
    EXPECT_EQ(Bytes::readFile(paths[u"P"_s]), png); // the file the area holds
    ASSERT_EQ(cli(u"extract --out A "_s + record + u'1').exitCode, 0);
    EXPECT_EQ(Bytes::readFile(paths[u"A"_s]), gobBytes.mid(5000, 2048)); // the whole area

    // Entry 2 lies past the end and entry 5 is none: no output file, an existing one kept. No
    // output lands on the GOB file, the catalogue or the command's input, links included.
    QFile::link(paths[u"G"_s], paths[u"g"_s]);
    QFile::link(paths[u"B"_s], paths[u"b"_s]);
    const QByteArray inputs =
        Bytes::sha256(paths[u"G"_s]) + Bytes::sha256(paths[u"C"_s]) + Bytes::sha256(paths[u"B"_s]);
    const std::pair<QString, QString> refused[] = {
        {u"extract --out K "_s + record + u'2', u"past the end"_s},
        {u"save --out N "_s + record + u'2', u"past the end"_s},
        {u"extract --out N "_s + record + u'5', u"0 to 2"_s},
        {u"extract --out G "_s + record + u'0', paths[u"G"_s] + u", which"_s},
        {u"save --out C "_s + record + u'1', paths[u"C"_s] + u", which"_s},
        {u"preview --out g "_s + record + u'0', paths[u"G"_s] + u", which"_s},
        {u"jpg --in B --out b"_s, paths[u"B"_s] + u", which"_s},
        {u"pack --gob G --catalogue C 0:1 --out C"_s, paths[u"C"_s] + u", which"_s},
        {u"pack --gob G --catalogue C 0:1 --out g"_s, paths[u"G"_s] + u", which"_s},
    };
    for (const auto &[line, text] : refused)
        expectRefused(line, text);
    EXPECT_EQ(Bytes::readFile(paths[u"K"_s]), "keep me");
    EXPECT_FALSE(Bytes::exists(paths[u"N"_s]));
    EXPECT_EQ(Bytes::sha256(paths[u"G"_s]) + Bytes::sha256(paths[u"C"_s])
                  + Bytes::sha256(paths[u"B"_s]),
              inputs);
}

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
        {"1 --transparent", u"bitmap entries only"_s},
        {"1", u"Sub file 1 of entry 1 in %1 cannot be loaded as an image.\n"_s.arg(paths[u"G"_s])},
    };
    for (const auto &[words, text] : refused)
        expectRefused(preview + QString::fromLatin1(words), text);
    EXPECT_FALSE(Bytes::exists(paths[u"O"_s]));
}
