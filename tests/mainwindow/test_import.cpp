#include "handbitmap.h"
#include "handgob.h"
#include "mainwindowfixture.h"

#include "mainwindow/frmhistory.h"
#include "services/openfiles.h"
#include "tools/frmconfirm.h"
#include "tools/frmimportfolder.h"

#include <QProcess>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int StadiumBoard = 1; // 256 x 128 at catalogue offset 35790
constexpr qsizetype BoardStart = 35789;
constexpr int TeamLogo = 7; // PNG of 64 x 64 in an area of 12288 bytes

// An open dialog's filters as "description|pattern" joined by ";;".
QString filtersOf(const ScriptedPrompts::Shown &dialog)
{
    QStringList filters;
    for (const FileFilter &f : dialog.filters)
        filters << f.description + u'|' + f.pattern;
    return filters.join(u";;"_s);
}

// Runs act on the confirmation window once its modal loop is running.
void whenConfirmShows(frmMain &main, const std::function<void(frmConfirm &)> &act)
{
    QTimer::singleShot(0, &main, [&main, act] {
        if (frmConfirm *confirm = main.findChild<frmConfirm *>())
            act(*confirm);
    });
}

} // namespace

TEST_F(MainWindowTest, BitmapImportWritesThroughTheConfirmationAndIsOnDiskBeforeTheMessage)
{
    startOnSample();
    window->lstItem->setCurrentRow(StadiumBoard);
    window->mnuRotate_Click(1);
    const QByteArray original = Bytes::sha256(gob);
    const QByteArray exported = Bytes::readFile(MainModule::scratchBitmapPath());
    // The record's own export with new pixels and a table of new colours and alphas.
    QByteArray bitmap = exported;
    const QByteArray pixels = Bytes::pattern(256 * 128, 21);
    bitmap.replace(1078, pixels.size(), pixels);
    for (int k = 0; k < 256; ++k)
        bitmap.replace(54 + 4 * k, 4, Bytes::of({k, 0, 255 - k, k / 3}));
    const QString path = home.write(u"board.bmp"_s, bitmap);
    QByteArray expected = Bytes::readFile(gob);
    expected.replace(BoardStart + 112, pixels.size(), pixels);
    for (int k = 0; k < 256; ++k)
        expected.replace(BoardStart + 112 + pixels.size() + 4 * k, 4,
                         Bytes::of({255 - k, 0, k, k / 3}));

    bool onDiskAtMessage = false;
    prompts.onShow = [&](const ScriptedPrompts::Shown &shown) {
        if (shown.text == u"Imported Successfully"_s)
            onDiskAtMessage = Bytes::readFile(gob) == expected && MainModule::openFileCount() == 0;
    };
    prompts.answerOpen(path);
    whenConfirmShows(*window, [](frmConfirm &c) {
        EXPECT_TRUE(c.isModal());
        EXPECT_TRUE(c.cmdYes->isEnabled());
        c.chkTransparent->setChecked(true); // keep the alpha
        c.cmdYes->click();
    });
    window->cmdImport->click();

    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].title, u"Select the file you want to import"_s);
    EXPECT_EQ(filtersOf(opens[0]),
              u"Any Picture|*.png;*.bmp;*.tga;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.webp;;"
              "Bitmap File|*.bmp;;Png File|*.png"_s);
    EXPECT_EQ(window->lblFileName->text(), path);

    ASSERT_EQ(prompts.messageTexts(), QStringList {u"Imported Successfully"_s});
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Information);
    EXPECT_TRUE(onDiskAtMessage);
    EXPECT_EQ(Bytes::readFile(gob), expected);
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()), bitmap); // extracted again
    // Shown unrotated, though Auto preview transparent is checked.
    EXPECT_TRUE(window->mnuAutoTrans->isChecked());
    EXPECT_TRUE(window->mnuRotate[0]->isChecked());
    EXPECT_EQ(window->picPreview->canvas().drawnSize(), QSize(256, 128));
    EXPECT_EQ(window->picPreview->canvas().pixel(0, 0) | 0xFF000000,
              qRgb(255 - quint8(pixels[0]), 0, quint8(pixels[0])));
    EXPECT_EQ(window->findChild<frmConfirm *>(), nullptr); // unloaded

    // The History window lists the import, undoes back to it, redoes it and undoes it again,
    // into the file and the preview.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    prompts.answerMessage(Answer::Yes);
    prompts.answerMessage(Answer::Yes);
    QTimer::singleShot(0, window.get(), [&] {
        auto *history = window->findChild<frmHistory *>();
        ASSERT_NE(history, nullptr);
        ASSERT_EQ(history->lstChanges->topLevelItemCount(), 1);
        QTreeWidgetItem *row = history->lstChanges->topLevelItem(0);
        EXPECT_EQ(row->text(3) + row->text(4), u"done33792"_s);
        EXPECT_FALSE(history->cmdRedo->isEnabled());
        QTest::mouseClick(history->cmdUndoTo, Qt::LeftButton);
        EXPECT_EQ(history->lstChanges->topLevelItem(0)->text(3), u"undone"_s);
        QTest::mouseClick(history->cmdRedo, Qt::LeftButton);
        EXPECT_EQ(history->lstChanges->topLevelItem(0)->text(3), u"done"_s);
        EXPECT_EQ(Bytes::readFile(gob), expected);
        EXPECT_FALSE(history->cmdRedo->isEnabled());
        QTest::mouseClick(history->cmdUndoTo, Qt::LeftButton);
        QTest::mouseClick(history->cmdClose, Qt::LeftButton);
    });
    QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(Bytes::sha256(gob), original);
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()), exported);
}

