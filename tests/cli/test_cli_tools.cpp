#include "bytes.h"
#include "clirunner.h"
#include "handbitmap.h"
#include "paintbitmaps.h"

#include <QImageReader>

using namespace Qt::StringLiterals;

namespace {

QByteArray smallBitmap()
{
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours << qRgba(i, i, i, 7);
    return HandBitmap::bitmap8(4, 2, HandBitmap::colourTable(colours), Bytes::pattern(8));
}

} // namespace

using CliTools = CliTest;

TEST_F(CliTools, AlphaWritesOneOrEveryAlphaByteOfTheTableAndRefusesWhatTheEditorRefuses)
{
    paths = {{u"B"_s, home.write(u"kit.bmp"_s, smallBitmap())},
             {u"W"_s, home.write(u"wide.bmp"_s, HandBitmap::bitmap24(2, 2, {1, 2, 3, 4}))}};
    QByteArray expected = Bytes::readFile(paths[u"B"_s]);
    const CliResult r = cli(u"alpha --file B --index 3 --value 200"_s);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, u"Done\n"_s);
    expected[57 + 12] = char(200);
    EXPECT_EQ(Bytes::readFile(paths[u"B"_s]), expected);
    expectRefused(u"alpha --file B --index 256 --value 1"_s,
                  u"\"256\" is not a whole number from 0 to 255"_s);
    EXPECT_EQ(Bytes::readFile(paths[u"B"_s]), expected);
    expectRefused(u"alpha --file W --all 0"_s, u"Is not a 256 color bitmap"_s);

    ASSERT_EQ(cli(u"alpha --file B --all 255"_s).exitCode, 0);
    for (int i = 0; i < 256; ++i)
        expected[57 + 4 * i] = char(255);
    EXPECT_EQ(Bytes::readFile(paths[u"B"_s]), expected);

    // The last entry of a paint program's table, however short, is addressed where it lies.
    for (const PaintBitmaps::Case &c : PaintBitmaps::all()) {
        paths[u"B"_s] = home.write(c.name, c.file);
        expectRefused(u"alpha --file B --value 200 --index "_s + QString::number(c.entries),
                      u"from 0 to %1"_s.arg(c.entries - 1));
        const CliResult last =
            cli(u"alpha --file B --value 200 --index "_s + QString::number(c.entries - 1));
        expected = c.file;
        if (c.tableAt == 14 + 12) // three-byte entries: no alpha to write
            EXPECT_TRUE(last.err.contains(u"no byte for transparency"_s));
        else
            expected[c.tableAt + 4 * (c.entries - 1) + 3] = char(200);
        EXPECT_EQ(Bytes::readFile(paths[u"B"_s]), expected) << c.name.toStdString();
    }
}

TEST_F(CliTools, JpgConvertsAndResizesWithTheWindowsNamingAndChecks)
{
    paths = {{u"B"_s, home.write(u"kit.bmp"_s, HandBitmap::bitmap24(8, 6, QList<QRgb>(48, 9)))},
             {u"J"_s, home.file(u"kit"_s)}};
    const CliResult r = cli(u"jpg --in B --out J --size 640x480"_s);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out + r.err, home.file(u"kit.jpg"_s) + u'\n');
    QImageReader reader(home.file(u"kit.jpg"_s));
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(640, 480));
    const CliResult quiet = cli(u"jpg --in B --out J --quiet"_s);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.out + quiet.err, QString());
}
