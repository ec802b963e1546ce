#include "bytes.h"
#include "mainwindowfixture.h"

#include "services/apppath.h"
#include "services/openfiles.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

TEST_F(MainWindowTest, StartsOnTheSampleGameWithTheFirstSubFileExtracted)
{
    startOnSample();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Torvane Kestrix  V3.0.0"));
    EXPECT_EQ(window->txtGOBFile->text(), gob);
    EXPECT_EQ(window->lstItem->count(), 9);
    EXPECT_EQ(window->lstItem->text(0), QStringLiteral("Kits/Home"));
    EXPECT_EQ(window->lstItem->currentRow(), 0);
    EXPECT_TRUE(window->mnuAutoTrans->isChecked());
    EXPECT_TRUE(window->lstItem->isEnabled());
    EXPECT_TRUE(window->cmdSaveAs->isEnabled());
    // Sub file 1 of Kits/Home is a 64 x 64 record.
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()).size(), 1078 + 64 * 64);
    EXPECT_EQ(window->selection.width, 64);
    EXPECT_EQ(window->selection.offset, 4134);
    EXPECT_EQ(window->lblOffset->text(), QStringLiteral("Offset : 4134"));
    EXPECT_EQ(window->helpFile().fileName(), QStringLiteral("index.htm"));
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(MainModule::openFileCount(), 0);
}

TEST_F(MainWindowTest, FirstRunWithoutGobPathDisablesTheCommandsAndAsksForTheFile)
{
    home.writeSampleGame();
    prompts.cancelOpen();
    ASSERT_TRUE(start());
    EXPECT_EQ(window->txtGOBFile->text(), QString());
    EXPECT_TRUE(window->mnuAutoTrans->isChecked());
    for (QWidget *w :
         {static_cast<QWidget *>(window->cmdSaveAs), static_cast<QWidget *>(window->cmdImportZip),
          static_cast<QWidget *>(window->cmdImport), static_cast<QWidget *>(window->cmdScript),
          static_cast<QWidget *>(window->lstItem)})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    // Import and Save As of the File menu too: they have no record to act on.
    const auto recordCommandsEnabled = [&] {
        return window->cmdImport->isEnabled() + window->cmdSaveAs->isEnabled()
            + window->mnuImport->isEnabled() + window->mnuSaveAs->isEnabled();
    };
    EXPECT_EQ(recordCommandsEnabled(), 0);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, QStringLiteral("Select the torvane GOB file"));
    EXPECT_EQ(prompts.shown[0].filters.at(0).description, QStringLiteral("Torvane GOB File"));
    EXPECT_EQ(prompts.shown[0].filters.at(0).pattern, QStringLiteral("*_pc.gob"));
    EXPECT_EQ(window->lstItem->currentRow(), -1);

    // Choosing a file later enables the list and the package commands and selects nothing;
    // Import and Save As wait for a record, which the arrow keys choose.
    const QString chosen = home.file(QStringLiteral("Torvane/data/torvane_pc.gob"));
    prompts.answerOpen(chosen);
    window->mnuOpen->trigger();
    EXPECT_EQ(window->txtGOBFile->text(), chosen);
    EXPECT_TRUE(window->lstItem->isEnabled());
    EXPECT_TRUE(window->cmdImportZip->isEnabled());
    EXPECT_EQ(window->lstItem->currentRow(), -1);
    EXPECT_FALSE(Bytes::exists(MainModule::scratchBitmapPath()));
    EXPECT_EQ(recordCommandsEnabled(), 0);
    QTest::keyClick(window->lstItem, Qt::Key_Down);
    EXPECT_EQ(window->lstItem->currentRow(), 0);
    EXPECT_EQ(recordCommandsEnabled(), 4);
}

