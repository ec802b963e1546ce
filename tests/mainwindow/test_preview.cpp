#include "../cli/clirunner.h"
#include "bytes.h"
#include "handgob.h"
#include "mainwindowfixture.h"

#include "mainwindow/twips.h"
#include "services/apppath.h"
#include "services/imaging.h"
#include "services/pictureview.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

constexpr QRgb Background = MainModule::PreviewBackground | 0xFF000000;

// HandGob's palette entry k: red k, green 255 - k, blue k / 2.
QRgb colourOf(int k)
{
    return qRgb(k, 255 - k, k / 2);
}

int oddOpaque(int k)
{
    return k % 2 ? 255 : 0;
}

// A 5 x 3 record (a width that is no multiple of 4) at 0-based 300.
const QByteArray OddPixels = Bytes::pattern(15, 40);
QByteArray oddRecordGob()
{
    return HandGob::withAt(4000, 300,
                           HandGob::imageRecord(5, 3, OddPixels, HandGob::palette(oddOpaque)));
}

// The checked and enabled states of the four rotation items, as "c-e-e-e" ('c' checked and
// disabled, 'e' unchecked and enabled, '?' anything else).
QString rotationStates(const frmMain &w)
{
    QStringList s;
    for (QAction *a : w.mnuRotate)
        s << (a->isChecked() && !a->isEnabled()       ? QStringLiteral("c")
                  : !a->isChecked() && a->isEnabled() ? QStringLiteral("e")
                                                      : QStringLiteral("?"));
    return s.join(u'-');
}

const Canvas &preview(const frmMain &w)
{
    return w.picPreview->canvas();
}

} // namespace

TEST_F(MainWindowTest, OddWidthRecordIsShownInStoredRowOrderAndTurnedByTheViewMenu)
{
    startOnHand(QStringLiteral("Odd,1,301,Only"), oddRecordGob());
    ASSERT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()).size(), 1078 + 24); // padded rows
    EXPECT_EQ(rotationStates(*window), QStringLiteral("c-e-e-e"));
    // Unrotated: code 6, so the first stored row is on top.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(preview(*window).pixel(x, y), colourOf(quint8(OddPixels[y * 5 + x])))
                << x << "," << y;
    EXPECT_EQ(preview(*window).pixel(5, 0), Background);

    // Rotate 90 Degree: 3 wide, 5 high; the stored picture turned a quarter clockwise.
    window->mnuRotate[1]->trigger();
    EXPECT_EQ(rotationStates(*window), QStringLiteral("e-c-e-e"));
    EXPECT_TRUE(window->mnuAutoTrans->isEnabled());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            ASSERT_EQ(preview(*window).pixel(x, y), colourOf(quint8(OddPixels[(2 - x) * 5 + y])));
    EXPECT_EQ(preview(*window).pixel(3, 0), Background);
    EXPECT_EQ(window->selection.width, 5); // not changed by a turn of an image record

    // Rotate 180 Degree is code 4, a left-right mirror of the loaded (upside-down) bitmap: the
    // last stored pixel comes first.
    window->mnuRotate_Click(2);
    EXPECT_EQ(rotationStates(*window), QStringLiteral("e-e-c-e"));
    EXPECT_EQ(preview(*window).pixel(0, 0), colourOf(quint8(OddPixels[14])));
    EXPECT_EQ(preview(*window).pixel(4, 2), colourOf(quint8(OddPixels[0])));
    // Rotate 270 Degree is code 7: 3 wide, 5 high, the first stored row's last pixel on top left.
    window->mnuRotate_Click(3);
    EXPECT_EQ(rotationStates(*window), QStringLiteral("e-e-e-c"));
    EXPECT_EQ(preview(*window).drawnSize(), QSize(3, 5));
    EXPECT_EQ(preview(*window).pixel(0, 0), colourOf(quint8(OddPixels[4])));

    // The transparent preview is never turned and moves the check back to Rotate None.
    window->mnuTransparent->trigger();
    EXPECT_EQ(rotationStates(*window), QStringLiteral("c-e-e-e"));
    EXPECT_FALSE(window->mnuTransparent->isChecked());
    for (int x = 0; x < 5; ++x) {
        const int k = quint8(OddPixels[x]);
        EXPECT_EQ(preview(*window).pixel(x, 0), k % 2 ? colourOf(k) : Background) << x;
    }
}

