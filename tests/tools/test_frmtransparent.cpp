#include "../mainwindow/mainwindowfixture.h"
#include "handbitmap.h"
#include "paintbitmaps.h"

#include "services/openfiles.h"
#include "tools/frmtransparent.h"
#include "widgets/paletteswatches.h"
#include "widgets/pictureview.h"

#include <QComboBox>
#include <QSlider>

using namespace Qt::StringLiterals;

namespace {

// A 5 x 2 bitmap (no row padding, as the program's exports) whose stored bytes are 10..19,
// with entry i = (blue i, green 2i, red 3i, alpha 100).
QByteArray paletteBitmap()
{
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours << qRgba((3 * i) & 0xFF, (2 * i) & 0xFF, i, 100);
    return HandBitmap::bitmap8(5, 2, HandBitmap::colourTable(colours),
                               Bytes::of({10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
}

// The alpha byte of colour-table entry k of a bitmap whose table starts at byte 54.
constexpr qsizetype alphaAt(int k)
{
    return 57 + 4 * k;
}

// What the editor's boxes show: "red,green,blue,transparency".
QString boxes(const frmTransparent &e)
{
    return QStringList {e.txtRed->text(), e.txtGreen->text(), e.txtBlue->text(),
                        e.txtTransperency->text()}
        .join(u',');
}

// The middle of picture pixel p in the view: the picture centred, each pixel scale() wide.
QPoint onView(const PictureView *view, QPoint p)
{
    const double s = view->scale();
    const QSize picture = view->canvas().drawnSize();
    const QPoint origin((view->width() - int(std::ceil(picture.width() * s))) / 2,
                        (view->height() - int(std::ceil(picture.height() * s))) / 2);
    return origin + QPoint(int((p.x() + 0.5) * s), int((p.y() + 0.5) * s));
}

class PaletteEditorTest : public ::testing::Test
{
protected:
    void load(const QString &path)
    {
        prompts.answerOpen(path);
        QTest::mouseClick(editor.cmdLoad, Qt::LeftButton);
    }
    // Types an alpha for the chosen entry and saves it.
    void save(int entry, const QString &alpha)
    {
        editor.cboPaletteIndex->setCurrentIndex(entry);
        editor.txtTransperency->setText(alpha);
        QTest::mouseClick(editor.cmdSave, Qt::LeftButton);
    }
    void makeAll(const std::optional<QString> &answer)
    {
        prompts.answerInput(answer);
        QTest::mouseClick(editor.cmdOpaque, Qt::LeftButton);
    }

    TestHome home;
    ScriptedPrompts prompts;
    QString bmp = home.write(u"kit.bmp"_s, paletteBitmap());
    RecordingOpener opener;
    frmTransparent editor {prompts, opener};
};

} // namespace

// Save writes only the alpha byte of the entry, after the number checks; Make All writes every
// alpha, and a cancel, a value out of range or a 24-bit file changes nothing.
TEST_F(PaletteEditorTest, SaveAndMakeAllWriteOnlyAlphaBytes)
{
    load(bmp);
    QByteArray expected = Bytes::readFile(bmp);
    save(9, u"256"_s);
    EXPECT_EQ(prompts.messageTexts(), QStringList {u"Number is not between 0-255"_s});
    EXPECT_EQ(prompts.last().icon, MessageIcon::Critical);
    EXPECT_FALSE(editor.hasOpenBitmap()); // the error report closed every file
    save(9, u"abc"_s);
    EXPECT_EQ(prompts.last().text, u"Type mismatch"_s);
    EXPECT_EQ(Bytes::readFile(bmp), expected);
    save(9, u"254.5"_s); // halves go to the even neighbour
    EXPECT_EQ(std::pair(prompts.last().text, prompts.last().icon),
              std::pair(u"Done"_s, MessageIcon::Information));
    expected[alphaAt(9)] = char(254);
    EXPECT_EQ(Bytes::readFile(bmp), expected);
    // A 24-bit file is refused and never edited: the file loaded before takes what follows.
    const QByteArray rgb = HandBitmap::bitmap24(4, 2, QList<QRgb>(8, qRgb(1, 2, 3)));
    const QString wide = home.write(u"wide.bmp"_s, rgb);
    prompts.clear();
    load(wide);
    EXPECT_EQ(prompts.messageTexts(), QStringList {wide + u"\r\nIs not a 256 color bitmap"_s});
    EXPECT_EQ(editor.loadedPath(), bmp);

    prompts.clear();
    makeAll(std::nullopt);
    makeAll(u"300"_s);
    EXPECT_EQ(Bytes::readFile(bmp), expected);
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    const auto inputs = prompts.of(ScriptedPrompts::Kind::Input);
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(std::pair(inputs[0].text, inputs[0].defaultText),
              std::pair(u"Type transparency value 255 - 0"_s, u"255"_s));
    makeAll(u"255"_s);
    for (int k = 0; k < 256; ++k)
        expected[alphaAt(k)] = char(255);
    EXPECT_EQ(Bytes::readFile(bmp), expected);
    EXPECT_EQ(Bytes::readFile(wide), rgb);
    EXPECT_EQ(prompts.last().text, u"Done"_s);
    editor.cboPaletteIndex->setCurrentIndex(200);
    EXPECT_EQ(editor.txtTransperency->text(), u"255"_s);

    // All alphas 0: the preview shows only the background.
    makeAll(u"0"_s);
    editor.chkPreview->setChecked(true);
    const Canvas &view = editor.picImage->canvas();
    ASSERT_EQ(view.drawnSize(), QSize(5, 2));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(view.pixel(i % 5, i / 5), view.background().rgba()) << i;
}

TEST_F(PaletteEditorTest, PaintProgramBitmapsShowTheirPixelsAndOnlyTheirTablesAlphasChange)
{
    editor.show();
    for (const PaintBitmaps::Case &c : PaintBitmaps::all()) {
        const QString path = home.write(c.name, c.file);
        load(path);
        ASSERT_EQ(editor.cboPaletteIndex->count(), c.entries) << c.name.toStdString();
        // The view is mirrored: its row y is the picture's row h - 1 - y.
        for (const QPoint p : {QPoint(1, 0), QPoint(c.w - 1, 1), QPoint(0, c.h - 1)}) {
            QTest::mouseMove(editor.picImage, onView(editor.picImage, p));
            const QRgb want = c.picture[(c.h - 1 - p.y()) * c.w + p.x()];
            EXPECT_EQ(boxes(editor),
                      u"%1,%2,%3,%4"_s.arg(qRed(want))
                          .arg(qGreen(want))
                          .arg(qBlue(want))
                          .arg(qAlpha(want)))
                << c.name.toStdString() << " " << p.x() << "," << p.y();
        }
        makeAll(u"9"_s);
        QByteArray expected = c.file;
        if (c.tableAt == 14 + 12) // three-byte entries: no alpha to write
            EXPECT_TRUE(prompts.last().text.contains(u"no byte for"_s));
        else
            for (int k = 0; k < c.entries; ++k)
                expected[c.tableAt + 4 * k + 3] = char(9);
        EXPECT_EQ(Bytes::readFile(path), expected) << c.name.toStdString();
    }
}

// Named in the title, zoomed by keys and picked by the pointer; a click on a swatch, the grid's
// arrows, the list and the slider's keys all choose and show the same entry and alpha.
TEST_F(PaletteEditorTest, ZoomSwatchesAndSliderKeepInStepWithTheIndexAndTheValue)
{
    EXPECT_EQ(std::tuple(editor.windowTitle(), editor.cboPaletteIndex->count(),
                         editor.cboPaletteIndex->itemText(255),
                         editor.cboPaletteIndex->currentIndex(), editor.Picture1->isEnabled()),
              std::tuple(u"Format"_s, 256, u"255"_s, -1, false));
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    load(bmp);
    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(std::pair(opens[0].title, opens[0].filters.value(0).pattern),
              std::pair(u"Select the file you want to load"_s, u"*.bmp"_s));
    EXPECT_TRUE(editor.Picture1->isEnabled() && editor.hasOpenBitmap());
    EXPECT_EQ(editor.windowTitle(), u"kit.bmp \u2014 Format"_s);
    QTest::keyClick(&editor, Qt::Key_0, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(editor.picImage->scale(), 3.0);
    // The view's row y is stored row y; each pixel a 3 x 3 square, centred in the view.
    const QPoint corner((editor.picImage->width() - 15) / 2, (editor.picImage->height() - 6) / 2);
    const std::pair<QPoint, int> picks[] = {
        {QPoint(3 * 3 + 2, 0), 13},
        {QPoint(1 * 3, 1 * 3 + 2), 16},
        {QPoint(14, 5), 19},
        {QPoint(16, 3), 19}}; // beside the picture: nothing picked
    for (const auto &[at, entry] : picks) {
        QTest::mouseMove(editor.picImage, corner + at);
        EXPECT_EQ(editor.cboPaletteIndex->currentIndex(), entry) << at.x() << "," << at.y();
    }

    PaletteSwatches *grid = editor.grdPalette;
    ASSERT_EQ(grid->colours().size(), 256);
    EXPECT_EQ(std::pair(grid->colours()[7], grid->currentIndex()),
              std::pair(QColor(21, 14, 7), 19));
    const int side = std::min(grid->width(), grid->height()) / 16;
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(5 * side + side / 2, 2 * side + side / 2));
    EXPECT_EQ(editor.cboPaletteIndex->currentIndex(), 37);
    EXPECT_EQ(boxes(editor), u"111,74,37,100"_s);
    EXPECT_EQ(editor.lblPaletteColor->palette().color(QPalette::Window), QColor(111, 74, 37));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(editor.cboPaletteIndex->currentIndex(), 53);
    editor.cboPaletteIndex->setCurrentIndex(200);
    EXPECT_EQ(grid->currentIndex(), 200);

    EXPECT_EQ(editor.sldTransperency->value(), 100);
    QTest::keyClick(editor.sldTransperency, Qt::Key_Right);
    QTest::keyClick(editor.sldTransperency, Qt::Key_PageUp);
    EXPECT_EQ(editor.txtTransperency->text(), u"117"_s);
    editor.txtTransperency->setText(u"42"_s);
    EXPECT_EQ(editor.sldTransperency->value(), 42);
    QByteArray expected = Bytes::readFile(bmp);
    QTest::keyClick(editor.sldTransperency, Qt::Key_End);
    QTest::mouseClick(editor.cmdSave, Qt::LeftButton);
    expected[alphaAt(200)] = char(255);
    EXPECT_EQ(Bytes::readFile(bmp), expected);
}

TEST_F(PaletteEditorTest, PreviewOfTempBmpBeforeAnyLoadThenUntickingEditsIt)
{
    const QString temp = home.write(u"temp.bmp"_s, paletteBitmap());
    ASSERT_EQ(temp, MainModule::scratchBitmapPath());
    editor.chkPreview->setChecked(true);
    const auto enabled = [&] {
        return QList {editor.Picture1->isEnabled(), editor.cmdLoad->isEnabled(),
                      editor.picImage->isEnabled()};
    };
    EXPECT_EQ(enabled(), QList({false, false, false}));
    EXPECT_EQ(editor.picImage->canvas().drawnSize(), QSize(5, 2));
    EXPECT_FALSE(editor.hasOpenBitmap());
    editor.chkPreview->setChecked(false);
    EXPECT_EQ(enabled(), QList({true, true, true}));
    EXPECT_EQ(editor.loadedPath(), temp);
    save(1, u"0"_s);
    EXPECT_EQ(Bytes::readFile(temp).at(alphaAt(1)), char(0));
}

TEST_F(MainWindowTest, PaletteEditorControlsSurviveEveryFileBeingClosedByTheMainWindow)
{
    startOnSample();
    const QString bmp = home.write(u"kit.bmp"_s, paletteBitmap());
    window->mnuFp->trigger();
    frmTransparent *palette = window->paletteEditor();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->parentWidget(), nullptr);
    EXPECT_TRUE(palette->isVisible());
    prompts.answerOpen(bmp);
    QTest::mouseClick(palette->cmdLoad, Qt::LeftButton);
    ASSERT_TRUE(palette->hasOpenBitmap());

    window->lstItem->setCurrentRow(1); // a record operation closes every open file
    EXPECT_FALSE(palette->hasOpenBitmap());
    EXPECT_EQ(MainModule::openFileCount(), 0);
    palette->cboPaletteIndex->setCurrentIndex(4);
    EXPECT_EQ(palette->txtBlue->text(), u"4"_s);
    palette->picImage_MouseMove(QPoint(1, 0));
    EXPECT_EQ(palette->cboPaletteIndex->currentIndex(), 11);
    MainModule::CloseAllFiles();
    palette->txtTransperency->setText(u"42"_s);
    QTest::mouseClick(palette->cmdSave, Qt::LeftButton);
    EXPECT_EQ(Bytes::readFile(bmp).at(alphaAt(11)), char(42));
    EXPECT_EQ(prompts.last().text, u"Done"_s);

    // Closing the main window closes the palette editor too.
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->paletteEditor(), nullptr);
}
