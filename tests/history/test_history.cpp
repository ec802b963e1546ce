#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"
#include "handhistory.h"
#include "packagebytes.h"
#include "refusal.h"

#include "history/changefile.h"
#include "history/journalrecord.h"
#include "packages/packagestatus.h"
#include "records/bitmapimport.h"
#include "records/pngimport.h"
#include "services/fileaccess.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 GobSize = 100000;
constexpr qint32 RecordOffset = 1001; // an 8 x 4 image record at 1000
constexpr qint32 AreaOffset = 5001; // a whole-file area of 4096 bytes at 5000
// Package records (package offset, size): one that takes two pieces of the journal (64 KiB and
// one byte), one that ends at the last byte of the GOB file.
constexpr std::pair<int, int> TwoPieces {20000, 65537};
constexpr std::pair<int, int> AtTheEnd {GobSize - 111 - 5000, 5000};

class HistoryTest : public HandHistoryTest
{
protected:
    HistoryTest()
        : HandHistoryTest(HandGob::withAt(
            GobSize, 1000, HandGob::imageRecord(8, 4, Bytes::pattern(32, 3), HandGob::palette())))
    {
    }
    ~HistoryTest() override { FileAccess::clearFaults(); }

    QByteArray hash() const { return Bytes::sha256(gob); }

    void importBitmap()
    {
        const QString bmp = home.write(
            u"new.bmp"_s,
            HandBitmap::bitmap8(8, 4, HandBitmap::colourTable({1}), Bytes::pattern(32, 50)));
        BitmapImport::write(BitmapImport::check(gob, RecordOffset, bmp), false);
    }

    void importPng()
    {
        const QString png = home.write(u"new.png"_s, Bytes::pattern(3000, 9));
        PngImport::write(PngImport::check(gob, AreaOffset, 4096, png));
    }

    // The state of every change the history keeps, oldest first.
    QStringList states() const
    {
        QStringList names;
        for (const ChangeFile &change : GobHistory(gob).changes())
            names << nameOf(change.header().kind) + u' ' + nameOf(change.state());
        return names;
    }

    // The newest change (an empty one when none is kept).
    ChangeFile newest() const
    {
        const QList<ChangeFile> changes = GobHistory(gob).changes();
        return changes.value(changes.size() - 1);
    }
};

} // namespace

TEST_F(HistoryTest, EveryImportIsUndoneToTheOriginal)
{
    const QByteArray before = hash();
    const std::pair<QString, std::function<void()>> imports[] = {
        {u"bitmap"_s, [this] { importBitmap(); }},
        {u"png"_s, [this] { importPng(); }},
    };
    QList<qint64> bytes;
    for (const auto &[kind, import] : imports) {
        import();
        EXPECT_NE(hash(), before) << kind.toStdString();
        bytes << newest().header().bytes();
        GobHistory(gob).undo();
        EXPECT_EQ(hash(), before) << kind.toStdString();
        EXPECT_EQ(states(), QStringList {kind + u" undone"_s}); // the last one dropped
    }
    // Bitmap: pixels and the whole palette; PNG: the area.
    EXPECT_EQ(bytes, (QList<qint64> {32 + 1024, 4096}));
}

// Undo keeps what a change wrote: redo writes it again, oldest first, as often as undo takes it
// back, until a new change drops the undone ones.
TEST_F(HistoryTest, RedoWritesAgainWhatUndoTookBackUntilANewChange)
{
    const QByteArray before = hash();
    apply(u"a.zip"_s, {TwoPieces, AtTheEnd});
    const QByteArray afterA = hash();
    importBitmap();
    const QByteArray afterBoth = hash();
    GobHistory(gob).undo(0);
    ASSERT_EQ(hash(), before);
    const auto redo = [this] { GobHistory(gob).redo(); };
    const auto undo = [this] { GobHistory(gob).undo(); };
    const struct
    {
        std::function<void()> step;
        QByteArray hash;
        const char *bitmap; // the state of the second change
    } steps[] = {{redo, afterA, "undone"},
                 {redo, afterBoth, "done"},
                 {undo, afterA, "undone"},
                 {redo, afterBoth, "done"}};
    for (const auto &step : steps) {
        step.step();
        EXPECT_EQ(hash(), step.hash);
        EXPECT_EQ(states(),
                  (QStringList {u"package done"_s, u"bitmap "_s + QLatin1String(step.bitmap)}));
    }
    const QString nothing = u"There is no undone change of %1 to redo."_s.arg(gob);
    EXPECT_EQ(refusal(redo), nothing);
    undo();
    importPng();
    EXPECT_EQ(states(), (QStringList {u"package done"_s, u"png done"_s}));
    EXPECT_EQ(refusal(redo), nothing);
}

