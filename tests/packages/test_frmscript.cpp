#include "bytes.h"
#include "handgob.h"
#include "handzip.h"
#include "packagebytes.h"
#include "previewclick.h"
#include "recordingopener.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "packages/ddeserver.h"
#include "session/gobsession.h"
#include "tools/frmscript.h"
#include "tools/progressdisplay.h"
#include "widgets/entrylist.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLocalSocket>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray record(int w, int h)
{
    return HandGob::imageRecord(w, h, Bytes::pattern(w * h, w), HandGob::palette());
}

// '1' for each widget that is enabled, '0' for each that is not.
QString enabled(const QList<QWidget *> &widgets)
{
    QString s;
    for (const QWidget *w : widgets)
        s += w->isEnabled() ? u'1' : u'0';
    return s;
}

// A loaded package window over a GOB file with three records and a catalogue of three entries
// (one of them broken), in an application folder whose KX_Temp holds files of an earlier run.
class PackageWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gobBytes = HandGob::withAt(40000, 4999, record(64, 32));
        gobBytes.replace(8999, record(16, 16).size(), record(16, 16));
        gobBytes.replace(13999, record(8, 8).size(), record(8, 8));
        gob = home.write(u"Torvane/data/g_pc.gob"_s, gobBytes);
        home.write(u"BmpList.txt"_s,
                   "//Test catalogue\r\n"
                   "Crowd,1000,12,Scoreboard,2000,3.5\r\n"
                   "Kits/Home,3,5000,Shirt,9000,Shorts,14000,Socks\r\n"
                   "$png,Logo,2,4888,Small,2,20000,Large,1\r\n"
                   "Broken,1,30000,Junk\r\n");
        home.write(u"KX_Temp/Import/old.data"_s, "old");
        session.setGobPath(gob);
        window = std::make_unique<frmScript>(prompts, opener, session, true, nullptr);
        window->Form_Load();
    }

    // The selected items as "description,offset,size"; the three lists always hold as many.
    QStringList rows() const
    {
        QStringList out;
        for (int k = 0; k < window->lstSelected->count(); ++k)
            out << window->lstSelected->item(k)->text() + u',' + window->cboOffset->itemText(k)
                    + u',' + window->cboSize->itemText(k);
        EXPECT_EQ(window->cboOffset->count(), out.size());
        EXPECT_EQ(window->cboSize->count(), out.size());
        return out;
    }

    // The selection frame's title and whether "<", "<<" and Make Zip are enabled.
    QString state() const
    {
        return window->Frame2->title() + u' '
            + enabled({window->cmdRemove, window->cmdRemoveAll, window->cmdMake});
    }

    QString tempFolder() const { return home.file(u"KX_Temp"_s); }

    // Make Zip, answering the readme question (Yes with a readme to choose) and the save dialog
    // (cancelled without a target).
    void make(const std::optional<QString> &readme, const std::optional<QString> &target)
    {
        prompts.clear();
        prompts.answerMessage(readme ? Answer::Yes : Answer::No);
        if (readme)
            prompts.answerOpen(*readme);
        if (target)
            prompts.answerSave(*target);
        else
            prompts.cancelSave();
        QTest::mouseClick(window->cmdMake, Qt::LeftButton);
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingOpener opener;
    GobSession session;
    QByteArray gobBytes;
    QString gob;
    std::unique_ptr<frmScript> window;
};

} // namespace

