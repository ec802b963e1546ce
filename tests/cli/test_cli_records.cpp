#include "bytes.h"
#include "clirunner.h"
#include "handgob.h"

#include <gtest/gtest.h>

TEST(CliRecords, DemoAndListDescribeTheSampleCatalogue)
{
    TestHome home;
    const CliResult demo = runCli(home, {QStringLiteral("demo"), home.path()});
    ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    EXPECT_TRUE(Bytes::exists(home.file(QStringLiteral("Torvane/Torvane.exe"))));
    EXPECT_TRUE(QFileInfo(home.file(QStringLiteral("Torvane/data/bats"))).isDir());

    const QString catalogue = home.file(QStringLiteral("BmpList.txt"));
    const CliResult list =
        runCli(home, {QStringLiteral("list"), QStringLiteral("--catalogue"), catalogue});
    ASSERT_EQ(list.exitCode, 0);
    const QStringList lines = list.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], QStringLiteral("0\tbitmap\t6\tKits/Home"));
    EXPECT_TRUE(lines.contains(QStringLiteral("7\tfile:png\t2\tTeam logo")));

    const CliResult entry = runCli(home,
                                   {QStringLiteral("list"), QStringLiteral("--catalogue"),
                                    catalogue, QStringLiteral("--entry"), QStringLiteral("8")});
    ASSERT_EQ(entry.exitCode, 0);
    const QStringList sub = entry.out.trimmed().split(u'\t');
    ASSERT_EQ(sub.size(), 4);
    EXPECT_EQ(sub[0], QStringLiteral("1"));
    EXPECT_EQ(sub[2], QStringLiteral("7680")); // 7.5 kilobytes
    EXPECT_EQ(sub[3], QStringLiteral("Background"));
}

