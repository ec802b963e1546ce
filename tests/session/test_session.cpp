#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"
#include "handzip.h"
#include "packagebytes.h"
#include "recordingdisplay.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "records/catalogue.h"
#include "services/apppath.h"
#include "services/failure.h"
#include "session/gobsession.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype Record = 1000; // an 8 x 4 image record; its pixels follow 112 header bytes
constexpr qsizetype Pixels = Record + 112;
constexpr qsizetype Area = 5000; // a whole-file area of 4096 bytes
constexpr qsizetype PackageSize = 300; // the package's record: GOB bytes 20000 to 20299

// A session over a GOB file whose name ends in a space, with a catalogue of the image record,
// the area, and one record past the end of the file.
class SessionTest : public ::testing::Test
{
protected:
    SessionTest()
    {
        original = HandGob::withAt(
            30000, Record, HandGob::imageRecord(8, 4, Bytes::pattern(32, 3), HandGob::palette()));
        gob = home.write(u"Torvane/data/g_pc.gob "_s, original);
        home.write(u"BmpList.txt"_s,
                   "//Test catalogue\r\n\r\nKits,1,1001,Shirt\r\n$png,Logo,1,5001,Small,4\r\n"
                   "Far,1,90001,Gone\r\n");
        session.setGobPath(gob);
    }

    void show(int entry)
    {
        session.selectEntry(Catalogue::read(MainModule::cataloguePath()).entry(entry));
        session.selectSubFile(1);
    }

    QString newBitmap() const
    {
        return home.write(
            u"new.bmp"_s,
            HandBitmap::bitmap8(8, 4, HandBitmap::colourTable({0}), Bytes::pattern(32, 50)));
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingDisplay display;
    QByteArray original;
    QString gob;
    GobSession session;
};

} // namespace

TEST_F(SessionTest, EveryCommandWritesTheGobAnnouncesTheHistoryAndShowsTheRecordAgain)
{
    // Each command, the entry it works on, and the GOB bytes it must leave.
    const QByteArray png = Bytes::pattern(1000, 7);
    struct Command
    {
        const char *name;
        int entry;
        std::function<void()> run;
        QByteArray expected;
    };
    QByteArray bitmapGob = original;
    bitmapGob.replace(Pixels, 32, Bytes::pattern(32, 50));
    for (int k = 0; k < 256; ++k) // the bitmap's table is black throughout; alpha not kept
        bitmapGob.replace(Pixels + 32 + 4 * k, 4, Bytes::of({0, 0, 0, 255}));
    QByteArray pngGob = original;
    pngGob.replace(Area, 4096, png + QByteArray(4096 - png.size(), '\0'));
    QByteArray packageGob = original;
    packageGob.replace(20000, PackageSize, Bytes::pattern(PackageSize, 9));
    const Command commands[] = {
        {"bitmap", 0, [&] { session.replace(session.replacePlan(newBitmap()), {}); }, bitmapGob},
        {"png", 1, [&] { session.replace(session.replacePlan(home.write(u"new.png"_s, png)), {}); },
         pngGob},
        {"package", 0,
         [&] {
             const QString zip = home.file(u"k.zip"_s);
             ASSERT_TRUE(
                 HandZip::write(zip,
                                {{u"install.data"_s, installRecords({{20000 - 111, PackageSize}})},
                                 {u"file.data"_s, Bytes::pattern(PackageSize, 9)},
                                 {u"Replaced Files.txt"_s, "\"Stand\"\r\n"}}));
             prompts.answerMessage(Answer::Yes);
             PackageContext context {prompts, nullptr, display};
             ImportRequest request;
             request.packagePath = zip;
             request.tempFolder = home.file(u"KX_Temp"_s);
             session.importPackage(request, context);
         },
         packageGob},
    };
    for (const Command &command : commands) {
        SCOPED_TRACE(command.name);
        show(command.entry);
        const QByteArray shownBefore = Bytes::readFile(MainModule::scratchBitmapPath());
        QSignalSpy history(&session, &GobSession::historyChanged);
        QSignalSpy shown(&session, &GobSession::shownChanged);
        command.run();
        EXPECT_EQ(Bytes::readFile(gob), command.expected);
        EXPECT_EQ(history.count(), 1);
        EXPECT_GE(shown.count(), 1);
        EXPECT_TRUE(session.isShown());
        ASSERT_TRUE(session.newestDone().has_value());
        EXPECT_EQ(nameOf(session.newestDone()->header().kind), QString::fromLatin1(command.name));
        if (command.expected != packageGob) { // the package writes beside the record shown
            EXPECT_NE(Bytes::readFile(MainModule::scratchBitmapPath()), shownBefore);
        }

        // The change before was undone; this one dropped it, so there is nothing to redo.
        EXPECT_FALSE(session.nextRedo().has_value());

        // Undo, redo and undo again: the bytes, the signals and the record shown follow.
        for (const QByteArray &expected : {original, command.expected, original}) {
            if (expected == original)
                session.undo();
            else
                session.redo();
            EXPECT_EQ(Bytes::readFile(gob), expected);
            EXPECT_EQ(session.nextRedo().has_value(), expected == original);
        }
        EXPECT_EQ(history.count(), 4);
        EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()), shownBefore);
        EXPECT_FALSE(session.newestDone().has_value());
    }
}

TEST_F(SessionTest, SelectionAndTheNothingShownState)
{
    // The path as given, trailing space and all; blank is none.
    EXPECT_EQ(session.gobPath(), gob);
    EXPECT_TRUE(gob.endsWith(u' '));
    EXPECT_EQ(GobSession::canonicalPath(u"  "_s), QString());
    EXPECT_EQ(GobSession::canonicalPath(u"/a/./b/../g_pc.gob "_s), u"/a/g_pc.gob "_s);
    EXPECT_FALSE(session.isShown());

    show(0);
    EXPECT_TRUE(session.isShown());
    EXPECT_EQ(QSize(session.selection().width, session.selection().height), QSize(8, 4));
    EXPECT_EQ(session.selection().offset, 1001);

    // A record past the end of the file: nothing of the previous one stays.
    QSignalSpy shown(&session, &GobSession::shownChanged);
    EXPECT_THROW(show(2), Failure);
    EXPECT_FALSE(session.isShown());
    EXPECT_EQ(QSize(session.selection().width, session.selection().height), QSize(0, 0));
    EXPECT_EQ(session.selection().subFile, 1);
    EXPECT_GE(shown.count(), 1);

    // A refused line, and another GOB file, leave nothing chosen.
    show(1);
    ASSERT_TRUE(session.isShown());
    session.clearSelection();
    EXPECT_FALSE(session.isShown() || session.selection().hasEntry);
    show(1);
    session.setGobPath(home.write(u"other_pc.gob"_s, original));
    EXPECT_FALSE(session.isShown() || session.selection().hasEntry);
    // Nothing shown: a replace writes nothing.
    session.replace(session.replacePlan(newBitmap()), {});
    EXPECT_TRUE(session.changes().isEmpty());
    EXPECT_EQ(Bytes::readFile(home.file(u"other_pc.gob"_s)), original);
}
