#include "../mainwindow/mainwindowfixture.h"
#include "bytes.h"
#include "handzip.h"
#include "packagebytes.h"
#include "previewclick.h"

#include "services/apppath.h"
#include "tools/frmscript.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

TEST_F(MainWindowTest, ImportZipImportsThroughThePackageWindow)
{
    startOnSample();
    const QByteArray before = Bytes::readFile(gob), patch = Bytes::pattern(700, 9);
    const QString package = home.file(u"patch.zip"_s);
    ASSERT_TRUE(HandZip::write(package,
                               {{u"install.data"_s, installRecords({{5000, 700}})},
                                {u"file.data"_s, patch},
                                {u"Replaced Files.txt"_s, "\"Patch\"\r\n"}}));

    prompts.clear();
    prompts.answerOpen(package);
    prompts.answerMessage(Answer::Yes);
    clickPreviewWhenShown();
    bool blocked = false;
    prompts.onShow = [&](const ScriptedPrompts::Shown &shown) {
        // Only the log and the notice show: no lists or commands greyed out behind the import.
        const auto *packages = qobject_cast<frmScript *>(QApplication::activeModalWidget());
        if (shown.kind == ScriptedPrompts::Kind::Open)
            blocked = packages && packages->txtZipLog->isVisible() && !packages->Frame1->isVisible()
                && !packages->cmdMake->isVisible();
    };
    window->mnuImportZip->trigger(); // Ctrl+Z
    prompts.onShow = nullptr;
    EXPECT_TRUE(blocked); // the package window shows the import and blocks the main window
    EXPECT_EQ(prompts.last().text, u"Imported Sucessfully\r\n2"_s);
    const QByteArray expected = QByteArray(before).replace(5111, 700, patch);
    EXPECT_EQ(Bytes::readFile(gob), expected);
    // The shown record (64 x 64 pixels from 0-based 4245) lay under the package: shown anew.
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()).mid(1078), expected.mid(4245, 4096));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(QFileInfo::exists(MainModule::AppPath() + u"KX_Temp"_s));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Cancelling the dialog of the button's import ends silently.
    prompts.clear();
    prompts.cancelOpen();
    window->cmdImportZip->click();
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_EQ(Bytes::readFile(gob), expected);

    // A package dropped anywhere on the window is imported without the dialog, shown first.
    EXPECT_TRUE(drop(package, window->lstItem));
    prompts.clear();
    prompts.answerMessage(Answer::No);
    QString summary;
    clickPreviewWhenShown(&summary);
    QApplication::processEvents();
    EXPECT_EQ(summary,
              u"0 new item(s), 1 already in place (skipped), 0 conflicting with a change of the "
              "history. Nothing is written before Apply."_s);
    EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Open).empty());
    EXPECT_EQ(prompts.last().title, u"Do you want to replace the following file(s)"_s);
}