TEST_F(MainWindowTest, BlankGobPathCountsAsNoneAndIsSavedEmpty)
{
    home.writeSampleGame();
    Settings::save(Settings::GobKey, QStringLiteral("   "));
    prompts.cancelOpen();
    ASSERT_TRUE(start());
    EXPECT_FALSE(window->lstItem->isEnabled());
    window->lstItem_Click(); // as if an entry were clicked
    ASSERT_NE(prompts.lastMessage(), nullptr);
    EXPECT_EQ(prompts.lastMessage()->text, QStringLiteral("Please select torvane_pc.gob file"));
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    window->close();
    EXPECT_EQ(Settings::read(Settings::GobKey, QStringLiteral("unset")), QString());
}

TEST_F(MainWindowTest, TransparentSettingIsReadAsABoolean)
{
    home.writeSampleGame();
    const struct
    {
        const char *stored;
        bool checked;
    } cases[] = {{"False", false}, {"false", false}, {"0", false}, {"-1", true}, {"TRUE", true}};
    for (const auto &c : cases) {
        Settings::save(Settings::TransparentKey, QString::fromLatin1(c.stored));
        prompts.cancelOpen();
        ASSERT_TRUE(start()) << c.stored;
        EXPECT_EQ(window->mnuAutoTrans->isChecked(), c.checked) << c.stored;
    }
    Settings::save(Settings::TransparentKey, QStringLiteral("maybe"));
    EXPECT_FALSE(start());
    ASSERT_NE(prompts.lastMessage(), nullptr);
    EXPECT_TRUE(prompts.lastMessage()->text.contains(QStringLiteral("\"maybe\"")));
}

TEST_F(MainWindowTest, MissingCatalogueEndsStartUpWithAMessageNamingTheFolder)
{
    EXPECT_FALSE(start());
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(home.path()));
    EXPECT_TRUE(prompts.messageTexts()[0].contains(QStringLiteral("BmpList.txt")));
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, CatalogueWithoutEntriesEndsStartUpWhenAGobPathIsKnown)
{
    home.write(QStringLiteral("BmpList.txt"), "//Version 7\r\n\r\n");
    Settings::save(Settings::GobKey, home.file(QStringLiteral("x_pc.gob")));
    EXPECT_FALSE(start());
    EXPECT_TRUE(prompts.lastMessage()->text.contains(QStringLiteral("no entries")));
}

TEST_F(MainWindowTest, ShutDownSavesTheSettingsTheWindowsPlaceAndTheRecentGobFiles)
{
    startOnSample();
    ASSERT_TRUE(Bytes::exists(MainModule::scratchBitmapPath()));
    window->mnuAutoTrans->trigger(); // unchecks it
    window->resize(780, 520);
    const QString other = home.write(QStringLiteral("Other/data/o_pc.gob"), Bytes::readFile(gob));
    prompts.answerOpen(other);
    window->mnuOpen->trigger();
    window->mnuExit->trigger();
    EXPECT_EQ(Settings::read(Settings::GobKey), other);
    EXPECT_EQ(Settings::read(Settings::TransparentKey), QStringLiteral("False"));
    EXPECT_FALSE(Bytes::exists(MainModule::scratchBitmapPath()));
    EXPECT_FALSE(window->selection.hasEntry);

    ASSERT_TRUE(start());
    EXPECT_EQ(window->size(), QSize(780, 520));
    ASSERT_EQ(window->mnuRecent->actions().size(), 2);
    window->mnuRecent->actions().at(1)->trigger();
    EXPECT_EQ(window->txtGOBFile->text(), gob);
    EXPECT_EQ(window->recentGobFiles(), (QStringList {gob, other}));
    // A file that has gone is said so and leaves the list.
    QFile::remove(other);
    window->mnuRecent->actions().at(1)->trigger();
    EXPECT_EQ(prompts.lastMessage()->text,
              QStringLiteral("The GOB file %1 is no longer there.").arg(other));
    EXPECT_EQ(window->recentGobFiles(), QStringList {gob});
    EXPECT_EQ(window->txtGOBFile->text(), gob);
}

