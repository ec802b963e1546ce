#include "bytes.h"
#include "clirunner.h"
#include "handgob.h"

#include "history/gobhistory.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// Records of the sample game named by their catalogue entries, plus one typed region.
QStringList packArgs(const TestHome &home, const QString &out)
{
    return {s("pack"),
            s("--gob"),
            home.file(s("Torvane/data/torvane_pc.gob")),
            s("--catalogue"),
            home.file(s("BmpList.txt")),
            s("--out"),
            out,
            s("0:1"),
            s("8:1"),
            s("Logo|5000|2048")};
}

} // namespace

TEST(CliPackages, PackThenApplyWithBackupAndRestore)
{
    TestHome home;
    ASSERT_EQ(runCli(home, {s("demo"), home.path()}).exitCode, 0);
    const QString gob = home.file(s("Torvane/data/torvane_pc.gob"));
    const CliResult pack = runCli(home, packArgs(home, home.file(s("kits"))));
    ASSERT_EQ(pack.exitCode, 0) << pack.err.toStdString();
    EXPECT_TRUE(pack.err.contains(s("Sucessfully done")));
    ASSERT_TRUE(Bytes::exists(home.file(s("kits.zip"))));

    // Into another GOB file of the same size: the package's regions arrive, the rest stays.
    const QByteArray original = Bytes::readFile(gob);
    const QByteArray otherBytes = Bytes::pattern(original.size(), 4);
    const QString other = home.write(s("Other/data/other_pc.gob"), otherBytes);
    const CliResult apply = runCli(home,
                                   {s("apply"), s("--gob"), other, s("--package"),
                                    home.file(s("kits.zip")), s("--backup"), s("--yes")});
    ASSERT_EQ(apply.exitCode, 0) << apply.err.toStdString();
    EXPECT_TRUE(apply.err.contains(s("Imported Sucessfully\n2"))) << apply.err.toStdString();
    EXPECT_EQ(apply.out.trimmed(), home.file(s("kits_backup.zip")));
    const QByteArray imported = Bytes::readFile(other);
    EXPECT_EQ(imported.mid(4999, 2048), original.mid(4999, 2048));
    EXPECT_EQ(imported.left(4000), otherBytes.left(4000));
    EXPECT_EQ(imported.right(1000), otherBytes.right(1000));

    const CliResult restore = runCli(home,
                                     {s("apply"), s("--gob"), other, s("--package"),
                                      home.file(s("kits_backup.zip")), s("--yes")});
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(Bytes::readFile(other), otherBytes);

    // Both imports are in the history, newest first, with the bytes they wrote: the shirt's
    // 64 x 64 pixels and palette (5120, the typed logo lies inside them) and the background's
    // 7680. Undo takes them back one by one.
    const QStringList history = runCli(home, {s("history"), s("--gob"), other}).out.split(u'\n');
    ASSERT_EQ(history.size(), 3);
    EXPECT_TRUE(QRegularExpression(s("^2\t\\d{4}-\\d\\d-\\d\\dT[^\t]+\tpackage\tdone\t12800\t"
                                     "kits_backup.zip$"))
                    .match(history[0])
                    .hasMatch())
        << history[0].toStdString();
    EXPECT_TRUE(history[1].startsWith(s("1\t"))
                && history[1].endsWith(s("\tpackage\tdone\t12800\tkits.zip")));
    const QStringList status = {s("status"), s("--gob"), other, s("--package"),
                                home.file(s("kits.zip"))};
    EXPECT_TRUE(
        runCli(home, status).out.endsWith(s("\t\"Logo\"\n0 applied, 3 original, 0 other\n")));
    ASSERT_EQ(runCli(home, {s("undo"), s("--gob"), other}).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(other), imported);
    EXPECT_EQ(runCli(home, status).out,
              s("1\tapplied\t\"Kits/Home/Shirt\"\n2\tapplied\t\"Menu background/Background\"\n"
                "3\tapplied\t\"Logo\"\n3 applied, 0 original, 0 other\n"));
    ASSERT_EQ(runCli(home, {s("undo"), s("--gob"), other, s("--to"), s("0")}).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(other), otherBytes);
    const CliResult none = runCli(home, {s("undo"), s("--gob"), other});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, s("There is no change of %1 to undo.\n").arg(other));

    // A change larger than the history's limit is refused unless --no-undo is given.
    GobHistory::setLimit(100);
    const QStringList again = {
        s("apply"), s("--gob"), other, s("--package"), home.file(s("kits.zip")), s("--yes")};
    const CliResult refused = runCli(home, again);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(s("give --no-undo"))) << refused.err.toStdString();
    EXPECT_EQ(Bytes::readFile(other), otherBytes);
    EXPECT_EQ(runCli(home, again + QStringList {s("--no-undo")}).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(other), imported);
}

TEST(CliPackages, ApplyAsksAndEveryRefusalLeavesTheGobUnchanged)
{
    TestHome home;
    ASSERT_EQ(runCli(home, {s("demo"), home.path()}).exitCode, 0);
    const QString gob = home.file(s("Torvane/data/torvane_pc.gob"));
    ASSERT_EQ(runCli(home, packArgs(home, home.file(s("kits.zip")))).exitCode, 0);
    const QByteArray before = Bytes::sha256(gob);
    const QStringList apply = {s("apply"), s("--gob"), gob, s("--package"),
                               home.file(s("kits.zip"))};

    for (const QByteArray &answer : {QByteArray("no\n"), QByteArray("maybe\n"), QByteArray("\n")}) {
        const CliResult asked = runCli(home, apply, answer);
        EXPECT_EQ(asked.exitCode, 1);
        EXPECT_TRUE(
            asked.err.contains(s("\"Kits/Home/Shirt\" \"Menu background/Background\" \"Logo\" ")))
            << asked.err.toStdString();
        EXPECT_EQ(Bytes::sha256(gob), before);
    }
    EXPECT_EQ(runCli(home, apply, "yes\n").exitCode, 0);

    // A package for a larger GOB file is refused whole.
    const QString small = home.write(s("small_pc.gob"), Bytes::pattern(11000));
    const QByteArray smallBefore = Bytes::sha256(small);
    const CliResult far = runCli(home,
                                 {s("apply"), s("--gob"), small, s("--package"),
                                  home.file(s("kits.zip")), s("--yes"), s("--backup")});
    EXPECT_EQ(far.exitCode, 1);
    EXPECT_TRUE(far.err.contains(s("record 2"))) << far.err.toStdString();
    EXPECT_EQ(Bytes::sha256(small), smallBefore);
    EXPECT_FALSE(Bytes::exists(home.file(s("kits_backup.zip"))));

    const CliResult bad = runCli(
        home,
        {s("pack"), s("--gob"), small, s("--out"), home.file(s("bad.zip")), s("Far|10990|100")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(s("Item 1 \"Far\""))) << bad.err.toStdString();
    EXPECT_FALSE(Bytes::exists(home.file(s("bad.zip"))));
    const CliResult typed = runCli(
        home, {s("pack"), s("--gob"), small, s("--out"), home.file(s("bad.zip")), s("Far|x|100")});
    EXPECT_EQ(typed.exitCode, 1);

    const CliResult nobody = runCli(home, {s("send"), s("Kits/Away|5112|3072")});
    EXPECT_EQ(nobody.exitCode, 1);
    EXPECT_TRUE(nobody.err.contains(s("No package window"))) << nobody.err.toStdString();
}
