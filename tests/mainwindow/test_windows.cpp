// The windows on the screen they open on: inside its available area, with no text cut, and
// with their help keys. Run on a small screen and on a wide one at 125 %.
#include "mainwindowfixture.h"

#include "mainwindow/frmhistory.h"
#include "tools/frmconfirm.h"
#include "tools/frmscript.h"
#include "tools/frmtransparent.h"

#include <QScreen>

using namespace Qt::StringLiterals;

namespace {

constexpr int StadiumBoard = 1; // 256 x 128

// The labels, buttons and boxes of a window whose text does not fit the room it was given.
QStringList clipped(const QWidget *window)
{
    QStringList cut;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(w);
        const auto *button = qobject_cast<const QAbstractButton *>(w);
        if (!w->isVisibleTo(window)
            || !(label || qobject_cast<const QPushButton *>(w)
                 || qobject_cast<const QCheckBox *>(w)))
            continue;
        const QString text = label ? label->text() : button->text();
        const bool fits = label && label->wordWrap()
            ? label->heightForWidth(label->width()) <= label->height()
            : w->sizeHint().width() <= w->width() && w->sizeHint().height() <= w->height();
        if (!text.isEmpty() && !fits)
            cut << w->objectName() + u'=' + text;
    }
    return cut;
}

// "" when the window lies inside the available area of the screen and cuts no text.
QString misfit(const QWidget *window)
{
    const QRect available = window->screen()->availableGeometry();
    QString s;
    if (!available.contains(window->frameGeometry()))
        QDebug(&s) << window->objectName() << window->frameGeometry() << "outside" << available;
    const QStringList cut = clipped(window);
    return s + (cut.isEmpty() ? QString() : u" cut: "_s + cut.join(u", "_s));
}

class WindowsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        // The main window needs more than the plain offscreen screen of 800 pixels.
        if (QGuiApplication::primaryScreen()->availableGeometry().width() < 1000)
            GTEST_SKIP() << "run on the screens of set sizes";
    }

    // Checks the modal window a command opens, then closes it.
    void checkModal(QAction *command)
    {
        QTimer::singleShot(0, window.get(), [] {
            QWidget *modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            EXPECT_EQ(misfit(modal), QString());
            modal->close();
        });
        command->trigger();
    }
};

} // namespace

TEST_F(WindowsTest, EveryWindowOpensInsideTheScreenWithNoTextCut)
{
    // The first start, then a start on a geometry remembered on a larger screen.
    startOnSample();
    for (const QRect &remembered : {QRect(), QRect(300, 200, 1200, 740)}) {
        if (remembered.isValid()) {
            QWidget large;
            large.setGeometry(remembered);
            Settings::save(Settings::GeometryKey,
                           QString::fromLatin1(large.saveGeometry().toBase64()));
            window.reset();
            ASSERT_TRUE(start());
        }
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        EXPECT_EQ(misfit(window.get()), QString()) << remembered.width();
    }

    // The confirmation of a picture that is no 8-bit bitmap, with its conversion note.
    window->lstItem->setCurrentRow(StadiumBoard);
    QImage picture(256, 128, QImage::Format_RGB32);
    picture.fill(qRgb(200, 30, 90));
    const QString png = home.file(u"board.png"_s);
    ASSERT_TRUE(picture.save(png));
    frmConfirm confirm(prompts, window->session().replacePlan(png), window.get());
    confirm.Form_Load();
    confirm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&confirm));
    ASSERT_FALSE(confirm.lblConversion->text().isEmpty());
    EXPECT_EQ(misfit(&confirm), QString());
    confirm.close();

    window->activateWindow(); // the keys of the main window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // The palette editor opens beside the main window and can be made smaller and larger.
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    frmTransparent *editor = window->paletteEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    EXPECT_EQ(misfit(editor), QString());
    EXPECT_LT(editor->minimumWidth(), editor->width());
    EXPECT_GT(editor->maximumHeight(), editor->height());
    QTest::keyClick(editor, Qt::Key_F1);
    editor->close();

    // The modal tool windows.
    checkModal(window->mnuHistory);
    checkModal(window->mnuMP);
    ASSERT_EQ(opener.urls.size(), 1);
    EXPECT_EQ(opener.urls[0].fileName(), u"109.htm"_s); // F1 in the palette editor
}
