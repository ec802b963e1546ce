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
    EXPECT_EQ(r.out, QStringLiteral("exact\n"));
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
        // The confirmation's comparison: another size (any picture), another pixel format.
        {importArgs(g, 0,
                    home.write(QStringLiteral("rgb.bmp"),
                               HandBitmap::bitmap24(7, 4, QList<QRgb>(28, 0xFF010203)))),
         QStringLiteral("Image type are not same\nrecord: 8 x 4, 198659; file: 7 x 4, 137224")},
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

// Exports the game into a folder; the manifest as the files on the disk say it must read.
QString exportAll(const TestHome &home, const Game &g)
{
    const QString dir = home.file(QStringLiteral("out"));
    const CliResult r = runCli(home,
                               {QStringLiteral("export"), QStringLiteral("--catalogue"),
                                g.catalogue, QStringLiteral("--gob"), g.gob,
                                QStringLiteral("--all"), QStringLiteral("--dir"), dir});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString board = dir + QStringLiteral("/Board - One.png");
    const QString logo = dir + QStringLiteral("/Logo - Small.png");
    EXPECT_EQ(Bytes::readFile(dir + QStringLiteral("/kestrix-export.tsv")),
              "file\tentry\tsub\toffset\tkind\tsha256\nBoard - One.png\t0\t1\t201\tbitmap\t"
                  + Bytes::sha256(board) + "\nLogo - Small.png\t1\t1\t3001\tfile:png\t"
                  + Bytes::sha256(logo) + "\n");
    EXPECT_EQ(Bytes::readFile(logo), pngOf(6, 5, qRgba(1, 2, 3, 255))); // what the area holds
    return dir;
}

QStringList importDirArgs(const Game &g, const QString &dir)
{
    return {QStringLiteral("import-dir"),
            QStringLiteral("--catalogue"),
            g.catalogue,
            QStringLiteral("--gob"),
            g.gob,
            QStringLiteral("--dir"),
            dir};
}

TEST(CliPictures, AnUnchangedFolderWritesNothingOnePixelChangesOneByteAndUndoTakesAllBack)
{
    TestHome home;
    const Game g = game(home);
    const QString dir = exportAll(home, g);
    CliResult r = runCli(home, importDirArgs(g, dir));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QStringLiteral("Nothing to import\n"));
    EXPECT_EQ(Bytes::readFile(g.gob), g.bytes);

    // Pixel (2, 1) of the 8 x 4 picture is byte 112 + (4 - 1 - 1) x 8 + 2 of the record.
    const QString board = dir + QStringLiteral("/Board - One.png");
    QImage picture(board);
    ASSERT_EQ(picture.format(), QImage::Format_Indexed8);
    picture.setPixel(2, 1, (picture.pixelIndex(2, 1) + 1) % 256);
    ASSERT_TRUE(picture.save(board));
    const QByteArray logo = pngOf(6, 5, qRgba(9, 8, 7, 255));
    home.write(QStringLiteral("out/Logo - Small.png"), logo);
    QByteArray expected = g.bytes;
    expected[200 + 112 + 2 * 8 + 2] = char(quint8(expected[200 + 112 + 2 * 8 + 2]) + 1);
    expected.replace(3000, 2048, logo + QByteArray(2048 - logo.size(), '\0'));
    r = runCli(home, importDirArgs(g, dir) << QStringLiteral("--yes"));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              QStringLiteral("import\tBoard - One.png\texact\n"
                             "import\tLogo - Small.png\texact\n"));
    EXPECT_EQ(Bytes::readFile(g.gob), expected);

    // The history undoes the folder as one change.
    r = runCli(home, {QStringLiteral("history"), QStringLiteral("--gob"), g.gob});
    EXPECT_EQ(r.out.count(u'\n'), 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("\tfolder\t"))) << r.out.toStdString();
    EXPECT_EQ(runCli(home, {QStringLiteral("undo"), QStringLiteral("--gob"), g.gob}).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(g.gob), g.bytes);

    // One sub file: a whole-file record gives the file it holds.
    const QString one = home.file(QStringLiteral("one.png"));
    r = runCli(home,
               recordArgs(QStringLiteral("export"), g.catalogue, g.gob, 1)
                   << QStringLiteral("--out") << one);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Bytes::readFile(one), pngOf(6, 5, qRgba(1, 2, 3, 255)));
}

TEST(CliPictures, AFolderWithABrokenFileImportsTheRestAfterTheQuestion)
{
    TestHome home;
    const Game g = game(home);
    const QString dir = exportAll(home, g);
    home.write(QStringLiteral("out/Board - One.png"), "broken");
    const QByteArray logo = pngOf(6, 5, qRgba(9, 8, 7, 255));
    home.write(QStringLiteral("out/Logo - Small.png"), logo);
    home.write(QStringLiteral("out/notes.txt"), "mine");

    CliResult r = runCli(home, importDirArgs(g, dir), "n\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Bytes::readFile(g.gob), g.bytes);
    r = runCli(home, importDirArgs(g, dir), "y\n");
    EXPECT_EQ(r.exitCode, 1); // a file was refused
    EXPECT_EQ(r.out,
              QStringLiteral("import\tLogo - Small.png\texact\n"
                             "refused\tBoard - One.png\t%1 cannot be loaded as an image.\n"
                             "unlisted\tnotes.txt\tNot in kestrix-export.tsv; skipped.\n")
                  .arg(dir + QStringLiteral("/Board - One.png")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("Write the changed file into the GOB file?")));
    QByteArray expected = g.bytes;
    expected.replace(3000, 2048, logo + QByteArray(2048 - logo.size(), '\0'));
    EXPECT_EQ(Bytes::readFile(g.gob), expected);
}