// Undo (redo) writes nothing unless the GOB file holds what the change (the undo) left there and
// the kept bytes are whole.
TEST_F(HistoryTest, UndoAndRedoRefuseAndLeaveTheGobAsItIs)
{
    const auto writeByte = [this](const QString &) {
        QFile file(gob);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(22222) && file.write("x"));
    };
    const auto cutLastByte = [this](const QString &) {
        ASSERT_TRUE(QFile(gob).resize(GobSize - 1));
    };
    const char *const written = " no longer hold what change package, a.zip, %2 wrote there: "
                                "something else has written there since. Nothing was undone; the "
                                "GOB file was not changed.";
    const struct
    {
        const char *what;
        bool redo; // after an undo; else the undo
        std::function<void(const QString &journal)> after; // none: undone on a full disk
        QString said;
    } cases[] = {
        {"undo: one byte written", false, writeByte, u"Bytes 20111 to 85647 of %1"_s + written},
        {"undo: the last byte cut off", false, cutLastByte,
         u"Bytes 95000 to 99999 of %1"_s + written},
        {"redo: one byte written since", true, writeByte,
         u"Bytes 20111 to 85647 of %1 no longer hold what the undo of change package, a.zip, %2 "
         "left there: something else has written there since. Nothing was redone; the GOB file "
         "was not changed."_s},
        {"redo: a kept byte damaged", true,
         [this](const QString &journal) {
             QByteArray bytes = Bytes::readFile(journal);
             bytes[bytes.size() - 126] = char(bytes[bytes.size() - 126] ^ 1); // the last REDO
             home.write(QDir(home.path()).relativeFilePath(journal), bytes);
         },
         u"the new bytes at byte %3 of it fail their checksum."_s},
        {"redo: undone on a full disk",
         true,
         {},
         u"Change 1 (package, a.zip, %2) cannot be redone: the bytes it wrote were not kept when "
         "it was undone. Nothing was redone; the GOB file was not changed."_s},
    };
    for (const auto &c : cases) {
        startAgain();
        apply(u"a.zip"_s, {TwoPieces, AtTheEnd});
        if (c.redo) {
            if (!c.after)
                FileAccess::plantFault({u"write"_s, u".change"_s, 0, ENOSPC, 1});
            GobHistory(gob).undo();
            FileAccess::clearFaults();
            EXPECT_EQ(hash(), Bytes::sha256(home.write(u"o"_s, original))) << c.what;
        }
        if (c.after)
            c.after(newest().path());
        const QByteArray left = hash();
        const QString said =
            QString(c.said)
                .replace(u"%1"_s, gob)
                .replace(u"%2"_s, Messages::isoTime(newest().header().time))
                // the last REDO record: 5 000 bytes, then two STAT records
                .replace(u"%3"_s, QString::number(newest().fileSize() - 2 * 13 - (12 + 8 + 5000)));
        const QString refused =
            refusal([&] { c.redo ? void(GobHistory(gob).redo()) : void(GobHistory(gob).undo()); });
        EXPECT_TRUE(refused.endsWith(said)) << c.what << ": " << refused.toStdString();
        EXPECT_EQ(hash(), left) << c.what;
    }
}

