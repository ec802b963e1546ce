#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"
#include "handzip.h"
#include "packagebytes.h"
#include "recordingdisplay.h"
#include "refusal.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "history/changefile.h"
#include "history/gobhistory.h"
#include "history/packagestatus.h"
#include "packages/packageimport.h"
#include "records/bitmapimport.h"
#include "records/pngimport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

constexpr qint32 RecordOffset = 1001; // an 8 x 4 image record at 1000
constexpr qint32 AreaOffset = 5001; // a whole-file area of 4096 bytes at 5000

class HistoryTest : public ::testing::Test
{
protected:
    HistoryTest()
    {
        original = HandGob::withAt(
            40000, 1000, HandGob::imageRecord(8, 4, Bytes::pattern(32, 3), HandGob::palette()));
        gob = home.write(QStringLiteral("g_pc.gob"), original);
    }

    QByteArray hash() const { return Bytes::sha256(gob); }

    void importBitmap()
    {
        const QString bmp =
            home.write(QStringLiteral("new.bmp"),
                       HandBitmap::bitmap8(8, 4, HandBitmap::colourTable({qRgb(1, 2, 3)}),
                                           Bytes::pattern(32, 50)));
        BitmapImport::write(BitmapImport::check(gob, RecordOffset, bmp), false);
    }

    void importPng()
    {
        const QString png = home.write(QStringLiteral("new.png"), Bytes::pattern(3000, 9));
        PngImport::write(PngImport::check(gob, AreaOffset, 4096, png));
    }

    // A package whose records (package offset, size) carry file.data bytes of seed.
    void apply(const QString &name, const std::initializer_list<std::pair<int, int>> &records,
               int seed = 1, const WithoutUndo &withoutUndo = {})
    {
        qint32 total = 0;
        QByteArray lines;
        for (const auto &record : records) {
            total += record.second;
            lines += "\"Part " + QByteArray::number(record.first) + "\"\r\n";
        }
        const QString path = home.file(name);
        ASSERT_TRUE(HandZip::write(path,
                                   {{QStringLiteral("install.data"), installRecords(records)},
                                    {QStringLiteral("file.data"), Bytes::pattern(total, seed)},
                                    {QStringLiteral("Replaced Files.txt"), lines}}));
        prompts.answerMessage(Answer::Yes);
        PackageContext context {prompts, nullptr, display};
        PackageImport::run(
            {path, gob, home.file(QStringLiteral("KX_Temp")), false, {}, withoutUndo}, context);
    }

    // The state of every change the history keeps, oldest first.
    QStringList states() const
    {
        QStringList names;
        for (const ChangeFile &change : GobHistory(gob).changes())
            names << change.header().kind + u' ' + nameOf(change.state());
        return names;
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingDisplay display;
    QByteArray original;
    QString gob;
};

} // namespace

TEST_F(HistoryTest, EveryImportIsUndoneToTheOriginal)
{
    const QByteArray before = hash();
    const std::pair<QString, std::function<void()>> imports[] = {
        {QStringLiteral("bitmap"), [this] { importBitmap(); }},
        {QStringLiteral("png"), [this] { importPng(); }},
        {QStringLiteral("package"),
         [this] {
             apply(QStringLiteral("k.zip"), {{30000, 500}});
         }},
    };
    for (const auto &[kind, import] : imports) {
        import();
        EXPECT_NE(hash(), before) << kind.toStdString();
        GobHistory(gob).undo();
        EXPECT_EQ(hash(), before) << kind.toStdString();
        EXPECT_EQ(states(), QStringList {kind + QStringLiteral(" undone")}); // the last one dropped
    }
    // Bitmap: pixels and the whole palette; PNG: the area; package: its one region.
    importBitmap();
    importPng();
    apply(QStringLiteral("k.zip"), {{30000, 500}});
    QList<qint64> bytes;
    for (const ChangeFile &change : GobHistory(gob).changes())
        bytes << change.header().bytes();
    EXPECT_EQ(bytes, (QList<qint64> {32 + 1024, 4096, 500}));
    EXPECT_EQ(refusal([this] { GobHistory(gob).undo(3); }),
              QStringLiteral("There is no change of %1 to undo.").arg(gob));
}

TEST_F(HistoryTest, OverlappingPackagesUndoInOrderAndANewChangeDropsTheUndoneOnes)
{
    const QByteArray before = hash();
    apply(QStringLiteral("a.zip"), {{20000, 4000}, {30000, 100}}, 1);
    const QByteArray afterA = hash();
    apply(QStringLiteral("b.zip"), {{22000, 4000}, {19000, 2000}}, 2);
    importBitmap();
    GobHistory(gob).undo(1); // keeps change 1
    EXPECT_EQ(hash(), afterA);
    EXPECT_EQ(states(),
              (QStringList {QStringLiteral("package done"), QStringLiteral("package undone"),
                            QStringLiteral("bitmap undone")}));
    GobHistory(gob).undo(0);
    EXPECT_EQ(hash(), before);
    importPng();
    EXPECT_EQ(states(), QStringList {QStringLiteral("png done")});
}