TEST_F(MainWindowTest, WholeFileTurnsStoreTheUnturnedSizeAndKeepAutoTransparentDisabled)
{
    startOnSample();
    window->lstItem->setCurrentRow(7); // $png Team logo: captions from fields 4 and 7
    ASSERT_EQ(window->opnSubFile.size(), 3u);
    EXPECT_EQ(window->opnSubFile[1]->text(), QStringLiteral("Small"));
    EXPECT_EQ(window->opnSubFile[2]->text(), QStringLiteral("Large"));
    EXPECT_EQ(window->opnSubFile[2]->y(), Twips::toPixels(600));
    window->lstItem->setCurrentRow(8); // $png Menu background, 96 x 64
    EXPECT_EQ(window->selection.width, 96);
    EXPECT_EQ(window->selection.height, 64);
    EXPECT_FALSE(window->mnuAutoTrans->isEnabled());
    window->mnuRotate[1]->trigger(); // code 1
    EXPECT_EQ(window->selection.width, 96);
    EXPECT_EQ(window->selection.height, 64);
    EXPECT_EQ(preview(*window).drawnSize(), QSize(64, 96));
    EXPECT_FALSE(window->mnuAutoTrans->isEnabled());
    EXPECT_EQ(rotationStates(*window), QStringLiteral("e-c-e-e"));

    // Auto preview transparent is checked (the default setting): a bitmap entry chosen now is
    // drawn transparent, and the option stays disabled until the next turn.
    ASSERT_TRUE(window->mnuAutoTrans->isChecked());
    window->lstItem->setCurrentRow(3); // Ball: fully transparent around the ball
    EXPECT_EQ(preview(*window).pixel(0, 0), Background);
    EXPECT_FALSE(window->mnuAutoTrans->isEnabled());
    EXPECT_EQ(rotationStates(*window), QStringLiteral("c-e-e-e"));
    window->mnuRotate_Click(0);
    EXPECT_TRUE(window->mnuAutoTrans->isEnabled());
    EXPECT_NE(preview(*window).pixel(0, 0), Background); // colour 0 drawn opaque

    // Toggling the option redraws nothing.
    const QImage before = preview(*window).image();
    window->mnuAutoTrans_Click();
    EXPECT_FALSE(window->mnuAutoTrans->isChecked());
    EXPECT_EQ(preview(*window).image(), before);
    window->mnuAutoTrans->trigger(); // the menu item toggles it too
    EXPECT_TRUE(window->mnuAutoTrans->isChecked());
}

TEST_F(MainWindowTest, AnyMouseButtonReleasedOverThePreviewOpensTheViewMenu)
{
    startOnSample();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(window->picPreview, button, {}, QPoint(5, 5));
        EXPECT_TRUE(window->mnuPopup->isVisible()) << button;
        window->mnuPopup->hide();
    }
    // The same menu stays on the menu bar.
    EXPECT_TRUE(window->menuBar()->actions().contains(window->mnuPopup->menuAction()));
}

