#include "bytes.h"
#include "clirunner.h"
#include "handgob.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QThread>

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

TEST(CliPackages, AnApplyKilledHalfWayLeavesABackupThatRestoresTheGob)
{
    TestHome home;
    const QByteArray original = Bytes::pattern(200000, 11);
    const QString gob = home.write(s("g_pc.gob"), original);
    const QString source = home.write(s("source_pc.gob"), Bytes::pattern(200000, 99));
    QStringList pack = {s("pack"), s("--gob"), source, s("--out"), home.file(s("big.zip"))};
    for (int i = 0; i < 8; ++i)
        pack << QStringLiteral("Part %1|%2|10000").arg(i).arg(1000 + 20000 * i);
    ASSERT_EQ(runCli(home, pack).exitCode, 0);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(s("KESTRIX_HOME"), home.path());
    env.insert(s("KESTRIX_TEST_RECORD_PAUSE_MS"), s("150"));
    child.setProcessEnvironment(env);
    child.start(s(KESTRIX_CLI),
                {s("apply"), s("--gob"), gob, s("--package"), home.file(s("big.zip")),
                 s("--backup"), s("--yes")});
    ASSERT_TRUE(child.waitForStarted());
    // Kill it once a random number of its eight records reached the GOB file.
    const int killAfter = QRandomGenerator::global()->bounded(1, 8);
    SCOPED_TRACE(QStringLiteral("killed after %1 records").arg(killAfter).toStdString());
    const auto recordsIn = [&] {
        const QByteArray now = Bytes::readFile(gob);
        int in = 0;
        for (int i = 0; i < 8; ++i)
            in += now.mid(1000 + 20000 * i, 9000) != original.mid(1000 + 20000 * i, 9000);
        return in;
    };
    QElapsedTimer timer;
    timer.start();
    while (recordsIn() < killAfter && timer.elapsed() < 20000)
        QThread::msleep(5);
    child.kill(); // SIGKILL
    child.waitForFinished();
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    const QByteArray half = Bytes::readFile(gob);
    ASSERT_NE(half, original);
    EXPECT_NE(half.mid(141111, 10000), Bytes::readFile(source).mid(141111, 10000)); // not all in

    ASSERT_TRUE(Bytes::exists(home.file(s("big_backup.zip"))));
    const CliResult restore = runCli(
        home,
        {s("apply"), s("--gob"), gob, s("--package"), home.file(s("big_backup.zip")), s("--yes")});
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(Bytes::sha256(gob), Bytes::sha256(home.write(s("o"), original)));
}