TEST_F(PackageWindowTest, LoadingPreparesTheWindowWithRoomForEveryCaptionAndUnloadingCleansUp)
{
    EXPECT_TRUE(QFileInfo(tempFolder()).isDir() && QDir(tempFolder()).isEmpty());
    EXPECT_EQ(window->windowTitle(), u"Kestrix"_s);
    ASSERT_EQ(window->lstItem->count(), 3);
    EXPECT_EQ(std::pair(window->lstItem->text(1), window->lstItem->toolTip()),
              std::pair(u"Logo"_s, u"3"_s));
    EXPECT_EQ(state(), u"Selected Items 0 000"_s);
    EXPECT_EQ(std::pair(window->chkBackup->isChecked(), window->chkBackup->text()),
              std::pair(true, u"Backup"_s));
    EXPECT_TRUE(window->Label1->text().startsWith(
        u"NOTICE :This program uses libzip library to read and write zip file."_s));
    EXPECT_TRUE(window->Label1->text().endsWith(u"including https://libzip.org/"_s));
    EXPECT_TRUE(window->isListening());
    const QList<QWidget *> bottom = {window->cmdMake, window->chkBackup, window->cmdImportZip,
                                     window->cmdAddMenu, window->cmdNewBmpList};
    for (qsizetype i = 1; i < bottom.size(); ++i)
        EXPECT_GT(bottom[i]->x(), bottom[i - 1]->geometry().right());
    EXPECT_LE(window->cmdNewBmpList->geometry().right(), window->width());
    EXPECT_LT(window->cmdAdd->geometry().right(), window->Frame2->x());
    EXPECT_GT(window->cmdAdd->x(), window->Frame1->geometry().right());
    EXPECT_EQ(window->txtZipLog->width(), window->width());
    EXPECT_EQ(window->picProgress->width(), window->width());
    EXPECT_GE(window->txtZipLog->mapTo(window.get(), QPoint()).y(),
              window->Label1->geometry().bottom());
    const auto visible = [&](QWidget *w) { return w->isVisibleTo(window.get()); };
    EXPECT_EQ(QList({visible(window->txtZipLog), visible(window->picProgress),
                     visible(window->cboOffset), visible(window->lblDDE)}),
              QList({true, false, false, false}));

    window->cmdNewBmpList->click();
    EXPECT_EQ(opener.urls, QList {QUrl(u"https://torvane.example/dovrin/torvane/bmplist.zip"_s)});
    window->close();
    EXPECT_FALSE(window->isLoaded() || window->isListening() || QFileInfo::exists(tempFolder()));
}

TEST_F(PackageWindowTest, BrowsingAndAddingKeepTheListsInStep)
{
    window->lstItem->setCurrentRow(0); // Kits/Home, three sub files
    ASSERT_EQ(window->lstSubItem->count(), 3);
    EXPECT_EQ(std::tuple(window->lstSubItem->currentRow(), window->lstSubItem->toolTip(),
                         window->currentOffset()),
              std::tuple(0, u"3 items"_s, 5000));
    window->lstSubItem->setCurrentRow(1);
    EXPECT_EQ(window->currentOffset(), 9000);
    window->cmdAdd->click();
    EXPECT_EQ(rows(), QStringList {u"Kits/Home/Shorts,9000,1280"_s});
    EXPECT_EQ(state(), u"Selected Items 1 111"_s); // the new line is selected
    window->cmdAddAll->click();
    EXPECT_EQ(rows().mid(1),
              (QStringList {u"Kits/Home/Shirt,5000,3072"_s, u"Kits/Home/Shorts,9000,1280"_s,
                            u"Kits/Home/Socks,14000,1088"_s}));

    // ">" twice on a whole-file sub file at position 4888: two equal items at offset 4776.
    window->lstItem->setCurrentRow(1);
    window->cmdAdd->click();
    window->cmdAdd->click();
    EXPECT_EQ(window->currentOffset(), 4888);
    EXPECT_EQ(rows().mid(4), (QStringList {u"Logo/Small,4776,2048"_s, u"Logo/Small,4776,2048"_s}));
    // A bitmap sub file whose header is no image is reported and adds nothing.
    window->lstItem->setCurrentRow(2);
    prompts.clear();
    window->cmdAdd->click();
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_EQ(prompts.last().icon, MessageIcon::Critical);
    EXPECT_EQ(rows().size(), 6);

    // A double click on "<" removes the one item chosen: no other line takes its place.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->lstSelected->setCurrentRow(0);
    QTest::mouseClick(window->cmdRemove, Qt::LeftButton);
    QTest::mouseDClick(window->cmdRemove, Qt::LeftButton); // the second press, then its release
    QTest::mouseRelease(window->cmdRemove, Qt::LeftButton);
    EXPECT_EQ(rows().value(0), u"Kits/Home/Shirt,5000,3072"_s);
    EXPECT_EQ(state(), u"Selected Items 5 011"_s);
    window->lstSelected->clearSelection();
    window->cmdRemove->click(); // no selected line: nothing happens
    EXPECT_EQ(rows().size(), 5);
    QTest::mouseClick(window->cmdRemoveAll, Qt::LeftButton);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(state(), u"Selected Items 0 000"_s);
}

