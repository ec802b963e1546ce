#include "mainwindowfixture.h"

#include "services/openfiles.h"

#include <QDir>
#include <QGroupBox>
#include <QToolButton>

using namespace Qt::StringLiterals;

// Starts with the first sub file extracted; shut down, the settings, the window's size and the
// recent GOB files are kept for the next start.
TEST_F(MainWindowTest, StartsOnTheSampleGameAndShutDownSavesTheSettingsAndTheRecentGobFiles)
{
    startOnSample();
    EXPECT_EQ(window->windowTitle(), u"torvane_pc.gob \u2014 Torvane Kestrix  V3.0.0"_s);
    EXPECT_EQ(window->txtGOBFile->text(), gob);
    EXPECT_EQ(window->lstItem->count(), 9);
    EXPECT_EQ(window->lstItem->text(0), u"Kits/Home"_s);
    EXPECT_EQ(window->lstItem->currentRow(), 0);
    EXPECT_TRUE(window->mnuAutoTrans->isChecked());
    EXPECT_TRUE(window->lstItem->isEnabled());
    EXPECT_EQ(recordCommands(), u"1111"_s);
    // Sub file 1 of Kits/Home is a 64 x 64 record.
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()).size(), 1078 + 64 * 64);
    EXPECT_EQ(labels(), u"Width : 64|Height : 64|Offset : 4134"_s);
    EXPECT_EQ(window->helpFile().fileName(), u"index.htm"_s);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(MainModule::openFileCount(), 0);

    window->mnuAutoTrans->trigger(); // unchecks it
    window->resize(780, 520);
    const QString other = home.write(u"Other/data/o_pc.gob"_s, Bytes::readFile(gob));
    prompts.answerOpen(other);
    window->mnuOpen->trigger();
    window->mnuExit->trigger();
    EXPECT_EQ(Settings::read(Settings::GobKey), other);
    EXPECT_EQ(Settings::read(Settings::TransparentKey), u"False"_s);
    EXPECT_FALSE(Bytes::exists(MainModule::scratchBitmapPath()));
    EXPECT_FALSE(window->selection().hasEntry);

    ASSERT_TRUE(start());
    EXPECT_EQ(window->size(), QSize(780, 520));
    ASSERT_EQ(window->mnuRecent->actions().size(), 2);
    window->mnuRecent->actions().at(1)->trigger();
    EXPECT_EQ(window->txtGOBFile->text(), gob);
    EXPECT_EQ(window->recentGobFiles(), (QStringList {gob, other}));
    // A file that has gone is said so and leaves the list.
    QFile::remove(other);
    window->mnuRecent->actions().at(1)->trigger();
    EXPECT_EQ(prompts.last().text, u"The GOB file %1 is no longer there."_s.arg(other));
    EXPECT_EQ(window->recentGobFiles(), QStringList {gob});
    EXPECT_EQ(window->txtGOBFile->text(), gob);
}

// Without a GOB path (none stored, or blanks) the commands wait and the file is asked for; a
// file chosen later enables the list and the package commands, and a record the commands.
TEST_F(MainWindowTest, FirstRunWithoutGobPathDisablesTheCommandsAndAsksForTheFile)
{
    home.writeSampleGame();
    Settings::save(Settings::GobKey, u"   "_s);
    prompts.cancelOpen();
    ASSERT_TRUE(start());
    EXPECT_EQ(window->txtGOBFile->text().trimmed(), QString());
    EXPECT_TRUE(window->mnuAutoTrans->isChecked());
    // The buttons and list, then the menu commands that need a GOB file, then the record's.
    const auto enabled = [&] {
        return onOff({window->cmdImportZip->isEnabled(), window->cmdScript->isEnabled(),
                      window->lstItem->isEnabled()})
            + u' '
            + onOff({window->mnuImportZip->isEnabled(), window->mnuExportAll->isEnabled(),
                     window->mnuImportFolder->isEnabled(), window->mnuHistory->isEnabled()})
            + u' ' + recordCommands();
    };
    EXPECT_EQ(enabled(), u"000 0000 0000"_s);
    // Ctrl+H opens no History window without a GOB file.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_FALSE(
        withModal([this] { QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier); }));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(std::tuple(prompts.shown[0].title, prompts.shown[0].filters.value(0).description,
                         prompts.shown[0].filters.value(0).pattern),
              std::tuple(u"Select the torvane GOB file"_s, u"Torvane GOB File"_s, u"*_pc.gob"_s));
    EXPECT_EQ(window->lstItem->currentRow(), -1);
    window->lstItem_Click(); // as if an entry were clicked
    EXPECT_EQ(prompts.last().text, u"Please select torvane_pc.gob file"_s);
    EXPECT_EQ(prompts.last().icon, MessageIcon::Critical);

    const QString chosen = home.file(u"Torvane/data/torvane_pc.gob"_s);
    prompts.answerOpen(chosen);
    window->mnuOpen->trigger();
    EXPECT_EQ(window->txtGOBFile->text(), chosen);
    EXPECT_EQ(enabled(), u"111 1111 0000"_s);
    EXPECT_EQ(window->lstItem->currentRow(), -1);
    EXPECT_FALSE(Bytes::exists(MainModule::scratchBitmapPath()));
    QTest::keyClick(window->lstItem, Qt::Key_Down);
    EXPECT_EQ(window->lstItem->currentRow(), 0);
    EXPECT_EQ(enabled(), u"111 1111 1111"_s);
}

