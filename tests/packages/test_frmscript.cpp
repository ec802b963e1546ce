#include "bytes.h"
#include "handgob.h"
#include "handzip.h"
#include "recordingdisplay.h"
#include "recordingopener.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "packages/ddeserver.h"
#include "packages/frmscript.h"
#include "packages/packagemake.h"
#include "packages/progressdisplay.h"
#include "services/apppath.h"
#include "services/entrylist.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray record(int w, int h)
{
    return HandGob::imageRecord(w, h, Bytes::pattern(w * h, w), HandGob::palette());
}

struct Row
{
    QString description;
    QString offset;
    QString size;
    bool operator==(const Row &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Row &row)
{
    return out << row.description.toStdString() << ',' << row.offset.toStdString() << ','
               << row.size.toStdString();
}

class PackageWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gobBytes = HandGob::withAt(40000, 4999, record(64, 32));
        gobBytes.replace(8999, record(16, 16).size(), record(16, 16));
        gobBytes.replace(13999, record(8, 8).size(), record(8, 8));
        gob = home.write(QStringLiteral("Torvane/data/g_pc.gob"), gobBytes);
        home.write(QStringLiteral("BmpList.txt"),
                   "//Test catalogue\r\n"
                   "Crowd,1000,12,Scoreboard,2000,3.5\r\n"
                   "Kits/Home,3,5000,Shirt,9000,Shorts,14000,Socks\r\n"
                   "$png,Logo,2,4888,Small,2,20000,Large,1\r\n"
                   "Broken,1,30000,Junk\r\n");
        gobPath.setText(gob);
        backup.setText(QStringLiteral("Backup"));
        backup.setChecked(true);
        window = std::make_unique<frmScript>(prompts, opener, &gobPath, &backup, nullptr);
    }

    // The three lists, which must always hold the same number of lines.
    std::vector<Row> rows() const
    {
        const int n = window->lstSelected->count();
        EXPECT_EQ(window->cboOffset->count(), n);
        EXPECT_EQ(window->cboSize->count(), n);
        std::vector<Row> out;
        for (int k = 0; k < n && k < window->cboOffset->count() && k < window->cboSize->count();
             ++k)
            out.push_back({window->lstSelected->item(k)->text(), window->cboOffset->itemText(k),
                           window->cboSize->itemText(k)});
        return out;
    }

    QString tempFolder() const { return home.file(QStringLiteral("KX_Temp")); }

    // Runs the event loop until done() holds or two seconds passed.
    static bool waitFor(const std::function<bool()> &done)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingOpener opener;
    QLineEdit gobPath;
    QCheckBox backup;
    QByteArray gobBytes;
    QString gob;
    std::unique_ptr<frmScript> window;
};

} // namespace

