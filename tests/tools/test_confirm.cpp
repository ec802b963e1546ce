#include "../mainwindow/mainwindowfixture.h"
#include "bytes.h"
#include "handbitmap.h"
#include "handgob.h"

#include "services/apppath.h"
#include "services/imaging.h"
#include "services/pictureview.h"
#include "tools/frmconfirm.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

constexpr QRgb Background = MainModule::PreviewBackground | 0xFF000000;
constexpr int StadiumBoard = 1;
constexpr int TeamLogo = 7;

// Every pixel of the view is the background.
bool blank(const PictureView *view)
{
    const QImage &image = view->canvas().image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000) != Background)
                return false;
    return true;
}

class ConfirmTest : public MainWindowTest
{
protected:
    // The confirmation loaded for the file and shown without a modal loop.
    std::unique_ptr<frmConfirm> load(const QString &file)
    {
        auto confirm = std::make_unique<frmConfirm>(*window);
        confirm->strFile = file;
        confirm->Form_Load();
        confirm->show();
        return confirm;
    }
};

} // namespace

TEST_F(ConfirmTest, TheRecordsOwnExportMatchesAndEnablesYes)
{
    startOnSample();
    window->lstItem->setCurrentRow(StadiumBoard);
    const QString same =
        home.write(QStringLiteral("same.bmp"), Bytes::readFile(MainModule::scratchBitmapPath()));
    auto c = load(same);
    EXPECT_EQ(c->windowTitle(), QStringLiteral("Torvane Kestrix      Preview"));
    EXPECT_EQ(c->Label1->text(), QStringLiteral("Are you sure to replace the file ?"));
    EXPECT_EQ(c->Label2->text(), QStringLiteral("Previous Image"));
    EXPECT_EQ(c->Label3->text(), QStringLiteral("New Image"));
    EXPECT_EQ(c->chkTransparent->text(), QStringLiteral("&Transparent *"));
    EXPECT_EQ(c->Label4->text(),
              QStringLiteral("* Image palette must be formated correctly in "
                             "oder to get transparent image in-game"));
    EXPECT_EQ(c->cmdYes->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(c->cmdNo->text(), QStringLiteral("&No"));
    EXPECT_EQ(c->picPrevious->geometry(), QRect(8, 56, 200, 200));
    EXPECT_EQ(c->picNew->geometry(), QRect(224, 56, 200, 200));
    EXPECT_EQ(c->cmdYes->geometry().topLeft(), QPoint(133, 294));

    EXPECT_EQ(c->lblPrevious->text(), QStringLiteral("256 x 128\r\n198659"));
    EXPECT_EQ(c->lblNew->text(), QStringLiteral("256 x 128\r\n198659"));
    EXPECT_TRUE(c->cmdYes->isEnabled());
    EXPECT_TRUE(c->chkTransparent->isEnabled());
    EXPECT_FALSE(c->chkTransparent->isChecked());
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    // An opaque palette: the transparent draw of the record equals the plain mirrored draw.
    EXPECT_EQ(c->picPrevious->canvas().image(), c->picNew->canvas().image());
    EXPECT_FALSE(blank(c->picNew));
}

TEST_F(ConfirmTest, ATrueColourPictureIsShownAsItWillBeStoredAndOtherSizesAreRefused)
{
    startOnSample();
    window->lstItem->setCurrentRow(StadiumBoard);
    const qsizetype pixels = window->selection.offset - 1 + 112;
    auto c = load(home.write(QStringLiteral("rgb.bmp"),
                             HandBitmap::bitmap24(256, 128, QList<QRgb>(32768, 0xFF336699))));
    EXPECT_EQ(c->lblNew->text(), QStringLiteral("256 x 128\r\n137224"));
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_FALSE(c->chkTransparent->isEnabled()); // the picture's alpha is kept
    EXPECT_EQ(c->lblConversion->text(), QStringLiteral("quantized to 1 colour, mean error 0.00"));
    EXPECT_EQ(c->picNew->canvas().pixel(100, 100), qRgb(0x33, 0x66, 0x99));
    // One colour: every pixel index 0, entry 0 the colour, the others opaque black.
    QByteArray expected = Bytes::readFile(gob);
    expected.replace(pixels, 32768 + 4,
                     QByteArray(32768, '\0') + Bytes::of({0x33, 0x66, 0x99, 255}));
    for (int k = 1; k < 256; ++k)
        expected.replace(pixels + 32768 + 4 * k, 4, Bytes::of({0, 0, 0, 255}));
    QTest::mouseClick(c->cmdYes, Qt::LeftButton);
    EXPECT_EQ(Bytes::readFile(gob), expected);
    EXPECT_EQ(prompts.messageTexts(), QStringList {QStringLiteral("Imported Successfully")});

    // Another size, and a file that is no image (0 x 0), are refused for good.
    for (const QByteArray &bytes :
         {HandBitmap::bitmap24(255, 128, QList<QRgb>(255 * 128, 0xFF336699)), QByteArray("no")}) {
        prompts.clear();
        auto refused = load(home.write(QStringLiteral("refused.bmp"), bytes));
        ASSERT_EQ(prompts.messageTexts(), QStringList {QStringLiteral("Image type are not same")});
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
    startOnHand(QStringLiteral("Clear,1,101,Only"), HandGob::withAt(3000, 100, record));
    auto c = load(
        home.write(QStringLiteral("same.bmp"), Bytes::readFile(MainModule::scratchBitmapPath())));
    EXPECT_TRUE(c->cmdYes->isEnabled());
    EXPECT_TRUE(blank(c->picPrevious));
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
    auto c = load(home.write(QStringLiteral("rgb.png"), HandBitmap::png(picture)));
    EXPECT_FALSE(c->chkTransparent->isEnabled());
    EXPECT_EQ(c->lblPrevious->text(), QStringLiteral("64 x 64\r\n2498570"));
    EXPECT_EQ(c->lblNew->text(), QStringLiteral("64 x 64\r\n137224"));
    EXPECT_EQ(prompts.messageTexts(), QStringList {QStringLiteral("Image type are not same")});
    EXPECT_FALSE(c->cmdYes->isEnabled());
    EXPECT_EQ(c->picNew->canvas().pixel(100, 20), qRgb(255, 0, 0)); // not mirrored
    EXPECT_EQ(c->picNew->canvas().pixel(100, 180), qRgb(0, 0, 255));
    // The logo's corners are transparent: drawn plainly they show the background.
    EXPECT_EQ(c->picPrevious->canvas().pixel(1, 1) | 0xFF000000, Background);
    EXPECT_NE(c->picPrevious->canvas().pixel(100, 100) | 0xFF000000, Background);
}