TEST_F(MainWindowTest, SettingsAndCataloguesThatEndStartUp)
{
    home.writeSampleGame();
    Settings::save(Settings::GobKey, u"   "_s);
    // Read as a boolean in any of its spellings (the conversion's own test has them all).
    for (const auto &[stored, checked] : {std::pair("0", false), {"TRUE", true}}) {
        Settings::save(Settings::TransparentKey, QString::fromLatin1(stored));
        prompts.cancelOpen();
        ASSERT_TRUE(start()) << stored;
        EXPECT_EQ(window->mnuAutoTrans->isChecked(), checked) << stored;
    }
    window->close();
    EXPECT_EQ(Settings::read(Settings::GobKey, u"unset"_s), QString()); // blanks are saved empty
    Settings::save(Settings::TransparentKey, u"maybe"_s);
    EXPECT_FALSE(start());
    EXPECT_TRUE(prompts.last().text.contains(u"\"maybe\""_s));

    // A catalogue without entries when a GOB path is known, and none at all.
    home.write(u"BmpList.txt"_s, "//Version 7\r\n\r\n");
    Settings::save(Settings::TransparentKey, u"True"_s);
    Settings::save(Settings::GobKey, home.file(u"x_pc.gob"_s));
    EXPECT_FALSE(start());
    EXPECT_TRUE(prompts.last().text.contains(u"no entries"_s));
    // One the read (done while the window is built) refuses gives the reader's own message.
    const QString catalogue = home.file(u"BmpList.txt"_s);
    for (const auto &[bytes, message] :
         {std::pair("//Version 7", u"The item catalogue %1 ends before its two header lines."_s),
          {nullptr, u"Cannot open %1: file to open is a directory"_s}}) {
        QFile::remove(catalogue);
        if (bytes)
            home.write(u"BmpList.txt"_s, bytes);
        else
            QDir().mkdir(catalogue);
        EXPECT_FALSE(start()) << message.toStdString();
        EXPECT_EQ(prompts.last().text, message.arg(catalogue));
    }
    QDir().rmdir(catalogue);
    prompts.clear();
    EXPECT_FALSE(start());
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(home.path()));
    EXPECT_TRUE(prompts.messageTexts()[0].contains(u"BmpList.txt"_s));
    EXPECT_EQ(prompts.last().icon, MessageIcon::Critical);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, LongTextsLeaveTheWindowsSizeAndTabGoesInReadingOrder)
{
    home.writeSampleGame();
    const QString longEntry = u"Ball with a description much too long for the list"_s;
    home.write(u"BmpList.txt"_s,
               Bytes::readFile(home.file(u"BmpList.txt"_s)) + longEntry.toUtf8()
                   + ",1,72434,Match ball\r\n");
    gob = home.write(u"Games/%1/data/torvane_pc.gob"_s.arg(QString(180, u'x')),
                     Bytes::readFile(home.file(u"Torvane/data/torvane_pc.gob"_s)));
    Settings::save(Settings::GobKey, gob);
    ASSERT_TRUE(start());
    window->lblFileName->setText(gob);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), window->lstItem);

    // At its smallest the window is no wider for the path, and nothing overlaps or is cut.
    window->resize(420, 300);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), window->minimumSize());
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
        return toolTipAt(
            window->lstItem,
            window->lstItem->visualRect(window->lstItem->model()->index(row, 0)).center());
    };
    EXPECT_EQ(tipAt(0), QString());
    EXPECT_EQ(tipAt(9), longEntry);

    QStringList order;
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order.join(u' '),
              u"opnSubFile1 previewArea cmdImport cmdSaveAs cmdImportZip cmdScript "
              "chkBackup cmdAbout txtGOBFile cmdGOBFile lstItem"_s);
}