// Killed while an undo keeps the written bytes, while it writes, or while a redo writes: the next
// start finishes what was begun, and the change can still be undone and redone.
TEST_F(HistoryTest, AKilledUndoOrRedoIsFinishedByRecovery)
{
    constexpr qint64 Stat = 13;
    const struct
    {
        const char *what;
        qint64 chop; // bytes cut off the undone change's file
        const char *append; // a STAT record appended, or none
        bool gobChanged; // what the GOB file holds when killed: the change, else the original
        const char *said;
        bool changed; // the GOB holds the change after recovery
    } cases[] = {
        {"keeping the bytes", 2 * Stat + 100, nullptr, true, "", true},
        {"undoing", Stat, nullptr, true, "The undo of a change to", false},
        {"redoing", 0, "A", false, "The redo of a change to", true},
    };
    for (const auto &c : cases) {
        QDir(GobHistory(gob).folder()).removeRecursively();
        const QByteArray before = Bytes::sha256(home.write(u"g_pc.gob"_s, original));
        apply(u"a.zip"_s, {TwoPieces, AtTheEnd});
        const QByteArray changedGob = Bytes::readFile(gob);
        const QByteArray afterA = hash();
        GobHistory(gob).undo();
        const QString path = newest().path();
        QByteArray journal = Bytes::readFile(path).chopped(c.chop);
        if (c.append)
            journal += JournalRecord::make("STAT", c.append);
        home.write(QDir(home.path()).relativeFilePath(path), journal);
        home.write(u"g_pc.gob"_s, c.gobChanged ? changedGob : original);

        const QString said = GobHistory(gob).recover().join(u' ');
        EXPECT_EQ(said.isEmpty(), *c.said == 0) << c.what;
        EXPECT_EQ(said.left(qsizetype(strlen(c.said))), QString::fromLatin1(c.said)) << c.what;
        EXPECT_EQ(hash(), c.changed ? afterA : before) << c.what;
        EXPECT_EQ(states(), QStringList {c.changed ? u"package done"_s : u"package undone"_s})
            << c.what;
        const std::function<void()> toggles[] = {[this] { GobHistory(gob).undo(); },
                                                 [this] { GobHistory(gob).redo(); }};
        for (int i = 0; i < 2; ++i) {
            toggles[(i + (c.changed ? 0 : 1)) % 2]();
            EXPECT_EQ(hash(), (i % 2 == 0) == c.changed ? before : afterA) << c.what << i;
        }
    }
}

// A change file written before changes kept their files (version 2: HEAD without the count of
// files) is still read and undone. Its HEAD is made here from a new one, by hand.
TEST_F(HistoryTest, AChangeFileOfTheSecondVersionIsStillUndone)
{
    const QByteArray before = hash();
    apply(u"a.zip"_s, {TwoPieces});
    const QString path = newest().path();
    const QByteArray journal = Bytes::readFile(path);
    const qint32 length = Bytes::get32(journal, 4);
    QByteArray head = journal.left(8 + length).chopped(4); // the count of files (0) dropped
    Bytes::put32(head, 4, length - 4);
    Bytes::put32(head, 8, 2);
    quint32 crc = 0xFFFFFFFF; // CRC-32 as zip has it, bit by bit
    for (const char byte : std::as_const(head)) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320 : 0);
    }
    Bytes::put32(head, head.size(), qint32(~crc));
    home.write(QDir(home.path()).relativeFilePath(path), head + journal.mid(12 + length));
    EXPECT_EQ(states(), QStringList {u"package done"_s});
    GobHistory(gob).undo();
    EXPECT_EQ(hash(), before);
}