TEST_F(HistoryTest, UndoRefusesARegionWrittenSinceAndLeavesTheGobAsItIs)
{
    apply(QStringLiteral("a.zip"), {{20000, 4000}});
    QFile file(gob);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(22222);
    file.write("x");
    file.close();
    const QByteArray changed = hash();
    EXPECT_EQ(
        refusal([this] { GobHistory(gob).undo(); }),
        QStringLiteral("Bytes 20111 to 24110 of %1 no longer hold what change package, a.zip, "
                       "%2 wrote there: something else has written there since. Nothing "
                       "was undone; the GOB file was not changed.")
            .arg(gob, Messages::isoTime(GobHistory(gob).changes()[0].header().time)));
    EXPECT_EQ(hash(), changed);
}

TEST_F(HistoryTest, TheLimitDropsTheOldestAndRefusesAChangeLargerThanItself)
{
    ChangeHeader one {
        QDateTime(), QStringLiteral("package"), QStringLiteral("a.zip"), gob, {{20111, 4000}}};
    GobHistory::setLimit(ChangeFile::sizeFor(one) * 5 / 2);
    apply(QStringLiteral("a.zip"), {{20000, 4000}}, 1);
    const QByteArray afterFirst = hash();
    apply(QStringLiteral("a.zip"), {{20000, 4000}}, 2);
    apply(QStringLiteral("a.zip"), {{20000, 4000}}, 3);
    EXPECT_EQ(states().size(), 2);
    GobHistory(gob).undo(0);
    EXPECT_EQ(hash(), afterFirst); // undo reaches back only to the oldest change kept

    const QByteArray before = hash();
    GobHistory::setLimit(100);
    const QString refused = refusal([this] { apply(QStringLiteral("a.zip"), {{20000, 4000}}); });
    EXPECT_TRUE(refused.contains(QStringLiteral(
        " KiB of history, more than the 100 bytes the history of a GOB file keeps.")))
        << refused.toStdString();
    EXPECT_EQ(hash(), before);
    QString asked;
    apply(QStringLiteral("a.zip"), {{20000, 4000}}, 4, [&](const QString &r) { asked = r; });
    EXPECT_FALSE(asked.isEmpty());
    EXPECT_NE(hash(), before);
    EXPECT_TRUE(states().isEmpty()); // not kept, and the undone ones dropped
}

TEST_F(HistoryTest, RecoveryPutsBackACutOffChangeAndNeverWritesADamagedOne)
{
    const QByteArray before = hash();
    for (const bool damage : {false, true}) {
        apply(QStringLiteral("a.zip"), {{20000, 4000}, {30000, 5000}});
        const QByteArray applied = hash();
        // Cut off before DONE: the GOB file may be half written.
        const QString path = GobHistory(gob).changes().last().path();
        QByteArray journal = Bytes::readFile(path);
        journal.chop(12 + 2 * 32);
        if (damage)
            journal[journal.size() - 500] = char(journal[journal.size() - 500] ^ 1);
        home.write(QDir(home.path()).relativeFilePath(path), journal);
        const QStringList said = GobHistory(gob).recover();
        ASSERT_EQ(said.size(), 1);
        if (damage) {
            EXPECT_TRUE(said[0].contains(QStringLiteral("fail their checksum")))
                << said[0].toStdString();
            EXPECT_TRUE(Bytes::exists(path + QStringLiteral(".damaged")));
            EXPECT_EQ(hash(), applied);
        } else {
            EXPECT_TRUE(said[0].startsWith(
                QStringLiteral("The last change to %1 (package, a.zip, ").arg(gob)));
            EXPECT_TRUE(said[0].endsWith(QStringLiteral(
                ") was interrupted; the GOB file was put back as it was before it.")));
            EXPECT_EQ(hash(), before);
        }
        EXPECT_TRUE(GobHistory(gob).recover().isEmpty());
    }
}

TEST_F(HistoryTest, PackageStatusAndTheReplaceQuestionKnowWhatTheGobHolds)
{
    const auto status = [this] {
        PackageContext context {prompts, nullptr, display};
        const auto contents = PackageImport::unpack(home.file(QStringLiteral("p.zip")),
                                                    home.file(QStringLiteral("s")), context);
        QStringList states;
        for (const PackageStatus::Item &item : PackageStatus::of(*contents, {}, gob))
            states << PackageStatus::nameOf(item.state);
        return states.join(u' ');
    };
    const auto p = {std::pair {20000, 1000}, {20500, 1000}, {30000, 10}}; // 2 over 1
    apply(QStringLiteral("p.zip"), p);
    EXPECT_EQ(status(), QStringLiteral("applied applied applied"));
    apply(QStringLiteral("q.zip"), {{30005, 10}}, 2);
    EXPECT_EQ(status(), QStringLiteral("applied applied other"));
    const QList<ChangeFile> changes = GobHistory(gob).changes();
    apply(QStringLiteral("p.zip"), p);
    EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Message)[4].text.endsWith(
        QStringLiteral("\r\n\r\nIt overwrites these changes of the history: 2 (package, q.zip, "
                       "%1); 1 (package, p.zip, %2).")
            .arg(Messages::isoTime(changes[1].header().time),
                 Messages::isoTime(changes[0].header().time))));
    GobHistory(gob).undo(0);
    EXPECT_EQ(status(), QStringLiteral("original original original"));
    apply(QStringLiteral("p.zip"), p);
    apply(QStringLiteral("p.zip"), p);
    const auto messages = prompts.of(ScriptedPrompts::Kind::Message);
    EXPECT_TRUE(messages[messages.size() - 2].text.contains(
        QStringLiteral("\r\n\r\nThis package is applied to the GOB file already.\r\n")));
}
