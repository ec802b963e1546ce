// The windows on the screen they open on: inside its available area, with no text cut, and
// with their help keys. Run on a small screen and on a wide one at 125 %.
#include "mainwindowfixture.h"

#include "mainwindow/frmhistory.h"
#include "pictures/folderimport.h"
#include "tools/frmconfirm.h"
#include "tools/frmimportfolder.h"
#include "tools/frmscript.h"
#include "tools/frmtransparent.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QScreen>
#include <QTreeWidget>

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

    // Checks the modal window a command opens over the main window, then closes it.
    void checkModal(QAction *command, const std::function<void(QWidget *)> &more = {})
    {
        EXPECT_TRUE(withModal([command] { command->trigger(); },
                              [&](QWidget *modal) {
                                  EXPECT_EQ(misfit(modal), QString());
                                  EXPECT_EQ(modal->parentWidget(), window.get());
                                  if (more)
                                      more(modal);
                              }))
            << command->objectName().toStdString();
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

    // The modal tool windows; the package window takes the Backup box and the entries, from the
    // menu and from its button, and leaves no temporary folder behind.
    checkModal(window->mnuHistory);
    checkModal(window->mnuJPG);
    EXPECT_EQ(Settings::read(Settings::WidthKey), u"640"_s); // the converter stored its size
    window->chkBackup->setChecked(true);
    const auto packages = [this](QWidget *modal) {
        const auto *packages = qobject_cast<frmScript *>(modal);
        ASSERT_NE(packages, nullptr);
        EXPECT_TRUE(packages->chkBackup->isChecked());
        EXPECT_EQ(packages->lstItem->count(), window->lstItem->count());
    };
    checkModal(window->mnuMP, packages);
    EXPECT_TRUE(withModal([this] { window->cmdScript->click(); }, packages));
    EXPECT_FALSE(QFileInfo::exists(MainModule::AppPath() + u"KX_Temp"_s));
    ASSERT_EQ(opener.urls.size(), 1);
    EXPECT_EQ(opener.urls[0].fileName(), u"109.htm"_s); // F1 in the palette editor
}

// The folder question: the changes first, then the refused files marked with their reasons and
// the unlisted ones, which the box hides; a cut cell shows its whole text as a tooltip.
TEST_F(WindowsTest, ImportFolderListsChangesFirstMarksRefusalsHidesTheRestAndTipsCutCells)
{
    FolderImport::Plan plan;
    for (const QString &name : {u"Ball - Home.png"_s, u"Kit - Away.png"_s}) {
        FolderImport::Change change;
        change.line.name = name;
        change.outcome = u"exact"_s;
        plan.changes << change;
    }
    const QString longReason = u"the picture is 300 x 200 pixels, the record 256 x 128; "
                               "it was not imported"_s;
    // The refusal names the file before its reason: the cell shows the reason alone.
    const QString whole = u"/games/out/Big.png\r\n"_s + longReason;
    plan.refused << FolderImport::Skipped {u"Big.png"_s, whole};
    plan.unlisted << u"notes.txt"_s;
    plan.unchanged = 3;
    frmImportFolder question(plan, nullptr);
    question.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&question));
    EXPECT_EQ(misfit(&question), QString());
    QTreeWidget *list = question.lstFiles;
    const auto rows = [list] { // the rows shown
        QStringList shown;
        for (const QTreeWidgetItem *row : list->findItems({}, Qt::MatchContains))
            if (!row->isHidden())
                shown << row->text(0) + u'|' + row->text(3) + u'|' + row->toolTip(0) + u'|'
                        + (row->icon(0).isNull() ? u"-"_s : u"mark"_s);
        return shown;
    };
    const QStringList changes {u"Ball - Home.png|exact||-"_s, u"Kit - Away.png|exact||-"_s};
    EXPECT_EQ(rows(),
              changes
                  + QStringList({u"Big.png|"_s + longReason + u'|' + whole + u"|mark"_s,
                                 u"notes.txt|Not in kestrix-export.tsv; skipped.||-"_s}));
    EXPECT_EQ(question.lblUnchanged->text(), u"3 files are unchanged and not listed."_s);

    // The reason column narrower than its text: the tooltip is the whole text.
    list->header()->setStretchLastSection(false);
    list->header()->resizeSection(3, 40);
    const QRect cell =
        list->visualItemRect(list->topLevelItem(2))
            .intersected(QRect(list->header()->sectionViewportPosition(3), 0, 40, 1 << 20));
    EXPECT_EQ(toolTipAt(list, cell.center()), longReason);
    QTest::keyClick(question.chkChangedOnly, Qt::Key_Space);
    EXPECT_EQ(rows(), changes);
}