TEST_F(MainWindowTest, LongTextsLeaveTheWindowsSizeAndTabGoesInReadingOrder)
{
    home.writeSampleGame();
    const QString longEntry = QStringLiteral("Ball with a description much too long for the list");
    home.write(QStringLiteral("BmpList.txt"),
               Bytes::readFile(home.file(QStringLiteral("BmpList.txt"))) + longEntry.toUtf8()
                   + ",1,72434,Match ball\r\n");
    gob = home.write(QStringLiteral("Games/%1/data/torvane_pc.gob").arg(QString(180, u'x')),
                     Bytes::readFile(home.file(QStringLiteral("Torvane/data/torvane_pc.gob"))));
    ASSERT_GT(gob.size(), 209);
    Settings::save(Settings::GobKey, gob);
    ASSERT_TRUE(start());
    window->lblFileName->setText(gob);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), window->lstItem);

    // At its smallest the window is no wider for the path, and nothing overlaps or is cut.
    window->resize(420, 300);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(760, 480));
    const QList<QWidget *> parts = {
        window->txtGOBFile,   window->cmdGOBFile, window->lstItem,   window->picContainerHost,
        window->previewArea,  window->Frame1,     window->cmdImport, window->cmdSaveAs,
        window->cmdImportZip, window->cmdScript,  window->chkBackup, window->cmdAbout,
        window->lblFileName};
    const auto placed = [&](QWidget *w) {
        return QRect(w->mapTo(window.get(), QPoint()), w->size());
    };
    for (qsizetype i = 0; i < parts.size(); ++i) {
        EXPECT_TRUE(window->rect().contains(placed(parts[i]))) << i;
        EXPECT_GE(parts[i]->width(), parts[i]->minimumSizeHint().width()) << i;
        for (qsizetype j = 0; j < i; ++j)
            EXPECT_FALSE(placed(parts[i]).intersects(placed(parts[j]))) << i << " " << j;
    }
    // An entry too long for the list is cut, and shows whole as its tooltip.
    const auto tipAt = [&](int row) {
        const QRect rect = window->lstItem->visualRect(window->lstItem->model()->index(row, 0));
        QHelpEvent tip(QEvent::ToolTip, rect.center(),
                       window->lstItem->viewport()->mapToGlobal(rect.center()));
        QApplication::sendEvent(window->lstItem->viewport(), &tip);
        return QToolTip::text();
    };
    EXPECT_EQ(tipAt(0), QString());
    EXPECT_EQ(tipAt(9), longEntry);

    QStringList order;
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order.join(u' '),
              QStringLiteral("opnSubFile1 previewArea cmdImport cmdSaveAs cmdImportZip cmdScript "
                             "chkBackup cmdAbout txtGOBFile cmdGOBFile lstItem"));
}

TEST_F(MainWindowTest, ProgramsOfTheGameFolderAreListedWhateverTheLetterCase)
{
    home.writeSampleGame();
    home.write(QStringLiteral("Games/Torvane/Setup.EXE"), "");
    home.write(QStringLiteral("Games/Torvane/Torvane.exe"), "");
    home.write(QStringLiteral("Games/Torvane/readme.txt"), "");
    home.write(QStringLiteral("Games/Torvane/Data/torvane_pc.gob"), QByteArray(10, 0));
    Settings::save(Settings::GobKey,
                   home.file(QStringLiteral("Games/Torvane/Data/torvane_pc.gob")));
    ASSERT_TRUE(start());
    ASSERT_EQ(window->mnuEXE.size(), 3u);
    EXPECT_EQ(window->mnuEXE[0]->text(), QStringLiteral("Run Torvane"));
    EXPECT_EQ(window->mnuEXE[1]->text(), QStringLiteral("Setup.EXE"));
    EXPECT_EQ(window->mnuEXE[2]->text(), QStringLiteral("Torvane.exe"));
    EXPECT_EQ(window->mnuTorvane->actions().size(), 3);
}
