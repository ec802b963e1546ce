#include "mainwindowfixture.h"

#include "mainwindow/aboutbox.h"

#include "services/helppages.h"
#include "widgets/contexthelp.h"
#include "widgets/qtprompts.h"

#include <QFileInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWhatsThis>

using namespace Qt::StringLiterals;

namespace {

// A menu as text: its items after " | ", "-" a separator, a shortcut after "=", "!" before a
// disabled item, "*" after a checked one, a submenu's items in brackets.
QString menuText(const QMenu *menu)
{
    QString text;
    for (const QAction *a : menu->actions()) {
        text += u" | "_s + (a->isEnabled() ? u""_s : u"!"_s)
            + (a->isSeparator() ? u"-"_s : a->text()) + (a->isChecked() ? u"*"_s : u""_s);
        if (!a->shortcut().isEmpty())
            text += u'=' + a->shortcut().toString();
        if (a->menu())
            text += u" ["_s + menuText(a->menu()) + u" ]"_s;
    }
    return text;
}

// The menu bar, a line a menu; every shortcut is used once.
QString menuBarText(const frmMain &window)
{
    QStringList shortcuts;
    for (const QAction *a : window.findChildren<QAction *>())
        if (!a->shortcut().isEmpty())
            shortcuts << a->shortcut().toString();
    EXPECT_EQ(QSet<QString>(shortcuts.begin(), shortcuts.end()).size(), shortcuts.size());
    QString text;
    for (const QAction *top : window.menuBar()->actions())
        text += top->text() + menuText(top->menu()) + u'\n';
    return text;
}

} // namespace

TEST_F(MainWindowTest, MenuTreeStandsAsDesignedWithAndWithoutAGobFile)
{
    // Captions with their mnemonics and shortcuts; without a GOB file the commands that need
    // one, a record or a file chosen before are disabled, and Undo has nothing to undo.
    const QString menus =
        u"&File | &Open…=Ctrl+O | %1Open &Recent [%2 ] | %1&Save As…=Ctrl+S | %1&Import "
        "File…=Ctrl+I | %1Import &Zip…=Ctrl+Z | %1Export &All… | %1Import &Folder… | - | "
        "E&xit=Ctrl+Q\n&Edit | !&Undo=Ctrl+U | !&Redo=Ctrl+Shift+Z | %1&History…=Ctrl+H | "
        "%1Installed &Packages…\n&View | !Rotate &None%3 | "
        "%1Rotate &90 Degree | %1Rotate &180 Degree | %1Rotate &270 Degree | %1&Transparent | "
        "&Auto preview transparent* | - | Zoom &In=Ctrl++ | Zoom &Out=Ctrl+- | &Fit | Actual "
        "&Size=Ctrl+0\n&Tools | &Torvane [ | &Run Torvane=Ctrl+R%4 ] | &More "
        "Options…=Ctrl+M | &Format Palette…=Ctrl+F | &BMP -> JPG…=Ctrl+J\n&Help | &Help Topic=F1 | "
        "&Context Help=Shift+F1 | &About… | - | &My Website | Torvane &Fan Site\n"_s;
    home.writeSampleGame();
    prompts.cancelOpen();
    ASSERT_TRUE(start());
    EXPECT_EQ(menuBarText(*window), menus.arg(u"!"_s, u""_s, u""_s, u""_s));
    // After the first preview "Rotate None" is checked and disabled.
    startOnSample();
    EXPECT_EQ(menuBarText(*window),
              menus.arg(u""_s, u" | &1 "_s + gob, u"*"_s, u" | Torvane.exe"_s));
    // The View menu of the menu bar is also the preview's context menu.
    EXPECT_TRUE(window->menuBar()->actions().contains(window->mnuPopup->menuAction()));
}

TEST_F(MainWindowTest, AboutBoxShowsTheCataloguesFirstLineFromItsThirdCharacter)
{
    startOnSample();
    const std::pair<const char *, QString> catalogues[] = {
        {"//Version <7>\r\nx\r\n", u"Version &lt;7&gt;"_s},
        {"//\r\nx\r\n", QString()},
        {nullptr, QString()}};
    for (const auto &[catalogue, line] : catalogues) {
        if (catalogue)
            home.write(u"BmpList.txt"_s, catalogue);
        else
            QFile::remove(home.file(u"BmpList.txt"_s));
        if (catalogue)
            QTest::mouseClick(window->cmdAbout, Qt::LeftButton);
        else
            window->mnuAbout->trigger();
        auto *box = window->findChild<AboutBox *>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), u"About Kestrix"_s);
        EXPECT_EQ(box->lblText->text(),
                  u"<b>Torvane Kestrix Version 3.0 by the Kestrix developers</b><br>"_s + line
                      + u"<br><br>Visit the Torvane fan site for the latest Torvane news and "
                        "downloads.  <a href=\"https://torvane.example/\">torvane.example</a>"_s);
        EXPECT_TRUE(box->lblLicence->text().contains(
            u"<a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GNU General Public License"
            "</a>, version 3 or (at your option) any later version"_s));
        // The site opens through the opener, the licence too; Escape closes the box.
        Q_EMIT box->lblText->linkActivated(u"https://torvane.example/"_s);
        EXPECT_EQ(opener.urls.value(0), QUrl(u"https://torvane.example/"_s));
        opener.urls.clear();
        QTest::keyClick(box, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(window->findChild<AboutBox *>(), nullptr);
    }
}

