#include "bytes.h"
#include "handbitmap.h"
#include "paintbitmaps.h"
#include "recordingopener.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "mainwindow/frmmain.h"
#include "services/apppath.h"
#include "services/entrylist.h"
#include "services/openfiles.h"
#include "services/pictureview.h"
#include "services/settings.h"
#include "tools/frmtransparent.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A 5 x 2 bitmap (no row padding, as the program's exports) whose stored bytes are 10..19,
// with entry i = (blue i, green 2i, red 3i, alpha 100).
QByteArray paletteBitmap()
{
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours << qRgba((3 * i) & 0xFF, (2 * i) & 0xFF, i, 100);
    QByteArray pixels;
    for (int i = 0; i < 10; ++i)
        pixels.append(char(10 + i));
    return HandBitmap::bitmap8(5, 2, HandBitmap::colourTable(colours), pixels);
}

class PaletteEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bmp = home.write(QStringLiteral("kit.bmp"), paletteBitmap());
        editor = std::make_unique<frmTransparent>(prompts);
    }

    void load(const QString &path)
    {
        prompts.answerOpen(path);
        editor->cmdLoad->click();
    }

    TestHome home;
    ScriptedPrompts prompts;
    QString bmp;
    std::unique_ptr<frmTransparent> editor;
};

} // namespace

TEST_F(PaletteEditorTest, LoadShowsThePictureAndTheChosenEntry)
{
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Format"));
    EXPECT_EQ(editor->cboPaletteIndex->count(), 256);
    EXPECT_EQ(editor->cboPaletteIndex->itemText(255), QStringLiteral("255"));
    EXPECT_EQ(editor->cboPaletteIndex->currentIndex(), -1);
    EXPECT_FALSE(editor->Picture1->isEnabled());

    load(bmp);
    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].title, QStringLiteral("Select the file you want to load"));
    EXPECT_EQ(opens[0].filters.at(0).pattern, QStringLiteral("*.bmp"));
    EXPECT_TRUE(editor->Picture1->isEnabled());
    EXPECT_TRUE(editor->hasOpenBitmap());
    // One view pixel per image pixel.
    EXPECT_EQ(editor->picImage->size(), QSize(5, 2));

    editor->cboPaletteIndex->setCurrentIndex(7);
    EXPECT_EQ(editor->txtRed->text(), QStringLiteral("21"));
    EXPECT_EQ(editor->txtGreen->text(), QStringLiteral("14"));
    EXPECT_EQ(editor->txtBlue->text(), QStringLiteral("7"));
    EXPECT_EQ(editor->txtTransperency->text(), QStringLiteral("100"));
    EXPECT_EQ(editor->lblPaletteColor->palette().color(QPalette::Window), QColor(21, 14, 7));

    // The pointer over the top-left pixel picks the byte at 1078; rows are 5 bytes long.
    editor->picImage_MouseMove(QPoint(0, 0));
    EXPECT_EQ(editor->cboPaletteIndex->currentIndex(), 10);
    editor->picImage_MouseMove(QPoint(2, 1));
    EXPECT_EQ(editor->cboPaletteIndex->currentIndex(), 17);
    EXPECT_EQ(editor->txtBlue->text(), QStringLiteral("17"));
    editor->picImage_MouseMove(QPoint(9, 9)); // outside the file: nothing happens
    EXPECT_EQ(editor->cboPaletteIndex->currentIndex(), 17);
}

