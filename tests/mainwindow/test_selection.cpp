#include "bytes.h"
#include "mainwindowfixture.h"

#include "services/apppath.h"
#include "services/pictureview.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

QByteArray catalogueWith(const QString &lines)
{
    return (QStringLiteral("//Test catalogue\r\n\r\n") + lines).toUtf8();
}

} // namespace

TEST_F(MainWindowTest, ARefusedLineShowsNothingAndTheArrowKeysGoPastIt)
{
    startOnSample();
    window->lstItem->setCurrentRow(1); // Stadium board

    // The catalogue on disk changes under the running program: entry 2 loses its offset.
    QByteArray catalogue = Bytes::readFile(home.file(QStringLiteral("BmpList.txt")));
    catalogue.replace("Crowd banner,1,69745,Banner", "Crowd banner,1,69x745,Banner");
    home.write(QStringLiteral("BmpList.txt"), catalogue);
    prompts.clear();
    QTest::keyClick(window->lstItem, Qt::Key_Down);

    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(QStringLiteral("line 5")));
    EXPECT_TRUE(prompts.messageTexts()[0].contains(QStringLiteral("69x745")));
    EXPECT_EQ(window->lstItem->currentRow(), 2);
    EXPECT_FALSE(window->selection.hasEntry);
    EXPECT_EQ(window->opnSubFile.size(), 1u);
    EXPECT_EQ(window->picPreview->canvas().drawnSize(), QSize(0, 0));
    EXPECT_EQ(window->lblOffset->text(), QStringLiteral("Offset : "));
    EXPECT_FALSE(window->cmdImport->isEnabled());
    EXPECT_FALSE(window->mnuSaveAs->isEnabled());

    QTest::keyClick(window->lstItem, Qt::Key_Down);
    EXPECT_EQ(window->lstItem->currentRow(), 3);
    EXPECT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_EQ(window->selection.entry.description(), QStringLiteral("Ball"));
    EXPECT_TRUE(window->mnuSaveAs->isEnabled());
}

TEST_F(MainWindowTest, SelectionFillsTheStateButtonsAndLabels)
{
    home.writeSampleGame();
    gob = home.file(QStringLiteral("Torvane/data/torvane_pc.gob"));
    Settings::save(Settings::GobKey, gob);
    ASSERT_TRUE(start());
    window->lstItem->setCurrentRow(7); // $png,Team logo,2,...
    EXPECT_TRUE(window->selection.wholeFile);
    EXPECT_EQ(window->cmdImport->text(), QStringLiteral("&Import as png"));
    EXPECT_FALSE(window->mnuTransparent->isEnabled());
    EXPECT_EQ(window->selection.areaSize, 12288);
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()).size(), 12288);
    window->opnSubFile[2]->setChecked(true);
    EXPECT_EQ(window->selection.areaSize, 16384);

    window->lstItem->setCurrentRow(0); // six sub files
    EXPECT_FALSE(window->selection.wholeFile);
    EXPECT_EQ(window->selection.areaSize, 16384); // kept while bitmap entries are chosen
    EXPECT_EQ(window->cmdImport->text(), QStringLiteral("&Import as Bitmap"));
    EXPECT_TRUE(window->mnuTransparent->isEnabled());
    ASSERT_EQ(window->opnSubFile.size(), 7u);
    EXPECT_FALSE(window->opnSubFile[0]->isVisible());
    EXPECT_EQ(window->opnSubFile[0]->text(), QStringLiteral("File 1"));
    EXPECT_EQ(window->opnSubFile[3]->text(), QStringLiteral("Socks"));
    EXPECT_EQ(window->opnSubFile[3]->y(), 60); // 900 twips
    EXPECT_EQ(window->picContainer->height(), 140); // 300 x 6 + 300 twips
    EXPECT_TRUE(window->opnSubFile[1]->isChecked());

    window->lstItem->setCurrentRow(1); // one sub file: no stale buttons
    EXPECT_EQ(window->opnSubFile.size(), 2u);
    EXPECT_EQ(window->picContainer->findChildren<SubFileButton *>().size(), 2);
    EXPECT_EQ(window->lblWidth->text(), QStringLiteral("Width : 256"));
    EXPECT_EQ(window->lblHeight->text(), QStringLiteral("Height : 128"));
    EXPECT_EQ(window->lblOffset->text(), QStringLiteral("Offset : 35790"));
}

TEST_F(MainWindowTest, RefusedRecordIsReportedAndLeavesNoTempBmp)
{
    // A bitmap entry that points into the middle of nowhere: its header gives no sane size.
    // Then a whole-file area past the end of the file, and one that holds no picture.
    home.write(QStringLiteral("BmpList.txt"),
               catalogueWith(QStringLiteral(
                   "Bad,1,1,Only\r\n$png,Far,1,9999,Far,4\r\n$png,Blank,1,2001,Empty,1")));
    gob = home.write(QStringLiteral("g_pc.gob"), QByteArray(4000, char(0xFF)));
    Settings::save(Settings::GobKey, gob);
    const QByteArray before = Bytes::sha256(gob);
    ASSERT_TRUE(start());
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(QStringLiteral("-1 x -1")));
    EXPECT_FALSE(Bytes::exists(MainModule::scratchBitmapPath()));
    EXPECT_EQ(Bytes::sha256(gob), before);
    EXPECT_EQ(window->lblWidth->text(), QStringLiteral("Width : -1"));
    EXPECT_FALSE(window->cmdSaveAs->isEnabled()); // nothing to save

    // Save As has nothing to save after a refused whole-file record: the file chosen stays.
    window->lstItem->setCurrentRow(1);
    const QString kept = home.write(QStringLiteral("kept.png"), "mine");
    prompts.answerSave(kept);
    window->cmdSaveAs->click();
    EXPECT_EQ(Bytes::readFile(kept), QByteArray("mine"));

    window->lstItem->setCurrentRow(2);
    EXPECT_EQ(window->lblWidth->text(), QStringLiteral("Width : 0"));
    EXPECT_EQ(window->lblHeight->text(), QStringLiteral("Height : 0"));
    EXPECT_TRUE(window->cmdSaveAs->isEnabled()); // the area's bytes can be saved
}