TEST_F(PackageWindowTest, LoadingPreparesTheWindowAndUnloadingCleansUp)
{
    home.write(QStringLiteral("KX_Temp/stale.txt"), "old");
    home.write(QStringLiteral("KX_Temp/Import/old.data"), "old");
    window->Form_Load();
    EXPECT_TRUE(QFileInfo(tempFolder()).isDir());
    EXPECT_TRUE(QDir(tempFolder()).isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kestrix"));
    ASSERT_EQ(window->lstItem->count(), 3);
    EXPECT_EQ(window->lstItem->text(1), QStringLiteral("Logo"));
    EXPECT_EQ(window->lstItem->toolTip(), QStringLiteral("3"));
    EXPECT_EQ(window->Frame2->title(), QStringLiteral("Selected Items 0"));
    EXPECT_FALSE(window->cmdRemove->isEnabled());
    EXPECT_FALSE(window->cmdRemoveAll->isEnabled());
    EXPECT_FALSE(window->cmdMake->isEnabled());
    EXPECT_TRUE(window->chkBackup->isChecked());
    EXPECT_EQ(window->chkBackup->text(), QStringLiteral("Backup"));
    EXPECT_TRUE(window->Label1->text().startsWith(
        QStringLiteral("NOTICE :This program uses libzip library to read and write zip file.")));
    EXPECT_TRUE(window->Label1->text().endsWith(QStringLiteral("including https://libzip.org/")));
    EXPECT_TRUE(window->isListening());

    window->cmdNewBmpList->click();
    ASSERT_EQ(opener.urls.size(), 1);
    EXPECT_EQ(opener.urls[0],
              QUrl(QStringLiteral("https://torvane.example/dovrin/torvane/bmplist.zip")));

    window->close();
    EXPECT_FALSE(window->isLoaded());
    EXPECT_FALSE(window->isListening());
    EXPECT_FALSE(QFileInfo::exists(tempFolder()));
}

TEST_F(PackageWindowTest, LayoutGivesEveryCaptionRoom)
{
    window->Form_Load();
    const QList<QPushButton *> buttons = {
        window->cmdAddAll,    window->cmdAdd,      window->cmdRemove,
        window->cmdRemoveAll, window->cmdAddOther, window->cmdMake,
        window->cmdImportZip, window->cmdAddMenu,  window->cmdNewBmpList};
    for (QPushButton *b : buttons)
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
    const QList<QWidget *> bottom = {window->cmdMake, window->chkBackup, window->cmdImportZip,
                                     window->cmdAddMenu, window->cmdNewBmpList};
    for (qsizetype i = 1; i < bottom.size(); ++i)
        EXPECT_GT(bottom[i]->x(), bottom[i - 1]->geometry().right());
    EXPECT_LE(window->cmdNewBmpList->geometry().right(), window->width());
    EXPECT_LT(window->cmdAdd->geometry().right(), window->Frame2->x());
    EXPECT_GT(window->cmdAdd->x(), window->Frame1->geometry().right());
    EXPECT_EQ(window->txtZipLog->width(), window->width());
    EXPECT_EQ(window->picProgress->width(), window->width());
    EXPECT_GE(window->txtZipLog->y(), window->Label1->geometry().bottom());
    EXPECT_TRUE(window->txtZipLog->isVisibleTo(window.get()));
    EXPECT_FALSE(window->picProgress->isVisibleTo(window.get()));
    EXPECT_FALSE(window->cboOffset->isVisibleTo(window.get()));
    EXPECT_FALSE(window->lblDDE->isVisibleTo(window.get()));
}

TEST_F(PackageWindowTest, BrowsingAndAddingKeepTheListsInStep)
{
    window->Form_Load();
    window->lstItem->setCurrentRow(0); // Kits/Home, three sub files
    ASSERT_EQ(window->lstSubItem->count(), 3);
    EXPECT_EQ(window->lstSubItem->currentRow(), 0);
    EXPECT_EQ(window->lstSubItem->toolTip(), QStringLiteral("3 items"));
    EXPECT_EQ(window->currentOffset(), 5000);
    window->lstSubItem->setCurrentRow(1);
    EXPECT_EQ(window->currentOffset(), 9000);

    window->cmdAdd->click();
    EXPECT_EQ(rows(),
              (std::vector<Row> {{QStringLiteral("Kits/Home/Shorts"), QStringLiteral("9000"),
                                  QStringLiteral("1280")}}));
    EXPECT_TRUE(window->cmdRemove->isEnabled()); // the new line is selected
    EXPECT_TRUE(window->cmdMake->isEnabled());

    window->cmdAddAll->click();
    ASSERT_EQ(rows().size(), 4u);
    EXPECT_EQ(
        rows()[1],
        (Row {QStringLiteral("Kits/Home/Shirt"), QStringLiteral("5000"), QStringLiteral("3072")}));
    EXPECT_EQ(
        rows()[3],
        (Row {QStringLiteral("Kits/Home/Socks"), QStringLiteral("14000"), QStringLiteral("1088")}));
    EXPECT_EQ(window->Frame2->title(), QStringLiteral("Selected Items 4"));

    // ">" twice on a whole-file sub file at position 4888: two equal items at offset 4776.
    window->lstItem->setCurrentRow(1);
    EXPECT_EQ(window->currentOffset(), 4888);
    window->cmdAdd->click();
    window->cmdAdd->click();
    EXPECT_EQ(window->currentOffset(), 4888);
    ASSERT_EQ(rows().size(), 6u);
    EXPECT_EQ(rows()[4],
              (Row {QStringLiteral("Logo/Small"), QStringLiteral("4776"), QStringLiteral("2048")}));
    EXPECT_EQ(rows()[5], rows()[4]);

    // A bitmap sub file whose header is no image is reported and adds nothing.
    window->lstItem->setCurrentRow(2);
    prompts.clear();
    window->cmdAdd->click();
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    EXPECT_EQ(rows().size(), 6u);

    // A double click on "<" removes the one item chosen: no other line takes its place.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->lstSelected->setCurrentRow(0);
    QTest::mouseClick(window->cmdRemove, Qt::LeftButton);
    QTest::mouseDClick(window->cmdRemove, Qt::LeftButton); // the second press, then its release
    QTest::mouseRelease(window->cmdRemove, Qt::LeftButton);
    ASSERT_EQ(rows().size(), 5u);
    EXPECT_EQ(rows()[0].description, QStringLiteral("Kits/Home/Shirt"));
    EXPECT_EQ(window->Frame2->title(), QStringLiteral("Selected Items 5"));
    EXPECT_FALSE(window->cmdRemove->isEnabled());
    window->lstSelected->clearSelection();
    window->cmdRemove->click(); // no selected line: nothing happens
    EXPECT_EQ(rows().size(), 5u);

    window->cmdRemoveAll->click();
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(window->Frame2->title(), QStringLiteral("Selected Items 0"));
    EXPECT_FALSE(window->cmdMake->isEnabled());
    EXPECT_FALSE(window->cmdRemoveAll->isEnabled());
}

TEST_F(PackageWindowTest, TypedLinesOtherItemsAndCommands)
{
    window->Form_Load();
    prompts.answerInput(QStringLiteral("5000,2048,Logo"));
    window->cmdAddOther->click();
    const auto inputs = prompts.of(ScriptedPrompts::Kind::Input);
    ASSERT_EQ(inputs.size(), 1u);
    EXPECT_EQ(inputs[0].text,
              QStringLiteral("Type to add manually\r\nOffset,Size(bytes),Description"));
    EXPECT_TRUE(inputs[0].title.isEmpty());
    EXPECT_TRUE(inputs[0].defaultText.isEmpty());
    EXPECT_EQ(rows(),
              (std::vector<Row> {
                  {QStringLiteral("Logo"), QStringLiteral("4888"), QStringLiteral("2048")}}));

    prompts.answerInput(QStringLiteral("   "));
    window->cmdAddOther->click();
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    for (const QString &bad : {QStringLiteral("5000,2048"), QStringLiteral("5000,lots,Logo")}) {
        prompts.clear();
        prompts.answerInput(bad);
        window->cmdAddOther->click();
        ASSERT_EQ(prompts.messageTexts().size(), 1) << bad.toStdString();
        EXPECT_TRUE(prompts.messageTexts()[0].contains(bad));
        EXPECT_EQ(rows().size(), 1u);
    }

    window->cmdAddMenu->click();
    ASSERT_EQ(window->mnuAddMenu.size(), 3u);
    EXPECT_FALSE(window->mnuAddMenu[0]->isVisible());
    EXPECT_EQ(window->mnuAddMenu[1]->text(), QStringLiteral("Crowd"));
    EXPECT_EQ(window->mnuAddMenu[2]->text(), QStringLiteral("Scoreboard"));
    window->mnuAddMenu[2]->trigger();
    window->mnuMenu->close();
    EXPECT_EQ(rows().back(),
              (Row {QStringLiteral("Scoreboard"), QStringLiteral("1888"), QStringLiteral("3584")}));
    window->cmdAddMenu->click(); // the menu is made afresh
    EXPECT_EQ(window->mnuAddMenu.size(), 3u);
    window->mnuMenu->close();

    EXPECT_TRUE(window->Form_LinkExecute(QStringLiteral("Kits/Away|5112|3072")).isEmpty());
    EXPECT_EQ(rows().back(),
              (Row {QStringLiteral("Kits/Away"), QStringLiteral("5000"), QStringLiteral("3072")}));
    EXPECT_EQ(window->Frame2->title(), QStringLiteral("Selected Items 3"));
    for (const QString &bad : {QStringLiteral("Kits/Away|5112"), QStringLiteral("Kits/Away|x|3072"),
                               QStringLiteral("|5112|3072")})
        EXPECT_FALSE(window->Form_LinkExecute(bad).isEmpty()) << bad.toStdString();
    EXPECT_EQ(rows().size(), 3u);
}

TEST_F(PackageWindowTest, MakingAPackage)
{
    window->Form_Load();
    for (const char *command : {"A|1112|10", "B|2112|4096", "C|20112|5000"})
        window->Form_LinkExecute(QString::fromLatin1(command));
    QList<int> shown;
    QObject::connect(window->picProgress, &ProgressDisplay::percentShown,
                     [&](int p) { shown << p; });
    const QString out = home.file(QStringLiteral("out/kits.zip"));
    QDir().mkpath(home.file(QStringLiteral("out")));
    prompts.answerMessage(Answer::No);
    prompts.answerSave(out);
    window->cmdMake->click();

    const auto messages = prompts.of(ScriptedPrompts::Kind::Message);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Do you want to include a readme"));
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages[0].defaultAnswer, Answer::No);
    EXPECT_EQ(messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages[1].text, QStringLiteral("Sucessfully done"));
    EXPECT_EQ(messages[1].icon, MessageIcon::Information);
    const auto saves = prompts.of(ScriptedPrompts::Kind::Save);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].title, QStringLiteral("Select where you want to save"));
    EXPECT_EQ(saves[0].owner, window.get());
    ASSERT_EQ(saves[0].filters.size(), 1);
    EXPECT_EQ(saves[0].filters[0].pattern, QStringLiteral("*.zip"));
    EXPECT_EQ(shown, (QList<int> {33, 67, 100}));

    const QList<HandZip::Read> entries = HandZip::read(out);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].bytes,
              gobBytes.mid(1111, 10) + gobBytes.mid(2111, 4096) + gobBytes.mid(20111, 5000));
    EXPECT_EQ(entries[2].bytes, QByteArray("\"A\"\r\n\"B\"\r\n\"C\"\r\n"));
    EXPECT_TRUE(window->txtZipLog->toPlainText().endsWith(QStringLiteral("Done\n")));
    EXPECT_TRUE(window->txtZipLog->isVisibleTo(window.get()));
    EXPECT_EQ(window->Frame2->title(), QStringLiteral("Selected Items "));
    EXPECT_TRUE(window->cmdMake->isEnabled());

    // With a readme: four entries, the readme under its own name.
    const QString readme = home.write(QStringLiteral("docs/notes.txt"), "read me");
    prompts.clear();
    prompts.answerMessage(Answer::Yes);
    prompts.answerOpen(readme);
    prompts.answerSave(out);
    window->cmdMake->click();
    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].title, QStringLiteral("Select the readme file"));
    ASSERT_EQ(opens[0].filters.size(), 2);
    EXPECT_EQ(opens[0].filters[0].pattern, QStringLiteral("*.txt;*.doc"));
    EXPECT_EQ(opens[0].filters[1].pattern, QStringLiteral("*.*"));
    EXPECT_EQ(HandZip::names(out).last(), QStringLiteral("notes.txt"));
    EXPECT_EQ(HandZip::read(out).size(), 4);

    // Cancelling the save dialog ends silently and writes no archive.
    const QString other = home.file(QStringLiteral("out/other.zip"));
    prompts.clear();
    prompts.answerMessage(Answer::No);
    prompts.cancelSave();
    window->cmdMake->click();
    EXPECT_EQ(prompts.messageTexts(),
              QStringList {QStringLiteral("Do you want to include a readme")});
    EXPECT_FALSE(Bytes::exists(other));

    // A readme named like a package file cannot go in: the zip service's number and " error".
    const QString clash = home.write(QStringLiteral("docs/FILE.DATA"), "clash");
    prompts.clear();
    prompts.answerMessage(Answer::Yes);
    prompts.answerOpen(clash);
    prompts.answerSave(other);
    window->cmdMake->click();
    EXPECT_EQ(prompts.lastMessage()->text, // libzip's ZIP_ER_EXISTS, and why
              QStringLiteral("10 error\r\nzip error: the name FILE.DATA would be stored twice in "
                             "the archive"));
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    EXPECT_TRUE(window->txtZipLog->toPlainText().contains(QStringLiteral("FILE.DATA")));
    EXPECT_TRUE(window->txtZipLog->toPlainText().endsWith(QStringLiteral("Done\n")));
    EXPECT_FALSE(Bytes::exists(other));

    // An item past the end of the GOB file is refused before anything is written.
    window->cmdRemoveAll->click();
    window->Form_LinkExecute(QStringLiteral("Far|39990|100"));
    QDir(tempFolder()).removeRecursively();
    prompts.clear();
    window->cmdMake->click();
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(QStringLiteral("Item 1 \"Far\"")));
    EXPECT_FALSE(Bytes::exists(tempFolder() + QStringLiteral("/install.data")));
    EXPECT_EQ(Bytes::readFile(gob), gobBytes);
}

