#include "bytes.h"
#include "handgob.h"
#include "handzip.h"
#include "packagebytes.h"
#include "recordingdisplay.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "packages/packagefiles.h"
#include "packages/packageitem.h"
#include "packages/packagemake.h"
#include "records/catalogue.h"
#include "records/catalogueentry.h"
#include "services/failure.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

CatalogueEntry entryOf(const QString &line)
{
    return CatalogueEntry::parse(Catalogue::splitFields(line), 3, QStringLiteral("BmpList.txt"));
}

struct Made
{
    QByteArray install, data, replaced;
};

Made readMade(const QString &folder)
{
    const QDir dir(folder);
    return {Bytes::readFile(dir.filePath(QStringLiteral("install.data"))),
            Bytes::readFile(dir.filePath(QStringLiteral("file.data"))),
            Bytes::readFile(dir.filePath(QStringLiteral("Replaced Files.txt")))};
}

} // namespace

TEST(PackageMake, TwoItemsOfTenAndTwentyBytes)
{
    TestHome home;
    const QByteArray gob = Bytes::pattern(400, 3);
    const QString gobPath = home.write(QStringLiteral("g_pc.gob"), gob);
    const QList<PackageItem> items = {{QStringLiteral("Kits/Home shirt"), 0, 10},
                                      {QStringLiteral("Kits/Away"), 50, 20}};
    RecordingDisplay display;
    PackageMake::checkItems(gobPath, items);
    const QStringList files =
        PackageMake::writeFiles(gobPath, items, home.file(QStringLiteral("KX_Temp")), display);

    ASSERT_EQ(files.size(), 3);
    EXPECT_TRUE(files[0].endsWith(QStringLiteral("/install.data")));
    EXPECT_TRUE(files[1].endsWith(QStringLiteral("/file.data")));
    EXPECT_TRUE(files[2].endsWith(QStringLiteral("/Replaced Files.txt")));
    const Made made = readMade(home.file(QStringLiteral("KX_Temp")));
    EXPECT_EQ(made.install, installRecords({{0, 10}, {50, 20}}));
    ASSERT_EQ(made.data.size(), 30);
    EXPECT_EQ(made.data.left(10), gob.mid(111, 10)); // region at P + 111
    EXPECT_EQ(made.data.mid(10), gob.mid(161, 20)); // the second item at file offset 10
    // The 15 characters of the description between two quotes: 17 before the line end.
    EXPECT_EQ(made.replaced, QByteArray("\"Kits/Home shirt\"\r\n\"Kits/Away\"\r\n"));
    EXPECT_EQ(made.replaced.indexOf('\r'), 17);
    EXPECT_EQ(display.progress, (QList<int> {50, 100}));
    EXPECT_EQ(display.pendingEvents, 2);
}

TEST(PackageMake, BlockSizesProgressAndASecondSmallerPackage)
{
    TestHome home;
    const QByteArray gob = Bytes::pattern(20000, 9);
    const QString gobPath = home.write(QStringLiteral("g_pc.gob"), gob);
    const QString folder = home.file(QStringLiteral("KX_Temp"));
    RecordingDisplay display;
    // 0 bytes, exactly one block, one block and 904 bytes.
    const QList<PackageItem> items = {{QStringLiteral("Empty"), 100, 0},
                                      {QStringLiteral("Block"), 200, 4096},
                                      {QStringLiteral("More"), 9000, 5000}};
    PackageMake::writeFiles(gobPath, items, folder, display);
    Made made = readMade(folder);
    EXPECT_EQ(made.install, installRecords({{100, 0}, {200, 4096}, {9000, 5000}}));
    EXPECT_EQ(made.data, gob.mid(311, 4096) + gob.mid(9111, 5000));
    EXPECT_EQ(made.replaced, QByteArray("\"Empty\"\r\n\"Block\"\r\n\"More\"\r\n"));
    EXPECT_EQ(display.progress, (QList<int> {33, 67, 100}));

    // A second, smaller package in the same folder leaves nothing of the first.
    PackageMake::writeFiles(gobPath, {{QStringLiteral("Tiny"), 7, 3}}, folder, display);
    made = readMade(folder);
    EXPECT_EQ(made.install, installRecords({{7, 3}}));
    EXPECT_EQ(made.data, gob.mid(118, 3));
    EXPECT_EQ(made.replaced, QByteArray("\"Tiny\"\r\n"));
}

