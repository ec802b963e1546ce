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

TEST_F(ConfirmTest, ATwentyFourBitFileIsRefusedAndYesStaysDisabled)
{
    startOnSample();
    window->lstItem->setCurrentRow(StadiumBoard);
    const QByteArray before = Bytes::sha256(gob);
    const QString rgb = home.write(QStringLiteral("rgb.bmp"),
                                   HandBitmap::bitmap24(256, 128, QList<QRgb>(32768, 0xFF336699)));
    auto c = load(rgb);
    EXPECT_EQ(c->lblPrevious->text(), QStringLiteral("256 x 128\r\n198659"));
    EXPECT_EQ(c->lblNew->text(), QStringLiteral("256 x 128\r\n137224"));
    ASSERT_EQ(prompts.messageTexts(), QStringList {QStringLiteral("Image type are not same")});
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
    EXPECT_EQ(prompts.lastMessage()->title, QStringLiteral("Kestrix"));
    EXPECT_FALSE(c->cmdYes->isEnabled());
    c->chkTransparent->setChecked(true);
    c->chkTransparent->setChecked(false);
    EXPECT_FALSE(c->cmdYes->isEnabled()); // for good
    // A file that is no image reads 0 x 0 and 0.
    auto none = load(home.write(QStringLiteral("none.bmp"), "nothing"));
    EXPECT_EQ(none->lblNew->text(), QStringLiteral("0 x 0\r\n0"));
    EXPECT_FALSE(none->cmdYes->isEnabled());
    EXPECT_TRUE(blank(none->picNew));
    none->cmdNo->click();
    EXPECT_EQ(Bytes::sha256(gob), before);
}

TEST_F(ConfirmTest, TickingTheBoxShowsTheNewBitmapsOwnAlpha)
{
    startOnSample();
    window->lstItem->setCurrentRow(StadiumBoard);
    QByteArray bitmap = Bytes::readFile(MainModule::scratchBitmapPath());
    for (int k = 0; k < 256; ++k)
        bitmap[54 + 4 * k + 3] = 0;
    auto c = load(home.write(QStringLiteral("clear.bmp"), bitmap));
    EXPECT_TRUE(c->cmdYes->isEnabled());
    const QImage plain = c->picNew->canvas().image();
    EXPECT_FALSE(blank(c->picNew));
    c->chkTransparent->setChecked(true);
    EXPECT_TRUE(blank(c->picNew)); // vanished
    c->chkTransparent->setChecked(false);
    EXPECT_EQ(c->picNew->canvas().image(), plain);
}

TEST_F(ConfirmTest, ARecordWithAlphaZeroThroughoutShowsAnEmptyPreviousView)
{
    const QByteArray record =
        HandGob::imageRecord(8, 8, Bytes::pattern(64, 1), HandGob::palette([](int) { return 0; }));
    startOnHand(QStringLiteral("Clear,1,101,Only"), HandGob::withAt(3000, 100, record));
    auto c = load(
        home.write(QStringLiteral("same.bmp"), Bytes::readFile(MainModule::scratchBitmapPath())));
    EXPECT_TRUE(blank(c->picPrevious));
    EXPECT_FALSE(blank(c->picNew)); // the new image is drawn without transparency
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
