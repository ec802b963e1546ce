#include "../mainwindow/mainwindowfixture.h"
#include "handbitmap.h"
#include "handgob.h"

#include "services/imaging.h"
#include "tools/frmconfirm.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb Background = MainModule::PreviewBackground | 0xFF000000;
constexpr int StadiumBoard = 1;
constexpr int TeamLogo = 7;

// The colours the canvas shows, see-through parts over the background.
QList<QRgb> shown(const PictureView *view)
{
    QList<QRgb> colours;
    const Canvas &canvas = view->canvas();
    for (int y = 0; y < canvas.size().height(); ++y)
        for (int x = 0; x < canvas.size().width(); ++x)
            colours << (canvas.pixel(x, y) | 0xFF000000);
    return colours;
}

bool blank(const PictureView *view)
{
    return shown(view) == QList<QRgb>(shown(view).size(), Background);
}

class ConfirmTest : public MainWindowTest
{
protected:
    // The confirmation loaded for the file and shown without a modal loop.
    std::unique_ptr<frmConfirm> load(const QString &file)
    {
        auto confirm = std::make_unique<frmConfirm>(prompts, window->session().replacePlan(file),
                                                    window.get());
        confirm->Form_Load();
        confirm->show();
        return confirm;
    }
};

} // namespace

TEST_F(ConfirmTest, TheRecordsOwnExportMatchesATrueColourPictureIsQuantizedOtherSizesAreRefused)
{
    startOnSample();
    window->lstItem->setCurrentRow(StadiumBoard);
    const QString same =
        home.write(u"same.bmp"_s, Bytes::readFile(MainModule::scratchBitmapPath()));
    auto c = load(same);
    QStringList captions {c->windowTitle()};
    for (const QWidget *w : std::initializer_list<QWidget *> {
             c->Label1, c->Label2, c->Label3, c->chkTransparent, c->Label4, c->cmdYes, c->cmdNo})
        captions << w->property("text").toString();
    EXPECT_EQ(captions.join(u'|'),
              u"Torvane Kestrix      Preview|Are you sure to replace the file ?|Previous Image|New "
              "Image|&Transparent *|* Image palette must be formated correctly in oder to get "
              "transparent image in-game|&Yes|&No"_s);
    // The two views side by side, Yes ending left of the new one, No under it.
    const auto placed = [](QWidget *w) {
        return QRect(w->mapTo(w->window(), QPoint()), w->size());
    };
    const QRect before = placed(c->picPrevious), after = placed(c->picNew);
    EXPECT_EQ(std::tuple(before.size(), after.size(), after.y()),
              std::tuple(QSize(200, 200), QSize(200, 200), before.y()));
    EXPECT_LT(before.right(), after.left());
    EXPECT_LT(c->cmdYes->geometry().right(), after.left());
    EXPECT_GT(c->cmdNo->x(), c->cmdYes->geometry().right());
    EXPECT_GT(c->cmdYes->y(), before.bottom());

    EXPECT_EQ(c->lblPrevious->text(), u"256 x 128\r\n198659"_s);
    EXPECT_EQ(c->lblNew->text(), u"256 x 128\r\n198659"_s);
    EXPECT_TRUE(c->cmdYes->isEnabled());
    EXPECT_TRUE(c->chkTransparent->isEnabled());
    EXPECT_FALSE(c->chkTransparent->isChecked());
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    // An opaque palette: the transparent draw of the record equals the plain mirrored draw.
    EXPECT_EQ(shown(c->picPrevious), shown(c->picNew));
    EXPECT_FALSE(blank(c->picNew));
    QTest::mouseClick(c->cmdNo, Qt::LeftButton);

    // A true-colour picture is shown as it will be stored; other sizes are refused.
    const qsizetype pixels = window->selection().offset - 1 + 112;
    c = load(
        home.write(u"rgb.bmp"_s, HandBitmap::bitmap24(256, 128, QList<QRgb>(32768, 0xFF336699))));
    EXPECT_EQ(c->lblNew->text(), u"256 x 128\r\n137224"_s);
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_FALSE(c->chkTransparent->isEnabled()); // the picture's alpha is kept
    EXPECT_EQ(c->lblConversion->text(), u"quantized to 1 colour, mean error 0.00"_s);
    // The note has every line it needs, clear of the footnote and inside the window.
    const QRect note = c->lblConversion->geometry();
    EXPECT_GE(note.height(), c->lblConversion->heightForWidth(note.width()));
    EXPECT_LT(note.bottom(), c->Label4->geometry().top());
    EXPECT_LE(c->Label4->geometry().bottom(), c->height());
    EXPECT_EQ(c->picNew->canvas().pixel(100, 100), qRgb(0x33, 0x66, 0x99));
    // One colour: every pixel index 0, entry 0 the colour, the others opaque black.
    QByteArray expected = Bytes::readFile(gob);
    expected.replace(pixels, 32768 + 4,
                     QByteArray(32768, '\0') + Bytes::of({0x33, 0x66, 0x99, 255}));
    for (int k = 1; k < 256; ++k)
        expected.replace(pixels + 32768 + 4 * k, 4, Bytes::of({0, 0, 0, 255}));
    QTest::mouseClick(c->cmdYes, Qt::LeftButton);
    ASSERT_EQ(c->result(), QDialog::Accepted);
    window->Import(c->plan());
    EXPECT_EQ(Bytes::readFile(gob), expected);
    EXPECT_EQ(prompts.messageTexts(), QStringList {u"Imported Successfully"_s});

    // Another size, and a file that is no image (with why, before any comparison), are refused
    // for good.
    const QString path = home.file(u"refused.bmp"_s);
    const std::pair<QByteArray, QString> refusals[] = {
        {HandBitmap::bitmap24(255, 128, QList<QRgb>(255 * 128, 0xFF336699)),
         u"Image type are not same"_s},
        {"no", path + u" cannot be loaded as an image."_s},
    };
    for (const auto &[bytes, text] : refusals) {
        prompts.clear();
        auto refused = load(home.write(u"refused.bmp"_s, bytes));
        ASSERT_EQ(prompts.messageTexts(), QStringList {text});
        EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
        EXPECT_FALSE(refused->cmdYes->isEnabled());
        refused->chkTransparent->setChecked(true);
        EXPECT_FALSE(refused->cmdYes->isEnabled());
        QTest::mouseClick(refused->cmdNo, Qt::LeftButton);
    }
    EXPECT_EQ(Bytes::readFile(gob), expected);
}

