#include "bytes.h"
#include "clirunner.h"

#include "history/gobhistory.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// The sample game; its package K of two records named by their entries and one typed region.
class CliPackages : public CliTest
{
protected:
    CliPackages()
    {
        paths = {{u"G"_s, home.writeSampleGame()},
                 {u"C"_s, home.file(u"BmpList.txt"_s)},
                 {u"k"_s, home.file(u"kits"_s)},
                 {u"K"_s, home.file(u"kits.zip"_s)},
                 {u"B"_s, home.file(u"kits_backup.zip"_s)}};
    }

    const QString pack = u"pack --gob G --catalogue C 0:1 8:1 Logo|5000|2048 --out "_s;
};

} // namespace

TEST_F(CliPackages, PackThenApplyWithBackupAndRestoreThenUndo)
{
    const CliResult packed = cli(pack + u'k'); // .zip is added
    ASSERT_EQ(packed.exitCode, 0) << packed.err.toStdString();
    EXPECT_EQ(packed.out + packed.err, paths[u"K"_s] + u'\n'); // the name it wrote, no zip log
    ASSERT_TRUE(Bytes::exists(paths[u"K"_s]));

    // Into another GOB file of the same size: the package's regions arrive, the rest stays.
    const QByteArray original = Bytes::readFile(paths[u"G"_s]);
    const QByteArray otherBytes = Bytes::pattern(original.size(), 4);
    paths[u"O"_s] = home.write(u"Other/data/other_pc.gob"_s, otherBytes);
    const CliResult apply = cli(u"apply --gob O --package K --backup --yes"_s);
    ASSERT_EQ(apply.exitCode, 0) << apply.err.toStdString();
    EXPECT_TRUE(apply.err.contains(u"Imported Sucessfully\n2"_s)) << apply.err.toStdString();
    EXPECT_EQ(apply.out, paths[u"B"_s] + u'\n');
    const QByteArray imported = Bytes::readFile(paths[u"O"_s]);
    EXPECT_EQ(imported.mid(4999, 2048), original.mid(4999, 2048));
    EXPECT_EQ(imported.left(4000), otherBytes.left(4000));
    EXPECT_EQ(imported.right(1000), otherBytes.right(1000));
    const CliResult quiet = cli(u"apply --gob O --package B --yes --quiet"_s);
    ASSERT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.out + quiet.err, QString()); // not even the note of success
    EXPECT_EQ(Bytes::readFile(paths[u"O"_s]), otherBytes);

    // Both imports are in the history, newest first, with the bytes they wrote: the shirt's
    // 64 x 64 pixels and palette (5120, the typed logo lies inside them) and the background's
    // 7680. Undo takes them back one by one.
    const QStringList history = cli(u"history --gob O"_s).out.split(u'\n');
    ASSERT_EQ(history.size(), 3);
    EXPECT_TRUE(QRegularExpression(u"^2\t\\d{4}-\\d\\d-\\d\\dT[^\t]+\tpackage\tdone\t12800\t"
                                   "kits_backup.zip$"_s)
                    .match(history[0])
                    .hasMatch())
        << history[0].toStdString();
    EXPECT_TRUE(history[1].startsWith(u"1\t"_s)
                && history[1].endsWith(u"\tpackage\tdone\t12800\tkits.zip"_s));
    const QString status = u"status --gob O --package K"_s;
    const CliResult before = cli(status);
    EXPECT_TRUE(before.out.endsWith(u"\toriginal\tLogo\n"_s)) << before.out.toStdString();
    EXPECT_EQ(before.err, u"0 applied, 3 original, 0 other\n"_s);
    ASSERT_EQ(cli(u"undo --gob O"_s).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(paths[u"O"_s]), imported);
    EXPECT_EQ(cli(status).out,
              u"1\tapplied\tKits/Home/Shirt\n2\tapplied\tMenu background/Background\n"
              "3\tapplied\tLogo\n"_s);
    ASSERT_EQ(cli(u"undo --gob O --to 0"_s).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(paths[u"O"_s]), otherBytes);
    const CliResult none = cli(u"undo --gob O"_s);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, u"There is no change of %1 to undo.\n"_s.arg(paths[u"O"_s]));

    // A change larger than the history's limit is refused unless --no-undo is given.
    GobHistory::setLimit(100);
    expectRefused(u"apply --gob O --package K --yes"_s, u"give --no-undo"_s);
    EXPECT_EQ(Bytes::readFile(paths[u"O"_s]), otherBytes);
    EXPECT_EQ(cli(u"apply --gob O --package K --yes --no-undo"_s).exitCode, 0);
    EXPECT_EQ(Bytes::readFile(paths[u"O"_s]), imported);
}

