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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWhatsThis>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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

// Mean absolute difference per channel between a decoded JPEG and the picture sampled at the
// nearest source pixel.
double meanDifference(const QImage &jpeg, int sw, int sh)
{
    const QList<QRgb> source = testPicture(sw, sh);
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

// Every value of every quantization table in the DQT segments before the first scan, read from
// the JPEG's markers (a table is 64 values of 8 bits, or of 16 when its first nibble is 1).
QList<int> quantizationValues(const QByteArray &jpeg)
{
    QList<int> values;
    const auto byte = [&](qsizetype i) { return i < jpeg.size() ? int(quint8(jpeg[i])) : 0; };
    for (qsizetype at = 2; byte(at) == 0xFF && byte(at + 1) != 0xDA;
         at += 2 + (byte(at + 2) << 8 | byte(at + 3))) {
        for (qsizetype t = at + 4;
             byte(at + 1) == 0xDB && t < at + 2 + (byte(at + 2) << 8 | byte(at + 3));) {
            const int wide = byte(t) >> 4;
            for (int i = 0; i < 64; ++i)
                values << (wide ? byte(t + 1 + 2 * i) << 8 | byte(t + 2 + 2 * i) : byte(t + 1 + i));
            t += 1 + 64 * (wide + 1);
        }
    }
    return values;
}

class ConverterTest : public ::testing::Test
{
protected:
    QString bitmap(const QString &name, int w, int h)
    {
        return home.write(name, HandBitmap::bitmap24(w, h, testPicture(w, h)));
    }
    // Opens source through the dialog and converts it.
    void convert(const QString &source)
    {
        prompts.answerOpen(source);
        QTest::mouseClick(converter.cmdOpen, Qt::LeftButton);
    }

    TestHome home;
    ScriptedPrompts prompts;
    RecordingOpener opener;
    frmJPEG converter {prompts, opener};
};

} // namespace

// The file is a JPEG of the highest quality: every value of its quantization tables is 1.
TEST_F(ConverterTest, AutoNameWritesAJpegOfTheHighestQualityBesideTheBitmap)
{
    const QString source = bitmap(u"art/kit.bmp"_s, 64, 48);
    converter.chkName->setChecked(true);
    convert(source);
    const QString target = home.file(u"art/kit.jpg"_s);
    ASSERT_EQ(prompts.messageTexts(), QStringList {target});
    EXPECT_EQ(prompts.last().icon, MessageIcon::Information);
    EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Save).empty());
    const auto opens = prompts.of(ScriptedPrompts::Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(std::pair(opens[0].title, opens[0].filters.value(0).description),
              std::pair(u"Select the bmp file"_s, u"Bitmap image"_s));

    const QByteArray jpeg = Bytes::readFile(target);
    const QList<int> tables = quantizationValues(jpeg);
    EXPECT_GE(tables.size(), 128); // luminance and chrominance
    EXPECT_EQ(tables, QList<int>(tables.size(), 1));
    const QImage read = QImage::fromData(jpeg, "JPEG");
    EXPECT_EQ(read.size(), QSize(64, 48));
    EXPECT_LT(meanDifference(read, 64, 48), 6.0);
    EXPECT_FALSE(converter.Image1->pixmap().isNull());

    // An existing JPEG is asked about; No leaves it.
    prompts.answerMessage(Answer::No);
    convert(source);
    EXPECT_EQ(prompts.last().text, target + u" already exists.\r\nDo you want to replace it?"_s);
    EXPECT_EQ(Bytes::readFile(target), jpeg);
}