TEST_F(PackageWindowTest, TypedLinesAndOtherItems)
{
    prompts.answerInput(u"5000,2048,Logo"_s);
    prompts.answerInput(u"   "_s); // nothing typed: nothing happens
    prompts.answerInput(u"5000,lots,Logo"_s);
    for (int i = 0; i < 3; ++i)
        window->cmdAddOther->click();
    const auto inputs = prompts.of(ScriptedPrompts::Kind::Input);
    ASSERT_EQ(inputs.size(), 3u);
    EXPECT_EQ(std::tuple(inputs[0].text, inputs[0].title, inputs[0].defaultText),
              std::tuple(u"Type to add manually\r\nOffset,Size(bytes),Description"_s, QString(),
                         QString()));
    EXPECT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts().value(0).contains(u"5000,lots,Logo"_s));
    EXPECT_EQ(rows(), QStringList {u"Logo,4888,2048"_s});

    window->cmdAddMenu->click();
    ASSERT_EQ(window->mnuAddMenu.size(), 3u);
    EXPECT_FALSE(window->mnuAddMenu[0]->isVisible());
    EXPECT_EQ(window->mnuAddMenu[1]->text() + u'|' + window->mnuAddMenu[2]->text(),
              u"Crowd|Scoreboard"_s);
    window->mnuAddMenu[2]->trigger();
    window->mnuMenu->close();
    window->cmdAddMenu->click(); // the menu is made afresh
    EXPECT_EQ(window->mnuAddMenu.size(), 3u);
    window->mnuMenu->close();
    EXPECT_EQ(rows().value(1), u"Scoreboard,1888,3584"_s);
    EXPECT_EQ(window->Frame2->title(), u"Selected Items 2"_s);
}

TEST_F(PackageWindowTest, MakingAPackage)
{
    for (const char *command : {"A|1112|10", "B|2112|4096", "C|20112|5000"})
        window->Form_LinkExecute(QString::fromLatin1(command));
    QList<int> shown;
    QObject::connect(window->picProgress, &ProgressDisplay::percentShown,
                     [&](int p) { shown << p; });
    const QString out = home.file(u"kits.zip"_s);
    make(std::nullopt, out);
    const auto messages = prompts.of(ScriptedPrompts::Kind::Message);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(std::tuple(messages[0].text, messages[0].buttons, messages[0].defaultAnswer,
                         messages[0].icon),
              std::tuple(u"Do you want to include a readme"_s, MessageButtons::YesNo, Answer::No,
                         MessageIcon::Question));
    EXPECT_EQ(std::pair(messages[1].text, messages[1].icon),
              std::pair(u"Sucessfully done"_s, MessageIcon::Information));
    const auto saves = prompts.of(ScriptedPrompts::Kind::Save);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(std::tuple(saves[0].title, saves[0].owner, saves[0].filters.size(),
                         saves[0].filters.value(0).pattern),
              std::tuple(u"Select where you want to save"_s, window.get(), 1, u"*.zip"_s));
    EXPECT_EQ(shown, (QList<int> {33, 67, 100}));
    const QList<HandZip::Read> entries = HandZip::read(out);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].bytes,
              gobBytes.mid(1111, 10) + gobBytes.mid(2111, 4096) + gobBytes.mid(20111, 5000));
    EXPECT_EQ(entries[2].bytes, QByteArray("\"A\"\r\n\"B\"\r\n\"C\"\r\n"));
    EXPECT_TRUE(window->txtZipLog->toPlainText().endsWith(u"Done\n"_s));
    EXPECT_EQ(window->Frame2->title(), u"Selected Items "_s);

    // With a readme: four entries, the readme under its own name.
    make(home.write(u"docs/notes.txt"_s, "read me"), out);
    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(std::tuple(opens[0].title, opens[0].filters.size(), opens[0].filters.value(0).pattern,
                         opens[0].filters.value(1).pattern),
              std::tuple(u"Select the readme file"_s, 2, u"*.txt;*.doc"_s, u"*.*"_s));
    EXPECT_EQ(HandZip::read(out).value(3).name, u"notes.txt"_s);

    // Cancelling the save dialog ends silently and writes no archive.
    make(std::nullopt, std::nullopt);
    EXPECT_EQ(prompts.messageTexts(), QStringList {u"Do you want to include a readme"_s});

    // A readme named like a package file cannot go in: the zip service's number and " error".
    const QString other = home.file(u"other.zip"_s);
    make(home.write(u"docs/FILE.DATA"_s, "clash"), other);
    EXPECT_EQ(prompts.last().text, // libzip's ZIP_ER_EXISTS, and why
              u"10 error\r\nzip error: the name FILE.DATA would be stored twice in the archive"_s);
    EXPECT_EQ(prompts.last().icon, MessageIcon::Critical);
    EXPECT_TRUE(window->txtZipLog->toPlainText().contains(u"FILE.DATA"_s));
    EXPECT_FALSE(Bytes::exists(other));

    // An item past the end of the GOB file is refused before anything is written.
    window->cmdRemoveAll->click();
    window->Form_LinkExecute(u"Far|39990|100"_s);
    QDir(tempFolder()).removeRecursively();
    prompts.clear();
    window->cmdMake->click();
    EXPECT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts().value(0).contains(u"Item 1 \"Far\""_s));
    EXPECT_FALSE(Bytes::exists(tempFolder() + u"/install.data"_s));
    EXPECT_EQ(Bytes::readFile(gob), gobBytes);
}

