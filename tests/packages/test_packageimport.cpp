#include "bytes.h"
#include "handzip.h"
#include "packagebytes.h"
#include "recordingdisplay.h"
#include "refusal.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "history/gobhistory.h"
#include "packages/packageimport.h"
#include "packages/packagemake.h"
#include "packages/tgamove.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class PackageImportTest : public ::testing::Test
{
protected:
    // A package written by hand: install.data, file.data, Replaced Files.txt and more entries.
    QString handPackage(const QString &name, const QByteArray &install, const QByteArray &data,
                        const QByteArray &replaced, const QList<HandZip::Entry> &more = {})
    {
        const QString path = home.file(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(HandZip::write(path,
                                   QList<HandZip::Entry> {{u"install.data"_s, install},
                                                          {u"file.data"_s, data},
                                                          {u"Replaced Files.txt"_s, replaced}}
                                       + more));
        return path;
    }

    ImportOutcome import(const QString &package, const QString &gob, bool backup = false,
                         const QString &bats = QString())
    {
        PackageContext context {prompts, nullptr, display};
        return PackageImport::run({package, gob, home.file(u"KX_Temp"_s), backup, bats, {}},
                                  context);
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingDisplay display;
};

} // namespace

TEST_F(PackageImportTest, ImportIntoAnotherGobMakesTheRegionsEqual)
{
    const QByteArray source = Bytes::pattern(20000, 1);
    const QByteArray target = Bytes::pattern(20000, 2);
    const QString sourceGob = home.write(u"a/source_pc.gob"_s, source);
    const QString targetGob = home.write(u"b/target_pc.gob"_s, target);
    const QString package = home.file(u"kits.zip"_s);
    const QStringList files = PackageMake::writeFiles(
        sourceGob, {{u"P\u00EAche/Home"_s, 1000, 300}, {u"\u03A9mega/Away"_s, 9000, 5000}},
        home.file(u"make"_s), display);
    PackageContext context {prompts, nullptr, display};
    PackageMake::writeArchive(package, files, QString(), sourceGob, context);
    display.progress.clear();
    display.switches.clear();

    prompts.answerMessage(Answer::Yes);
    EXPECT_TRUE(import(package, targetGob).imported);
    QByteArray expected = target;
    expected.replace(1111, 300, source.mid(1111, 300));
    expected.replace(9111, 5000, source.mid(9111, 5000));
    EXPECT_EQ(Bytes::readFile(targetGob), expected); // the regions equal, every other byte kept

    const auto messages = prompts.of(ScriptedPrompts::Kind::Message);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(HandZip::read(package).value(2).bytes,
              "\"P\xc3\xaa"
              "che/Home\"\r\n\"\xce\xa9mega/Away\"\r\n");
    EXPECT_EQ(std::tuple(messages[0].text, messages[0].items, messages[0].title, messages[0].icon,
                         messages[0].buttons),
              std::tuple(u"Do you want to replace the following file(s)\r\n\r\n2 files:"_s,
                         QStringList {u"\"P\u00EAche/Home\""_s, u"\"\u03A9mega/Away\""_s},
                         u"Do you want to replace the following file(s)"_s, MessageIcon::Question,
                         MessageButtons::YesNo));
    // No .tga file in the package: the move reports 2, as an empty move does.
    EXPECT_EQ(std::pair(messages[1].text, messages[1].icon),
              std::pair(u"Imported Sucessfully\r\n2"_s, MessageIcon::Information));
    // By entry while it unpacks its three files, then by record.
    EXPECT_EQ(display.progress, (QList<int> {33, 66, 100, 50, 100}));
    EXPECT_EQ(display.switches, QList<bool> {true});
}

TEST_F(PackageImportTest, BackupPackageRestoresTheOriginalEvenWithOverlappingRecords)
{
    const QByteArray original = Bytes::pattern(30000, 5);
    const QString gob = home.write(u"g_pc.gob"_s, original);
    // Record 2 overlaps record 1: the backup must hold the bytes from before the import. The
    // byte after the two records is no record.
    const QByteArray data = Bytes::pattern(6000, 77);
    const QByteArray install = installRecords({{100, 4000}, {2000, 2000}}) + '\x7f';
    const QByteArray replaced = "\"P\xea"
                                "che\"\r\n\"\xce\xa9mega\"\r\n"; // as an earlier copy wrote it
    const QString package = handPackage(u"Mods/KITS.ZIP"_s, install, data, replaced);
    prompts.answerMessage(Answer::Yes);
    const ImportOutcome first = import(package, gob, true);
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Message).at(0).items,
              QStringList({u"\"P\u00EAche\""_s, u"\"\u03A9mega\""_s}));
    EXPECT_EQ(first.backupPath, home.file(u"Mods/KITS_backup.zip"_s));
    QByteArray imported = original;
    imported.replace(211, 4000, data.left(4000));
    imported.replace(2111, 2000, data.mid(4000));
    EXPECT_EQ(Bytes::readFile(gob), imported);
    const QList<HandZip::Read> backup = HandZip::read(first.backupPath);
    ASSERT_EQ(backup.size(), 3);
    EXPECT_EQ(backup[0].name, u"install.data"_s);
    EXPECT_EQ(backup[0].bytes, install);
    EXPECT_EQ(backup[1].bytes, original.mid(211, 4000) + original.mid(2111, 2000));
    EXPECT_EQ(backup[2].bytes, replaced);
    EXPECT_TRUE(prompts.last().text.endsWith(first.backupPath));

    // A second import with its backup keeps the first backup: restoring that one gives the
    // original GOB file.
    const QByteArray firstBackup = Bytes::readFile(first.backupPath);
    prompts.answerMessage(Answer::Yes);
    EXPECT_EQ(import(package, gob, true).backupPath, home.file(u"Mods/KITS_backup-2.zip"_s));
    EXPECT_EQ(Bytes::readFile(first.backupPath), firstBackup);
    prompts.answerMessage(Answer::Yes);
    import(first.backupPath, gob);
    EXPECT_EQ(Bytes::readFile(gob), original);

    // The name comes from the package's file name alone, in the package's folder.
    for (const auto &[package, backup] : {std::pair {"C:/Mods/kits.zip", "C:/Mods/kits_backup.zip"},
                                          {"/m/my.zipdir/kit.zip", "/m/my.zipdir/kit_backup.zip"},
                                          {"/m/a.zip.zip", "/m/a.zip_backup.zip"},
                                          {"/m/kits", "/m/kits_backup.zip"}})
        EXPECT_EQ(PackageImport::backupPathOf(QString::fromUtf8(package)),
                  QString::fromUtf8(backup));
}