TEST_F(ConfirmTest, AlphaZeroThroughoutEmptiesThePreviousViewAndTheNewOneWhileTheBoxIsTicked)
{
    const QByteArray record =
        HandGob::imageRecord(8, 8, Bytes::pattern(64, 1), HandGob::palette([](int) { return 0; }));
    startOnHand(u"Clear,1,101,Only"_s, HandGob::withAt(3000, 100, record));
    auto c = load(home.write(u"same.bmp"_s, Bytes::readFile(MainModule::scratchBitmapPath())));
    EXPECT_TRUE(c->cmdYes->isEnabled());
    EXPECT_TRUE(blank(c->picPrevious));
    // The 8 x 8 record fitted to the view: a checkerboard of 8-pixel squares behind it, white
    // in the corner.
    const QImage checks = c->picPrevious->grab().toImage();
    const std::pair<QPoint, QRgb> squares[] = {{{0, 0}, 0xFFFFFFFF},     {{8, 0}, 0xFFCCCCCC},
                                               {{7, 8}, 0xFFCCCCCC},     {{8, 8}, 0xFFFFFFFF},
                                               {{199, 191}, 0xFFCCCCCC}, {{199, 199}, 0xFFFFFFFF}};
    for (const auto &[at, colour] : squares)
        EXPECT_EQ(checks.pixel(at), colour) << at.x() << "," << at.y();
    const QImage plain = c->picNew->canvas().image();
    EXPECT_FALSE(blank(c->picNew)); // the new image is drawn without transparency
    QTest::keyClick(c->chkTransparent, Qt::Key_Space);
    EXPECT_TRUE(blank(c->picNew)); // vanished
    QTest::keyClick(c->chkTransparent, Qt::Key_Space);
    EXPECT_EQ(c->picNew->canvas().image(), plain);
}

TEST_F(ConfirmTest, WholeFileRecordsAreDrawnUnmirroredWithTheBoxGreyed)
{
    startOnSample();
    window->lstItem->setCurrentRow(TeamLogo);
    // Same size, another pixel format: red above, blue below, no alpha channel.
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    for (int y = 32; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    auto c = load(home.write(u"rgb.png"_s, HandBitmap::png(picture)));
    EXPECT_FALSE(c->chkTransparent->isEnabled());
    EXPECT_EQ(c->lblPrevious->text(), u"64 x 64\r\n2498570"_s);
    EXPECT_EQ(c->lblNew->text(), u"64 x 64\r\n137224"_s);
    EXPECT_EQ(prompts.messageTexts(), QStringList {u"Image type are not same"_s});
    EXPECT_FALSE(c->cmdYes->isEnabled());
    EXPECT_EQ(c->picNew->canvas().pixel(40, 10), qRgb(255, 0, 0)); // not mirrored
    EXPECT_EQ(c->picNew->canvas().pixel(40, 50), qRgb(0, 0, 255));
    // The logo's corners are transparent: drawn plainly they show the background.
    EXPECT_EQ(c->picPrevious->canvas().pixel(1, 1) | 0xFF000000, Background);
    EXPECT_NE(c->picPrevious->canvas().pixel(32, 32) | 0xFF000000, Background);

    // Actual size, then twice as large: the 64 x 64 picture as 128 x 128 from (36, 36) in the
    // 200 x 200 view, rows 0-31 red up to the view's row 99, sharp; both views zoom together.
    c->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.get()));
    QTest::keyClick(c.get(), Qt::Key_0, Qt::ControlModifier);
    QTest::keyClick(c.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(std::pair(c->picPrevious->scale(), c->picNew->scale()), std::pair(2.0, 2.0));
    const QImage view = c->picNew->grab().toImage();
    const std::pair<QPoint, QRgb> pixels[] = {
        {{35, 36}, Background},       {{36, 36}, qRgb(255, 0, 0)},   {{163, 99}, qRgb(255, 0, 0)},
        {{36, 100}, qRgb(0, 0, 255)}, {{163, 163}, qRgb(0, 0, 255)}, {{164, 163}, Background}};
    for (const auto &[at, colour] : pixels)
        EXPECT_EQ(view.pixel(at), colour) << at.x() << "," << at.y();
    QTest::mouseMove(c->picNew, QPoint(41, 101));
    EXPECT_EQ(c->lblPointer->text(), u"x 2, y 32: red 0, green 0, blue 255, alpha 255"_s);
    // Fit from the view's menu: 200 / 64 for both.
    c->picNew->actions().at(2)->trigger();
    EXPECT_EQ(std::pair(c->picPrevious->scale(), c->picNew->scale()), std::pair(3.125, 3.125));
}
