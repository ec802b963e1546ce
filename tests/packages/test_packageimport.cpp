#include "bytes.h"
#include "handzip.h"
#include "packagebytes.h"
#include "recordingdisplay.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "packages/packageimport.h"
#include "packages/packagemake.h"
#include "packages/tgamove.h"
#include "services/failure.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class PackageImportTest : public ::testing::Test
{
protected:
    // A package written by hand: install.data, file.data, Replaced Files.txt and more entries.
    QString handPackage(const QString &name, const QByteArray &install, const QByteArray &data,
                        const QByteArray &replaced, QList<HandZip::Entry> more = {})
    {
        QList<HandZip::Entry> entries = {{QStringLiteral("install.data"), install},
                                         {QStringLiteral("file.data"), data},
                                         {QStringLiteral("Replaced Files.txt"), replaced}};
        entries += more;
        const QString path = home.file(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(HandZip::write(path, entries));
        return path;
    }

    // A package made by the program from a GOB file.
    QString madePackage(const QString &gob, const QList<PackageItem> &items, const QString &name)
    {
        RecordingDisplay display;
        PackageContext context {prompts, nullptr, display};
        const QStringList files =
            PackageMake::writeFiles(gob, items, home.file(QStringLiteral("make")), display);
        const QString path = home.file(name);
        EXPECT_EQ(PackageMake::writeArchive(path, files, QString(), gob, context), 0);
        return path;
    }

    ImportOutcome import(const QString &package, const QString &gob, bool backup = false,
                         const QString &bats = QString())
    {
        PackageContext context {prompts, nullptr, display};
        const ImportRequest request {package, gob,  home.file(QStringLiteral("KX_Temp")),
                                     backup,  bats, {}};
        return PackageImport::run(request, context);
    }

    // The failure's description of an import that must be refused.
    QString refusal(const QString &package, const QString &gob, bool backup = false,
                    const QString &bats = QString())
    {
        try {
            import(package, gob, backup, bats);
        } catch (const Failure &failure) {
            return failure.description();
        }
        ADD_FAILURE() << "the import was not refused";
        return QString();
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
    const QString sourceGob = home.write(QStringLiteral("a/source_pc.gob"), source);
    const QString targetGob = home.write(QStringLiteral("b/target_pc.gob"), target);
    const QString package = madePackage(sourceGob,
                                        {{QStringLiteral("P\u00EAche/Home"), 1000, 300},
                                         {QStringLiteral("\u03A9mega/Away"), 9000, 5000}},
                                        QStringLiteral("kits.zip"));

    prompts.answerMessage(Answer::Yes);
    const ImportOutcome outcome = import(package, targetGob);
    EXPECT_TRUE(outcome.imported);
    QByteArray expected = target;
    expected.replace(1111, 300, source.mid(1111, 300));
    expected.replace(9111, 5000, source.mid(9111, 5000));
    EXPECT_EQ(Bytes::readFile(targetGob), expected); // the regions equal, every other byte kept

    const auto messages = prompts.of(ScriptedPrompts::Kind::Message);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(HandZip::read(package).value(2).bytes,
              QByteArray("\"P\xc3\xaa"
                         "che/Home\"\r\n\"\xce\xa9mega/Away\"\r\n"));
    EXPECT_EQ(messages[0].text, QStringLiteral("\"P\u00EAche/Home\" \"\u03A9mega/Away\" "));
    EXPECT_EQ(messages[0].title, QStringLiteral("Do you want to replace the following file(s)"));
    EXPECT_EQ(messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    // No .tga file in the package: the move reports 2, as an empty move does.
    EXPECT_EQ(messages[1].text, QStringLiteral("Imported Sucessfully\r\n2"));
    EXPECT_EQ(messages[1].icon, MessageIcon::Information);
    EXPECT_EQ(display.progress, (QList<int> {50, 100}));
    EXPECT_EQ(display.switches, QList<bool> {true});
}

TEST_F(PackageImportTest, BackupPackageRestoresTheOriginalEvenWithOverlappingRecords)
{
    const QByteArray original = Bytes::pattern(30000, 5);
    const QString gob = home.write(QStringLiteral("g_pc.gob"), original);
    // Record 2 overlaps record 1: the backup must hold the bytes from before the import. The
    // byte after the two records is no record.
    const QByteArray data = Bytes::pattern(6000, 77);
    const QByteArray install = installRecords({{100, 4000}, {2000, 2000}}) + '\x7f';
    const QByteArray replaced = "\"P\xea"
                                "che\"\r\n\"\xce\xa9mega\"\r\n"; // as an earlier copy wrote it
    const QString package = handPackage(QStringLiteral("Mods/KITS.ZIP"), install, data, replaced);
    prompts.answerMessage(Answer::Yes);
    const ImportOutcome first = import(package, gob, true);
    EXPECT_EQ(prompts.messageTexts().at(0), QStringLiteral("\"P\u00EAche\" \"\u03A9mega\" "));
    EXPECT_EQ(first.backupPath, home.file(QStringLiteral("Mods/KITS_backup.zip")));
    ASSERT_TRUE(Bytes::exists(first.backupPath));
    QByteArray imported = original;
    imported.replace(211, 4000, data.left(4000));
    imported.replace(2111, 2000, data.mid(4000));
    EXPECT_EQ(Bytes::readFile(gob), imported);
    const QList<HandZip::Read> backup = HandZip::read(first.backupPath);
    ASSERT_EQ(backup.size(), 3);
    EXPECT_EQ(backup[0].name, QStringLiteral("install.data"));
    EXPECT_EQ(backup[0].bytes, install);
    EXPECT_EQ(backup[1].bytes, original.mid(211, 4000) + original.mid(2111, 2000));
    EXPECT_EQ(backup[2].bytes, replaced);
    EXPECT_TRUE(prompts.lastMessage()->text.endsWith(first.backupPath));

    // A second import with its backup keeps the first backup: restoring that one gives the
    // original GOB file.
    const QByteArray firstBackup = Bytes::readFile(first.backupPath);
    prompts.answerMessage(Answer::Yes);
    EXPECT_EQ(import(package, gob, true).backupPath,
              home.file(QStringLiteral("Mods/KITS_backup-2.zip")));
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
    const QString gob = home.write(QStringLiteral("g_pc.gob"), Bytes::pattern(1000));
    const QByteArray before = Bytes::sha256(gob);
    const QString package = home.file(QStringLiteral("half.zip"));
    ASSERT_TRUE(HandZip::write(package,
                               {{QStringLiteral("install.data"), installRecords({{0, 4}})},
                                {QStringLiteral("file.data"), "abcd"}}));
    const ImportOutcome outcome = import(package, gob);
    EXPECT_FALSE(outcome.imported);
    ASSERT_EQ(prompts.messageTexts(), QStringList {QStringLiteral("Its not a KX Zip file")});
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    EXPECT_EQ(Bytes::sha256(gob), before);
    EXPECT_TRUE(QDir(home.file(QStringLiteral("KX_Temp/Import"))).isEmpty());

    // Files that an earlier package left in the extraction folder do not complete this one.
    const QString full =
        handPackage(QStringLiteral("full.zip"), installRecords({{0, 4}}), "abcd", "\"X\"\r\n");
    prompts.clear();
    prompts.answerMessage(Answer::No);
    EXPECT_THROW(import(full, gob), Failure);
    EXPECT_TRUE(Bytes::exists(home.file(QStringLiteral("KX_Temp/Import/Replaced Files.txt"))));
    prompts.clear();
    EXPECT_FALSE(import(package, gob).imported);
    EXPECT_EQ(prompts.messageTexts(), QStringList {QStringLiteral("Its not a KX Zip file")});
    EXPECT_EQ(Bytes::sha256(gob), before);
}

TEST_F(PackageImportTest, TgaFilesMoveIntoTheBatsFolderAndTheBackupKeepsTheOnesReplaced)
{
    const QString gob =
        home.write(QStringLiteral("Torvane/data/torvane_pc.gob"), Bytes::pattern(500));
    const QString package =
        handPackage(QStringLiteral("shirt.zip"), installRecords({{0, 3}}), "xyz", "\"Shirt\"\r\n",
                    {{QStringLiteral("shirt.tga"), "TGA!"},
                     {QStringLiteral("sock.tga"), "SOCK"},
                     {QStringLiteral("readme.txt"), "hi"}});
    const QString bats = home.file(QStringLiteral("Torvane/data/bats/"));
    const QString shirt = home.write(QStringLiteral("Torvane/data/bats/shirt.tga"), "mine");
    prompts.answerMessage(Answer::Yes);
    const ImportOutcome outcome = import(package, gob, true, bats);
    EXPECT_EQ(outcome.moveResult, TgaMove::Moved);
    // The user's file is named in the question and kept in the backup package.
    EXPECT_EQ(prompts.messageTexts().first(), QStringLiteral("\"Shirt\" \"%1\" ").arg(shirt));
    EXPECT_EQ(HandZip::names(outcome.backupPath).last(), QStringLiteral("shirt.tga"));
    EXPECT_EQ(Bytes::readFile(shirt), QByteArray("TGA!"));
    EXPECT_EQ(Bytes::readFile(bats + QStringLiteral("sock.tga")), QByteArray("SOCK"));
    EXPECT_FALSE(Bytes::exists(home.file(QStringLiteral("KX_Temp/Import/shirt.tga"))));
    EXPECT_FALSE(Bytes::exists(bats + QStringLiteral("readme.txt")));
    EXPECT_EQ(prompts.lastMessage()->text,
              QStringLiteral("Imported Sucessfully\r\n0\r\nThe backup package is ")
                  + outcome.backupPath);
    prompts.answerMessage(Answer::Yes);
    import(outcome.backupPath, gob, false, bats);
    EXPECT_EQ(Bytes::readFile(shirt), QByteArray("mine"));
    EXPECT_EQ(QDir(bats).count(), 4u); // ".", "..", shirt.tga, sock.tga: nothing left beside them

    // A .tga file of the bats folder that is a link to the GOB file refuses the package.
    QFile::remove(bats + QStringLiteral("sock.tga"));
    QFile::link(gob, bats + QStringLiteral("sock.tga"));
    const QByteArray before = Bytes::sha256(gob);
    EXPECT_TRUE(refusal(package, gob, false, bats).contains(gob + QStringLiteral(", which")));
    EXPECT_EQ(Bytes::sha256(gob), before);

    // Without a bats folder the GOB bytes are still imported and the result is not 0.
    const QString loose = home.write(QStringLiteral("loose_pc.gob"), Bytes::pattern(500));
    prompts.clear();
    prompts.answerMessage(Answer::Yes);
    EXPECT_EQ(import(package, loose).moveResult, TgaMove::NoFolder);
    EXPECT_EQ(Bytes::readFile(loose).mid(111, 3), QByteArray("xyz"));
    EXPECT_EQ(prompts.lastMessage()->text, QStringLiteral("Imported Sucessfully\r\n3"));
}

TEST_F(PackageImportTest, EveryRefusalLeavesTheGobUnchanged)
{
    const QString gob = home.write(QStringLiteral("g_pc.gob"), Bytes::pattern(1000, 6));
    const QByteArray before = Bytes::sha256(gob);
    const QByteArray twenty = Bytes::pattern(20, 1);
    const auto check = [&](const QString &package, const QStringList &needles,
                           bool backup = false) {
        prompts.clear(); // the replace question must not even be asked
        const QString message = refusal(package, gob, backup);
        for (const QString &needle : needles)
            EXPECT_TRUE(message.contains(needle)) << message.toStdString();
        EXPECT_EQ(Bytes::sha256(gob), before) << message.toStdString();
        EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Message).empty()) << message.toStdString();
    };
    // Record 2 is bad in each package: record 1 must not have been written either.
    check(handPackage(QStringLiteral("neg.zip"), installRecords({{0, 10}, {-5, 10}}), twenty,
                      "\"Good\"\r\n\"Minus\"\r\n"),
          {QStringLiteral("record 2"), QStringLiteral("\"Minus\""), QStringLiteral("-5")});
    check(handPackage(QStringLiteral("size.zip"), installRecords({{0, 10}, {5, -10}}), twenty,
                      "\"Good\"\r\n\"Shrunk\"\r\n"),
          {QStringLiteral("record 2"), QStringLiteral("-10")});
    check(handPackage(QStringLiteral("far.zip"), installRecords({{0, 10}, {880, 10}}), twenty,
                      "\"Good\"\r\n\"Far\"\r\n"),
          {QStringLiteral("record 2"), QStringLiteral("\"Far\""), QStringLiteral("1000 bytes")});
    check(handPackage(QStringLiteral("short.zip"), installRecords({{0, 10}, {50, 11}}), twenty,
                      "\"Good\"\r\n\"Long\"\r\n"),
          {QStringLiteral("20 bytes"), QStringLiteral("21")});
    check(handPackage(QStringLiteral("slip.zip"), installRecords({{0, 10}}), twenty.left(10),
                      "\"Good\"\r\n", {{QStringLiteral("../../evil.tga"), "x"}}),
          {QStringLiteral("../../evil.tga")});
    EXPECT_FALSE(Bytes::exists(home.file(QStringLiteral("evil.tga"))));

    // A backup package that cannot be written stops the import before the GOB file is touched.
    const QString good = handPackage(QStringLiteral("good.zip"), installRecords({{0, 10}}),
                                     twenty.left(10), "\"Good\"\r\n");
    QDir().mkpath(home.file(QStringLiteral("KX_Temp/file.data"))); // the backup's data file
    prompts.clear();
    prompts.answerMessage(Answer::Yes);
    const QString message = refusal(good, gob, true);
    EXPECT_TRUE(message.contains(QStringLiteral("good_backup.zip"))) << message.toStdString();
    EXPECT_EQ(Bytes::sha256(gob), before);

    // Answering No is a silent cancel.
    prompts.clear();
    prompts.answerMessage(Answer::No);
    try {
        import(good, gob, true);
        ADD_FAILURE() << "No imported the package";
    } catch (const Failure &failure) {
        EXPECT_TRUE(failure.isCancel()) << failure.description().toStdString();
    }
    EXPECT_EQ(Bytes::sha256(gob), before);
}
