#include "bytes.h"
#include "clirunner.h"
#include "handbitmap.h"
#include "handgob.h"

#include <QImage>

using namespace Qt::StringLiterals;

namespace {

QByteArray pngOf(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return HandBitmap::png(image);
}

// An 8 x 4 record at 0-based 200 and a PNG area of 2048 bytes at 0-based 3000.
class CliImport : public CliTest
{
protected:
    CliImport()
    {
        const QByteArray png = pngOf(6, 5, qRgba(1, 2, 3, 255));
        bytes.replace(3000, 2048, png + QByteArray(2048 - png.size(), '\0'));
        paths = {{u"G"_s, home.write(u"g_pc.gob"_s, bytes)},
                 {u"C"_s,
                  // Not the application's BmpList.txt: the verbs read the one given.
                  home.write(u"list.txt"_s,
                             "//x\r\n\r\nBoard,1,201,One\r\n$png,Logo,1,3001,Small,2\r\n")},
                 {u"D"_s, home.file(u"out"_s)}};
    }

    QByteArray withLogo(QByteArray gob, const QByteArray &png) const
    {
        return gob.replace(3000, 2048, png + QByteArray(2048 - png.size(), '\0'));
    }

    QByteArray bytes = HandGob::withAt(
        6000, 200, HandGob::imageRecord(8, 4, Bytes::pattern(32, 1), HandGob::palette()));
};

} // namespace

TEST_F(CliImport, WritesWhatTheWindowWritesAndSaysSo)
{
    const QByteArray pixels = Bytes::pattern(32, 50);
    QList<QRgb> colours;
    for (int k = 0; k < 256; ++k)
        colours << qRgba(k, 1, 2, 7);
    paths[u"B"_s] = home.write(u"new.bmp"_s,
                               HandBitmap::bitmap8(8, 4, HandBitmap::colourTable(colours), pixels));
    CliResult r = cli(u"import --catalogue C --gob G --entry 0 --sub 1 --file B --keep-alpha"_s);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, u"Imported Successfully\n"_s);
    EXPECT_EQ(r.out, u"exact\n"_s);
    QByteArray expected = bytes;
    expected.replace(200 + 112, 32, pixels);
    for (int k = 0; k < 256; ++k)
        expected.replace(200 + 112 + 32 + 4 * k, 4, Bytes::of({k, 1, 2, 7}));
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), expected);

    const QByteArray png = pngOf(6, 5, qRgba(200, 100, 50, 255));
    paths[u"P"_s] = home.write(u"new.png"_s, png);
    r = cli(u"import --catalogue C --gob G --entry 1 --sub 1 --file P"_s);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), withLogo(expected, png));
}

TEST_F(CliImport, EveryRefusalExitsOneAndLeavesTheGobFileUntouched)
{
    paths[u"R"_s] = home.write(u"rgb.bmp"_s, HandBitmap::bitmap24(7, 4, QList<QRgb>(28, 1)));
    paths[u"P"_s] = home.write(u"big.png"_s, pngOf(7, 5, 0xFF000000));
    paths[u"L"_s] = home.write(u"long.png"_s, pngOf(6, 5, 0xFF000000) + QByteArray(2048, 'x'));
    paths[u"N"_s] = home.file(u"none.bmp"_s);
    paths[u"E"_s] = home.write(u"empty.bmp"_s, {});
    paths[u"F"_s] = home.path();
    QByteArray twoBits =
        HandBitmap::bitmap8(8, 4, HandBitmap::colourTable({}, 4), QByteArray(8, 0));
    Bytes::put16(twoBits, 28, 2);
    paths[u"B"_s] = home.write(u"2bit.bmp"_s, twoBits);
    const std::pair<const char *, QString> cases[] = {
        // Why the file cannot be read, before any comparison.
        {"0 --file B", u"The bitmap has 2 bits per pixel; Kestrix reads 1, 4, 8, 16, 24 and 32."_s},
        // The confirmation's comparison: another size (any picture), another pixel format.
        {"0 --file R", u"Image type are not same\nrecord: 8 x 4, 198659; file: 7 x 4, 137224"_s},
        {"1 --file P", u"Image type are not same"_s},
        {"1 --file L", u"File size is too long"_s}, // the same picture, longer than the area
        {"0 --file N", u"Cannot open %1: the file does not exist"_s.arg(paths[u"N"_s])},
        {"0 --file E", u"Cannot open %1: the file is empty"_s.arg(paths[u"E"_s])},
        {"0 --file F", u"it is a folder"_s},
    };
    for (const auto &[words, text] : cases)
        expectRefused(
            u"import --catalogue C --gob G --sub 1 --entry "_s + QString::fromLatin1(words), text);
    // A record the catalogue places wrongly is refused first, as its extraction refuses it.
    paths[u"K"_s] = home.write(u"far.txt"_s, "//x\r\n\r\nFar,1,5990,X\r\nZero,1,3201,Y\r\n");
    const std::pair<const char *, QString> records[] = {
        {"0",
         u"The record at offset 5990 reaches to byte 6101, past the end of %1 (6000 bytes)."_s.arg(
             paths[u"G"_s])},
        {"1", u"The record at offset 3201 cannot be an image: its header gives 0 x 0 pixels"_s},
    };
    for (const auto &[entry, text] : records)
        expectRefused(u"import --catalogue K --gob G --sub 1 --file R --entry "_s + entry, text);
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), bytes);
}

