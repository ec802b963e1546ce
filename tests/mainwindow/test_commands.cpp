#include "bytes.h"
#include "mainwindowfixture.h"

#include "services/contexthelp.h"
#include "services/helppages.h"
#include "services/qtprompts.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWhatsThis>

namespace {

struct MenuRow
{
    const char *caption;
    const char *shortcut;
};

// The menu tree as designed: captions with their mnemonics, shortcuts, the separator.
const std::vector<std::pair<const char *, std::vector<MenuRow>>> DesignedMenus = {
    {"&File",
     {{"&Open", "Ctrl+O"},
      {"Open &Recent", ""},
      {"&Save As", "Ctrl+S"},
      {"&Import File", "Ctrl+I"},
      {"Import &Zip", "Ctrl+Z"},
      {"Export &All…", ""},
      {"Import &Folder…", ""},
      {"", ""},
      {"E&xit", "Ctrl+Q"}}},
    {"&Edit", {{"&Undo", "Ctrl+U"}, {"&History\u2026", "Ctrl+H"}}},
    {"&View",
     {{"Rotate &None", ""},
      {"Rotate 90 Degree", ""},
      {"Rotate &180 Degree", ""},
      {"Rotate &270 Degree", ""},
      {"Transparent", ""},
      {"Auto preview transparent", ""}}},
    {"&Tools",
     {{"Torvane", ""},
      {"&More Options", "Ctrl+M"},
      {"&Format Palette", "Ctrl+F"},
      {"BMP -> JPG", "Ctrl+J"}}},
    {"&Help",
     {{"&Help Topic", "F1"},
      {"&Context Help", "Shift+F1"},
      {"&About", ""},
      {"", ""},
      {"My Website", ""},
      {"Torvane &Fan Site", ""}}},
};

void expectDesignedMenus(frmMain &window)
{
    const QList<QAction *> top = window.menuBar()->actions();
    ASSERT_EQ(top.size(), qsizetype(DesignedMenus.size()));
    QStringList shortcuts;
    for (const QAction *a : window.findChildren<QAction *>())
        if (!a->shortcut().isEmpty())
            shortcuts << a->shortcut().toString();
    EXPECT_EQ(QSet<QString>(shortcuts.begin(), shortcuts.end()).size(), shortcuts.size());
    for (size_t m = 0; m < DesignedMenus.size(); ++m) {
        EXPECT_EQ(top[m]->text(), QString::fromUtf8(DesignedMenus[m].first));
        const QList<QAction *> items = top[m]->menu()->actions();
        ASSERT_EQ(items.size(), qsizetype(DesignedMenus[m].second.size()));
        for (qsizetype i = 0; i < items.size(); ++i) {
            const MenuRow &row = DesignedMenus[m].second[i];
            EXPECT_EQ(items[i]->text(), QString::fromUtf8(row.caption));
            EXPECT_EQ(items[i]->shortcut().toString(), QString::fromUtf8(row.shortcut))
                << row.caption;
            EXPECT_EQ(items[i]->isSeparator(), *row.caption == '\0');
        }
    }
    ASSERT_FALSE(window.mnuEXE.empty());
    EXPECT_EQ(window.mnuEXE[0]->text(), QStringLiteral("Run Torvane"));
    EXPECT_EQ(window.mnuEXE[0]->shortcut().toString(), QStringLiteral("Ctrl+R"));
}

// Every item but the view items, those that need a record (Import, Save As) or a file chosen
// before, and Undo (nothing to undo) stays enabled.
void expectOnlyViewItemsChangeTheirState(frmMain &window)
{
    const QList<QAction *> actions = window.findChildren<QAction *>();
    for (QAction *a : actions) {
        const QString name = a->objectName();
        if (name.startsWith(QStringLiteral("mnuRotate")) || name == QStringLiteral("mnuAutoTrans")
            || name == QStringLiteral("mnuTransparent") || name == QStringLiteral("mnuImport")
            || name == QStringLiteral("mnuSaveAs") || name == QStringLiteral("mnuUndo")
            || name.isEmpty())
            continue;
        EXPECT_TRUE(a->isEnabled()) << name.toStdString();
    }
}

} // namespace

TEST_F(MainWindowTest, MenuTreeStandsAsDesignedWithAndWithoutAGobFile)
{
    home.writeSampleGame();
    prompts.cancelOpen();
    ASSERT_TRUE(start());
    expectDesignedMenus(*window);
    expectOnlyViewItemsChangeTheirState(*window);
    EXPECT_FALSE(window->mnuAutoTrans->isChecked() && !window->mnuAutoTrans->isEnabled());

    startOnSample();
    expectDesignedMenus(*window);
    expectOnlyViewItemsChangeTheirState(*window);
    // After the first preview "Rotate None" is checked and disabled.
    EXPECT_TRUE(window->mnuRotate[0]->isChecked());
    EXPECT_FALSE(window->mnuRotate[0]->isEnabled());
    // The View menu is also the preview's context menu.
    EXPECT_EQ(window->mnuPopup->title(), QStringLiteral("&View"));
}

