#include "handgob.h"
#include "mainwindowfixture.h"

#include "services/imaging.h"

#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb Background = MainModule::PreviewBackground | 0xFF000000;

// The checked and enabled states of the four rotation items, as "c-e-e-e" ('c' checked and
// disabled, 'e' unchecked and enabled, '?' anything else).
QString rotationStates(const frmMain &w)
{
    QStringList s;
    for (QAction *a : w.mnuRotate)
        s << (a->isChecked() && !a->isEnabled()       ? u"c"_s
                  : !a->isChecked() && a->isEnabled() ? u"e"_s
                                                      : u"?"_s);
    return s.join(u'-');
}

const Canvas &preview(const frmMain &w)
{
    return w.picPreview->canvas();
}

} // namespace

TEST_F(MainWindowTest, WholeFileTurnsStoreTheUnturnedSizeAndKeepAutoTransparentDisabled)
{
    startOnSample();
    window->lstItem->setCurrentRow(8); // $png Menu background, 96 x 64
    EXPECT_FALSE(window->mnuAutoTrans->isEnabled());
    window->mnuRotate[1]->trigger(); // code 1
    EXPECT_EQ(QSize(window->selection().width, window->selection().height), QSize(96, 64));
    EXPECT_EQ(preview(*window).drawnSize(), QSize(64, 96));
    EXPECT_FALSE(window->mnuAutoTrans->isEnabled());
    EXPECT_EQ(rotationStates(*window), u"e-c-e-e"_s);

    // Auto preview transparent is checked (the default setting): a bitmap entry chosen now is
    // drawn transparent, and the option stays disabled until the next turn.
    ASSERT_TRUE(window->mnuAutoTrans->isChecked());
    window->lstItem->setCurrentRow(3); // Ball: fully transparent around the ball
    EXPECT_EQ(preview(*window).pixel(0, 0), Background);
    EXPECT_FALSE(window->mnuAutoTrans->isEnabled());
    EXPECT_EQ(rotationStates(*window), u"c-e-e-e"_s);
    window->mnuRotate_Click(0);
    EXPECT_TRUE(window->mnuAutoTrans->isEnabled());
    EXPECT_NE(preview(*window).pixel(0, 0), Background); // colour 0 drawn opaque

    // Toggling the option redraws nothing.
    const QImage before = preview(*window).image();
    window->mnuAutoTrans->trigger();
    EXPECT_FALSE(window->mnuAutoTrans->isChecked());
    EXPECT_EQ(preview(*window).image(), before);
}

TEST_F(MainWindowTest, LargeRecordsScrollInThePreviewAndEveryOneOf5000SubFilesIsReachable)
{
    // An entry of 5000 sub files, the first with a caption too long for the panel.
    home.writeSampleGame();
    QString line = u"Many,5000"_s;
    for (int i = 1; i <= 5000; ++i)
        line += u",4134,Piece %1"_s.arg(i) + (i == 1 ? QString(60, u'x') : QString());
    home.write(u"BmpList.txt"_s,
               Bytes::readFile(home.file(u"BmpList.txt"_s)) + line.toUtf8() + "\r\n");
    gob = home.file(u"Torvane/data/torvane_pc.gob"_s);
    Settings::save(Settings::GobKey, gob);
    ASSERT_TRUE(start());
    window->resize(1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const auto scrollBars = [&] {
        QCoreApplication::processEvents(); // the scroll area lays itself out
        return std::pair(window->previewArea->verticalScrollBar()->isVisible(),
                         window->previewArea->horizontalScrollBar()->isVisible());
    };
    window->lstItem->setCurrentRow(5); // Pitch, 1024 x 1024
    EXPECT_EQ(window->picPreview->size(), QSize(1024, 1024));
    EXPECT_EQ(scrollBars(), std::pair(true, true));
    window->lstItem->setCurrentRow(1); // 256 x 128 fits: the canvas shrinks to the view again
    EXPECT_EQ(scrollBars(), std::pair(false, false));
    EXPECT_EQ(window->picPreview->size(), window->previewArea->viewport()->size());

    window->lstItem->setCurrentRow(9);
    ASSERT_EQ(window->opnSubFile.size(), 5001u);
    QCoreApplication::processEvents(); // the scroll bar shows
    const auto &buttons = window->opnSubFile;
    EXPECT_TRUE(window->VScroll1->isVisible());
    EXPECT_EQ(buttons[5000]->text(), u"Piece 5000"_s);
    EXPECT_EQ(buttons[5000]->y() - buttons[1]->y(), 4999 * (buttons[2]->y() - buttons[1]->y()));
    EXPECT_TRUE(buttons[1]->text().endsWith(QString(60, u'x')));
    EXPECT_TRUE(buttons[1]->isElided());
    EXPECT_LE(buttons[1]->geometry().right(), window->picContainerHost->viewport()->width());
    const auto inView = [&](int i) {
        const int top = buttons[i]->mapTo(window->picContainerHost->viewport(), QPoint()).y();
        return top >= 0
            && top + buttons[i]->height() <= window->picContainerHost->viewport()->height();
    };

    // A key press moves to the next sub file and brings it into view.
    window->opnSubFile[3999]->setChecked(true);
    window->VScroll1->setValue(0);
    QTest::keyClick(window->opnSubFile[3999], Qt::Key_Down);
    EXPECT_EQ(window->selection().subFile, 4000);
    EXPECT_EQ(QApplication::focusWidget(), window->opnSubFile[4000]);
    EXPECT_TRUE(inView(4000));
    QTest::keyClick(window->opnSubFile[4000], Qt::Key_End);
    EXPECT_EQ(window->selection().subFile, 5000);
    EXPECT_EQ(window->VScroll1->value(), window->VScroll1->maximum());
    EXPECT_TRUE(inView(5000));
    QTest::keyClick(window->opnSubFile[5000], Qt::Key_Home);
    EXPECT_EQ(std::pair(window->selection().subFile, window->VScroll1->value()), std::pair(1, 0));

    window->lstItem->setCurrentRow(0); // six sub files fit: no scroll bar
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->VScroll1->isVisible());
}