// A GOB file whose name ends in a space keeps its undo; Ctrl+U follows a change that another
// program made while the window is open, without the Edit menu having been opened.
TEST_F(MainWindowTest, ANameEndingInASpaceKeepsItsUndoAndCtrlUFollowsAnotherProgram)
{
    const QByteArray original = HandGob::withAt(
        8000, 1000, HandGob::imageRecord(8, 4, Bytes::pattern(32, 3), HandGob::palette()));
    startOnHand(u"Kits,1,1001,Shirt"_s, original, u"g_pc.gob "_s);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_FALSE(window->mnuUndo->isEnabled());
    const QString bmp =
        home.write(u"new.bmp"_s,
                   HandBitmap::bitmap8(8, 4, HandBitmap::colourTable({0}), Bytes::pattern(32, 50)));

    QProcess cli;
    cli.setEnvironment(home.environment());
    cli.start(QStringLiteral(KESTRIX_CLI),
              {u"import"_s, u"--catalogue"_s, MainModule::cataloguePath(), u"--gob"_s, gob,
               u"--entry"_s, u"0"_s, u"--sub"_s, u"1"_s, u"--file"_s, bmp});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const QByteArray changed = Bytes::readFile(gob); // the same import the window makes below
    ASSERT_NE(changed, original);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->mnuUndo->isEnabled(); }, 10000));
    // The record shown is read again: its pixels are the new ones (rows bottom first, as stored).
    EXPECT_TRUE(QTest::qWaitFor([] {
        return Bytes::readFile(MainModule::scratchBitmapPath()).mid(1078, 32)
            == Bytes::pattern(32, 50);
    }));
    QTest::keyClick(window.get(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(Bytes::readFile(gob), original);

    prompts.answerOpen(bmp);
    whenConfirmShows(*window, [](frmConfirm &c) { QTest::mouseClick(c.cmdYes, Qt::LeftButton); });
    QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(Bytes::readFile(gob), changed);
    EXPECT_EQ(window->mnuUndo->text(), u"&Undo bitmap Kits/Shirt"_s);
    // The title names the GOB file; the status bar says what each command did.
    EXPECT_EQ(window->windowTitle(), u"g_pc.gob  \u2014 Torvane Kestrix  V3.0.0"_s);
    EXPECT_EQ(window->statusBar()->currentMessage(), u"Imported Kits/Shirt into g_pc.gob "_s);
    const QString saved = home.file(u"saved.bmp"_s);
    prompts.answerSave(saved);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window->statusBar()->currentMessage(), u"Saved "_s + saved);
    QTest::keyClick(window.get(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(Bytes::readFile(gob), original);
    EXPECT_FALSE(window->mnuUndo->isEnabled());
    EXPECT_EQ(window->statusBar()->currentMessage(), u"Undone bitmap Kits/Shirt"_s);
    EXPECT_EQ(window->mnuRedo->text(), u"&Redo bitmap Kits/Shirt"_s);

    // Both keys of Redo write the change again; Undo takes it back between them.
    for (const QKeyCombination key :
         {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z, Qt::ControlModifier | Qt::Key_Y}) {
        QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(Bytes::readFile(gob), changed);
        EXPECT_EQ(window->statusBar()->currentMessage(), u"Redone bitmap Kits/Shirt"_s);
        EXPECT_FALSE(window->mnuRedo->isEnabled());
        QTest::keyClick(window.get(), Qt::Key_U, Qt::ControlModifier);
        EXPECT_EQ(Bytes::readFile(gob), original);
    }
}

TEST_F(MainWindowTest, RefusedBitmapsAreReportedAndNoOrClosingWritesNothing)
{
    startOnSample();
    window->lstItem->setCurrentRow(StadiumBoard);
    const QByteArray gobBefore = Bytes::sha256(gob);
    const QByteArray tempBefore = Bytes::readFile(MainModule::scratchBitmapPath());
    const QString wide = home.write(
        u"wide.bmp"_s,
        HandBitmap::bitmap8(128, 256, HandBitmap::colourTable({}), QByteArray(32768, 3)));
    window->ImportBMP(wide, true);
    ASSERT_EQ(prompts.messageTexts(), QStringList {wide + u"\r\nWidth is not same as the image"_s});
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    EXPECT_EQ(Bytes::sha256(gob), gobBefore);
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()), tempBefore);
    EXPECT_EQ(MainModule::openFileCount(), 0);

    // The confirmation answered No, and closed by its title bar.
    const QString same = home.write(u"same.bmp"_s, tempBefore);
    prompts.clear();
    prompts.answerOpen(same);
    whenConfirmShows(*window, [](frmConfirm &c) { c.cmdNo->click(); });
    window->mnuImport->trigger();
    prompts.answerOpen(same);
    whenConfirmShows(*window, [](frmConfirm &c) { c.close(); });
    window->cmdImport_Click();
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Open).size(), 2u);
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_EQ(Bytes::sha256(gob), gobBefore);

    // A picture dropped onto the preview goes to the same confirmation; elsewhere it is refused.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_FALSE(drop(same, window->lstItem));
    ASSERT_TRUE(drop(same, window->previewArea));
    bool confirmed = false;
    whenConfirmShows(*window, [&](frmConfirm &c) {
        confirmed = true;
        c.cmdNo->click();
    });
    QApplication::processEvents();
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(window->lblFileName->text(), same);
    EXPECT_EQ(Bytes::sha256(gob), gobBefore);

    // A cancelled dialog does nothing at all.
    prompts.cancelOpen();
    window->cmdImport_Click();
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
}