TEST(CliRecords, ListGoesPastMalformedLinesNamingTheFileAndEscapesEveryField)
{
    TestHome home;
    const QString catalogue = home.write(QStringLiteral("my list.txt"),
                                         "h1\r\nh2\r\nKit\\Home\tA,1,100,Front\nBack\r\n"
                                         "Board,two,5000,x\r\n\r\n$png,Lo\x01go,1,3001,Small,2");
    const auto list = [&](const QStringList &more) {
        return runCli(home,
                      QStringList {QStringLiteral("list"), QStringLiteral("--catalogue"), catalogue}
                          + more);
    };
    CliResult r = list({});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("0\tbitmap\t1\tKit\\\\Home\\tA\n3\tfile:png\t1\tLo\\x01go\n"));
    EXPECT_EQ(r.err,
              catalogue
                  + QStringLiteral(" line 4: the number of sub files \"two\" is not a "
                                   "whole number from 1 to 32767.\n")
                  + catalogue + QStringLiteral(" line 5 is empty.\n"));

    r = list({QStringLiteral("--entry"), QStringLiteral("0")});
    EXPECT_EQ(r.out, QStringLiteral("1\t100\t0\tFront\\nBack\n"));
    r = list({QStringLiteral("--entry"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith(catalogue + QStringLiteral(" line 4:"))) << r.err.toStdString();
}

TEST(CliRecords, ExtractAndSaveWriteWhatTheWindowWouldAndRefusalsWriteNothing)
{
    TestHome home;
    const QByteArray pixels = Bytes::pattern(12, 5);
    const QByteArray rgba = HandGob::palette();
    QByteArray gobBytes = HandGob::withAt(9000, 100, HandGob::imageRecord(4, 3, pixels, rgba));
    const QByteArray png = QByteArray("\x89PNG-fake") + Bytes::pattern(300, 2) + "E";
    gobBytes.replace(5000, png.size(), png);
    gobBytes.replace(5000 + png.size(), 2048 - png.size(), QByteArray(2048 - png.size(), '\0'));
    const QString gob = home.write(QStringLiteral("g_pc.gob"), gobBytes);
    const QString catalogue =
        home.write(QStringLiteral("BmpList.txt"),
                   "//x\r\n\r\nBoard,1,101,One\r\n$png,Logo,1,5001,Small,2\r\n"
                   "Broken,1,8990,Far\r\n");
    const auto args = [&](int entry, const QString &verb, const QString &out) {
        return recordArgs(verb, catalogue, gob, entry) << QStringLiteral("--out") << out;
    };

    const QString bmp = home.file(QStringLiteral("out.bmp"));
    ASSERT_EQ(runCli(home, args(0, QStringLiteral("extract"), bmp)).exitCode, 0);
    const QByteArray extracted = Bytes::readFile(bmp);
    EXPECT_EQ(extracted.size(), 1078 + 12);
    EXPECT_EQ(extracted.mid(1078), pixels);

    const QString saved = home.file(QStringLiteral("logo.png"));
    ASSERT_EQ(runCli(home, args(1, QStringLiteral("save"), saved)).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(saved), png);
    const QString area = home.file(QStringLiteral("area.bin"));
    ASSERT_EQ(runCli(home, args(1, QStringLiteral("extract"), area)).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(area).size(), 2048);

    // Entry 2 lies past the end: exit 1, the message, no output file, an existing one kept.
    const QByteArray before = Bytes::sha256(gob);
    const QString kept = home.write(QStringLiteral("kept.bmp"), "keep me");
    const CliResult refused = runCli(home, args(2, QStringLiteral("extract"), kept));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("past the end"))) << refused.err.toStdString();
    EXPECT_EQ(Bytes::readFile(kept), QByteArray("keep me"));
    EXPECT_FALSE(Bytes::exists(home.file(QStringLiteral("none.bmp"))));
    EXPECT_EQ(runCli(home, args(2, QStringLiteral("save"), home.file(QStringLiteral("none.bmp"))))
                  .exitCode,
              1);
    EXPECT_FALSE(Bytes::exists(home.file(QStringLiteral("none.bmp"))));
    EXPECT_EQ(Bytes::sha256(gob), before);

    // Wrong entry numbers name the range.
    const CliResult noEntry = runCli(home, args(5, QStringLiteral("extract"), bmp));
    EXPECT_EQ(noEntry.exitCode, 1);
    EXPECT_TRUE(noEntry.err.contains(QStringLiteral("0 to 2")));

    // No output lands on the GOB file, the catalogue or the command's input, links included.
    const QHash<QString, QString> paths = {
        {QStringLiteral("G"), gob},
        {QStringLiteral("C"), catalogue},
        {QStringLiteral("B"), bmp},
        {QStringLiteral("g"), home.file(QStringLiteral("g.png"))},
        {QStringLiteral("b"), home.file(QStringLiteral("b.jpg"))}};
    QFile::link(gob, paths[QStringLiteral("g")]);
    QFile::link(bmp, paths[QStringLiteral("b")]);
    const QByteArray inputs = Bytes::sha256(gob) + Bytes::sha256(catalogue) + Bytes::sha256(bmp);
    for (const auto &[line, named] :
         {std::pair {"extract --catalogue C --gob G --entry 0 --sub 1 --out G", "G"},
          {"save --catalogue C --gob G --entry 1 --sub 1 --out C", "C"},
          {"preview --catalogue C --gob G --entry 0 --sub 1 --out g", "G"},
          {"jpg --in B --out b", "B"},
          {"pack --gob G --catalogue C 0:1 --out C", "C"},
          {"pack --gob G --catalogue C 0:1 --out g", "G"}}) {
        QStringList words = QString::fromUtf8(line).split(u' ');
        for (QString &word : words)
            word = paths.value(word, word);
        const CliResult r = runCli(home, words);
        EXPECT_EQ(r.exitCode, 1) << line;
        EXPECT_TRUE(r.err.contains(paths[QString::fromUtf8(named)] + QStringLiteral(", which")))
            << r.err.toStdString();
    }
    EXPECT_EQ(Bytes::sha256(gob) + Bytes::sha256(catalogue) + Bytes::sha256(bmp), inputs);
}