TEST_F(PackageWindowTest, CommandsWaitWhileAMakeRuns)
{
    for (const char *command : {"A|1112|10", "B|2112|20", "C|3112|30"})
        window->Form_LinkExecute(QString::fromLatin1(command));
    QLocalSocket client;
    int checked = 0;
    prompts.onShow = [&](const ScriptedPrompts::Shown &shown) {
        if (shown.text == u"Do you want to include a readme"_s) {
            EXPECT_TRUE(window->isBusy());
            EXPECT_EQ(enabled({window->cmdImportZip, window->cmdAddOther, window->cmdMake,
                               window->lstSelected}),
                      u"0000"_s);
            window->close(); // refused while the make runs
            EXPECT_TRUE(window->isLoaded());
            client.connectToServer(DdeServer::serverName());
            ASSERT_TRUE(client.waitForConnected(1000));
            client.write("Late|5112|3072\n");
            client.waitForBytesWritten(1000);
            ++checked;
        } else if (shown.text == u"Sucessfully done"_s) {
            // The command has been taken during the make but not yet appended.
            EXPECT_TRUE(client.canReadLine() || client.waitForReadyRead(2000));
            EXPECT_EQ(client.readLine().trimmed(), QByteArray("accepted"));
            EXPECT_EQ(window->lstSelected->count(), 3);
            ++checked;
        }
    };
    const QString out = home.file(u"kits.zip"_s);
    make(std::nullopt, out);
    prompts.onShow = nullptr;
    EXPECT_EQ(checked, 2);
    EXPECT_FALSE(window->isBusy());
    EXPECT_EQ(rows().value(3), u"Late,5000,3072"_s);
    EXPECT_EQ(state(), u"Selected Items 4 011"_s);
    EXPECT_EQ(HandZip::read(out).value(1).bytes.size(), 60); // the package holds the first three
    EXPECT_TRUE(window->cmdImportZip->isEnabled());
}

