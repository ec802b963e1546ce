#include "bytes.h"
#include "handzip.h"
#include "recordingdisplay.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "packages/unzipservice.h"
#include "packages/zipservice.h"
#include "services/fileaccess.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// What the unzip service answers: its result number and problem (0 and empty when it unpacks).
struct Unzipped
{
    int result = VBUnzBas::UnzipResult::Ok;
    QString reason;
};

Unzipped unzipped(const QString &archive, const QString &folder, PackageContext &context,
                  qint64 maxBytes = -1)
{
    try {
        VBUnzBas::unzip(archive, folder, context, maxBytes);
    } catch (const ZipFailure &failure) {
        return {failure.result(), failure.description()};
    }
    return {};
}

namespace UnzipResult = VBUnzBas::UnzipResult;

// Name, general purpose flags and method of each entry of the central directory, read byte by
// byte as the zip format lays it out: "name flags method".
QStringList centralDirectory(const QByteArray &zip)
{
    const auto get16 = [&](qsizetype at) {
        return int(quint8(zip[at]) | quint8(zip[at + 1]) << 8);
    };
    QStringList entries;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    qsizetype at = end < 0 ? 0 : Bytes::get32(zip, end + 16);
    for (int i = 0;
         end >= 0 && i < get16(end + 10) && zip.mid(at, 4) == QByteArray("PK\x01\x02", 4); ++i) {
        entries << u"%1 %2 %3"_s.arg(QString::fromUtf8(zip.mid(at + 46, get16(at + 28))))
                       .arg(get16(at + 8))
                       .arg(get16(at + 10));
        at += 46 + get16(at + 28) + get16(at + 30) + get16(at + 32);
    }
    return entries;
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

class ZipServices : public ::testing::Test
{
protected:
    TestHome home;
    ScriptedPrompts prompts;
    RecordingDisplay display;
    PackageContext context {prompts, nullptr, display};
};

} // namespace

// Bare names in order, deflated with the "maximum compression" option bits (1 of bits 1 and 2)
// in every entry, and the archive comment; a name without an extension gets ".zip".
TEST_F(ZipServices, ZipStoresBareNamesInOrderAtLevelNineWithTheComment)
{
    const QByteArray data = Bytes::pattern(100000, 2);
    const QStringList files = {home.write(u"t/install.data"_s, "12345678"),
                               home.write(u"t/file.data"_s, data),
                               home.write(u"t/Replaced Files.txt"_s, "\"A\"\r\n"),
                               home.write(u"docs/read me.txt"_s, "hello")};
    QDir().mkpath(home.file(u"out"_s));
    VBZipBas::zip(home.file(u"out/kits"_s), files, context);
    const QString written = home.file(u"out/kits.zip"_s);
    QString comment;
    const QList<HandZip::Read> entries = HandZip::read(written, &comment);
    EXPECT_EQ(comment,
              u"You need Kestrix version 2 to import the contents of this zip file to the .gob"_s);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[1].bytes, data);
    EXPECT_EQ(entries[3].bytes, QByteArray("hello"));
    EXPECT_EQ(centralDirectory(Bytes::readFile(written)),
              (QStringList {u"install.data 2 8"_s, u"file.data 2 8"_s, u"Replaced Files.txt 2 8"_s,
                            u"read me.txt 2 8"_s}));
    ASSERT_EQ(display.log.size(), 4);
    EXPECT_TRUE(display.log[1].startsWith(u"  adding: file.data (deflated "_s));
    EXPECT_GT(display.pendingEvents, 0);
    EXPECT_EQ(VBZipBas::archivePathFor(u"/m/kits.pkg"_s), u"/m/kits.pkg"_s);

    // Repeated names in any letter case and missing files are refused and write nothing.
    const QString archive = home.file(u"x.zip"_s);
    const QString b = home.write(u"b/INSTALL.DATA"_s, "2"), missing = home.file(u"missing"_s);
    for (const QString &second : {b, missing}) {
        EXPECT_THROW(VBZipBas::zip(archive, {files[0], second}, context), ZipFailure);
        EXPECT_TRUE(
            display.log.value(display.log.size() - 1).contains(QFileInfo(second).fileName()));
    }
    EXPECT_FALSE(Bytes::exists(archive));
}