TEST_F(ConverterTest, NamesOfTheSaveDialogAndOfAutoName)
{
    const QString source = bitmap(u"kit.bmp"_s, 16, 16);
    for (const auto &[answer, written] :
         {std::pair("kit", "kit.jpg"), {"kit.JPG", "kit.JPG.jpg"}, {"out.jpg", "out.jpg"}}) {
        prompts.answerSave(home.file(QString::fromLatin1(answer)));
        convert(source);
        EXPECT_EQ(prompts.last().text, home.file(QString::fromLatin1(written)));
        EXPECT_TRUE(Bytes::exists(home.file(QString::fromLatin1(written)))) << written;
    }
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Save).at(0).filters.value(0).pattern, u"*.jpg"_s);
    for (const auto &[bitmap, jpeg] : {std::pair("C:\\Art\\kit.bmp", "C:\\Art\\kit.jpg"),
                                       {"/a/ab", "/a/ab.jpg"},
                                       {"/a/pic.jpg", "/a/pic.jpg.jpg"},
                                       {"/a/my.dir/kit", "/a/my.dir/kit.jpg"}})
        EXPECT_EQ(JpegConversion::autoName(QString::fromUtf8(bitmap)), QString::fromUtf8(jpeg));

    // A cancelled save dialog clears the preview silently and writes nothing.
    const qsizetype messages = prompts.messageTexts().size();
    prompts.cancelSave();
    convert(source);
    EXPECT_TRUE(converter.Image1->pixmap().isNull());
    EXPECT_EQ(prompts.messageTexts().size(), messages);
    EXPECT_EQ(converter.picJPG().size(), QSize(16, 16)); // the bitmap stays loaded
}

TEST_F(ConverterTest, ResizeStretchesToExactlyTheTypedSize)
{
    converter.chkName->setChecked(true);
    converter.chkresize->setChecked(true);
    for (const QSize source : {QSize(800, 600), QSize(100, 100)}) {
        convert(bitmap(u"p%1.bmp"_s.arg(source.width()), source.width(), source.height()));
        const QImage jpeg(home.file(u"p%1.jpg"_s.arg(source.width())));
        EXPECT_EQ(jpeg.size(), QSize(640, 480));
        EXPECT_LT(meanDifference(jpeg, source.width(), source.height()), 8.0);
    }
    EXPECT_FALSE(converter.Image1->pixmap().isNull()); // the unscaled bitmap stays in view
}

// Shrinking averages: a one-pixel checkerboard halved is an even grey, not one of its colours.
TEST(JpegConversion, ShrinkingAveragesThePixelsItFolds)
{
    QImage board(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage half = JpegConversion::resized(board, 32, 32, qRgb(255, 0, 0));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            for (int shift : {16, 8, 0})
                ASSERT_NEAR(int(half.pixel(x, y) >> shift & 255), 128, 2) << x << ", " << y;
}

// A bitmap resized while its rows are read has exactly the pixels of Qt's smooth scaling of the
// whole picture: noise of odd sizes, bottom-up and top-down, and 8-bit pictures and sizes that
// grow, which are loaded whole.
TEST(JpegConversion, ResizingWhileReadingGivesQtsSmoothScaling)
{
    TestHome home;
    enum Kind { BottomUp, TopDown, Indexed };
    const int cases[][5] = {{64, 48, 32, 24, BottomUp}, {97, 61, 40, 13, TopDown},
                            {1000, 3, 17, 2, BottomUp}, {50, 50, 1, 1, TopDown},
                            {300, 7, 299, 6, Indexed},  {16, 16, 40, 9, BottomUp}};
    quint32 seed = 7;
    auto noise = [&] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    for (const auto &[sw, sh, dw, dh, kind] : cases) {
        QImage picture(sw, sh, kind == Indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
        QList<QRgb> colours(256), pixels;
        for (QRgb &colour : colours)
            colour = 0xff000000u | noise();
        if (kind == Indexed)
            picture.setColorTable(colours);
        QByteArray indexes;
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                indexes.append(char(noise()));
                picture.setPixel(x, y, kind == Indexed ? uint(quint8(indexes.back())) : noise());
            }
        // Stored bottom row first, a top-down file's rows are the picture's turned upside down.
        const QImage stored = kind == TopDown ? picture.mirrored() : picture;
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x)
                pixels << stored.pixel(x, y);
        QByteArray file = kind == Indexed ? HandBitmap::indexed(sw, sh, indexes, colours, {})
                                          : HandBitmap::bitmap24(sw, sh, pixels);
        if (kind == TopDown)
            Bytes::put32(file, 22, -sh);
        const QString path = home.write(u"n%1.bmp"_s.arg(sw), file);
        EXPECT_EQ(JpegConversion::loadResized(path, dw, dh, 0xFFFFFFFF),
                  JpegConversion::resized(picture, dw, dh, 0xFFFFFFFF))
            << sw << "x" << sh << " to " << dw << "x" << dh;
    }
}