TEST_F(PackageWindowTest, CommandsWaitWhileAMakeRuns)
{
    window->Form_Load();
    for (const char *command : {"A|1112|10", "B|2112|20", "C|3112|30"})
        window->Form_LinkExecute(QString::fromLatin1(command));
    QLocalSocket client;
    bool checkedBusy = false;
    bool checkedDone = false;
    prompts.onShow = [&](const ScriptedPrompts::Shown &shown) {
        if (shown.text == QStringLiteral("Do you want to include a readme")) {
            EXPECT_TRUE(window->isBusy());
            for (QWidget *command : {static_cast<QWidget *>(window->cmdImportZip),
                                     static_cast<QWidget *>(window->cmdAddOther),
                                     static_cast<QWidget *>(window->cmdMake),
                                     static_cast<QWidget *>(window->lstSelected)})
                EXPECT_FALSE(command->isEnabled()) << command->objectName().toStdString();
            window->close(); // refused while the make runs
            EXPECT_TRUE(window->isLoaded());
            client.connectToServer(DdeServer::serverName());
            ASSERT_TRUE(client.waitForConnected(1000));
            client.write("Late|5112|3072\n");
            client.waitForBytesWritten(1000);
            checkedBusy = true;
        } else if (shown.text == QStringLiteral("Sucessfully done")) {
            // The command has been taken during the make but not yet appended.
            EXPECT_TRUE(client.canReadLine() || client.waitForReadyRead(2000));
            EXPECT_EQ(client.readLine().trimmed(), QByteArray("accepted"));
            EXPECT_EQ(window->lstSelected->count(), 3);
            checkedDone = true;
        }
    };
    prompts.answerMessage(Answer::No);
    const QString out = home.file(QStringLiteral("kits.zip"));
    prompts.answerSave(out);
    window->cmdMake->click();
    prompts.onShow = nullptr;
    EXPECT_TRUE(checkedBusy);
    EXPECT_TRUE(checkedDone);
    EXPECT_FALSE(window->isBusy());
    ASSERT_EQ(rows().size(), 4u);
    EXPECT_EQ(rows()[3],
              (Row {QStringLiteral("Late"), QStringLiteral("5000"), QStringLiteral("3072")}));
    EXPECT_EQ(window->Frame2->title(), QStringLiteral("Selected Items 4"));
    EXPECT_EQ(HandZip::read(out)[1].bytes.size(), 60); // the package holds the first three
    EXPECT_TRUE(window->cmdImportZip->isEnabled());
}