TEST(PackageMake, SubFilesGiveTheRegionsOfTheirRecords)
{
    TestHome home;
    const QByteArray pixels = Bytes::pattern(64 * 32, 1);
    const QByteArray gob =
        HandGob::withAt(12000, 4999, HandGob::imageRecord(64, 32, pixels, HandGob::palette()));
    const QString gobPath = home.write(QStringLiteral("g_pc.gob"), gob);

    const PackageItem bitmap =
        PackageItem::fromSubFile(entryOf(QStringLiteral("Board,1,5000,Logo")), 1, gobPath);
    EXPECT_EQ(bitmap.description, QStringLiteral("Board/Logo"));
    EXPECT_EQ(bitmap.offset, 5000);
    EXPECT_EQ(bitmap.size, 3072); // 64 x 32 pixels and the 1024-byte palette
    RecordingDisplay display;
    PackageMake::writeFiles(gobPath, {bitmap}, home.file(QStringLiteral("KX_Temp")), display);
    const QByteArray data = readMade(home.file(QStringLiteral("KX_Temp"))).data;
    EXPECT_EQ(data, gob.mid(5111, 8182 - 5111 + 1)); // GOB bytes 5111 to 8182
    EXPECT_EQ(data, pixels + HandGob::palette());

    // A whole-file sub file at position 4888 carries its whole area from 0-based byte 4887.
    const PackageItem file =
        PackageItem::fromSubFile(entryOf(QStringLiteral("$png,Logo,1,4888,Small,2")), 1, gobPath);
    EXPECT_EQ(file.offset, 4776);
    EXPECT_EQ(file.size, 2048);
    EXPECT_EQ(file.regionStart(), 4887);

    // A bitmap sub file whose header cannot be an image is refused.
    EXPECT_THROW(PackageItem::fromSubFile(entryOf(QStringLiteral("Filler,1,100,Junk")), 1, gobPath),
                 Failure);
}

TEST(PackageMake, RefusedItemsNameTheItemAndWriteNothing)
{
    TestHome home;
    const QString gobPath = home.write(QStringLiteral("g_pc.gob"), Bytes::pattern(1000));
    const QByteArray before = Bytes::sha256(gobPath);
    const auto refusal = [&](const QList<PackageItem> &items) {
        try {
            PackageMake::checkItems(gobPath, items);
        } catch (const Failure &failure) {
            return failure.description();
        }
        return QString();
    };
    const PackageItem fine {QStringLiteral("Fine"), 0, 10};
    const QString negative = refusal({fine, {QStringLiteral("Minus"), -1, 10}});
    EXPECT_TRUE(negative.contains(QStringLiteral("Item 2 \"Minus\""))) << negative.toStdString();
    EXPECT_TRUE(negative.contains(QStringLiteral("-1")));
    const QString size = refusal({{QStringLiteral("Shrunk"), 5, -3}});
    EXPECT_TRUE(size.contains(QStringLiteral("Item 1 \"Shrunk\"")));
    EXPECT_TRUE(size.contains(QStringLiteral("-3")));
    // 889 + 111 = 1000: one byte past the end.
    EXPECT_TRUE(refusal({{QStringLiteral("Edge"), 879, 10}}).isEmpty());
    const QString past = refusal({fine, fine, {QStringLiteral("Far"), 880, 10}});
    EXPECT_TRUE(past.contains(QStringLiteral("Item 3 \"Far\"")));
    EXPECT_TRUE(past.contains(QStringLiteral("1000 bytes")));
    EXPECT_EQ(Bytes::sha256(gobPath), before);

    // The package path may not be the GOB file or one of its own files.
    ScriptedPrompts prompts;
    RecordingDisplay display;
    PackageContext context {prompts, nullptr, display};
    const QStringList files =
        PackageMake::writeFiles(gobPath, {fine}, home.file(QStringLiteral("t")), display);
    EXPECT_THROW(PackageMake::writeArchive(gobPath, files, QString(), gobPath, context), Failure);
    EXPECT_THROW(PackageMake::writeArchive(files[1], files, QString(), gobPath, context), Failure);
    EXPECT_EQ(Bytes::sha256(gobPath), before);
    EXPECT_EQ(Bytes::readFile(files[1]).size(), 10);
}