// The programs of the game folder are listed whatever their letter case and run in that folder.
TEST_F(MainWindowTest, RunTorvaneHandsTheGameFolderProgramToTheOpener)
{
    home.writeSampleGame();
    for (const char *name : {"Setup.EXE", "Torvane.exe", "readme.txt"})
        home.write(u"Games/Torvane/"_s + QString::fromLatin1(name), "");
    home.write(u"Games/Torvane/Data/torvane_pc.gob"_s, QByteArray(8, 0));
    Settings::save(Settings::GobKey, home.file(u"Games/Torvane/Data/torvane_pc.gob"_s));
    ASSERT_TRUE(start());
    QStringList items;
    for (QAction *a : window->mnuEXE)
        items << a->text();
    ASSERT_EQ(items, (QStringList {u"&Run Torvane"_s, u"Setup.EXE"_s, u"Torvane.exe"_s}));
    EXPECT_EQ(window->mnuTorvane->actions().size(), 3);
    window->mnuEXE[0]->trigger();
    window->mnuEXE[1]->trigger();
    window->session().setGobPath(u"/elsewhere/torvane_pc.gob"_s);
    window->mnuEXE_Click(0);
    QStringList opened;
    for (const RecordingOpener::Program &p : opener.programs)
        opened << p.program + u" in "_s + p.workingFolder;
    const QString folder = home.file(u"Games/Torvane/"_s);
    EXPECT_EQ(opened,
              (QStringList {folder + u"Torvane.exe in "_s + folder,
                            folder + u"Setup.EXE in "_s + folder, u"Torvane.exe in "_s}));
}

TEST_F(MainWindowTest, HelpCommandsOpenTheirPagesAndContextHelpOpensTheControlsPageInstead)
{
    startOnSample();
    window->mnuHelp->trigger();
    window->mnuPC->trigger();
    window->mnuWebsite->trigger();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // Save As has topic 3; About has none, which leaves the mode and does nothing.
    for (QPushButton *button : {window->cmdSaveAs, window->cmdAbout}) {
        window->mnuContextHelp->trigger();
        EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    }
    ASSERT_EQ(opener.urls.size(), 4);
    EXPECT_EQ(opener.urls[0].fileName(), u"index.htm"_s);
    EXPECT_TRUE(QFileInfo::exists(opener.urls[0].toLocalFile()));
    EXPECT_EQ(opener.urls[1].toString(), u"https://torvane.example/"_s);
    EXPECT_EQ(opener.urls[2].toString(), u"https://torvane.example/dovrin"_s);
    EXPECT_EQ(opener.urls[3].fileName(), u"3.htm"_s);
    EXPECT_TRUE(prompts.shown.empty()); // nothing exported, no About box

    // Any mouse button released over the preview opens the View menu.
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(window->picPreview, button, {}, QPoint(5, 5));
        EXPECT_TRUE(window->mnuPopup->isVisible()) << button;
        window->mnuPopup->hide();
    }

    // Every control's topic has its page.
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const int topic = ContextHelp::topicOf(w);
        EXPECT_TRUE(!topic || QFileInfo::exists(MainModule::helpPage(topic).toLocalFile()))
            << topic;
    }
    EXPECT_EQ(ContextHelp::topicOf(window->lblOffset), 11);
    EXPECT_EQ(ContextHelp::topicOf(window->opnSubFile[1]), 2);
}

// A tall text scrolls; the names a question lists stand one a line in a list under its text.
TEST(MessageBoxes, EscapeClosesABoxWithAHelpButtonAndATallQuestionKeepsItsButtonsOnScreen)
{
    QString tall;
    QStringList items;
    for (int i = 1; i <= 600; ++i) {
        tall += u"\"Kits/Item %1\" "_s.arg(i);
        items << u"\"Kits/Item %1\""_s.arg(i);
    }
    const struct
    {
        MessageButtons buttons;
        QString text;
        QStringList items;
        Answer onEscape;
    } cases[] = {{MessageButtons::Ok, u"Cannot open the file."_s, {}, Answer::Ok},
                 {MessageButtons::YesNo, tall, {}, Answer::No},
                 {MessageButtons::YesNo, u"Replace?\r\n\r\n600 files:"_s, items, Answer::No}};
    QtPrompts prompts([](int) {});
    for (const auto &c : cases) {
        bool closed = false;
        bool fits = false;
        QString shown;
        QStringList listed;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            fits = box->screen()->availableGeometry().contains(box->frameGeometry());
            const auto *scrolling = box->findChild<QPlainTextEdit *>();
            shown = scrolling ? scrolling->toPlainText() : box->text();
            listed.clear();
            if (const auto *list = box->findChild<QListWidget *>(u"lstItems"_s))
                for (int row = 0; row < list->count(); ++row)
                    listed << list->item(row)->text();
            QTest::keyClick(box, Qt::Key_Escape);
            closed = !box->isVisible();
            if (!closed)
                box->done(QMessageBox::Ok);
        });
        Message message;
        message.text = c.text;
        message.buttons = c.buttons;
        message.helpTopic = 6;
        message.items = c.items;
        EXPECT_EQ(prompts.message(nullptr, message), c.onEscape);
        EXPECT_TRUE(closed);
        EXPECT_TRUE(fits);
        EXPECT_EQ(shown, c.text);
        EXPECT_EQ(listed, c.items);
    }
}