TEST_F(PackageWindowTest, ImportingAPackageAndMakingOneAfterwards)
{
    window->Form_Load();
    const QByteArray source = Bytes::pattern(40000, 3);
    const QString sourceGob = home.write(QStringLiteral("other_pc.gob"), source);
    RecordingDisplay display;
    PackageContext context {prompts, nullptr, display};
    const QStringList files =
        PackageMake::writeFiles(sourceGob, {{QStringLiteral("Kits/Home"), 5000, 3072}},
                                home.file(QStringLiteral("m")), display);
    const QString package = home.file(QStringLiteral("pkg.zip"));
    ASSERT_EQ(PackageMake::writeArchive(package, files, QString(), sourceGob, context), 0);

    QList<int> shown;
    QObject::connect(window->picProgress, &ProgressDisplay::percentShown,
                     [&](int p) { shown << p; });
    prompts.clear();
    prompts.answerOpen(package);
    prompts.answerMessage(Answer::Yes);
    bool busy = false;
    prompts.onShow = [&](const ScriptedPrompts::Shown &shown) {
        if (shown.kind == ScriptedPrompts::Kind::Message && shown.icon == MessageIcon::Question)
            busy = window->isBusy() && !window->cmdMake->isEnabled()
                && !window->cmdImportZip->isEnabled() && !window->chkBackup->isEnabled();
    };
    window->cmdImportZip->click();
    prompts.onShow = nullptr;
    EXPECT_TRUE(busy);

    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].title, QStringLiteral("Select the zip file to import"));
    EXPECT_EQ(opens[0].filters[0].description, QStringLiteral("Zip file"));
    EXPECT_EQ(prompts.lastMessage()->text,
              QStringLiteral("Imported Sucessfully\r\n2\r\nThe backup package is ")
                  + home.file(QStringLiteral("pkg_backup.zip")));
    QByteArray expected = gobBytes;
    expected.replace(5111, 3072, source.mid(5111, 3072));
    EXPECT_EQ(Bytes::readFile(gob), expected);
    EXPECT_TRUE(Bytes::exists(home.file(QStringLiteral("pkg_backup.zip")))); // Backup is checked
    EXPECT_EQ(shown, QList<int> {100});
    EXPECT_FALSE(QFileInfo::exists(tempFolder())); // removed after the import
    EXPECT_TRUE(window->txtZipLog->isVisibleTo(window.get()));

    // A make after the import creates the temporary folder again.
    window->Form_LinkExecute(QStringLiteral("Kits/Away|5112|3072"));
    prompts.clear();
    prompts.answerMessage(Answer::No);
    prompts.answerSave(home.file(QStringLiteral("again.zip")));
    window->cmdMake->click();
    EXPECT_EQ(prompts.lastMessage()->text, QStringLiteral("Sucessfully done"));
    EXPECT_TRUE(Bytes::exists(tempFolder() + QStringLiteral("/file.data")));
    EXPECT_EQ(HandZip::read(home.file(QStringLiteral("again.zip")))[1].bytes,
              source.mid(5111, 3072));
}