// Ticking Resize enables the size frame; a bad size is refused before the file dialogs and is
// stored all the same.
TEST_F(ConverterTest, BadSizesAreRefusedBeforeTheFileDialogsAndStillStored)
{
    EXPECT_EQ(converter.windowTitle(), u"Bmp -> Jpg"_s);
    EXPECT_EQ(converter.txtWidth->text() + u'x' + converter.txtHeight->text(), u"640x480"_s);
    EXPECT_TRUE(converter.cmdOpen->isDefault());
    EXPECT_FALSE(converter.Frame1->isEnabled());
    QTest::mouseClick(converter.chkresize, Qt::LeftButton);
    EXPECT_TRUE(converter.Frame1->isEnabled());
    const char *cases[][3] = {{"abc", "480", "Type mismatch"},
                              {"640", "", "Type mismatch"},
                              {"0", "480", "width 0"},
                              {"640", "16385", "height 16385"},
                              {"-3", "480", "width -3"}};
    for (const auto &[width, height, says] : cases) {
        converter.txtWidth->setText(QString::fromLatin1(width));
        converter.txtHeight->setText(QString::fromLatin1(height));
        QTest::mouseClick(converter.cmdOpen, Qt::LeftButton);
        EXPECT_TRUE(prompts.last().text.contains(QString::fromLatin1(says)))
            << prompts.last().text.toStdString();
        EXPECT_EQ(prompts.last().icon, MessageIcon::Critical);
        EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Open).empty());
        EXPECT_TRUE(converter.Image1->pixmap().isNull());
    }
    converter.txtWidth->setText(u"abc"_s);
    QTest::mouseClick(converter.chkresize, Qt::LeftButton);
    EXPECT_FALSE(converter.Frame1->isEnabled());
    converter.show();
    converter.close();
    EXPECT_EQ(Settings::read(Settings::WidthKey), u"abc"_s);
    EXPECT_EQ(Settings::read(Settings::HeightKey), u"480"_s);
}

TEST_F(ConverterTest, AFailedSaveShowsThePathThenTheReasonAndKeptFilesAreRefused)
{
    const QString source = bitmap(u"kit.bmp"_s, 8, 8);
    prompts.answerSave(home.file(u"no/such/folder/kit"_s));
    convert(source);
    const QString target = home.file(u"no/such/folder/kit.jpg"_s);
    EXPECT_EQ(prompts.messageTexts(),
              (QStringList {target, u"Cannot create %1: No such file or directory"_s.arg(target)}));
    EXPECT_EQ(prompts.last().icon, MessageIcon::Critical);

    // A file that is no picture is reported by name.
    const QString junk = home.write(u"junk.bmp"_s, "not a picture");
    convert(junk);
    EXPECT_TRUE(prompts.last().text.contains(junk));

    // No JPEG lands on a file the window keeps (the GOB file), also through a link.
    const QString gob = home.write(u"g_pc.gob"_s, "gob");
    converter.keep = {gob};
    QFile::link(gob, home.file(u"g.jpg"_s));
    prompts.answerSave(home.file(u"g"_s));
    convert(source);
    EXPECT_TRUE(prompts.last().text.contains(gob + u", which"_s));
    EXPECT_EQ(Bytes::readFile(gob), QByteArray("gob"));
}

TEST_F(ConverterTest, F1OpensThePageOfTheFocusedControlAndShiftF1EntersContextHelp)
{
    converter.chkresize->setChecked(true);
    converter.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&converter));
    const std::pair<QWidget *, const char *> cases[] = {{converter.txtHeight, "206.htm"},
                                                        {converter.cmdOpen, "203.htm"},
                                                        {converter.chkName, "202.htm"},
                                                        {converter.txtWidth, "205.htm"}};
    for (const auto &[control, page] : cases) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F1);
        ASSERT_FALSE(opener.urls.isEmpty());
        EXPECT_EQ(opener.urls.last().fileName(), QString::fromLatin1(page));
    }
    QTest::keyClick(converter.txtWidth, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}