TEST_F(CliImport, AFolderImportsWhatChangedAsOneChangeAfterTheQuestion)
{
    // Exported into a folder, with a manifest of the files on the disk.
    ASSERT_EQ(cli(u"export --catalogue C --gob G --all --dir D"_s).exitCode, 0);
    const QString board = home.file(u"out/Board - One.png"_s);
    const QString logo = home.file(u"out/Logo - Small.png"_s);
    EXPECT_EQ(Bytes::readFile(home.file(u"out/kestrix-export.tsv"_s)),
              "file\tentry\tsub\toffset\tkind\tsha256\trows\nBoard - One.png\t0\t1\t201\tbitmap\t"
                  + Bytes::sha256(board) + "\ttop\nLogo - Small.png\t1\t1\t3001\tfile:png\t"
                  + Bytes::sha256(logo) + "\ttop\n");
    EXPECT_EQ(Bytes::readFile(logo), pngOf(6, 5, qRgba(1, 2, 3, 255))); // what the area holds
    const QString importDir = u"import-dir --catalogue C --gob G --dir D"_s;
    CliResult r = cli(importDir);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, u"Nothing to import\n"_s);

    // Pixel (2, 1) of the 8 x 4 picture is byte 112 + 1 x 8 + 2 of the record: the PNG's top
    // row is the record's first, as the preview shows it.
    QImage picture(board);
    ASSERT_EQ(picture.format(), QImage::Format_Indexed8);
    picture.setPixel(2, 1, (picture.pixelIndex(2, 1) + 1) % 256);
    ASSERT_TRUE(picture.save(board));
    const QByteArray newLogo = pngOf(6, 5, qRgba(9, 8, 7, 255));
    home.write(u"out/Logo - Small.png"_s, newLogo);
    home.write(u"out/notes.txt"_s, "mine");
    QByteArray expected = withLogo(bytes, newLogo);
    expected[200 + 112 + 8 + 2] = char(quint8(expected[200 + 112 + 8 + 2]) + 1);
    r = cli(importDir, "n\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"Write the 2 changed files into the GOB file?"_s));
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), bytes);
    r = cli(importDir + u" --yes"_s);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString unlisted = u"unlisted\tnotes.txt\tNot in kestrix-export.tsv; skipped.\n"_s;
    EXPECT_EQ(r.out,
              u"import\tBoard - One.png\texact\nimport\tLogo - Small.png\texact\n"_s + unlisted);
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), expected);

    // The history undoes the folder as one change.
    r = cli(u"history --gob G"_s);
    EXPECT_EQ(r.out.count(u'\n'), 1);
    EXPECT_TRUE(r.out.contains(u"\tfolder\t"_s)) << r.out.toStdString();
    EXPECT_EQ(cli(u"undo --gob G"_s).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), bytes);

    // A file that is no picture is refused, the rest written: exit status 1.
    home.write(u"out/Board - One.png"_s, "broken");
    r = cli(importDir, "y\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              u"import\tLogo - Small.png\texact\nrefused\tBoard - One.png\t%1 cannot be "
              "loaded as an image.\n"_s.arg(board)
                  + unlisted);
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), withLogo(bytes, newLogo));

    // One sub file: a whole-file record gives the file it holds.
    paths[u"O"_s] = home.file(u"one.png"_s);
    EXPECT_EQ(cli(u"export --catalogue C --gob G --entry 1 --sub 1 --out O"_s).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(paths[u"O"_s]), newLogo);
}

TEST_F(CliImport, AnUprightPictureStaysUprightAndAnOldExportFolderIsReadItsOwnWay)
{
    // Rows of one colour each, red 10 at the top to red 40 at the bottom.
    QImage upright(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            upright.setPixel(x, y, qRgb(10 * (y + 1), 0, 0));
    paths[u"P"_s] = home.write(u"upright.png"_s, HandBitmap::png(upright));
    ASSERT_EQ(cli(u"import --catalogue C --gob G --entry 0 --sub 1 --file P"_s).exitCode, 0);
    paths[u"O"_s] = home.file(u"preview.png"_s);
    ASSERT_EQ(cli(u"preview --catalogue C --gob G --entry 0 --sub 1 --out O"_s).exitCode, 0);
    const QImage shown(paths[u"O"_s]);
    ASSERT_EQ(shown.size(), upright.size());
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(shown.pixel(3, y), upright.pixel(3, y)) << y;
    const QByteArray imported = Bytes::readFile(paths[u"G"_s]);

    // An export made before the manifest said where the first row is put it at the bottom: the
    // same picture, edited (its hash differs), goes back in as the same record.
    home.write(u"out/Board - One.png"_s, HandBitmap::png(upright.mirrored()));
    home.write(u"out/kestrix-export.tsv"_s,
               "file\tentry\tsub\toffset\tkind\tsha256\nBoard - One.png\t0\t1\t201\tbitmap\t"
                   + QByteArray(64, '0') + "\n");
    const CliResult r = cli(u"import-dir --catalogue C --gob G --dir D --yes"_s);
    EXPECT_EQ(r.out, u"import\tBoard - One.png\trecord palette kept\n"_s) << r.err.toStdString();
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), imported);
}

