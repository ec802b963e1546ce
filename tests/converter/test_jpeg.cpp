#include "bytes.h"
#include "handbitmap.h"
#include "recordingopener.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "converter/frmjpeg.h"
#include "converter/jpegconversion.h"
#include "services/settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWhatsThis>

#include <gtest/gtest.h>

namespace {

// A picture with a left-right red-to-blue ramp and a green band across the middle.
QList<QRgb> testPicture(int w, int h)
{
    QList<QRgb> p;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p << (y > h / 3 && y < 2 * h / 3 ? qRgb(20, 200, 40)
                                             : qRgb(255 * x / w, 40, 255 - 255 * x / w));
    return p;
}

// Mean absolute difference per channel between a decoded JPEG and the picture scaled by an
// independent route (QImage::scaled with nearest neighbour of the source grid).
double meanDifference(const QImage &jpeg, const QList<QRgb> &source, int sw, int sh)
{
    double sum = 0;
    for (int y = 0; y < jpeg.height(); ++y)
        for (int x = 0; x < jpeg.width(); ++x) {
            const QRgb a = jpeg.pixel(x, y);
            const QRgb b = source[(y * sh / jpeg.height()) * sw + x * sw / jpeg.width()];
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b))
                + std::abs(qBlue(a) - qBlue(b));
        }
    return sum / (3.0 * jpeg.width() * jpeg.height());
}

class ConverterTest : public ::testing::Test
{
protected:
    void SetUp() override { converter = std::make_unique<frmJPEG>(prompts, opener); }

    QString bitmap(const QString &name, int w, int h)
    {
        return home.write(name, HandBitmap::bitmap24(w, h, testPicture(w, h)));
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingOpener opener;
    std::unique_ptr<frmJPEG> converter;
};

} // namespace

TEST_F(ConverterTest, FirstUseShowsTheDefaultsAndResizeEnablesTheFrame)
{
    EXPECT_EQ(converter->windowTitle(), QStringLiteral("Bmp -> Jpg"));
    EXPECT_EQ(converter->txtWidth->text(), QStringLiteral("640"));
    EXPECT_EQ(converter->txtHeight->text(), QStringLiteral("480"));
    EXPECT_FALSE(converter->Frame1->isEnabled());
    EXPECT_TRUE(converter->cmdOpen->isDefault());
    converter->chkresize->click();
    EXPECT_TRUE(converter->Frame1->isEnabled());
    converter->txtWidth->setText(QStringLiteral("abc"));
    converter->chkresize->click();
    EXPECT_FALSE(converter->Frame1->isEnabled());
    EXPECT_EQ(converter->txtWidth->text(), QStringLiteral("abc"));
}

TEST_F(ConverterTest, AutoNameWritesBesideTheBitmapAndShowsThePath)
{
    const QString source = bitmap(QStringLiteral("art/kit.bmp"), 64, 48);
    converter->chkName->setChecked(true);
    prompts.answerOpen(source);
    converter->cmdOpen->click();
    const QString target = home.file(QStringLiteral("art/kit.jpg"));
    ASSERT_EQ(prompts.messageTexts(), QStringList {target});
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Information);
    EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Save).empty());
    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    EXPECT_EQ(opens[0].title, QStringLiteral("Select the bmp file"));
    EXPECT_EQ(opens[0].filters.at(0).description, QStringLiteral("Bitmap image"));

    QImageReader reader(target);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage jpeg = reader.read();
    EXPECT_EQ(jpeg.size(), QSize(64, 48));
    EXPECT_LT(meanDifference(jpeg, testPicture(64, 48), 64, 48), 6.0);
    EXPECT_FALSE(converter->Image1->pixmap().isNull());

    // An existing JPEG is asked about; No leaves it.
    const QByteArray before = Bytes::readFile(target);
    prompts.answerOpen(source);
    prompts.answerMessage(Answer::No);
    converter->cmdOpen->click();
    EXPECT_EQ(prompts.lastMessage()->text,
              target + QStringLiteral(" already exists.\r\nDo you want to replace it?"));
    EXPECT_EQ(Bytes::readFile(target), before);
}

TEST_F(ConverterTest, SaveDialogAnswersGetJpgUnlessTheyEndInExactlyJpg)
{
    const QString source = bitmap(QStringLiteral("kit.bmp"), 16, 16);
    const struct
    {
        const char *answer;
        const char *written;
    } cases[] = {{"kit", "kit.jpg"}, {"kit.JPG", "kit.JPG.jpg"}, {"out.jpg", "out.jpg"}};
    for (const auto &c : cases) {
        prompts.answerOpen(source);
        prompts.answerSave(home.file(QString::fromLatin1(c.answer)));
        converter->cmdOpen->click();
        EXPECT_TRUE(Bytes::exists(home.file(QString::fromLatin1(c.written)))) << c.written;
        EXPECT_EQ(prompts.messageTexts().last(), home.file(QString::fromLatin1(c.written)));
    }
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Save).at(0).filters.at(0).pattern,
              QStringLiteral("*.jpg"));
    for (const auto &[bitmap, jpeg] : {std::pair {"C:\\Art\\kit.bmp", "C:\\Art\\kit.jpg"},
                                       {"/a/ab", "/a/ab.jpg"},
                                       {"/a/pic.jpg", "/a/pic.jpg.jpg"},
                                       {"/a/my.dir/kit", "/a/my.dir/kit.jpg"}})
        EXPECT_EQ(JpegConversion::autoName(QString::fromUtf8(bitmap)), QString::fromUtf8(jpeg));

    // A cancelled save dialog clears the preview silently and writes nothing.
    const int messages = int(prompts.messageTexts().size());
    prompts.answerOpen(source);
    prompts.cancelSave();
    converter->cmdOpen->click();
    EXPECT_TRUE(converter->Image1->pixmap().isNull());
    EXPECT_EQ(prompts.messageTexts().size(), messages);
    EXPECT_EQ(converter->picJPG().size(), QSize(16, 16)); // the bitmap stays loaded
}

