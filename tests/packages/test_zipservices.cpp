#include "bytes.h"
#include "handzip.h"
#include "recordingdisplay.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "packages/unzipservice.h"
#include "packages/zipservice.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

namespace {

using VBUnzBas::UnzipResult::Ok;

struct CentralEntry
{
    QString name;
    quint16 flags = 0;
    quint16 method = 0;
};

quint16 get16(const QByteArray &b, qsizetype at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

// The central directory read byte by byte, as the zip format lays it out.
QList<CentralEntry> centralDirectory(const QByteArray &zip)
{
    QList<CentralEntry> entries;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0)
        return entries;
    qsizetype at = Bytes::get32(zip, end + 16);
    const int count = get16(zip, end + 10);
    for (int i = 0; i < count && zip.mid(at, 4) == QByteArray("PK\x01\x02", 4); ++i) {
        const int nameLength = get16(zip, at + 28);
        entries << CentralEntry {QString::fromUtf8(zip.mid(at + 46, nameLength)),
                                 get16(zip, at + 8), get16(zip, at + 10)};
        at += 46 + nameLength + get16(zip, at + 30) + get16(zip, at + 32);
    }
    return entries;
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
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

TEST_F(ZipServices, ZipStoresBareNamesInOrderAtLevelNineWithTheComment)
{
    const QByteArray data = Bytes::pattern(100000, 2);
    const QStringList files = {home.write(QStringLiteral("t/install.data"), "12345678"),
                               home.write(QStringLiteral("t/file.data"), data),
                               home.write(QStringLiteral("t/Replaced Files.txt"), "\"A\"\r\n"),
                               home.write(QStringLiteral("docs/read me.txt"), "hello")};
    const QString archive = home.file(QStringLiteral("out/kits"));
    QDir().mkpath(home.file(QStringLiteral("out")));
    ASSERT_EQ(VBZipBas::zip(archive, files, context), 0);
    const QString written = archive + QStringLiteral(".zip"); // no extension: ".zip" added
    ASSERT_TRUE(Bytes::exists(written));

    QString comment;
    const QList<HandZip::Read> entries = HandZip::read(written, &comment);
    EXPECT_EQ(comment,
              QStringLiteral("You need Kestrix version 2 to import the contents of "
                             "this zip file to the .gob"));
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(HandZip::names(written),
              (QStringList {QStringLiteral("install.data"), QStringLiteral("file.data"),
                            QStringLiteral("Replaced Files.txt"), QStringLiteral("read me.txt")}));
    EXPECT_EQ(entries[1].bytes, data);
    EXPECT_EQ(entries[3].bytes, QByteArray("hello"));
    // Deflate (8) with the "maximum compression" option bits (1 of bits 1 and 2) in every entry.
    const QList<CentralEntry> central = centralDirectory(Bytes::readFile(written));
    ASSERT_EQ(central.size(), 4);
    for (const CentralEntry &e : central) {
        EXPECT_EQ(e.method, 8) << e.name.toStdString();
        EXPECT_EQ(e.flags & 6, 2) << e.name.toStdString();
    }
    ASSERT_EQ(display.log.size(), 4);
    EXPECT_TRUE(display.log[1].startsWith(QStringLiteral("  adding: file.data (deflated ")));
    EXPECT_GT(display.pendingEvents, 0);

    // An archive name with an extension is kept as it is.
    EXPECT_EQ(VBZipBas::archivePathFor(QStringLiteral("/m/kits.pkg")),
              QStringLiteral("/m/kits.pkg"));
}

TEST_F(ZipServices, ZipRefusesRepeatedNamesAndMissingFiles)
{
    const QString a = home.write(QStringLiteral("a/install.data"), "1");
    const QString b = home.write(QStringLiteral("b/INSTALL.DATA"), "2");
    const QString archive = home.file(QStringLiteral("x.zip"));
    EXPECT_NE(VBZipBas::zip(archive, {a, b}, context), 0);
    EXPECT_TRUE(display.log.last().contains(QStringLiteral("INSTALL.DATA")));
    EXPECT_NE(VBZipBas::zip(archive, {a, home.file(QStringLiteral("missing"))}, context), 0);
    EXPECT_TRUE(display.log.last().contains(QStringLiteral("missing")));
    EXPECT_FALSE(Bytes::exists(archive));
}

TEST_F(ZipServices, UnzipMakesStoredFoldersAndIgnoresLetterCase)
{
    const QString archive = home.file(QStringLiteral("p.zip"));
    ASSERT_TRUE(HandZip::write(archive,
                               {{QStringLiteral("Sub/Deep/A.txt"), "first"},
                                {QStringLiteral("empty/"), {}},
                                {QStringLiteral("sub/deep/a.TXT"), "second"},
                                {QStringLiteral("top.bin"), Bytes::pattern(200000)}}));
    const QString folder = home.file(QStringLiteral("KX_Temp/Import"));
    home.write(QStringLiteral("KX_Temp/Import/top.bin"), "old"); // replaced without asking
    const VBUnzBas::Extraction x = VBUnzBas::unzip(archive, folder, context);
    ASSERT_EQ(x.result, Ok) << x.reason.toStdString();
    EXPECT_EQ(filesBelow(folder),
              (QStringList {QStringLiteral("Sub/Deep/A.txt"), QStringLiteral("top.bin")}));
    EXPECT_EQ(Bytes::readFile(folder + QStringLiteral("/Sub/Deep/A.txt")), QByteArray("second"));
    EXPECT_EQ(Bytes::readFile(folder + QStringLiteral("/top.bin")), Bytes::pattern(200000));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/empty")).isDir());
    EXPECT_TRUE(prompts.shown.empty());

    const VBUnzBas::Extraction missing =
        VBUnzBas::unzip(home.file(QStringLiteral("none.zip")), folder, context);
    EXPECT_EQ(missing.result, VBUnzBas::UnzipResult::ArchiveNotFound);
    const QString text = home.write(QStringLiteral("text.zip"), "not a zip at all");
    const VBUnzBas::Extraction bad = VBUnzBas::unzip(text, folder, context);
    EXPECT_EQ(bad.result, VBUnzBas::UnzipResult::BadArchive);
    EXPECT_EQ(display.log, QStringList {bad.reason}); // each message replaces the log
}

TEST_F(ZipServices, EntriesThatLeaveTheFolderRefuseTheWholeArchive)
{
    const QString folder = home.file(QStringLiteral("work/KX_Temp/Import"));
    const QStringList before = filesBelow(home.path());
    const QList<HandZip::Entry> bad = {
        {QStringLiteral("../evil.txt"), "x"},         {QStringLiteral("a/../../evil.txt"), "x"},
        {QStringLiteral("..\\evil.txt"), "x"},        {home.file(QStringLiteral("abs.txt")), "x"},
        {QStringLiteral("C:/Windows/evil.txt"), "x"}, {QStringLiteral("c:evil.txt"), "x"},
        {QStringLiteral("\\root.txt"), "x"},          {QStringLiteral("link"), "/etc", true},
    };
    for (const HandZip::Entry &entry : bad) {
        const QString archive = home.file(QStringLiteral("slip.zip"));
        ASSERT_TRUE(HandZip::write(archive, {{QStringLiteral("good.txt"), "fine"}, entry}))
            << entry.name.toStdString();
        const VBUnzBas::Extraction x = VBUnzBas::unzip(archive, folder, context);
        EXPECT_EQ(x.result, VBUnzBas::UnzipResult::UnsafeName) << entry.name.toStdString();
        EXPECT_TRUE(x.reason.contains(entry.name)) << x.reason.toStdString();
        QFile::remove(archive);
        EXPECT_EQ(filesBelow(home.path()), before) << entry.name.toStdString();
        EXPECT_FALSE(Bytes::exists(home.file(QStringLiteral("work/KX_Temp/evil.txt"))));
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
    EXPECT_TRUE(VBUnzBas::isSafeEntryName(QStringLiteral("a/./b..c/d.txt")));
}

TEST_F(ZipServices, EncryptedEntriesAskForThePassword)
{
    if (!zip_encryption_method_supported(ZIP_EM_AES_256, 1))
        GTEST_SKIP() << "this libzip cannot write encrypted entries";
    VBUnzBas::forgetDeclinedPassword();
    const QString archive = home.file(QStringLiteral("secret.zip"));
    ASSERT_TRUE(HandZip::write(archive,
                               {{QStringLiteral("a.txt"), "alpha", false, "sesame"},
                                {QStringLiteral("b.txt"), "beta", false, "sesame"}}));
    const QString folder = home.file(QStringLiteral("out"));
    prompts.answerInput(QStringLiteral("wrong"));
    prompts.answerInput(QStringLiteral("sesame"));
    ASSERT_EQ(VBUnzBas::unzip(archive, folder, context).result, Ok);
    EXPECT_EQ(Bytes::readFile(folder + QStringLiteral("/a.txt")), QByteArray("alpha"));
    EXPECT_EQ(Bytes::readFile(folder + QStringLiteral("/b.txt")), QByteArray("beta"));
    const auto inputs = prompts.of(ScriptedPrompts::Kind::Input);
    ASSERT_EQ(inputs.size(), 2u); // the right password serves the second entry too
    EXPECT_EQ(inputs[0].text, QStringLiteral("Please Enter The Password!"));

    // An empty answer declines; later requests of the run are declined without asking.
    prompts.clear();
    prompts.answerInput(QString());
    const QString other = home.file(QStringLiteral("out2"));
    EXPECT_EQ(VBUnzBas::unzip(archive, other, context).result, VBUnzBas::UnzipResult::NoPassword);
    EXPECT_EQ(VBUnzBas::unzip(archive, other, context).result, VBUnzBas::UnzipResult::NoPassword);
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Input).size(), 1u);
    EXPECT_FALSE(Bytes::exists(other + QStringLiteral("/a.txt")));
    VBUnzBas::forgetDeclinedPassword();
}