TEST(PackageItems, TypedLinesCommandsAndTheirRefusals)
{
    const PackageItem logo = PackageItem::fromTypedLine(QStringLiteral("5000,2048,Logo"));
    EXPECT_EQ(logo.description, QStringLiteral("Logo"));
    EXPECT_EQ(logo.offset, 4888);
    EXPECT_EQ(logo.size, 2048);
    const PackageItem spaced = PackageItem::fromTypedLine(QStringLiteral(" 5000 , 2048 , Logo,x"));
    EXPECT_EQ(spaced.offset, 4888);
    EXPECT_EQ(spaced.description, QStringLiteral(" Logo")); // kept as typed
    const PackageItem away = PackageItem::fromCommand(QStringLiteral("Kits/Away|5112|3072"));
    EXPECT_EQ(away.description, QStringLiteral("Kits/Away"));
    EXPECT_EQ(away.offset, 5000);
    EXPECT_EQ(away.size, 3072);
    EXPECT_EQ(away.regionStart(), 5111);
    EXPECT_EQ(PackageItem::fromCommand(QStringLiteral("Low|112|0")).offset, 0);

    for (const QString &bad : {QStringLiteral("5000,2048"), QStringLiteral("5000,x,Logo"),
                               QStringLiteral("abc,2048,Logo"), QStringLiteral("5000,2048, "),
                               QStringLiteral("100,2048,Logo"), QStringLiteral("5000,-1,Logo"),
                               QStringLiteral("99999999999,1,Logo")}) {
        try {
            PackageItem::fromTypedLine(bad);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const Failure &failure) {
            EXPECT_TRUE(failure.description().contains(bad)) << failure.description().toStdString();
        }
    }
    for (const QString &bad : {QStringLiteral("Kits/Away|5112"), QStringLiteral("|5112|3072"),
                               QStringLiteral("Kits|here|3072"), QStringLiteral("Kits|5112|3.5k")})
        EXPECT_THROW(PackageItem::fromCommand(bad), Failure) << bad.toStdString();
}

TEST(PackageFiles, ListTextProgressCountAndLines)
{
    TestHome home;
    const QString path =
        home.write(QStringLiteral("Replaced Files.txt"), "\"Kits/Home\"\r\n\"Kits/Away\"\r\n");
    const QStringList lines = PackageFiles::readReplacedFiles(path);
    EXPECT_EQ(lines,
              (QStringList {QStringLiteral("\"Kits/Home\""), QStringLiteral("\"Kits/Away\"")}));
    EXPECT_EQ(PackageFiles::listText(lines), QStringLiteral("\"Kits/Home\" \"Kits/Away\" "));
    EXPECT_EQ(PackageFiles::progressCount(17), 2);
    EXPECT_EQ(PackageFiles::progressCount(20), 2); // 2.5 goes to the even neighbour
    EXPECT_EQ(PackageFiles::progressCount(28), 4);
    EXPECT_EQ(PackageFiles::progressPercent(1, 8), 12); // 12.5 to the even neighbour
}