TEST_F(HistoryTest, TheLimitDropsTheOldestOnlyOnceANewChangeIsDoneAndNumbersStay)
{
    ChangeHeader one {QDateTime(), ChangeKind::Package, u"a.zip"_s, gob, {{20111, 4000}}, {}, {}};
    GobHistory::setLimit(ChangeFile::sizeFor(one) * 5 / 2);
    apply(u"a.zip"_s, {{20000, 4000}}, 1);
    const QByteArray afterFirst = hash();
    apply(u"a.zip"_s, {{20000, 4000}}, 2);
    const auto numbers = [this] {
        QList<qint64> n;
        for (const ChangeFile &change : GobHistory(gob).changes())
            n << change.sequence();
        return n;
    };
    // A change whose journal cannot be written is refused and drops nothing.
    FileAccess::plantFault({u"write"_s, u".change"_s, 0, EIO, 1});
    EXPECT_TRUE(refusal([this] {
                    apply(u"a.zip"_s, {{20000, 4000}}, 3);
                }).contains(u"(Cannot write "_s));
    EXPECT_EQ(numbers(), (QList<qint64> {1, 2}));
    apply(u"a.zip"_s, {{20000, 4000}}, 3);
    EXPECT_EQ(numbers(), (QList<qint64> {2, 3})); // numbers stay what they were
    GobHistory(gob).undo(2);
    EXPECT_EQ(states(), (QStringList {u"package done"_s, u"package undone"_s}));
    GobHistory(gob).undo(0);
    EXPECT_EQ(hash(), afterFirst); // undo reaches back only to the oldest change kept

    const QByteArray before = hash();
    GobHistory::setLimit(100);
    const QString refused = refusal([this] { apply(u"a.zip"_s, {{20000, 4000}}, 7); });
    EXPECT_TRUE(refused.contains(
        u" KiB of history, more than the 100 bytes the history of a GOB file keeps."_s))
        << refused.toStdString();
    EXPECT_EQ(hash(), before);
    QString asked;
    apply(u"a.zip"_s, {{20000, 4000}}, 4, {}, {}, [&](const QString &r) { asked = r; });
    EXPECT_FALSE(asked.isEmpty());
    EXPECT_NE(hash(), before);
    // Kept as a line no undo passes; the undone ones dropped.
    EXPECT_EQ(states(), QStringList {u"package unrecorded"_s});
    GobHistory::setLimit(1 << 20);
    apply(u"a.zip"_s, {{20000, 4000}}, 5);
    const QByteArray last = hash();
    EXPECT_EQ(refusal([this] { GobHistory(gob).undo(0); }),
              u"Undo cannot pass change 4 (package, a.zip, %1): its old bytes were not kept. "
              "Nothing was undone; the GOB file was not changed."_s.arg(
                  Messages::isoTime(GobHistory(gob).changes().value(0).header().time)));
    EXPECT_EQ(hash(), last);
}

// A journal cut off where a kill may leave it: before its DONE record the GOB file is put back,
// before its SEAL the GOB file was never written; a damaged one or one for a GOB file shorter
// than its regions is set aside with none of it written.
TEST_F(HistoryTest, RecoveryPutsBackACutOffChangeAndNeverWritesADamagedOne)
{
    constexpr qint64 Done = 12 + 2 * 32, Seal = 12;
    const struct
    {
        const char *what;
        qint64 chop; // bytes cut off the journal's end
        bool damage, cutGob, putBack, aside;
        const char *said;
    } cases[] = {
        {"no DONE", Done, false, false, true, false,
         ") was interrupted; the GOB file was put back"},
        // Before SEAL the GOB file was never written: holding the change, the journal lost its end.
        {"no SEAL, GOB untouched", Done + Seal, false, false, true, false, ") was interrupted;"},
        {"no SEAL, GOB written", Done + Seal, false, false, false, true, "so its end was lost"},
        {"old bytes damaged", Done, true, false, false, true, "fail their checksum"},
        {"GOB file shorter", Done, false, true, false, true, "past the end of the GOB file"},
    };
    for (const auto &c : cases) {
        const QByteArray before = hash();
        apply(u"a.zip"_s, {TwoPieces, AtTheEnd});
        const QString path = newest().path();
        QByteArray journal = Bytes::readFile(path);
        ASSERT_GT(journal.size(), 70000) << c.what;
        journal.chop(c.chop);
        if (c.damage)
            journal[journal.size() - 500] = char(journal[journal.size() - 500] ^ 1);
        home.write(QDir(home.path()).relativeFilePath(path), journal);
        if (c.cutGob)
            home.write(u"g_pc.gob"_s, Bytes::readFile(gob).chopped(1));
        if (c.putBack && !c.aside && c.chop > Done)
            home.write(u"g_pc.gob"_s, original);
        const QByteArray left = hash();
        const QStringList said = GobHistory(gob).recover();
        EXPECT_EQ(said.size(), 1) << c.what;
        EXPECT_TRUE(said.value(0).contains(QString::fromLatin1(c.said)))
            << said.value(0).toStdString();
        EXPECT_EQ(hash(), c.putBack ? before : left) << c.what;
        EXPECT_EQ(Bytes::exists(path + u".damaged"_s), c.aside) << c.what;
        EXPECT_TRUE(GobHistory(gob).recover().isEmpty()) << c.what;
        home.write(u"g_pc.gob"_s, original);
    }
}

