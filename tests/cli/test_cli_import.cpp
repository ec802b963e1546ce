#include "bytes.h"
#include "clirunner.h"
#include "handbitmap.h"
#include "handgob.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QByteArray pngOf(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return HandBitmap::png(image);
}

struct Game
{
    QString gob, catalogue;
    QByteArray bytes;
};

// An 8 x 4 record at 0-based 200 and a PNG area of 2048 bytes at 0-based 3000.
Game game(const TestHome &home)
{
    QByteArray bytes = HandGob::withAt(
        6000, 200, HandGob::imageRecord(8, 4, Bytes::pattern(32, 1), HandGob::palette()));
    const QByteArray png = pngOf(6, 5, qRgba(1, 2, 3, 255));
    bytes.replace(3000, 2048, png + QByteArray(2048 - png.size(), '\0'));
    return {home.write(QStringLiteral("g_pc.gob"), bytes),
            home.write(QStringLiteral("BmpList.txt"),
                       "//x\r\n\r\nBoard,1,201,One\r\n$png,Logo,1,3001,Small,2\r\n"),
            bytes};
}

QStringList importArgs(const Game &g, int entry, const QString &file, bool keepAlpha = false)
{
    QStringList args = recordArgs(QStringLiteral("import"), g.catalogue, g.gob, entry)
        << QStringLiteral("--file") << file;
    if (keepAlpha)
        args << QStringLiteral("--keep-alpha");
    return args;
}

} // namespace

TEST(CliImport, WritesWhatTheWindowWritesAndSaysSo)
{
    TestHome home;
    const Game g = game(home);
    const QByteArray pixels = Bytes::pattern(32, 50);
    QList<QRgb> colours;
    for (int k = 0; k < 256; ++k)
        colours << qRgba(k, 1, 2, 7);
    const QString bmp =
        home.write(QStringLiteral("new.bmp"),
                   HandBitmap::bitmap8(8, 4, HandBitmap::colourTable(colours), pixels));
    CliResult r = runCli(home, importArgs(g, 0, bmp, true));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QStringLiteral("Imported Successfully\n"));
    QByteArray expected = g.bytes;
    expected.replace(200 + 112, 32, pixels);
    for (int k = 0; k < 256; ++k)
        expected.replace(200 + 112 + 32 + 4 * k, 4, Bytes::of({k, 1, 2, 7}));
    EXPECT_EQ(Bytes::readFile(g.gob), expected);

    const QByteArray png = pngOf(6, 5, qRgba(200, 100, 50, 255));
    r = runCli(home, importArgs(g, 1, home.write(QStringLiteral("new.png"), png)));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    expected.replace(3000, 2048, png + QByteArray(2048 - png.size(), '\0'));
    EXPECT_EQ(Bytes::readFile(g.gob), expected);
}

TEST(CliImport, EveryRefusalExitsOneAndLeavesTheGobFileUntouched)
{
    TestHome home;
    const Game g = game(home);
    const QByteArray before = Bytes::sha256(g.gob);
    const std::pair<QStringList, QString> cases[] = {
        // The confirmation's comparison: another pixel format, another size.
        {importArgs(g, 0,
                    home.write(QStringLiteral("rgb.bmp"),
                               HandBitmap::bitmap24(8, 4, QList<QRgb>(32, 0xFF010203)))),
         QStringLiteral("Image type are not same\nrecord: 8 x 4, 198659; file: 8 x 4, 137224")},
        {importArgs(g, 1, home.write(QStringLiteral("big.png"), pngOf(7, 5, 0xFF000000))),
         QStringLiteral("Image type are not same")},
        // The same picture, but longer than the area.
        {importArgs(g, 1,
                    home.write(QStringLiteral("long.png"),
                               pngOf(6, 5, 0xFF000000) + QByteArray(2048, 'x'))),
         QStringLiteral("File size is too long")},
        {importArgs(g, 0, home.file(QStringLiteral("none.bmp"))),
         QStringLiteral("Image type are not same")},
    };
    for (const auto &[args, text] : cases) {
        const CliResult r = runCli(home, args);
        EXPECT_EQ(r.exitCode, 1) << text.toStdString();
        EXPECT_TRUE(r.err.contains(text)) << r.err.toStdString();
        EXPECT_EQ(Bytes::sha256(g.gob), before) << text.toStdString();
    }
}
