#include "handgob.h"
#include "mainwindowfixture.h"

using namespace Qt::StringLiterals;

// A choice fills the state, the sub file buttons and the labels; a line refused shows nothing
// and the arrow keys go past it.
TEST_F(MainWindowTest, SelectionFillsTheStateButtonsAndLabelsAndARefusedLineShowsNothing)
{
    startOnSample();
    window->lstItem->setCurrentRow(7); // $png Team logo: captions from fields 4 and 7
    ASSERT_EQ(window->opnSubFile.size(), 3u);
    EXPECT_EQ(window->opnSubFile[1]->text() + u'|' + window->opnSubFile[2]->text(),
              u"Small|Large"_s);
    EXPECT_TRUE(window->selection().wholeFile);
    EXPECT_EQ(window->cmdImport->text(), u"&Import as png"_s);
    EXPECT_FALSE(window->mnuTransparent->isEnabled());
    EXPECT_EQ(window->selection().areaSize, 12288);
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()).size(), 12288);
    window->opnSubFile[2]->setChecked(true);
    EXPECT_EQ(window->selection().areaSize, 16384);

    window->lstItem->setCurrentRow(0); // six sub files
    EXPECT_FALSE(window->selection().wholeFile);
    EXPECT_EQ(window->selection().areaSize, 16384); // kept while bitmap entries are chosen
    EXPECT_EQ(window->cmdImport->text(), u"&Import as Bitmap"_s);
    EXPECT_TRUE(window->mnuTransparent->isEnabled());
    ASSERT_EQ(window->opnSubFile.size(), 7u);
    EXPECT_FALSE(window->opnSubFile[0]->isVisible());
    EXPECT_EQ(window->opnSubFile[0]->text() + u'|' + window->opnSubFile[3]->text(),
              u"File 1|Socks"_s);
    // Under the caption, one below the other at an even pitch.
    const int pitch = window->opnSubFile[2]->y() - window->opnSubFile[1]->y();
    EXPECT_GE(pitch, window->opnSubFile[1]->height());
    EXPECT_EQ(window->opnSubFile[6]->y() - window->opnSubFile[1]->y(), 5 * pitch);
    EXPECT_GT(window->opnSubFile[1]->y(), window->Label1->geometry().bottom());
    EXPECT_TRUE(window->opnSubFile[1]->isChecked());

    window->lstItem->setCurrentRow(1); // one sub file: no stale buttons
    EXPECT_EQ(window->opnSubFile.size(), 2u);
    EXPECT_EQ(window->picContainer->findChildren<SubFileButton *>().size(), 2);
    EXPECT_EQ(labels(), u"Width : 256|Height : 128|Offset : 35790"_s);

    // The catalogue on disk changes under the running program: entry 2 loses its offset.
    QByteArray catalogue = Bytes::readFile(home.file(u"BmpList.txt"_s));
    home.write(u"BmpList.txt"_s,
               catalogue.replace("Crowd banner,1,69745", "Crowd banner,1,69x745"));
    prompts.clear();
    QTest::keyClick(window->lstItem, Qt::Key_Down);
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(u"line 5"_s));
    EXPECT_TRUE(prompts.messageTexts()[0].contains(u"69x745"_s));
    EXPECT_EQ(window->lstItem->currentRow(), 2);
    EXPECT_FALSE(window->selection().hasEntry);
    EXPECT_EQ(window->opnSubFile.size(), 1u);
    EXPECT_EQ(window->picPreview->canvas().drawnSize(), QSize(0, 0));
    EXPECT_EQ(window->lblOffset->text(), u"Offset : "_s);
    EXPECT_EQ(recordCommands() + u' ' + viewCommands(), u"0000 00000"_s);

    QTest::keyClick(window->lstItem, Qt::Key_Down);
    EXPECT_EQ(window->lstItem->currentRow(), 3);
    EXPECT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_EQ(window->selection().entry.description(), u"Ball"_s);
    EXPECT_EQ(recordCommands(), u"1111"_s);
}

// After a good record: a bitmap entry that points into the middle of nowhere (its header gives
// no sane size), a whole-file area past the end of the file, and one that holds no picture.
TEST_F(MainWindowTest, RefusedRecordIsReportedShowsNothingAndLeavesNoTempBmp)
{
    QByteArray bytes(6000, char(0xFF));
    bytes.replace(4500, 1168, HandGob::imageRecord(8, 4, Bytes::pattern(32), HandGob::palette()));
    startOnHand(u"Good,1,4501,One\r\nBad,1,1,Only\r\n$png,Far,1,9999,Far,4\r\n"
                "$png,Blank,1,2001,Empty,1"_s,
                bytes);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(labels(), u"Width : 8|Height : 4|Offset : 4501"_s);
    EXPECT_EQ(viewCommands(), u"01111"_s);
    QTest::keyClick(window->lstItem, Qt::Key_Down);
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(u"-1 x -1"_s));
    EXPECT_FALSE(Bytes::exists(MainModule::scratchBitmapPath()));
    EXPECT_EQ(Bytes::readFile(gob), bytes);
    // Nothing of the good record stays: no size, no picture, no command that needs one.
    EXPECT_EQ(labels(), u"Width : |Height : |Offset : "_s);
    EXPECT_EQ(window->picPreview->canvas().drawnSize(), QSize(0, 0));
    EXPECT_EQ(window->picPreview->placeholderText(), u"No record shown"_s);
    EXPECT_EQ(recordCommands() + u' ' + viewCommands(), u"0000 00000"_s);
    QTest::mouseClick(window->picPreview, Qt::RightButton);
    EXPECT_FALSE(window->mnuPopup->isVisible());
    EXPECT_FALSE(drop(home.write(u"b.bmp"_s, "BM"), window->previewArea));

    // Save As has nothing to save after a refused whole-file record: the file chosen stays.
    QTest::keyClick(window->lstItem, Qt::Key_Down);
    EXPECT_EQ(prompts.messageTexts().size(), 2);
    EXPECT_EQ(labels(), u"Width : |Height : |Offset : "_s);
    const QString kept = home.write(u"kept.png"_s, "mine");
    prompts.answerSave(kept);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Bytes::readFile(kept), QByteArray("mine"));
    EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Save).empty());

    QTest::keyClick(window->lstItem, Qt::Key_Down);
    EXPECT_EQ(labels(), u"Width : 0|Height : 0|Offset : 2001"_s);
    EXPECT_TRUE(window->cmdSaveAs->isEnabled()); // the area's bytes can be saved
    EXPECT_EQ(window->picPreview->placeholderText(), QString());
}