// Two overlapping packages, then one record of the older or the newer change file damaged (a bit
// flipped, or its last byte cut off): only the newest change can be unfinished, damage is set
// aside and named, a roll-back is claimed only when the GOB file is put back, and undo never
// passes what was set aside.
TEST_F(HistoryTest, ADamagedChangeFileIsSetAsideAndNothingOfItIsWritten)
{
    enum Where { Head, Data, Seal, Done, Cut };
    const struct
    {
        int change; // 0 the older, 1 the newer
        Where where;
        const char *said; // "" nothing
        bool backToFirst; // else the GOB file holds both changes
        const char *undo; // what undo --to 0 refuses with; "" it reaches the original
    } cases[] = {
        {0, Head, "00000001.change is damaged: its first record", false, "Undo cannot pass"},
        {0, Data, "", false, "00000001.change): the old bytes at byte"},
        {0, Seal, "Change 1 (package, ab.zip, ", false, "Undo cannot pass"},
        {0, Done, "Change 1 (package, ab.zip, ", false, "Undo cannot pass"},
        {0, Cut, "yet newer changes follow it", false, "Undo cannot pass"},
        {1, Head, "00000002.change is damaged: its first record", false, "Undo cannot pass"},
        {1, Data, "", false, "00000002.change): the old bytes at byte"},
        {1, Seal, "Change 2 (package, bc.zip, ", false, "Undo cannot pass"},
        {1, Done, "Change 2 (package, bc.zip, ", false, "Undo cannot pass"},
        {1, Cut, ") was interrupted; the GOB file was put back", true, ""},
    };
    for (const auto &c : cases) {
        const std::string what = std::to_string(c.change) + " " + std::to_string(c.where);
        startAgain();
        apply(u"ab.zip"_s, {{20000, 3000}, {30000, 3000}}, 1);
        const QByteArray afterFirst = hash();
        apply(u"bc.zip"_s, {{31000, 3000}, {40000, 3000}}, 2);
        const QByteArray afterBoth = hash();
        const QString path = GobHistory(gob).changes().value(c.change).path();
        QByteArray journal = Bytes::readFile(path);
        // HEAD, then DATA from after it; the file ends in SEAL (12 bytes) and DONE (12 + 2 x 32).
        const qint64 dataAt = 12 + qint64(quint8(journal[4])) + 256 * quint8(journal[5]);
        const qint64 at[] = {20, dataAt + 30, journal.size() - 76 - 3, journal.size() - 10};
        if (c.where == Cut)
            journal.chop(1);
        else
            journal[at[c.where]] = char(journal[at[c.where]] ^ 0x10);
        home.write(QDir(home.path()).relativeFilePath(path), journal);

        const QStringList said = GobHistory(gob).recover();
        EXPECT_EQ(said.join(u' ').contains(QString::fromLatin1(c.said)), true)
            << what << ": " << said.join(u' ').toStdString();
        EXPECT_EQ(said.isEmpty(), *c.said == 0) << what;
        EXPECT_EQ(hash(), c.backToFirst ? afterFirst : afterBoth) << what;
        EXPECT_EQ(Bytes::exists(path + u".damaged"_s), !c.backToFirst && *c.said != 0) << what;
        const QByteArray beforeUndo = hash();
        const QString undo = refusal([this] { GobHistory(gob).undo(0); });
        EXPECT_TRUE(undo.contains(QString::fromLatin1(c.undo)))
            << what << ": " << undo.toStdString();
        EXPECT_EQ(hash(), *c.undo ? beforeUndo : Bytes::sha256(home.write(u"o"_s, original)))
            << what;
    }
}