TEST_F(PaletteEditorTest, SaveWritesOnlyTheAlphaByteOfTheEntry)
{
    load(bmp);
    const QByteArray before = Bytes::readFile(bmp);
    editor->cboPaletteIndex->setCurrentIndex(9);
    editor->txtTransperency->setText(QStringLiteral("256"));
    editor->cmdSave->click();
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_EQ(prompts.messageTexts()[0], QStringLiteral("Number is not between 0-255"));
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    EXPECT_EQ(Bytes::readFile(bmp), before);
    EXPECT_FALSE(editor->hasOpenBitmap()); // the error report closed every file

    editor->txtTransperency->setText(QStringLiteral("abc"));
    editor->cmdSave->click();
    EXPECT_EQ(prompts.messageTexts().last(), QStringLiteral("Type mismatch"));

    editor->txtTransperency->setText(QStringLiteral("254.5")); // halves go to the even neighbour
    editor->cmdSave->click();
    EXPECT_EQ(prompts.messageTexts().last(), QStringLiteral("Done"));
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Information);
    QByteArray expected = before;
    expected[57 + 4 * 9] = char(254);
    EXPECT_EQ(Bytes::readFile(bmp), expected);

    editor->txtTransperency->setText(QStringLiteral("255"));
    editor->cmdSave->click();
    expected[57 + 4 * 9] = char(255);
    EXPECT_EQ(Bytes::readFile(bmp), expected);
}