TEST_F(CliPackages, ApplyAsksAndEveryRefusalLeavesTheGobUnchanged)
{
    ASSERT_EQ(cli(pack + u'K').exitCode, 0);
    const QByteArray before = Bytes::readFile(paths[u"G"_s]);
    for (const QByteArray &answer : {QByteArray("no\n"), QByteArray("maybe\n"), QByteArray("\n")}) {
        const CliResult asked = cli(u"apply --gob G --package K"_s, answer);
        EXPECT_EQ(asked.exitCode, 1);
        EXPECT_TRUE(asked.err.contains(
            u"3 files:\n\"Kits/Home/Shirt\"\n\"Menu background/Background\"\n\"Logo\"\n"_s))
            << asked.err.toStdString();
        EXPECT_EQ(Bytes::readFile(paths[u"G"_s]), before);
    }
    EXPECT_EQ(cli(u"apply --gob G --package K"_s, "yes\n").exitCode, 0);

    // A package for a larger GOB file is refused whole, before its backup; so is an item past
    // the end or not a number.
    paths[u"S"_s] = home.write(u"small_pc.gob"_s, Bytes::pattern(11000));
    paths[u"X"_s] = home.file(u"bad.zip"_s);
    const std::pair<QString, QString> refused[] = {
        {u"apply --gob S --package K --yes --backup"_s, u"record 2"_s},
        {u"pack --gob S --out X Far|10990|100"_s, u"Item 1 \"Far\""_s},
        {u"pack --gob S --out X Far|x|100"_s, u"\"x\""_s},
        {u"send Kits/Away|5112|3072"_s, u"No package window"_s},
    };
    for (const auto &[line, text] : refused)
        expectRefused(line, text);
    EXPECT_EQ(Bytes::readFile(paths[u"S"_s]), Bytes::pattern(11000));
    EXPECT_FALSE(Bytes::exists(paths[u"B"_s]));
    EXPECT_FALSE(Bytes::exists(paths[u"X"_s]));
}

// A dry run lists each item's state and the change it conflicts with and writes nothing; an
// apply that skips the conflicts writes only the new items.
TEST_F(CliPackages, DryRunListsConflictsExactlyAndSkippingThemWritesOnlyTheNewItems)
{
    const QByteArray other = Bytes::pattern(Bytes::readFile(paths[u"G"_s]).size(), 4);
    paths[u"O"_s] = home.write(u"Other/data/other_pc.gob"_s, other);
    QByteArray changed = other;
    changed.replace(199999, 10, QByteArray(10, '\xff'));
    paths[u"S"_s] = home.write(u"source_pc.gob"_s, changed);
    paths[u"L"_s] = home.file(u"l.zip"_s);
    ASSERT_EQ(cli(pack + u"K"_s).exitCode, 0);
    ASSERT_EQ(cli(u"pack --gob S --out L Inside|5100|10 Same|100000|10 New|200000|10"_s).exitCode,
              0);
    ASSERT_EQ(cli(u"apply --gob O --package K --yes"_s).exitCode, 0);

    const QString history = cli(u"history --gob O"_s).out;
    const QByteArray before = Bytes::readFile(paths[u"O"_s]);
    const QString kits = GobHistory(paths[u"O"_s]).changes().value(0).shown();
    const CliResult dry = cli(u"apply --gob O --package L --dry-run"_s);
    EXPECT_EQ(dry.exitCode, 0);
    EXPECT_EQ(dry.out, u"1\tInside\tconflict\t%1\n2\tSame\tsame\t\n3\tNew\tnew\t\n"_s.arg(kits));
    EXPECT_EQ(dry.err, u"1 new, 1 same, 1 conflicting; nothing was written.\n"_s);
    EXPECT_TRUE(Bytes::readFile(paths[u"O"_s]) == before);
    EXPECT_EQ(cli(u"history --gob O"_s).out, history);

    ASSERT_EQ(cli(u"apply --gob O --package L --skip-conflicts --yes"_s).exitCode, 0);
    QByteArray after = before;
    after.replace(199999, 10, QByteArray(10, '\xff'));
    EXPECT_TRUE(Bytes::readFile(paths[u"O"_s]) == after);
    EXPECT_TRUE(cli(u"history --gob O"_s).out.startsWith(u"2\t"_s)
                && cli(u"history --gob O"_s).out.section(u'\n', 0, 0).endsWith(u"\t10\tl.zip"_s));
}