TEST_F(MainWindowTest, AboutBoxShowsTheCataloguesFirstLineFromItsThirdCharacter)
{
    home.writeSampleGame();
    home.write(
        QStringLiteral("BmpList.txt"),
        Bytes::readFile(home.file(QStringLiteral("BmpList.txt")))
            .replace("//Kestrix sample catalogue for a generated torvane_pc.gob", "//Version 7"));
    Settings::save(Settings::GobKey, home.file(QStringLiteral("Torvane/data/torvane_pc.gob")));
    ASSERT_TRUE(start());
    prompts.clear();
    window->cmdAbout->click();
    ASSERT_EQ(prompts.shown.size(), 1u);
    const QString expected =
        QStringLiteral("Torvane Kestrix Version 3.0 by the Kestrix developers\r\nVersion 7\r\n\r\n"
                       "Visit the Torvane fan site for the latest Torvane news and downloads.  "
                       "torvane.example");
    EXPECT_EQ(prompts.shown[0].text, expected);
    EXPECT_EQ(prompts.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(prompts.shown[0].title, QStringLiteral("Kestrix"));

    home.write(QStringLiteral("BmpList.txt"), "//\r\nx\r\n");
    window->mnuAbout->trigger();
    EXPECT_TRUE(prompts.lastMessage()->text.startsWith(
        QStringLiteral("Torvane Kestrix Version 3.0 by the Kestrix developers\r\n\r\n\r\nVisit")));

    QFile::remove(home.file(QStringLiteral("BmpList.txt")));
    window->cmdAbout->click();
    EXPECT_TRUE(
        prompts.lastMessage()->text.contains(QStringLiteral("developers\r\n\r\n\r\nVisit")));
}

TEST_F(MainWindowTest, RunTorvaneHandsTheGameFolderProgramToTheOpener)
{
    home.writeSampleGame();
    home.write(QStringLiteral("Games/Torvane/Data/torvane_pc.gob"), QByteArray(8, 0));
    home.write(QStringLiteral("Games/Torvane/Editor.exe"), "");
    const QString gamePath = home.file(QStringLiteral("Games/Torvane/Data/torvane_pc.gob"));
    Settings::save(Settings::GobKey, gamePath);
    prompts.answerMessage(Answer::Ok);
    ASSERT_TRUE(start());
    window->mnuEXE[0]->trigger();
    ASSERT_EQ(window->mnuEXE.size(), 2u);
    window->mnuEXE[1]->trigger();
    ASSERT_EQ(opener.programs.size(), 2);
    EXPECT_EQ(opener.programs[0].program, home.file(QStringLiteral("Games/Torvane/Torvane.exe")));
    EXPECT_EQ(opener.programs[0].workingFolder, home.file(QStringLiteral("Games/Torvane/")));
    EXPECT_EQ(opener.programs[1].program, home.file(QStringLiteral("Games/Torvane/Editor.exe")));

    window->txtGOBFile->setText(QStringLiteral("/elsewhere/torvane_pc.gob"));
    window->mnuEXE_Click(0);
    EXPECT_EQ(opener.programs.last().program, QStringLiteral("Torvane.exe"));
    EXPECT_EQ(opener.programs.last().workingFolder, QString());
}

TEST_F(MainWindowTest, HelpAndWebCommandsOpenTheirPages)
{
    startOnSample();
    window->mnuHelp->trigger();
    window->mnuPC->trigger();
    window->mnuWebsite->trigger();
    ASSERT_EQ(opener.urls.size(), 3);
    EXPECT_EQ(opener.urls[0].fileName(), QStringLiteral("index.htm"));
    EXPECT_TRUE(QFileInfo::exists(opener.urls[0].toLocalFile()));
    EXPECT_EQ(opener.urls[1].toString(), QStringLiteral("https://torvane.example/"));
    EXPECT_EQ(opener.urls[2].toString(), QStringLiteral("https://torvane.example/dovrin"));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, ContextHelpOpensTheControlsPageInsteadOfActing)
{
    startOnSample();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    window->mnuContextHelp->trigger();
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QTest::mouseClick(window->cmdSaveAs, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    ASSERT_EQ(opener.urls.size(), 1);
    EXPECT_EQ(opener.urls[0].fileName(), QStringLiteral("3.htm"));
    EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Save).empty()); // nothing exported

    // A control without a topic leaves the mode and does nothing.
    window->mnuContextHelp->trigger();
    QTest::mouseClick(window->cmdAbout, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    EXPECT_EQ(opener.urls.size(), 1);
    EXPECT_TRUE(prompts.shown.empty());

    // Every control's topic has its page.
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (const int topic = ContextHelp::topicOf(w)) {
            EXPECT_TRUE(QFileInfo::exists(MainModule::helpPage(topic).toLocalFile())) << topic;
        }
    }
    EXPECT_EQ(ContextHelp::topicOf(window->lblOffset), 11);
    EXPECT_EQ(ContextHelp::topicOf(window->opnSubFile[1]), 2);
}

TEST(MessageBoxes, EscapeClosesABoxWithAHelpButtonAndATallQuestionKeepsItsButtonsOnScreen)
{
    QString items;
    for (int i = 1; i <= 600; ++i)
        items += QStringLiteral("\"Kits/Item %1\" ").arg(i);
    const struct
    {
        MessageButtons buttons;
        QString text;
        Answer onEscape;
    } cases[] = {{MessageButtons::Ok, QStringLiteral("Cannot open the file."), Answer::Ok},
                 {MessageButtons::YesNo, items, Answer::No}};
    QtPrompts prompts([](int) {});
    for (const auto &c : cases) {
        bool closed = false;
        bool fits = false;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            fits = box->screen()->availableGeometry().contains(box->frameGeometry());
            const auto *scrolling = box->findChild<QPlainTextEdit *>();
            shown = scrolling ? scrolling->toPlainText() : box->text();
            QTest::keyClick(box, Qt::Key_Escape);
            closed = !box->isVisible();
            if (!closed)
                box->done(QMessageBox::Ok);
        });
        Message message;
        message.text = c.text;
        message.buttons = c.buttons;
        message.helpTopic = 6;
        EXPECT_EQ(prompts.message(nullptr, message), c.onEscape);
        EXPECT_TRUE(closed);
        EXPECT_TRUE(fits);
        EXPECT_EQ(shown, c.text);
    }
}