TEST_F(ConverterTest, ResizeStretchesToExactlyTheTypedSize)
{
    converter->chkName->setChecked(true);
    converter->chkresize->setChecked(true);
    for (const QSize source : {QSize(800, 600), QSize(100, 100)}) {
        const QString name = QStringLiteral("p%1.bmp").arg(source.width());
        prompts.answerOpen(bitmap(name, source.width(), source.height()));
        converter->cmdOpen->click();
        const QImage jpeg(home.file(QStringLiteral("p%1.jpg").arg(source.width())));
        EXPECT_EQ(jpeg.size(), QSize(640, 480));
        EXPECT_LT(meanDifference(jpeg, testPicture(source.width(), source.height()), source.width(),
                                 source.height()),
                  8.0);
    }
    // The unscaled bitmap stays in the preview box.
    EXPECT_FALSE(converter->Image1->pixmap().isNull());
}

TEST_F(ConverterTest, BadSizesAreRefusedBeforeTheFileDialogsAndStillStored)
{
    converter->chkresize->setChecked(true);
    const struct
    {
        const char *width;
        const char *height;
        const char *says;
    } cases[] = {{"abc", "480", "Type mismatch"},
                 {"640", "", "Type mismatch"},
                 {"0", "480", "width 0"},
                 {"640", "16385", "height 16385"},
                 {"-3", "480", "width -3"}};
    for (const auto &c : cases) {
        converter->txtWidth->setText(QString::fromLatin1(c.width));
        converter->txtHeight->setText(QString::fromLatin1(c.height));
        converter->cmdOpen->click();
        EXPECT_TRUE(prompts.messageTexts().last().contains(QString::fromLatin1(c.says)))
            << prompts.messageTexts().last().toStdString();
        EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);
        EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Open).empty());
        EXPECT_TRUE(converter->Image1->pixmap().isNull());
    }
    converter->txtWidth->setText(QStringLiteral("abc"));
    converter->show();
    converter->close();
    EXPECT_EQ(Settings::read(Settings::WidthKey), QStringLiteral("abc"));
    EXPECT_EQ(Settings::read(Settings::HeightKey), QStringLiteral("480"));
}

TEST_F(ConverterTest, AFailedSaveShowsThePathThenTheReasonAndKeptFilesAreRefused)
{
    const QString source = bitmap(QStringLiteral("kit.bmp"), 8, 8);
    prompts.answerOpen(source);
    prompts.answerSave(home.file(QStringLiteral("no/such/folder/kit")));
    converter->cmdOpen->click();
    const QStringList texts = prompts.messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], home.file(QStringLiteral("no/such/folder/kit.jpg")));
    EXPECT_EQ(texts[1],
              QStringLiteral("Cannot create %1: No such file or directory").arg(texts[0]));
    EXPECT_EQ(prompts.lastMessage()->icon, MessageIcon::Critical);

    // A file that is no picture is reported by name.
    const QString junk = home.write(QStringLiteral("junk.bmp"), "not a picture");
    prompts.answerOpen(junk);
    converter->cmdOpen->click();
    EXPECT_TRUE(prompts.messageTexts().last().contains(junk));

    // No JPEG lands on a file the window keeps (the GOB file), also through a link.
    const QString gob = home.write(QStringLiteral("g_pc.gob"), "gob");
    converter->keep = {gob};
    QFile::link(gob, home.file(QStringLiteral("g.jpg")));
    prompts.answerOpen(source);
    prompts.answerSave(home.file(QStringLiteral("g")));
    converter->cmdOpen->click();
    EXPECT_TRUE(prompts.messageTexts().last().contains(gob + QStringLiteral(", which")));
    EXPECT_EQ(Bytes::readFile(gob), QByteArray("gob"));
}

TEST_F(ConverterTest, F1OpensThePageOfTheFocusedControlAndShiftF1EntersContextHelp)
{
    converter->chkresize->setChecked(true);
    converter->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(converter.get()));
    const std::pair<QWidget *, const char *> cases[] = {{converter->txtHeight, "206.htm"},
                                                        {converter->cmdOpen, "203.htm"},
                                                        {converter->chkName, "202.htm"},
                                                        {converter->txtWidth, "205.htm"}};
    for (const auto &[control, page] : cases) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F1);
        ASSERT_FALSE(opener.urls.isEmpty());
        EXPECT_EQ(opener.urls.last().fileName(), QString::fromLatin1(page));
    }
    QTest::keyClick(converter->txtWidth, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}

#include "mainwindowfixture.h"

#include <QApplication>
#include <QTimer>

TEST_F(MainWindowTest, BmpToJpgOpensTheConverterModallyOverTheMainWindow)
{
    startOnSample();
    QString shownTitle;
    bool modal = false;
    QWidget *owner = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            return;
        shownTitle = w->windowTitle();
        modal = w->isModal();
        owner = w->parentWidget();
        w->close();
    });
    window->mnuJPG->trigger();
    EXPECT_EQ(shownTitle, QStringLiteral("Bmp -> Jpg"));
    EXPECT_TRUE(modal);
    EXPECT_EQ(owner, window.get());
    EXPECT_EQ(Settings::read(Settings::WidthKey), QStringLiteral("640"));
}