TEST_F(PackageImportTest, ZipWithoutTheThreeFilesIsNoPackage)
{
    const QString gob = home.write(u"g_pc.gob"_s, Bytes::pattern(1000));
    const QString half = home.file(u"half.zip"_s);
    ASSERT_TRUE(HandZip::write(
        half, {{u"install.data"_s, installRecords({{0, 4}})}, {u"file.data"_s, "abcd"}}));
    const QString full = handPackage(u"full.zip"_s, installRecords({{0, 4}}), "abcd", "\"X\"\r\n");
    // Files that an earlier package left in the extraction folder do not complete this one.
    for (const bool afterFull : {false, true}) {
        if (afterFull) {
            prompts.answerMessage(Answer::No);
            EXPECT_THROW(import(full, gob), Failure);
            ASSERT_TRUE(Bytes::exists(home.file(u"KX_Temp/Import/Replaced Files.txt"_s)));
        }
        prompts.clear();
        EXPECT_FALSE(import(half, gob).imported);
        ASSERT_EQ(prompts.messageTexts(), QStringList {u"Its not a KX Zip file"_s});
        EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
        EXPECT_EQ(Bytes::readFile(gob), Bytes::pattern(1000));
        EXPECT_TRUE(QDir(home.file(u"KX_Temp/Import"_s)).isEmpty());
    }
}

