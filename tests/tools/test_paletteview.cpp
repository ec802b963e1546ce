// The palette editor's picture: named in the title, zoomed by keys, still picked by the pointer.
#include "../mainwindow/mainwindowfixture.h"
#include "handbitmap.h"

#include "tools/frmtransparent.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

TEST(PaletteEditorView, ZoomedPictureIsPickedByThePixelUnderThePointer)
{
    TestHome home;
    ScriptedPrompts prompts;
    RecordingOpener opener;
    frmTransparent editor {prompts, opener};
    // 5 x 2, stored bytes 10..19 (the first stored row is the bottom one).
    const QString bmp =
        home.write(u"kit.bmp"_s,
                   HandBitmap::bitmap8(5, 2, HandBitmap::colourTable({}),
                                       Bytes::of({10, 11, 12, 13, 14, 15, 16, 17, 18, 19})));
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    prompts.answerOpen(bmp);
    QTest::mouseClick(editor.cmdLoad, Qt::LeftButton);
    EXPECT_EQ(editor.windowTitle(), u"kit.bmp \u2014 Format"_s);

    QTest::keyClick(&editor, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(editor.picImage->size(), QSize(15, 6));
    // The view's row y is stored row y; each pixel a 3 x 3 square.
    const std::pair<QPoint, int> picks[] = {
        {QPoint(3 * 3 + 2, 0), 13}, {QPoint(1 * 3, 1 * 3 + 2), 16}, {QPoint(14, 5), 19}};
    for (const auto &[at, entry] : picks) {
        QTest::mouseMove(editor.picImage, at);
        EXPECT_EQ(editor.cboPaletteIndex->currentIndex(), entry) << at.x() << "," << at.y();
    }
}