TEST_F(MainWindowTest, SaveAsAppliesTheNamingRulesAndNeverReplacesAnUnchosenFile)
{
    startOnSample();
    const QByteArray bitmap = Bytes::readFile(MainModule::scratchBitmapPath());
    prompts.answerSave(home.file(u"kit.BMP"_s));
    window->cmdSaveAs->click();
    EXPECT_EQ(Bytes::readFile(home.file(u"kit.BMP.bmp"_s)), bitmap);
    EXPECT_EQ(window->lblFileName->text(), home.file(u"kit.BMP"_s));
    const auto filter = [&] {
        const auto saves = prompts.of(ScriptedPrompts::Kind::Save);
        return saves.empty() ? FileFilter() : saves.back().filters.value(0);
    };
    EXPECT_EQ(filter().description + u'|' + filter().pattern, u"Bitmap File|*.bmp"_s);

    window->lstItem->setCurrentRow(8); // $png Menu background
    prompts.answerSave(home.file(u"backgroundpng"_s));
    window->mnuSaveAs->trigger();
    const QByteArray png = Bytes::readFile(home.file(u"backgroundpng"_s));
    EXPECT_TRUE(png.startsWith("\x89PNG"));
    EXPECT_FALSE(png.endsWith(QByteArray(1, 0)));
    EXPECT_EQ(filter().description, u"png File"_s);

    // A cancelled dialog says nothing; a target that cannot be written says why.
    prompts.cancelSave();
    window->cmdSaveAs->click();
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    prompts.answerSave(home.file(u"no/such/folder/x"_s));
    window->cmdSaveAs->click();
    EXPECT_TRUE(prompts.last().text.endsWith(u"No such file or directory"_s));

    // The name with its extension added is asked about before it is replaced; No keeps it.
    window->lstItem->setCurrentRow(0);
    const QString kit = home.write(u"kit.bmp"_s, "mine");
    prompts.clear();
    prompts.answerSave(home.file(u"kit"_s));
    prompts.answerMessage(Answer::No);
    window->cmdSaveAs->click();
    EXPECT_EQ(prompts.messageTexts(),
              QStringList {kit + u" already exists.\r\nDo you want to replace it?"_s});
    EXPECT_EQ(Bytes::readFile(kit), QByteArray("mine"));

    // The GOB file and the catalogue (through links) and temp.bmp itself are refused by name.
    const QString catalogue = home.file(u"BmpList.txt"_s),
                  scratch = MainModule::scratchBitmapPath();
    QFile::link(gob, home.file(u"gob.bmp"_s));
    QFile::link(catalogue, home.file(u"list.bmp"_s));
    const QByteArray before =
        Bytes::sha256(gob) + Bytes::sha256(catalogue) + Bytes::sha256(scratch);
    for (const auto &[target, named] :
         {std::pair(u"gob.bmp"_s, gob), {u"list.bmp"_s, catalogue}, {u"temp.bmp"_s, scratch}}) {
        prompts.clear();
        prompts.answerSave(home.file(target));
        window->cmdSaveAs->click();
        EXPECT_EQ(prompts.messageTexts().size(), 1);
        EXPECT_TRUE(prompts.messageTexts().value(0).contains(named + u", which"_s));
    }
    EXPECT_EQ(Bytes::sha256(gob) + Bytes::sha256(catalogue) + Bytes::sha256(scratch), before);
}

// A GOB file that goes away while shown is reported by name and never made again; a read-only
// one can be browsed.
TEST_F(MainWindowTest, GobFilesThatGoAwayOrAreReadOnly)
{
    startOnSample();
    const QString copy = home.write(u"copy_pc.gob"_s, Bytes::readFile(gob));
    ASSERT_TRUE(QFile::remove(gob));
    ASSERT_EQ(window->opnSubFile.size(), 7u);
    window->opnSubFile[2]->setChecked(true);
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_TRUE(prompts.messageTexts()[0].contains(gob));
    EXPECT_FALSE(Bytes::exists(MainModule::scratchBitmapPath()));
    window->lstItem->setCurrentRow(7); // a whole-file entry says so too
    EXPECT_EQ(prompts.messageTexts().size(), 2);
    EXPECT_FALSE(Bytes::exists(gob));

    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    window->session().setGobPath(copy);
    const QByteArray before = Bytes::readFile(copy);
    prompts.clear();
    window->lstItem->setCurrentRow(1);
    window->lstItem->setCurrentRow(7);
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_EQ(window->selection().width, 64); // the small logo PNG
    EXPECT_EQ(Bytes::readFile(copy), before);
}