// A write or a sync of the GOB file fails: the command gives the system's reason, and the GOB
// file is back as it was, byte for byte, before the command ends.
TEST_F(HistoryTest, AFailingGobWriteIsReportedAndPutBackByTheCommandItself)
{
    const auto package = [this] { apply(u"k.zip"_s, {TwoPieces, AtTheEnd}); };
    const struct
    {
        const char *what;
        FileAccess::Fault fault;
        std::function<void()> import;
        const char *kind, *reason;
    } cases[] = {
        {"one block of a bitmap",
         {u"write"_s, u".gob"_s, 1, EIO, 1},
         [this] { importBitmap(); },
         "bitmap",
         "Input/output error"},
        {"a full disk under a PNG",
         {u"write"_s, u".gob"_s, 0, ENOSPC, 1},
         [this] { importPng(); },
         "png",
         "No space left on device"},
        {"the second write of a package, after its first piece",
         {u"write"_s, u".gob"_s, 1, EIO, 1},
         package,
         "package",
         "Input/output error"},
        {"the sync of a package",
         {u"sync"_s, u".gob"_s, 0, EIO, 1},
         package,
         "package",
         "Input/output error"},
    };
    for (const auto &c : cases) {
        const QByteArray before = hash();
        FileAccess::plantFault(c.fault);
        EXPECT_EQ(refusal(c.import),
                  u"Cannot write %1: %2"_s.arg(gob, QString::fromLatin1(c.reason)))
            << c.what;
        EXPECT_EQ(hash(), before) << c.what;
        EXPECT_EQ(nameOf(newest().header().kind) + u' ' + nameOf(newest().state()),
                  QString::fromLatin1(c.kind) + u" rolled back"_s)
            << c.what;
        FileAccess::clearFaults();
    }
}

// The GOB file was replaced by another of its size since a change: nothing is written into it.
TEST_F(HistoryTest, NothingIsWrittenIntoAReplacedGob)
{
    apply(u"k.zip"_s, {TwoPieces});
    const QString path = newest().path();
    const QString time = Messages::isoTime(newest().header().time);
    // A copy of the same size put in its place (renamed over it, as a restore does).
    const QByteArray copy = Bytes::pattern(GobSize, 77);
    const QString made = home.write(u"copy.gob"_s, copy);
    QFile::remove(gob);
    QFile::rename(made, gob);
    const QString replaced =
        u"%1 was replaced by another file since change 1 (package, k.zip, %2) was made; nothing "
        "was written into it."_s.arg(gob, time);
    EXPECT_EQ(refusal([this] { GobHistory(gob).undo(); }), replaced);
    // Killed before the change was marked done: recovery leaves the new file alone too.
    home.write(QDir(home.path()).relativeFilePath(path), Bytes::readFile(path).chopped(12 + 32));
    const QStringList said = GobHistory(gob).recover();
    EXPECT_TRUE(said.value(0).endsWith(replaced
                                       + u" Nothing of it was written into the GOB file; it "
                                         "was kept as %1.damaged."_s.arg(path)))
        << said.value(0).toStdString();
    EXPECT_EQ(Bytes::readFile(gob), copy);
}

TEST_F(HistoryTest, PackageStatusAndTheReplaceQuestionKnowWhatTheGobHolds)
{
    const auto status = [this] {
        PackageContext context {prompts, nullptr, display};
        const auto contents =
            PackageImport::unpack(home.file(u"p.zip"_s), home.file(u"s"_s), context);
        QStringList states;
        for (const PackageStatus::Item &item : PackageStatus::of(*contents, {}, gob))
            states << PackageStatus::nameOf(item.state);
        return states.join(u' ');
    };
    const auto p = {std::pair {20000, 1000}, {20500, 1000}, {30000, 10}}; // 2 over 1
    apply(u"p.zip"_s, p);
    EXPECT_EQ(status(), u"applied applied applied"_s);
    apply(u"q.zip"_s, {{30005, 10}}, 2);
    EXPECT_EQ(status(), u"applied applied other"_s);
    const QList<ChangeFile> changes = GobHistory(gob).changes();
    ASSERT_EQ(changes.size(), 2);
    apply(u"p.zip"_s, p);
    EXPECT_TRUE(prompts.messageTexts().value(4).endsWith(
        u"\r\n\r\nIt overwrites these changes of the history: 2 (package, q.zip, %1); 1 "
        "(package, p.zip, %2).\r\n\r\n3 files:"_s.arg(
            Messages::isoTime(changes[1].header().time),
            Messages::isoTime(changes[0].header().time))));
    GobHistory(gob).undo(0);
    EXPECT_EQ(status(), u"original original original"_s);
    apply(u"p.zip"_s, p);
    apply(u"p.zip"_s, p);
    const QStringList texts = prompts.messageTexts();
    EXPECT_TRUE(texts.value(texts.size() - 2)
                    .contains(u"\r\n\r\nThis package is applied to the GOB file already.\r\n"_s));
}
