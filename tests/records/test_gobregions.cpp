#include "../packages/packagebytes.h"
#include "../packages/recordingdisplay.h"
#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"
#include "refusal.h"
#include "testhome.h"

#include "history/gobchange.h"
#include "history/gobwriter.h"
#include "packages/packageimport.h"
#include "packages/packagemake.h"
#include "records/bitmapimport.h"
#include "records/pngimport.h"
#include "records/recordextraction.h"
#include "services/fileaccess.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 At = 500; // 0-based start of every region (catalogue offset 501)

// The three files of a package, unpacked into a folder of their own, named in any letter case
// as zip programs may store them (no files when they are not found, which the import reports).
PackageContents packageOf(const TestHome &home, const QString &name, const QByteArray &install,
                          const QByteArray &data)
{
    home.write(name + u"/Install.Data"_s, install);
    home.write(name + u"/FILE.DATA"_s, data);
    home.write(name + u"/replaced files.txt"_s, "\"Item\"\r\n");
    return PackageContents::locate(home.file(name)).value_or(PackageContents());
}

// The import's writes of a package's records into a GOB file.
void writeRecords(const PackageContents &package, const QString &gob, PackageDisplay &display)
{
    ImportRequest request;
    request.packagePath = u"p.zip"_s;
    request.gobPath = gob;
    PackageImport::writeRecords(package, request, display);
}

qint64 blocksOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_blocks) * 512 : -1;
}

} // namespace

// Each region check where it matters most: a region that ends at the last byte of the GOB file is
// taken, one that ends a byte past it is refused with the file as it was (it never grows).
TEST(GobRegions, ARegionEndingAtTheLastByteIsTakenAndOneBytePastIsRefused)
{
    TestHome home;
    const QByteArray record = HandGob::imageRecord(4, 2, Bytes::pattern(8, 1), HandGob::palette());
    const QByteArray pixels = Bytes::pattern(8, 9), area = Bytes::pattern(1024, 3);
    const QString bmp = home.write(
        u"new.bmp"_s, HandBitmap::bitmap8(4, 2, Bytes::of({1, 2, 3, 4}).repeated(256), pixels));
    const QByteArray png = Bytes::pattern(99, 5) + 'B';
    const QString pngPath = home.write(u"new.png"_s, png);
    const QByteArray data = Bytes::pattern(300, 8);
    const PackageContents package =
        packageOf(home, u"pkg"_s, installRecords({{At - 111, 300}}), data);
    const QString scratch = home.file(u"temp.bmp"_s);
    RecordingDisplay display;
    const struct
    {
        const char *what;
        QByteArray region; // the GOB file's bytes from At to its end
        std::function<void(const QString &gob)> act;
        QByteArray after; // the region after the act; empty when it changes nothing
    } cases[] = {
        {"extract record",
         record,
         [&](const QString &g) { RecordExtraction::extractImageRecord(g, At + 1, scratch); },
         {}},
        {"extract area",
         area,
         [&](const QString &g) {
             RecordExtraction::extractWholeFileRecord(g, At + 1, 1024, scratch);
         },
         {}},
        {"bitmap import", record,
         [&](const QString &g) { BitmapImport::write(BitmapImport::check(g, At + 1, bmp), true); },
         record.left(112) + pixels + Bytes::of({3, 2, 1, 4}).repeated(256)},
        {"png import", area,
         [&](const QString &g) { PngImport::write(PngImport::check(g, At + 1, 1024, pngPath)); },
         png + QByteArray(1024 - png.size(), '\0')},
        {"gob writer", Bytes::pattern(300, 4),
         [&](const QString &g) {
             GobChange change(g, ChangeKind::Other, u"end"_s);
             change.addRegion(At, 300);
             change.begin().write(At, data);
             change.commit();
         },
         data},
        {"package item",
         Bytes::pattern(300, 4),
         [&](const QString &g) {
             PackageMake::checkItems(g, {{u"I"_s, At - 111, 300}});
         },
         {}},
        {"package import", Bytes::pattern(300, 4),
         [&](const QString &g) {
             PackageImport::check(package, {}, g);
             writeRecords(package, g, display);
         },
         data},
    };
    for (const auto &c : cases) {
        for (const int past : {0, 1}) {
            QByteArray bytes = Bytes::pattern(At, 7) + c.region;
            bytes.chop(past);
            const QString gob = home.write(u"g_pc.gob"_s, bytes);
            QFile::remove(scratch);
            const QString text = refusal([&] { c.act(gob); });
            EXPECT_EQ(text.contains(u"past the end of "_s + gob), past == 1)
                << c.what << " " << past << ": " << text.toStdString();
            EXPECT_EQ(Bytes::readFile(gob),
                      past || c.after.isEmpty() ? bytes : bytes.left(At) + c.after)
                << c.what << " " << past;
            EXPECT_EQ(Bytes::exists(scratch), !past && c.what[0] == 'e') << c.what << " " << past;
        }
    }
}

// On a disk that cannot hold every region a package import must refuse before its first write:
// the blocks of every region of a sparse GOB file are set aside before the first record is
// written (the display's pending events run before each record).
TEST(GobRegions, APackageImportSetsAsideTheBlocksOfEveryRegionBeforeItsFirstWrite)
{
    TestHome home;
    constexpr qint32 MiB = 1 << 20;
    const QString gob = home.file(u"g_pc.gob"_s);
    QFile sparse(gob);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(8 * MiB));
    sparse.close();
    if (blocksOf(gob) > MiB)
        GTEST_SKIP() << "this file system keeps no sparse files";
    // Directly: a reserved region gets its blocks, and no byte or length changes.
    {
        auto file = FileAccess::openForUpdate(gob);
        FileAccess::reserve(*file, 7 * MiB, MiB);
    }
    EXPECT_GE(blocksOf(gob), MiB);
    EXPECT_EQ(Bytes::readFile(gob), QByteArray(8 * MiB, '\0'));

    const QByteArray data = Bytes::pattern(2 * MiB, 6);
    const PackageContents package =
        packageOf(home, u"pkg"_s, installRecords({{MiB - 111, MiB}, {4 * MiB - 111, MiB}}), data);
    RecordingDisplay display;
    qint64 blocksAtFirstRecord = -1;
    display.onEvents = [&] {
        if (blocksAtFirstRecord < 0)
            blocksAtFirstRecord = blocksOf(gob);
    };
    writeRecords(package, gob, display);
    EXPECT_GE(blocksAtFirstRecord, 3 * MiB);
    QByteArray expected(8 * MiB, '\0');
    expected.replace(MiB, MiB, data.left(MiB));
    expected.replace(4 * MiB, MiB, data.mid(MiB));
    EXPECT_EQ(Bytes::readFile(gob), expected);
}
