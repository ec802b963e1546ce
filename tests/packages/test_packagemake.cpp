#include "bytes.h"
#include "handgob.h"
#include "packagebytes.h"
#include "recordingdisplay.h"
#include "refusal.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "packages/packagefiles.h"
#include "packages/packageitem.h"
#include "packages/packagemake.h"
#include "records/catalogue.h"
#include "records/catalogueentry.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The three package files a make wrote into the folder: install.data, file.data, the list.
QList<QByteArray> made(const TestHome &home)
{
    QList<QByteArray> files;
    for (const char *name :
         {"KX_Temp/install.data", "KX_Temp/file.data", "KX_Temp/Replaced Files.txt"})
        files << Bytes::readFile(home.file(QString::fromLatin1(name)));
    return files;
}

} // namespace

// Each item's region from 0-based offset + 111, in blocks of 4096 (none, exactly one, one and a
// part); a second, smaller package in the same folder leaves nothing of the first.
TEST(PackageMake, RegionsGoOneAfterTheOtherIntoFileData)
{
    TestHome home;
    const QByteArray gob = Bytes::pattern(20000, 9);
    const QString gobPath = home.write(u"g_pc.gob"_s, gob);
    const QList<PackageItem> items = {{u"Kits/Home shirt"_s, 0, 10},
                                      {u"Empty"_s, 100, 0},
                                      {u"Block"_s, 200, 4096},
                                      {u"More"_s, 9000, 5000}};
    RecordingDisplay display;
    PackageMake::checkItems(gobPath, items);
    const QStringList files =
        PackageMake::writeFiles(gobPath, items, home.file(u"KX_Temp"_s), display);
    EXPECT_EQ(files,
              (QStringList {home.file(u"KX_Temp/install.data"_s), home.file(u"KX_Temp/file.data"_s),
                            home.file(u"KX_Temp/Replaced Files.txt"_s)}));
    EXPECT_EQ(
        made(home),
        (QList<QByteArray> {installRecords({{0, 10}, {100, 0}, {200, 4096}, {9000, 5000}}),
                            gob.mid(111, 10) + gob.mid(311, 4096) + gob.mid(9111, 5000),
                            "\"Kits/Home shirt\"\r\n\"Empty\"\r\n\"Block\"\r\n\"More\"\r\n"}));
    EXPECT_EQ(display.progress, (QList<int> {25, 50, 75, 100}));
    EXPECT_EQ(display.pendingEvents, 4);

    PackageMake::writeFiles(gobPath, {{u"Tiny"_s, 7, 3}}, home.file(u"KX_Temp"_s), display);
    EXPECT_EQ(made(home),
              (QList<QByteArray> {installRecords({{7, 3}}), gob.mid(118, 3), "\"Tiny\"\r\n"}));
}

TEST(PackageMake, SubFilesGiveTheRegionsOfTheirRecords)
{
    TestHome home;
    const QByteArray pixels = Bytes::pattern(64 * 32, 1);
    const QByteArray gob =
        HandGob::withAt(12000, 4999, HandGob::imageRecord(64, 32, pixels, HandGob::palette()));
    const QString gobPath = home.write(u"g_pc.gob"_s, gob);
    const PackageItem bitmap =
        PackageItem::fromSubFile(CatalogueEntry::parse(u"Board,1,5000,Logo", 3, {}), 1, gobPath);
    // 64 x 32 pixels and the 1024-byte palette: GOB bytes 5111 to 8182.
    EXPECT_EQ(std::tuple(bitmap.description, bitmap.offset, bitmap.size),
              std::tuple(u"Board/Logo"_s, 5000, 3072));
    RecordingDisplay display;
    PackageMake::writeFiles(gobPath, {bitmap}, home.file(u"KX_Temp"_s), display);
    EXPECT_EQ(made(home).value(1), pixels + HandGob::palette());
    // Whole-file sub files and headers that are no image: the package window's test adds them.
}

TEST(PackageMake, RefusedItemsNameTheItemAndWriteNothing)
{
    TestHome home;
    const QString gobPath = home.write(u"g_pc.gob"_s, Bytes::pattern(1000));
    const QByteArray before = Bytes::readFile(gobPath);
    const PackageItem fine {u"Fine"_s, 0, 10};
    const std::pair<QList<PackageItem>, QString> cases[] = {
        {{fine, {u"Minus"_s, -1, 10}},
         u"Item 2 \"Minus\" has the package offset -1; a package cannot hold a negative offset."_s},
        {{{u"Shrunk"_s, 5, -3}},
         u"Item 1 \"Shrunk\" has the size -3; a size cannot be negative."_s},
        {{fine, fine, {u"Far"_s, 880, 10}},
         u"Item 3 \"Far\" covers the bytes 991 to 1000, past the end of %1 (1000 bytes)."_s.arg(
             gobPath)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(refusal([&] { PackageMake::checkItems(gobPath, c.first); }),
                  c.second + u" Nothing was written."_s);

    // The package path may not be the GOB file or one of its own files.
    ScriptedPrompts prompts;
    RecordingDisplay display;
    PackageContext context {prompts, nullptr, display};
    const QStringList files = PackageMake::writeFiles(gobPath, {fine}, home.file(u"t"_s), display);
    for (const QString &target : {gobPath, files.value(1)})
        EXPECT_FALSE(refusal([&] {
                         PackageMake::writeArchive(target, files, QString(), gobPath, context);
                     }).isEmpty());
    EXPECT_EQ(Bytes::readFile(gobPath), before);
    EXPECT_EQ(Bytes::readFile(files.value(1)).size(), 10);
}

TEST(PackageItems, TypedLinesCommandsAndTheirRefusals)
{
    const auto described = [](const PackageItem &i) {
        return u"%1|%2|%3|%4"_s.arg(i.description).arg(i.offset).arg(i.size).arg(i.regionStart());
    };
    EXPECT_EQ(described(PackageItem::fromTypedLine(u"5000,2048,Logo"_s)), u"Logo|4888|2048|4999"_s);
    EXPECT_EQ(described(PackageItem::fromTypedLine(u" 5000 , 2048 , Logo,x"_s)),
              u" Logo|4888|2048|4999"_s);
    EXPECT_EQ(described(PackageItem::fromCommand(u"Kits/Away|5112|3072"_s)),
              u"Kits/Away|5000|3072|5111"_s);
    EXPECT_EQ(PackageItem::fromCommand(u"Low|112|0"_s).offset, 0);
    for (const char *bad : {"5000,2048", "5000,x,Logo", "abc,2048,Logo", "5000,2048, ",
                            "100,2048,Logo", "5000,-1,Logo", "99999999999,1,Logo"})
        EXPECT_TRUE(refusal([&] {
                        PackageItem::fromTypedLine(QString::fromLatin1(bad));
                    }).contains(QString::fromLatin1(bad)))
            << bad;
    for (const char *bad : {"Kits/Away|5112", "|5112|3072", "Kits|here|3072", "Kits|5112|3.5k"})
        EXPECT_FALSE(refusal([&] { PackageItem::fromCommand(QString::fromLatin1(bad)); }).isEmpty())
            << bad;
}

// The list of replaced files and its question text are checked by the import tests.
TEST(PackageFiles, ProgressCountAndPercentRoundHalvesToEven) // 2.5 and 12.5
{
    EXPECT_EQ(QList({PackageFiles::progressCount(17), PackageFiles::progressCount(20),
                     PackageFiles::progressCount(28), PackageFiles::progressPercent(1, 8)}),
              QList({2, 2, 4, 12}));
}