// A 5 x 3 record (a width that is no multiple of 4) is shown with its first stored row on top,
// turned a quarter clockwise per rotation item (the transparent view is never turned); the
// preview zooms by keys, the wheel and the View menu, centred with sharp pixels, keeps its zoom
// for the next start, draws a checkerboard behind transparent colours and names the pixel under
// the pointer.
TEST_F(MainWindowTest, PreviewTurnsAndZoomsCentredWithSharpPixelsOverACheckerboardAndNamesThePixel)
{
    const QByteArray pixels = Bytes::pattern(15, 40);
    const auto gobBytes =
        HandGob::withAt(4000, 300, HandGob::imageRecord(5, 3, pixels, HandGob::palette([](int k) {
                                                            return k % 2 ? 255 : 0;
                                                        })));
    startOnHand(u"Odd,1,301,Only"_s, gobBytes);
    ASSERT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()).size(), 1078 + 24); // padded rows
    window->resize(1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    PictureView *view = window->picPreview;
    const auto entry = [&](int x, int y) { return int(quint8(pixels[y * 5 + x])); };
    const auto colour = [](int k) { return qRgb(k, 255 - k, k / 2); }; // HandGob's palette
    // The picture as each rotation item shows it: its size and the stored entry at each place.
    const std::pair<QSize, std::function<int(int, int)>> turned[] = {
        {{5, 3}, entry},
        {{3, 5}, [&](int x, int y) { return entry(y, 2 - x); }},
        {{5, 3}, [&](int x, int y) { return entry(4 - x, 2 - y); }},
        {{3, 5}, [&](int x, int y) { return entry(4 - y, x); }},
    };
    // Checks each picture pixel as a z x z square centred in the view; see-through entries (even
    // ones, alpha 0) show the checkerboard of 8-pixel squares, white first, from the corner.
    const auto checkShown = [&](int z, int turn, bool seeThrough) {
        QCoreApplication::processEvents();
        const QImage shot = view->grab().toImage();
        const auto &[size, at] = turned[turn];
        const QPoint origin((view->width() - size.width() * z) / 2,
                            (view->height() - size.height() * z) / 2);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                for (const QPoint corner : {QPoint(0, 0), QPoint(z - 1, z - 1)}) {
                    const QPoint fromCorner = QPoint(x * z, y * z) + corner;
                    const QRgb checker = (fromCorner.x() / 8 + fromCorner.y() / 8) % 2
                        ? qRgb(0xCC, 0xCC, 0xCC)
                        : qRgb(0xFF, 0xFF, 0xFF);
                    const QRgb wanted =
                        seeThrough && at(x, y) % 2 == 0 ? checker : colour(at(x, y));
                    ASSERT_EQ(shot.pixel(origin + fromCorner) | 0xFF000000, wanted)
                        << z << " " << turn << " " << x << "," << y;
                }
        EXPECT_EQ(window->lblZoom->text(), u"Zoom %1 %"_s.arg(z * 100));
    };
    window->mnuActualSize->trigger();
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            window->mnuRotate[i]->trigger();
        EXPECT_EQ(rotationStates(*window), u"e-e-e-e"_s.replace(2 * i, 1, u'c'));
        checkShown(1, i, false);
        EXPECT_EQ(window->selection().width, 5); // not changed by a turn of an image record
        EXPECT_TRUE(window->mnuAutoTrans->isEnabled());
    }
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
    checkShown(2, 3, false);
    QTest::keyClick(window.get(), Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
    checkShown(4, 3, false);
    QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
    checkShown(3, 3, false);
    const auto wheel = [&](int delta) {
        const QPointF at(view->width() / 2.0, view->height() / 2.0);
        QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &event);
    };
    wheel(120);
    wheel(120);
    checkShown(6, 3, false);
    wheel(-120);
    window->mnuTransparent->trigger(); // shown unturned
    EXPECT_EQ(rotationStates(*window), u"c-e-e-e"_s);
    EXPECT_FALSE(window->mnuTransparent->isChecked());
    checkShown(4, 0, true);
    // The pixel under the pointer: the picture's (3, 2) at zoom 4.
    const QPoint origin((view->width() - 20) / 2, (view->height() - 12) / 2);
    QTest::mouseMove(view, origin + QPoint(3 * 4 + 1, 2 * 4 + 2));
    const int k = entry(3, 2);
    EXPECT_EQ(window->lblPointer->text(),
              u"x 3, y 2: red %1, green %2, blue %3, alpha %4, index %5"_s.arg(k)
                  .arg(255 - k)
                  .arg(k / 2)
                  .arg(k % 2 ? 255 : 0)
                  .arg(k));
    QTest::mouseMove(view, origin - QPoint(3, 3));
    EXPECT_EQ(window->lblPointer->text(), QString());

    // Fit: the largest whole scale of 5 x 3 into the view is the smaller of its two ratios.
    window->mnuFit->trigger();
    const double fit = std::min(view->width() / 5.0, view->height() / 3.0);
    EXPECT_DOUBLE_EQ(view->scale(), fit);
    window->close();
    ASSERT_TRUE(start());
    EXPECT_TRUE(window->picPreview->isFitted());
}