TEST_F(CliImport, AnExportReplacesNoEditedFileUnaskedAndNamesDifferingInCaseStayApart)
{
    ASSERT_EQ(cli(u"export --catalogue C --gob G --all --dir D"_s).exitCode, 0);
    const QString board = home.file(u"out/Board - One.png"_s);
    const QByteArray exported = Bytes::readFile(board);
    const QString manifest = home.file(u"out/kestrix-export.tsv"_s);
    const QByteArray listed = Bytes::readFile(manifest);
    home.write(u"out/Board - One.png"_s, "edited");
    const QString exportAll = u"export --catalogue C --gob G --all --dir D"_s;
    CliResult r = cli(exportAll);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              u"These files were changed since they were exported:\nBoard - One.png\n"
              "Nothing was exported; give --overwrite to replace them.\n"_s);
    EXPECT_EQ(Bytes::readFile(board), "edited");
    EXPECT_EQ(Bytes::readFile(manifest), listed);
    EXPECT_EQ(cli(exportAll + u" --overwrite"_s).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(board), exported);

    // Every changed file refused: nothing written, exit status 1.
    home.write(u"out/Board - One.png"_s, "broken");
    r = cli(u"import-dir --catalogue C --gob G --dir D --yes"_s);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, u"Nothing to import\n"_s);
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), bytes);

    // Names that differ only in letter case are two files on every file system.
    paths[u"K"_s] = home.write(u"case.txt"_s, "//x\r\n\r\nBoard,1,201,One\r\nboard,1,201,one\r\n");
    paths[u"E"_s] = home.file(u"cased"_s);
    ASSERT_EQ(cli(u"export --catalogue K --gob G --all --dir E"_s).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(home.file(u"cased/Board - One.png"_s)), exported);
    EXPECT_EQ(Bytes::readFile(home.file(u"cased/board - one (2).png"_s)), exported);
}

TEST_F(CliImport, WhatAPictureLacksIsNamedAsItIsAndInfoPrintsWhatItHolds)
{
    QByteArray os2v2 = HandBitmap::header(8, 4, 8, 54 + 1024, 54 + 1024 + 32);
    Bytes::put32(os2v2, 14, 16);
    paths[u"V"_s] = home.write(u"os2v2.bmp"_s, os2v2 + QByteArray(1024 + 32, '\0'));
    paths[u"S"_s] = home.write(
        u"os2.bmp"_s, HandBitmap::indexed(8, 4, QByteArray(32, '\0'), {}, {.headerSize = 12}));
    // 16 bits with an alpha mask: masks 5-5-5 and the top bit after a 40-byte header.
    QByteArray argb16 =
        HandBitmap::header(1, 1, 16, 70, 74) + QByteArray(16, '\0') + Bytes::of({0, 0x80, 0, 0});
    Bytes::put32(argb16, 30, 6);
    for (int i = 0; i < 4; ++i)
        Bytes::put32(argb16, 54 + 4 * i, QList<qint32> {0x7C00, 0x3E0, 0x1F, 0x8000}[i]);
    paths[u"A"_s] = home.write(u"argb16.bmp"_s, argb16);
    const std::pair<QString, QString> cases[] = {
        {u"alpha --file V --all 3"_s,
         u"The bitmap has an OS/2 2.x header of 16 bytes, with no "
         "alpha byte;"_s},
        {u"import --catalogue C --gob G --entry 0 --sub 1 --file S --keep-alpha"_s,
         u"The picture has no alpha bytes, so there is no alpha to keep;"_s},
    };
    for (const auto &[words, text] : cases)
        expectRefused(words, text);
    EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), bytes);
    EXPECT_EQ(cli(u"info A"_s).out, u"1\t1\t397319\n"_s);
    paths[u"8"_s] = home.write(
        u"a.bmp"_s, HandBitmap::bitmap8(3, 2, HandBitmap::colourTable({}), QByteArray(6, '\0')));
    EXPECT_EQ(cli(u"info 8"_s).out, u"3\t2\t198659\n"_s);
    paths[u"N"_s] = home.file(u"none.png"_s);
    const CliResult r = cli(u"info N"_s);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, paths[u"N"_s] + u" cannot be opened: No such file or directory.\n"_s);
    EXPECT_TRUE(r.out.isEmpty());
}