TEST_F(PackageWindowTest, ProgressDisplayColours)
{
    ProgressDisplay box;
    box.resize(300, 40);
    const auto pixel = [&](int x) { return box.grab().toImage().pixelColor(x, 3); };
    box.setPercent(33);
    EXPECT_EQ(box.currentTextColour(), QColor(255, 0, 0));
    EXPECT_EQ(pixel(2), QColor(0, 0, 255));
    EXPECT_EQ(pixel(97), QColor(0, 0, 255));
    EXPECT_NE(pixel(120), QColor(0, 0, 255));
    box.setPercent(55);
    EXPECT_EQ(box.currentTextColour(), QColor(255, 255, 255));
    box.setPercent(100);
    EXPECT_EQ(pixel(297), QColor(0, 0, 255));
    box.clear();
    EXPECT_EQ(box.percent(), -1);
    EXPECT_EQ(box.currentTextColour(), QColor(255, 0, 0));
    EXPECT_NE(pixel(2), QColor(0, 0, 255));
}

TEST_F(PackageWindowTest, KestrixCliSendReachesThePackageWindowOfWhicheverCopyIsOpen)
{
    window->Form_Load();
    // A second copy of Kestrix opens its package window too: it stands by.
    frmScript other(prompts, opener, &gobPath, &backup, nullptr);
    other.Form_Load();
    EXPECT_FALSE(other.isListening());
    const auto send = [&](const QString &command) {
        QProcess process;
        process.setEnvironment(home.environment());
        process.start(QStringLiteral(KESTRIX_CLI), {QStringLiteral("send"), command});
        waitFor([&] { return process.state() == QProcess::NotRunning; });
        return std::make_pair(process.exitCode(),
                              QString::fromLocal8Bit(process.readAllStandardError()));
    };
    const auto accepted = send(QStringLiteral("Kits/Away|5112|3072"));
    EXPECT_EQ(accepted.first, 0) << accepted.second.toStdString();
    EXPECT_EQ(rows(),
              (std::vector<Row> {
                  {QStringLiteral("Kits/Away"), QStringLiteral("5000"), QStringLiteral("3072")}}));
    const auto refused = send(QStringLiteral("Kits/Away|here|3072"));
    EXPECT_EQ(refused.first, 1);
    EXPECT_TRUE(refused.second.contains(QStringLiteral("here"))) << refused.second.toStdString();
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(other.lstSelected->count(), 0);

    // Whichever window closes first, the other one takes the commands after it.
    window->Form_Unload();
    EXPECT_TRUE(waitFor([&] { return other.isListening(); }));
    EXPECT_EQ(send(QStringLiteral("Ball|72434|5232")).first, 0);
    EXPECT_EQ(other.lstSelected->count(), 1);
    window->Form_Load();
    EXPECT_FALSE(window->isListening());
    other.Form_Unload();
    EXPECT_TRUE(waitFor([&] { return window->isListening(); }));
    EXPECT_EQ(send(QStringLiteral("Ball|72434|5232")).first, 0);
    EXPECT_EQ(rows().size(), 2u);

    window->Form_Unload();
    const auto nobody = send(QStringLiteral("Kits/Away|5112|3072"));
    EXPECT_EQ(nobody.first, 1);
    EXPECT_TRUE(nobody.second.contains(QStringLiteral("No package window")))
        << nobody.second.toStdString();
}