TEST_F(ZipServices, UnzipMakesStoredFoldersAndIgnoresLetterCase)
{
    const QString archive = home.file(u"p.zip"_s);
    ASSERT_TRUE(HandZip::write(archive,
                               {{u"Sub/Deep/A.txt"_s, "first"},
                                {u"empty/"_s, {}},
                                {u"sub/deep/a.TXT"_s, "second"},
                                {u"top.bin"_s, Bytes::pattern(200000)}}));
    const QString folder = home.file(u"KX_Temp/Import"_s);
    home.write(u"KX_Temp/Import/top.bin"_s, "old"); // replaced without asking
    // Scratch files are never synced: a disk whose every sync fails still unpacks them.
    FileAccess::plantFault({u"sync"_s, u".bin"_s, 0, EIO, 99});
    const Unzipped x = unzipped(archive, folder, context);
    FileAccess::clearFaults();
    ASSERT_EQ(x.result, UnzipResult::Ok) << x.reason.toStdString();
    EXPECT_EQ(filesBelow(folder), (QStringList {u"Sub/Deep/A.txt"_s, u"top.bin"_s}));
    EXPECT_EQ(Bytes::readFile(folder + u"/Sub/Deep/A.txt"_s), QByteArray("second"));
    EXPECT_EQ(Bytes::readFile(folder + u"/top.bin"_s), Bytes::pattern(200000));
    EXPECT_TRUE(QFileInfo(folder + u"/empty"_s).isDir());
    EXPECT_TRUE(prompts.shown.empty());

    EXPECT_EQ(unzipped(home.file(u"none.zip"_s), folder, context).result,
              UnzipResult::ArchiveNotFound);
    const Unzipped bad = unzipped(home.write(u"text.zip"_s, "not a zip"), folder, context);
    EXPECT_EQ(bad.result, UnzipResult::BadArchive);
    EXPECT_EQ(display.log, QStringList {bad.reason}); // each message replaces the log

    // 860 bytes that say they expand to 300 MiB: refused by their headers, nothing unpacked.
    QDir(folder).removeRecursively();
    const Unzipped bomb =
        unzipped(QStringLiteral(KESTRIX_TEST_DATA "/expands-300m.zip"), folder, context, 300 << 20);
    EXPECT_EQ(bomb.result, UnzipResult::TooLarge);
    EXPECT_EQ(bomb.reason,
              u"The zip file's entries expand to 300.0 MiB, more than the 300.0 MiB a "
              "package for this GOB file can hold; nothing was unpacked."_s);
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(ZipServices, EntriesThatLeaveTheFolderRefuseTheWholeArchive)
{
    const QString folder = home.file(u"work/KX_Temp/Import"_s);
    const QStringList before = filesBelow(home.path());
    const QList<HandZip::Entry> bad = {
        {u"../evil.txt"_s, "x"},        {u"a/../../evil.txt"_s, "x"},    {u"..\\evil.txt"_s, "x"},
        {home.file(u"abs.txt"_s), "x"}, {u"C:/Windows/evil.txt"_s, "x"}, {u"c:evil.txt"_s, "x"},
        {u"\\root.txt"_s, "x"},         {u"link"_s, "/etc", true},
    };
    for (const HandZip::Entry &entry : bad) {
        const QString archive = home.file(u"slip.zip"_s);
        ASSERT_TRUE(HandZip::write(archive, {{u"good.txt"_s, "fine"}, entry}))
            << entry.name.toStdString();
        const Unzipped x = unzipped(archive, folder, context);
        EXPECT_EQ(x.result, UnzipResult::UnsafeName) << entry.name.toStdString();
        EXPECT_TRUE(x.reason.contains(entry.name)) << x.reason.toStdString();
        QFile::remove(archive);
        EXPECT_EQ(filesBelow(home.path()), before) << entry.name.toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
    EXPECT_TRUE(VBUnzBas::isSafeEntryName(u"a/./b..c/d.txt"_s));
}

TEST_F(ZipServices, EncryptedEntriesAskForThePassword)
{
    if (!zip_encryption_method_supported(ZIP_EM_AES_256, 1))
        GTEST_SKIP() << "this libzip cannot write encrypted entries";
    VBUnzBas::forgetDeclinedPassword();
    const QString archive = home.file(u"secret.zip"_s);
    ASSERT_TRUE(HandZip::write(
        archive, {{u"a.txt"_s, "alpha", false, "sesame"}, {u"b.txt"_s, "beta", false, "sesame"}}));
    const QString folder = home.file(u"out"_s);
    prompts.answerInput(u"wrong"_s);
    prompts.answerInput(u"sesame"_s);
    ASSERT_EQ(unzipped(archive, folder, context).result, UnzipResult::Ok);
    EXPECT_EQ(Bytes::readFile(folder + u"/a.txt"_s) + Bytes::readFile(folder + u"/b.txt"_s),
              QByteArray("alphabeta"));
    const auto inputs = prompts.of(ScriptedPrompts::Kind::Input);
    ASSERT_EQ(inputs.size(), 2u); // the right password serves the second entry too
    EXPECT_EQ(inputs[0].text, u"Please Enter The Password!"_s);

    // An empty answer declines; later requests of the run are declined without asking.
    prompts.clear();
    prompts.answerInput(QString());
    const QString other = home.file(u"out2"_s);
    for (int run = 0; run < 2; ++run)
        EXPECT_EQ(unzipped(archive, other, context).result, UnzipResult::NoPassword);
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Input).size(), 1u);
    EXPECT_FALSE(Bytes::exists(other + u"/a.txt"_s));
    VBUnzBas::forgetDeclinedPassword();
}