TEST_F(MainWindowTest, PngImportFillsTheAreaRefreshesThePreviewAndSaysNothing)
{
    startOnSample();
    window->lstItem->setCurrentRow(TeamLogo);
    QImage picture(64, 64, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 200, 30, 255));
    const QByteArray png = HandBitmap::png(picture);
    ASSERT_LT(png.size(), 12288);
    const QString path = home.write(u"logo.png"_s, png);

    prompts.answerOpen(path);
    whenConfirmShows(*window, [](frmConfirm &c) {
        EXPECT_FALSE(c.chkTransparent->isEnabled());
        c.cmdYes->click();
    });
    window->cmdImport->click();
    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(filtersOf(opens[0]), u"png File|*.png"_s);
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_EQ(window->picPreview->canvas().pixel(10, 10), qRgb(10, 200, 30));
    EXPECT_FALSE(window->mnuAutoTrans->isEnabled());
}

TEST_F(MainWindowTest, SaveAsPngExportAllAndImportFolderWithOneQuestion)
{
    const QByteArray pixels = Bytes::pattern(32, 5); // an 8 x 4 record at 0-based 100
    startOnHand(u"Board,1,101,One"_s,
                HandGob::withAt(2000, 100, HandGob::imageRecord(8, 4, pixels, HandGob::palette())));
    // The PNG shows what the preview shows: its row 1 is the record's row 1.
    prompts.answerSave(home.file(u"saved.PNG"_s));
    QTest::mouseClick(window->cmdSaveAs, Qt::LeftButton);
    const QImage saved(home.file(u"saved.PNG"_s));
    ASSERT_EQ(saved.format(), QImage::Format_Indexed8);
    EXPECT_EQ(saved.pixelIndex(2, 1), quint8(pixels[8 + 2]));

    const QString folder = home.file(u"out"_s);
    prompts.answerFolder(folder);
    window->mnuExportAll->trigger();
    EXPECT_EQ(prompts.messageTexts(), QStringList {u"1 file exported to "_s + folder});
    const QString board = folder + u"/Board - One.png"_s;
    QImage picture(board);
    picture.setPixel(2, 1, (picture.pixelIndex(2, 1) + 1) % 256);
    ASSERT_TRUE(picture.save(board));
    QByteArray expected = Bytes::readFile(gob);
    expected[100 + 112 + 8 + 2] = char(pixels[8 + 2] + 1);

    prompts.answerOpen(folder + u"/kestrix-export.tsv"_s);
    QTimer::singleShot(0, window.get(), [this] {
        auto *question = window->findChild<frmImportFolder *>();
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->lstFiles->topLevelItemCount(), 1);
        EXPECT_FALSE(question->lstFiles->topLevelItem(0)->icon(2).isNull()); // the new thumbnail
        QTest::mouseClick(question->cmdYes, Qt::LeftButton);
    });
    window->mnuImportFolder->trigger();
    EXPECT_EQ(Bytes::readFile(gob), expected);
    EXPECT_EQ(prompts.messageTexts().value(1), u"Imported Successfully"_s);

    // Exporting again asks before the edited picture is replaced; No keeps it.
    const QByteArray edited = Bytes::readFile(board);
    prompts.clear();
    prompts.answerFolder(folder);
    prompts.answerMessage(Answer::No);
    window->mnuExportAll->trigger();
    EXPECT_EQ(prompts.messageTexts().value(0),
              u"These files were changed since they were exported:\r\nBoard - One.png\r\nReplace "
              "them with the records as the GOB file holds them? No keeps them and exports the "
              "rest."_s);
    EXPECT_EQ(Bytes::readFile(board), edited);
}
