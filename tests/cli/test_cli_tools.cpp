#include "bytes.h"
#include "clirunner.h"
#include "handbitmap.h"
#include "paintbitmaps.h"

#include <QImage>
#include <QImageReader>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QByteArray smallBitmap()
{
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours << qRgba(i, i, i, 7);
    return HandBitmap::bitmap8(4, 2, HandBitmap::colourTable(colours), Bytes::pattern(8));
}

} // namespace

TEST(CliTools, AlphaWritesOneOrEveryAlphaByteAndRefusesWhatTheEditorRefuses)
{
    TestHome home;
    const QString bmp = home.write(QStringLiteral("kit.bmp"), smallBitmap());
    QByteArray expected = Bytes::readFile(bmp);
    const auto alpha = [&](const QStringList &args) {
        return runCli(home,
                      QStringList {QStringLiteral("alpha"), QStringLiteral("--file"), bmp} + args);
    };

    CliResult r = alpha({QStringLiteral("--index"), QStringLiteral("3"), QStringLiteral("--value"),
                         QStringLiteral("200")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("Done"));
    expected[57 + 12] = char(200);
    EXPECT_EQ(Bytes::readFile(bmp), expected);

    for (const QStringList &bad : {QStringList {QStringLiteral("--index"), QStringLiteral("3"),
                                                QStringLiteral("--value"), QStringLiteral("256")},
                                   QStringList {QStringLiteral("--index"), QStringLiteral("256"),
                                                QStringLiteral("--value"), QStringLiteral("1")},
                                   QStringList {QStringLiteral("--all"), QStringLiteral("-1")},
                                   QStringList {QStringLiteral("--all"), QStringLiteral("x")}}) {
        r = alpha(bad);
        EXPECT_EQ(r.exitCode, 1) << bad.join(u' ').toStdString();
        EXPECT_EQ(Bytes::readFile(bmp), expected);
    }
    EXPECT_TRUE(alpha({QStringLiteral("--all"), QStringLiteral("-1")})
                    .err.contains(QStringLiteral("Number is not between 0-255")));

    r = alpha({QStringLiteral("--all"), QStringLiteral("255")});
    ASSERT_EQ(r.exitCode, 0);
    for (int i = 0; i < 256; ++i)
        expected[57 + 4 * i] = char(255);
    EXPECT_EQ(Bytes::readFile(bmp), expected);

    const QString wide = home.write(QStringLiteral("wide.bmp"),
                                    HandBitmap::bitmap24(2, 2, QList<QRgb>(4, qRgb(9, 9, 9))));
    const QByteArray before = Bytes::readFile(wide);
    r = runCli(home,
               {QStringLiteral("alpha"), QStringLiteral("--file"), wide, QStringLiteral("--all"),
                QStringLiteral("0")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Is not a 256 color bitmap")));
    EXPECT_EQ(Bytes::readFile(wide), before);
}

TEST(CliTools, AlphaAddressesOnlyTheEntriesOfPaintProgramBitmaps)
{
    TestHome home;
    for (const PaintBitmaps::Case &c : PaintBitmaps::all()) {
        const QString bmp = home.write(c.name, c.file);
        const auto alpha = [&](int index) {
            return runCli(home,
                          {QStringLiteral("alpha"), QStringLiteral("--file"), bmp,
                           QStringLiteral("--index"), QString::number(index),
                           QStringLiteral("--value"), QStringLiteral("200")});
        };
        // Past the table: refused, with the number of entries the table holds.
        CliResult r = alpha(c.entries);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("from 0 to %1").arg(c.entries - 1)))
            << r.err.toStdString();
        r = alpha(c.entries - 1);
        QByteArray expected = c.file;
        if (c.tableAt == 14 + 12) // three-byte entries: no alpha to write
            EXPECT_TRUE(r.err.contains(QStringLiteral("no byte for transparency")));
        else
            expected[c.tableAt + 4 * (c.entries - 1) + 3] = char(200);
        EXPECT_EQ(Bytes::readFile(bmp), expected) << c.name.toStdString();
    }
}

TEST(CliTools, JpgConvertsAndResizesWithTheWindowsNamingAndChecks)
{
    TestHome home;
    const QString bmp =
        home.write(QStringLiteral("kit.bmp"),
                   HandBitmap::bitmap24(80, 60, QList<QRgb>(80 * 60, qRgb(200, 10, 10))));
    CliResult r = runCli(home,
                         {QStringLiteral("jpg"), QStringLiteral("--in"), bmp,
                          QStringLiteral("--out"), home.file(QStringLiteral("kit")),
                          QStringLiteral("--size"), QStringLiteral("640x480")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.trimmed(), home.file(QStringLiteral("kit.jpg")));
    QImageReader reader(home.file(QStringLiteral("kit.jpg")));
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.size(), QSize(640, 480));

    r = runCli(home,
               {QStringLiteral("jpg"), QStringLiteral("--in"), bmp, QStringLiteral("--out"),
                home.file(QStringLiteral("big.jpg")), QStringLiteral("--size"),
                QStringLiteral("16385x10")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("width 16385")));
    EXPECT_FALSE(Bytes::exists(home.file(QStringLiteral("big.jpg"))));
}

TEST(CliTools, CommandLinesItDoesNotTakeExitTwoWithTheUsageLineAndTouchNothing)
{
    TestHome home;
    const QString bmp = home.write(QStringLiteral("kit.bmp"), smallBitmap());
    const QByteArray before = Bytes::readFile(bmp);
    const QString jpg = home.file(QStringLiteral("kit.jpg"));
    const auto words = [](const char *line) { return QString::fromUtf8(line).split(u' '); };
    const struct
    {
        QStringList args;
        QString text;
    } cases[] = {
        {words("jpg --in B --out J --sise 640x480"), QStringLiteral("Unknown option 'sise'")},
        {words("jpg --in B --out J --size 640.5x480"), QStringLiteral("\"640.5\"")},
        {words("jpg --in B --out"), QStringLiteral("Missing value after '--out'")},
        {words("jpg --in B --out J stray"), QStringLiteral("Unexpected word \"stray\"")},
        {words("alpha --file B --index 2.5 --value 0"),
         QStringLiteral("whole number, not \"2.5\"")},
        {words("alpha --file B --value 0 --all 0"), QStringLiteral("either")},
        {words("import --catalogue C --gob G --entry 0 --sub 1"),
         QStringLiteral("--file is missing")},
        {words("list --catalogue C --entry 1.5"), QStringLiteral("whole number")},
        {words("demo"), QStringLiteral("DIR is missing")},
        {words("frob"), QStringLiteral("unknown verb \"frob\"")},
        {{QStringLiteral("send"), QStringLiteral("A|1|2\nB|1|2")}, QStringLiteral("one line")},
    };
    for (const auto &[args, text] : cases) {
        QStringList line = args;
        line.replaceInStrings(QRegularExpression(QStringLiteral("^B$")), bmp);
        line.replaceInStrings(QRegularExpression(QStringLiteral("^J$")), jpg);
        const CliResult r = runCli(home, line);
        EXPECT_EQ(r.exitCode, 2) << text.toStdString();
        EXPECT_TRUE(r.err.contains(text)) << r.err.toStdString();
        const QString verb = args[0] == QStringLiteral("frob") ? QStringLiteral("VERB") : args[0];
        EXPECT_TRUE(r.err.contains(QStringLiteral("usage: kestrix-cli ") + verb));
    }
    EXPECT_EQ(Bytes::readFile(bmp), before);
    EXPECT_FALSE(Bytes::exists(jpg));

    CliResult r = runCli(home, words("extract --help"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral(
        "usage: kestrix-cli extract --catalogue FILE --gob FILE --entry K --sub I --out FILE\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("--sub I")));
    r = runCli(home, {QStringLiteral("--version")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^kestrix-cli \\d+\\.\\d+\\.\\d+\n$"))
                    .match(r.out)
                    .hasMatch());
}