TEST_F(MainWindowTest, SaveAsAppliesTheNamingRulesAndNeverReplacesAnUnchosenFile)
{
    startOnSample();
    const QByteArray bitmap = Bytes::readFile(MainModule::scratchBitmapPath());
    prompts.answerSave(home.file(QStringLiteral("kit.BMP")));
    window->cmdSaveAs->click();
    EXPECT_EQ(Bytes::readFile(home.file(QStringLiteral("kit.BMP.bmp"))), bitmap);
    EXPECT_EQ(window->lblFileName->text(), home.file(QStringLiteral("kit.BMP")));
    const auto saves = prompts.of(ScriptedPrompts::Kind::Save);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].filters.at(0).description, QStringLiteral("Bitmap File"));
    EXPECT_EQ(saves[0].filters.at(0).pattern, QStringLiteral("*.bmp"));

    window->lstItem->setCurrentRow(8); // $png Menu background
    prompts.answerSave(home.file(QStringLiteral("backgroundpng")));
    window->mnuSaveAs->trigger();
    const QByteArray png = Bytes::readFile(home.file(QStringLiteral("backgroundpng")));
    EXPECT_TRUE(png.startsWith("\x89PNG"));
    EXPECT_NE(png.at(png.size() - 1), '\0');
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Save).back().filters.at(0).description,
              QStringLiteral("png File"));

    // A cancelled dialog says nothing; a target that cannot be written says why.
    prompts.cancelSave();
    window->cmdSaveAs->click();
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    prompts.answerSave(home.file(QStringLiteral("no/such/folder/x")));
    window->cmdSaveAs->click();
    EXPECT_TRUE(
        prompts.messageTexts().last().endsWith(QStringLiteral("No such file or directory")));

    // The name with its extension added is asked about before it is replaced; No keeps it.
    window->lstItem->setCurrentRow(0);
    const QString kit = home.write(QStringLiteral("kit.bmp"), "mine");
    prompts.clear();
    prompts.answerSave(home.file(QStringLiteral("kit")));
    prompts.answerMessage(Answer::No);
    window->cmdSaveAs->click();
    EXPECT_EQ(prompts.messageTexts(),
              QStringList {kit + QStringLiteral(" already exists.\r\nDo you want to replace it?")});
    EXPECT_EQ(Bytes::readFile(kit), QByteArray("mine"));

    // The GOB file and the catalogue (through links) and temp.bmp itself are refused by name.
    const QString catalogue = home.file(QStringLiteral("BmpList.txt"));
    const QString scratch = MainModule::scratchBitmapPath();
    QFile::link(gob, home.file(QStringLiteral("gob.bmp")));
    QFile::link(catalogue, home.file(QStringLiteral("list.bmp")));
    const QByteArray before =
        Bytes::sha256(gob) + Bytes::sha256(catalogue) + Bytes::sha256(scratch);
    for (const auto &[target, named] : {std::pair {home.file(QStringLiteral("gob.bmp")), gob},
                                        {home.file(QStringLiteral("list.bmp")), catalogue},
                                        {scratch, scratch}}) {
        prompts.clear();
        prompts.answerSave(target);
        window->cmdSaveAs->click();
        ASSERT_EQ(prompts.messageTexts().size(), 1);
        EXPECT_TRUE(prompts.messageTexts()[0].contains(named + QStringLiteral(", which")));
    }
    EXPECT_EQ(Bytes::sha256(gob) + Bytes::sha256(catalogue) + Bytes::sha256(scratch), before);
}

TEST_F(MainWindowTest, GobFileRemovedWhileShownIsReportedByName)
{
    startOnSample();
    ASSERT_TRUE(QFile::remove(gob));
    window->opnSubFile[2]->setChecked(true);
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(gob)) << prompts.messageTexts()[0].toStdString();
    EXPECT_FALSE(Bytes::exists(MainModule::scratchBitmapPath()));
    EXPECT_FALSE(Bytes::exists(gob)); // nothing created it again
    window->lstItem->setCurrentRow(7); // a whole-file entry says so too
    EXPECT_EQ(prompts.messageTexts().size(), 2);
}

TEST_F(MainWindowTest, ReadOnlyGobFileCanBeBrowsed)
{
    startOnSample();
    QFile::setPermissions(gob, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QByteArray before = Bytes::sha256(gob);
    window->lstItem->setCurrentRow(1);
    window->lstItem->setCurrentRow(7);
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_EQ(window->selection.width, 64); // the small logo PNG
    EXPECT_EQ(Bytes::sha256(gob), before);
}