TEST_F(PaletteEditorTest, MakeAllOpaqueSetsEveryAlphaAndACancelChangesNothing)
{
    load(bmp);
    const QByteArray before = Bytes::readFile(bmp);
    prompts.answerInput(std::nullopt);
    editor->cmdOpaque->click();
    EXPECT_EQ(Bytes::readFile(bmp), before);
    const auto inputs = prompts.of(ScriptedPrompts::Kind::Input);
    ASSERT_EQ(inputs.size(), 1u);
    EXPECT_EQ(inputs[0].text, QStringLiteral("Type transparency value 255 - 0"));
    EXPECT_EQ(inputs[0].defaultText, QStringLiteral("255"));
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    prompts.answerInput(QStringLiteral("300"));
    editor->cmdOpaque->click();
    EXPECT_EQ(Bytes::readFile(bmp), before);
    EXPECT_TRUE(prompts.messageTexts().isEmpty());

    prompts.answerInput(QStringLiteral("255"));
    editor->cmdOpaque->click();
    QByteArray expected = before;
    for (int i = 0; i < 256; ++i)
        expected[57 + 4 * i] = char(255);
    EXPECT_EQ(Bytes::readFile(bmp), expected);
    EXPECT_EQ(prompts.messageTexts().last(), QStringLiteral("Done"));
    editor->cboPaletteIndex->setCurrentIndex(200);
    EXPECT_EQ(editor->txtTransperency->text(), QStringLiteral("255"));

    // All alphas 0: the preview shows only the background.
    prompts.answerInput(QStringLiteral("0"));
    editor->cmdOpaque->click();
    editor->chkPreview->setChecked(true);
    const Canvas &view = editor->picImage->canvas();
    ASSERT_EQ(view.size(), QSize(5, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(view.pixel(x, y), view.background().rgba());
}

TEST_F(PaletteEditorTest, A24BitFileIsRefusedAndNeverEdited)
{
    load(bmp);
    const QString wide = home.write(QStringLiteral("wide.bmp"),
                                    HandBitmap::bitmap24(4, 2, QList<QRgb>(8, qRgb(1, 2, 3))));
    const QByteArray before = Bytes::readFile(wide);
    load(wide);
    ASSERT_EQ(prompts.messageTexts().size(), 1);
    EXPECT_EQ(prompts.messageTexts()[0], wide + QStringLiteral("\r\nIs not a 256 color bitmap"));
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    EXPECT_EQ(editor->loadedPath(), bmp);

    editor->cboPaletteIndex->setCurrentIndex(3);
    editor->txtTransperency->setText(QStringLiteral("7"));
    editor->cmdSave->click();
    prompts.answerInput(QStringLiteral("9"));
    editor->cmdOpaque->click();
    EXPECT_EQ(Bytes::readFile(wide), before);
    EXPECT_EQ(Bytes::readFile(bmp).at(57 + 12), char(9)); // the loaded file took both
}

TEST_F(PaletteEditorTest, PaintProgramBitmapsShowTheirPixelsAndOnlyTheirTablesAlphasChange)
{
    editor->show();
    for (const PaintBitmaps::Case &c : PaintBitmaps::all()) {
        const QString path = home.write(c.name, c.file);
        load(path);
        ASSERT_EQ(editor->cboPaletteIndex->count(), c.entries) << c.name.toStdString();
        // The view is mirrored: its row y is the picture's row h - 1 - y.
        for (const QPoint p : {QPoint(1, 0), QPoint(c.w - 1, 1), QPoint(0, c.h - 1)}) {
            QTest::mouseMove(editor->picImage, p);
            const QRgb want = c.picture[(c.h - 1 - p.y()) * c.w + p.x()];
            EXPECT_EQ(qRgba(editor->txtRed->text().toInt(), editor->txtGreen->text().toInt(),
                            editor->txtBlue->text().toInt(),
                            editor->txtTransperency->text().toInt()),
                      want)
                << c.name.toStdString() << " " << p.x() << "," << p.y();
        }
        prompts.answerInput(QStringLiteral("9"));
        QTest::mouseClick(editor->cmdOpaque, Qt::LeftButton);
        QByteArray expected = c.file;
        if (c.tableAt == 14 + 12) { // three-byte entries: no alpha to write
            EXPECT_TRUE(prompts.messageTexts().last().contains(QStringLiteral("no byte for")));
        } else {
            for (int k = 0; k < c.entries; ++k)
                expected[c.tableAt + 4 * k + 3] = char(9);
        }
        EXPECT_EQ(Bytes::readFile(path), expected) << c.name.toStdString();
    }
}

TEST_F(PaletteEditorTest, PreviewOfTempBmpBeforeAnyLoadThenUntickingEditsIt)
{
    const QString temp = home.write(QStringLiteral("temp.bmp"), paletteBitmap());
    ASSERT_EQ(temp, MainModule::scratchBitmapPath());
    editor->chkPreview->setChecked(true);
    EXPECT_FALSE(editor->Picture1->isEnabled());
    EXPECT_FALSE(editor->cmdLoad->isEnabled());
    EXPECT_FALSE(editor->picImage->isEnabled());
    EXPECT_EQ(editor->picImage->size(), QSize(5, 2));
    EXPECT_FALSE(editor->hasOpenBitmap());

    editor->chkPreview->setChecked(false);
    EXPECT_TRUE(editor->Picture1->isEnabled());
    EXPECT_TRUE(editor->cmdLoad->isEnabled());
    EXPECT_EQ(editor->loadedPath(), temp);
    editor->cboPaletteIndex->setCurrentIndex(1);
    editor->txtTransperency->setText(QStringLiteral("0"));
    editor->cmdSave->click();
    EXPECT_EQ(Bytes::readFile(temp).at(57 + 4), char(0));
}

TEST_F(PaletteEditorTest, ControlsSurviveEveryFileBeingClosedByTheMainWindow)
{
    const QString gob = home.writeSampleGame();
    Settings::save(Settings::GobKey, gob);
    RecordingOpener opener;
    frmMain window(prompts, opener);
    ASSERT_TRUE(window.Form_Load());
    window.mnuFp->trigger();
    frmTransparent *palette = window.paletteEditor();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->parentWidget(), nullptr);
    EXPECT_TRUE(palette->isVisible());
    prompts.answerOpen(bmp);
    palette->cmdLoad->click();
    ASSERT_TRUE(palette->hasOpenBitmap());

    window.lstItem->setCurrentRow(1); // a record operation closes every open file
    EXPECT_FALSE(palette->hasOpenBitmap());
    EXPECT_EQ(MainModule::openFileCount(), 0);

    palette->cboPaletteIndex->setCurrentIndex(4);
    EXPECT_EQ(palette->txtBlue->text(), QStringLiteral("4"));
    palette->picImage_MouseMove(QPoint(1, 0));
    EXPECT_EQ(palette->cboPaletteIndex->currentIndex(), 11);
    MainModule::CloseAllFiles();
    palette->txtTransperency->setText(QStringLiteral("42"));
    palette->cmdSave->click();
    EXPECT_EQ(Bytes::readFile(bmp).at(57 + 4 * 11), char(42));
    EXPECT_EQ(prompts.messageTexts().last(), QStringLiteral("Done"));

    // Closing the main window closes the palette editor too.
    window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.paletteEditor(), nullptr);
}