TEST_F(PackageWindowTest, ImportingAPackageAndMakingOneAfterwards)
{
    const QByteArray region = Bytes::pattern(3072, 3); // for 0-based 5111 to 8182
    const QString package = home.file(u"pkg.zip"_s);
    ASSERT_TRUE(HandZip::write(package,
                               {{u"install.data"_s, installRecords({{5000, 3072}})},
                                {u"file.data"_s, region},
                                {u"Replaced Files.txt"_s, "\"Kits/Home\"\r\n"}}));
    QList<int> shown;
    QObject::connect(window->picProgress, &ProgressDisplay::percentShown,
                     [&](int p) { shown << p; });
    prompts.answerOpen(package);
    prompts.answerMessage(Answer::Yes);
    QString busy;
    prompts.onShow = [&](const ScriptedPrompts::Shown &s) {
        if (s.icon == MessageIcon::Question)
            busy = enabled({window->cmdMake, window->cmdImportZip, window->chkBackup})
                + (window->isBusy() ? u" busy"_s : QString());
    };
    clickPreviewWhenShown();
    window->cmdImportZip->click();
    prompts.onShow = nullptr;
    EXPECT_EQ(busy, u"000 busy"_s);
    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(std::pair(opens[0].title, opens[0].filters.value(0).description),
              std::pair(u"Select the zip file to import"_s, u"Zip file"_s));
    EXPECT_EQ(prompts.last().text,
              u"Imported Sucessfully\r\n2\r\nThe backup package is "_s
                  + home.file(u"pkg_backup.zip"_s)); // Backup is ticked
    EXPECT_EQ(Bytes::readFile(gob), QByteArray(gobBytes).replace(5111, 3072, region));
    EXPECT_TRUE(Bytes::exists(home.file(u"pkg_backup.zip"_s)));
    EXPECT_EQ(shown, (QList<int> {33, 66, 100, 100})); // three entries unpacked, one record
    EXPECT_FALSE(QFileInfo::exists(tempFolder())); // removed after the import
    EXPECT_TRUE(window->txtZipLog->isVisibleTo(window.get()));

    // A make after the import creates the temporary folder again.
    window->Form_LinkExecute(u"Kits/Away|5112|3072"_s);
    make(std::nullopt, home.file(u"again.zip"_s));
    EXPECT_EQ(prompts.last().text, u"Sucessfully done"_s);
    EXPECT_TRUE(Bytes::exists(tempFolder() + u"/file.data"_s));
    EXPECT_EQ(HandZip::read(home.file(u"again.zip"_s)).value(1).bytes, region);
}

TEST(ProgressDisplay, ABlueBarWithTheTextRedUntilHalfThenWhite)
{
    ProgressDisplay box;
    box.resize(300, 40);
    const auto blue = [&](int x) {
        return box.grab().toImage().pixelColor(x, 3) == QColor(0, 0, 255);
    };
    box.setPercent(33);
    EXPECT_EQ(box.currentTextColour(), QColor(255, 0, 0));
    EXPECT_EQ(QList({blue(2), blue(97), blue(120)}), QList({true, true, false}));
    box.setPercent(55);
    EXPECT_EQ(box.currentTextColour(), QColor(255, 255, 255));
    box.setPercent(100);
    EXPECT_TRUE(blue(297));
    box.clear();
    EXPECT_EQ(std::pair(box.percent(), box.currentTextColour()), std::pair(-1, QColor(255, 0, 0)));
    EXPECT_FALSE(blue(2));
}

TEST_F(PackageWindowTest, KestrixCliSendReachesThePackageWindowOfWhicheverCopyIsOpen)
{
    // A second copy of Kestrix opens its package window too: it stands by.
    frmScript other(prompts, opener, session, true, nullptr);
    other.Form_Load();
    EXPECT_FALSE(other.isListening());
    // kestrix-cli send: its exit status, a blank and what it said.
    const auto send = [&](const char *command) {
        QProcess process;
        process.setEnvironment(home.environment());
        process.start(QStringLiteral(KESTRIX_CLI), {u"send"_s, QString::fromLatin1(command)});
        EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }));
        return QString::number(process.exitCode()) + u' '
            + QString::fromLocal8Bit(process.readAllStandardError());
    };
    EXPECT_EQ(send("Kits/Away|5112|3072"), u"0 "_s);
    EXPECT_EQ(rows(), QStringList {u"Kits/Away,5000,3072"_s});
    const QString refused = send("Kits/Away|here|3072");
    EXPECT_TRUE(refused.startsWith(u"1 "_s) && refused.contains(u"here"_s))
        << refused.toStdString();
    EXPECT_EQ(rows().size() + other.lstSelected->count(), 1);

    // Whichever window closes first, the other one takes the commands after it.
    window->Form_Unload();
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.isListening(); }, 2000));
    EXPECT_EQ(send("Ball|72434|5232"), u"0 "_s);
    EXPECT_EQ(other.lstSelected->count(), 1);
    window->Form_Load();
    EXPECT_FALSE(window->isListening());
    other.Form_Unload();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isListening(); }, 2000));
    EXPECT_EQ(send("Ball|72434|5232"), u"0 "_s);
    EXPECT_EQ(rows().size(), 2);
}