TEST_F(MainWindowTest, LargeRecordsScrollInThePreviewAndEveryOneOf5000SubFilesIsReachable)
{
    // An entry of 5000 sub files, 1500300 twips of buttons, the first with a caption too long
    // for the panel.
    home.writeSampleGame();
    QString line = QStringLiteral("Many,5000");
    for (int i = 1; i <= 5000; ++i)
        line += QStringLiteral(",4134,Part %1").arg(i) + (i == 1 ? QString(60, u'x') : QString());
    home.write(QStringLiteral("BmpList.txt"),
               Bytes::readFile(home.file(QStringLiteral("BmpList.txt"))) + line.toUtf8() + "\r\n");
    gob = home.file(QStringLiteral("Torvane/data/torvane_pc.gob"));
    Settings::save(Settings::GobKey, gob);
    ASSERT_TRUE(start());
    window->resize(1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->lstItem->setCurrentRow(5); // Pitch, 1024 x 1024
    EXPECT_EQ(window->picPreview->size(), QSize(1024, 1024));
    QCoreApplication::processEvents(); // the scroll area lays itself out
    EXPECT_TRUE(window->previewArea->verticalScrollBar()->isVisible());
    EXPECT_TRUE(window->previewArea->horizontalScrollBar()->isVisible());
    window->lstItem->setCurrentRow(1); // 256 x 128 fits: the canvas shrinks to the view again
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->previewArea->verticalScrollBar()->isVisible());
    EXPECT_EQ(window->picPreview->size(), window->previewArea->viewport()->size());

    window->lstItem->setCurrentRow(9);
    const int h = window->subFileAreaTwips();
    EXPECT_EQ(window->picContainer->height(), Twips::toPixels(1500300));
    EXPECT_EQ(window->VScroll1->maximum(), 1500300 - h + 100);
    EXPECT_TRUE(window->VScroll1->isVisible());
    EXPECT_EQ(window->opnSubFile[5000]->text(), QStringLiteral("Part 5000"));
    EXPECT_EQ(window->opnSubFile[5000]->y(), Twips::toPixels(1500000));
    EXPECT_TRUE(window->opnSubFile[1]->text().endsWith(QString(60, u'x')));
    EXPECT_TRUE(window->opnSubFile[1]->isElided());
    EXPECT_LE(window->opnSubFile[1]->geometry().right(), window->picContainer->width());
    EXPECT_EQ(window->picContainer->y(), Twips::toPixels(50));

    // A key press moves to the next sub file and brings it into view.
    window->opnSubFile[3999]->setChecked(true);
    window->VScroll1->setValue(0);
    QTest::keyClick(window->opnSubFile[3999], Qt::Key_Down);
    EXPECT_EQ(window->selection.subFile, 4000);
    EXPECT_EQ(QApplication::focusWidget(), window->opnSubFile[4000]);
    const int top = window->opnSubFile[4000]->mapTo(window->picContainerHost, QPoint()).y();
    EXPECT_GE(top, 0);
    EXPECT_LE(top + window->opnSubFile[4000]->height(), window->picContainerHost->height());
    QTest::keyClick(window->opnSubFile[4000], Qt::Key_End);
    EXPECT_EQ(window->selection.subFile, 5000);
    EXPECT_EQ(window->VScroll1->value(), window->VScroll1->maximum());
    const int bottom = window->picContainer->y() + window->picContainer->height();
    EXPECT_NEAR(bottom, Twips::toPixels(h - 50), 1);

    window->lstItem->setCurrentRow(0); // six sub files fit: no scroll bar
    EXPECT_FALSE(window->VScroll1->isVisible());
    EXPECT_EQ(window->picContainer->y(), Twips::toPixels(50));
}

TEST_F(MainWindowTest, CommandLinePreviewIsPixelForPixelWhatTheWindowShows)
{
    startOnSample();
    const QString catalogue = home.file(QStringLiteral("BmpList.txt"));
    const auto cli = [&](int entry, const QStringList &view) {
        const QString out = home.file(QStringLiteral("cli.png"));
        QFile::remove(out);
        const CliResult r = runCli(home,
                                   recordArgs(QStringLiteral("preview"), catalogue, gob, entry)
                                       + QStringList {QStringLiteral("--out"), out} + view);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QImage(out).convertToFormat(QImage::Format_RGB32);
    };
    const auto shownPart = [&] {
        const Canvas &c = preview(*window);
        return c.image()
            .copy(QRect(QPoint(0, 0), c.drawnSize()))
            .convertToFormat(QImage::Format_RGB32);
    };

    window->lstItem->setCurrentRow(2); // Crowd banner, 50 x 30
    window->mnuRotate_Click(1);
    EXPECT_EQ(cli(2, {QStringLiteral("--rotate"), QStringLiteral("1")}), shownPart());
    EXPECT_EQ(shownPart().size(), QSize(30, 50));
    window->lstItem->setCurrentRow(4); // Scoreboard glass: alpha from 0 to 255
    window->mnuTransparent_Click();
    EXPECT_EQ(cli(4, {QStringLiteral("--transparent")}), shownPart());
    window->lstItem->setCurrentRow(7); // Team logo, a PNG
    window->mnuRotate_Click(3);
    EXPECT_EQ(cli(7, {QStringLiteral("--rotate"), QStringLiteral("3")}), shownPart());
}