TEST_F(PackageImportTest, TgaFilesMoveIntoTheBatsFolderAndTheBackupKeepsTheOnesReplaced)
{
    const QString gob = home.write(u"Torvane/data/torvane_pc.gob"_s, Bytes::pattern(500));
    const QString package =
        handPackage(u"shirt.zip"_s, installRecords({{0, 3}}), "xyz", "\"Shirt\"\r\n",
                    {{u"shirt.tga"_s, "TGA!"}, {u"sock.tga"_s, "SOCK"}, {u"readme.txt"_s, "hi"}});
    const QString bats = home.file(u"Torvane/data/bats/"_s);
    const QString shirt = home.write(u"Torvane/data/bats/shirt.tga"_s, "mine");
    prompts.answerMessage(Answer::Yes);
    const ImportOutcome outcome = import(package, gob, true, bats);
    EXPECT_EQ(outcome.moveResult, TgaMove::Moved);
    // The user's file is named in the question and kept in the backup package.
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Message).at(0).items,
              QStringList({u"\"Shirt\""_s, u'"' + shirt + u'"'}));
    EXPECT_EQ(HandZip::read(outcome.backupPath).value(3).name, u"shirt.tga"_s);
    EXPECT_EQ(Bytes::readFile(shirt), "TGA!");
    EXPECT_EQ(Bytes::readFile(bats + u"sock.tga"_s), "SOCK");
    EXPECT_FALSE(Bytes::exists(home.file(u"KX_Temp/Import/shirt.tga"_s)));
    EXPECT_FALSE(Bytes::exists(bats + u"readme.txt"_s));
    EXPECT_EQ(prompts.last().text,
              u"Imported Sucessfully\r\n0\r\nThe backup package is "_s + outcome.backupPath);

    // The change keeps the files it replaced: undo and redo put them back and forth, and after
    // a kill before the change was done, recovery puts them back with the GOB bytes.
    const QString journal = GobHistory(gob).changes().value(0).path();
    const QByteArray done = Bytes::readFile(journal);
    const QByteArray changed = Bytes::readFile(gob);
    const std::function<void()> steps[] = {
        [&] { GobHistory(gob).undo(); }, [&] { GobHistory(gob).redo(); },
        [&] {
            home.write(QDir(home.path()).relativeFilePath(journal), done.chopped(12 + 32));
            EXPECT_TRUE(GobHistory(gob).recover().value(0).contains(u"was interrupted"_s));
        }};
    for (int i = 0; i < 3; ++i) {
        steps[i]();
        const bool back = i != 1;
        EXPECT_EQ(Bytes::readFile(shirt), back ? "mine" : "TGA!") << i;
        EXPECT_EQ(Bytes::exists(bats + u"sock.tga"_s), !back) << i;
        EXPECT_EQ(Bytes::readFile(gob), back ? Bytes::pattern(500) : changed) << i;
    }
    prompts.answerMessage(Answer::Yes);
    import(package, gob, false, bats);
    prompts.answerMessage(Answer::Yes);
    import(outcome.backupPath, gob, false, bats);
    EXPECT_EQ(Bytes::readFile(shirt), "mine");
    EXPECT_EQ(QDir(bats).count(), 4u); // ".", "..", shirt.tga, sock.tga: nothing left beside them

    // A .tga file of the bats folder that is a link to the GOB file refuses the package.
    QFile::remove(bats + u"sock.tga"_s);
    QFile::link(gob, bats + u"sock.tga"_s);
    const QByteArray before = Bytes::readFile(gob);
    EXPECT_TRUE(refusal([&] { import(package, gob, false, bats); }).contains(gob + u", which"_s));
    EXPECT_EQ(Bytes::readFile(gob), before);

    // Without a bats folder the GOB bytes are still imported and the result is not 0.
    const QString loose = home.write(u"loose_pc.gob"_s, Bytes::pattern(500));
    prompts.clear();
    prompts.answerMessage(Answer::Yes);
    EXPECT_EQ(import(package, loose).moveResult, TgaMove::NoFolder);
    EXPECT_EQ(Bytes::readFile(loose).mid(111, 3), "xyz");
    EXPECT_EQ(prompts.last().text, u"Imported Sucessfully\r\n3"_s);
}

TEST_F(PackageImportTest, EveryRefusalLeavesTheGobUnchanged)
{
    const QString gob = home.write(u"g_pc.gob"_s, Bytes::pattern(1000, 6));
    const QByteArray twenty = Bytes::pattern(20, 1);
    // Record 2 is bad in each package: record 1 must not have been written either.
    const struct
    {
        const char *name;
        std::initializer_list<std::pair<qint32, qint32>> records;
        QByteArray data;
        QList<HandZip::Entry> more;
        QString says;
    } cases[] = {
        {"neg",
         {{0, 10}, {-5, 10}},
         twenty,
         {},
         u"record 2 \"Item 2\" has the package offset -5"_s},
        {"size", {{0, 10}, {5, -10}}, twenty, {}, u"record 2 \"Item 2\" has the size -10"_s},
        {"far", {{0, 10}, {880, 10}}, twenty, {}, u"bytes 991 to 1000, past the end"_s}, // one past
        {"short",
         {{0, 10}, {50, 11}},
         twenty,
         {},
         u"holds 20 bytes, but the package's records need 21"_s},
        {"slip", {{0, 10}}, twenty.left(10), {{u"../../evil.tga"_s, "x"}}, u"../../evil.tga"_s},
    };
    for (const auto &c : cases) {
        const QString package =
            handPackage(QString::fromLatin1(c.name) + u".zip"_s, installRecords(c.records), c.data,
                        "\"Item 1\"\r\n\"Item 2\"\r\n", c.more);
        prompts.clear(); // the replace question must not even be asked
        const QString message = refusal([&] { import(package, gob); });
        EXPECT_TRUE(message.contains(c.says)) << c.name << ": " << message.toStdString();
        EXPECT_EQ(Bytes::readFile(gob), Bytes::pattern(1000, 6)) << c.name;
        EXPECT_TRUE(prompts.shown.empty()) << c.name;
    }
    EXPECT_FALSE(Bytes::exists(home.file(u"evil.tga"_s)));

    // A backup package that cannot be written stops the import before the GOB file is touched;
    // answering No is a silent cancel.
    const QString good = handPackage(u"good.zip"_s, installRecords({{0, 10}, {879, 10}}), twenty,
                                     "\"Item 1\"\r\n\"At the end\"\r\n");
    QDir().mkpath(home.file(u"KX_Temp/file.data"_s)); // the backup's data file
    prompts.answerMessage(Answer::Yes);
    EXPECT_TRUE(refusal([&] { import(good, gob, true); }).contains(u"good_backup.zip"_s));
    FailureNumber number {};
    prompts.answerMessage(Answer::No);
    refusal([&] { import(good, gob); }, &number);
    EXPECT_EQ(number, FailureNumber::Cancelled);
    EXPECT_EQ(Bytes::readFile(gob), Bytes::pattern(1000, 6));
}
