#include "../mainwindow/mainwindowfixture.h"
#include "bytes.h"
#include "recordingdisplay.h"

#include "packages/frmscript.h"
#include "packages/packagemake.h"
#include "services/apppath.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

TEST_F(MainWindowTest, MoreOptionsOpensThePackageWindowModally)
{
    startOnSample();
    window->chkBackup->setChecked(true);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *packages = qobject_cast<frmScript *>(QApplication::activeModalWidget());
        ASSERT_NE(packages, nullptr);
        EXPECT_EQ(packages->parentWidget(), window.get());
        EXPECT_TRUE(packages->chkBackup->isChecked());
        EXPECT_EQ(packages->lstItem->count(), window->lstItem->count());
        EXPECT_TRUE(packages->isListening());
        EXPECT_TRUE(QFileInfo(MainModule::AppPath() + QStringLiteral("KX_Temp")).isDir());
        seen = true;
        packages->close();
    });
    window->mnuMP->trigger(); // Ctrl+M
    EXPECT_TRUE(seen);
    EXPECT_FALSE(QFileInfo::exists(MainModule::AppPath() + QStringLiteral("KX_Temp")));

    seen = false;
    QTimer::singleShot(0, [&] {
        auto *packages = qobject_cast<frmScript *>(QApplication::activeModalWidget());
        ASSERT_NE(packages, nullptr);
        seen = true;
        packages->close();
    });
    window->cmdScript->click();
    EXPECT_TRUE(seen);
}

TEST_F(MainWindowTest, ImportZipImportsThroughThePackageWindow)
{
    startOnSample();
    const QByteArray before = Bytes::readFile(gob);
    const QString other =
        home.write(QStringLiteral("other_pc.gob"), Bytes::pattern(before.size(), 9));
    RecordingDisplay display;
    PackageContext context {prompts, nullptr, display};
    const QStringList files = PackageMake::writeFiles(other, {{QStringLiteral("Patch"), 5000, 700}},
                                                      home.file(QStringLiteral("m")), display);
    const QString package = home.file(QStringLiteral("patch.zip"));
    ASSERT_EQ(PackageMake::writeArchive(package, files, QString(), other, context), 0);

    prompts.clear();
    prompts.answerOpen(package);
    prompts.answerMessage(Answer::Yes);
    bool blocked = false;
    prompts.onShow = [&](const ScriptedPrompts::Shown &shown) {
        if (shown.kind == ScriptedPrompts::Kind::Open)
            blocked = qobject_cast<frmScript *>(QApplication::activeModalWidget()) != nullptr;
    };
    window->mnuImportZip->trigger(); // Ctrl+Z
    prompts.onShow = nullptr;
    EXPECT_TRUE(blocked); // the package window shows the import and blocks the main window
    EXPECT_EQ(prompts.lastMessage()->text, QStringLiteral("Imported Sucessfully\r\n2"));
    QByteArray expected = before;
    expected.replace(5111, 700, Bytes::readFile(other).mid(5111, 700));
    EXPECT_EQ(Bytes::readFile(gob), expected);
    // The shown record (64 x 64 pixels from 0-based 4245) lay under the package: shown anew.
    EXPECT_EQ(Bytes::readFile(MainModule::scratchBitmapPath()).mid(1078), expected.mid(4245, 4096));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(QFileInfo::exists(MainModule::AppPath() + QStringLiteral("KX_Temp")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Cancelling the dialog of the button's import ends silently.
    prompts.clear();
    prompts.cancelOpen();
    window->cmdImportZip->click();
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_EQ(Bytes::readFile(gob), expected);

    // A package dropped anywhere on the window is imported without the dialog.
    EXPECT_TRUE(drop(package, window->lstItem));
    prompts.clear();
    prompts.answerMessage(Answer::No);
    QApplication::processEvents();
    EXPECT_TRUE(prompts.of(ScriptedPrompts::Kind::Open).empty());
    EXPECT_EQ(prompts.of(ScriptedPrompts::Kind::Message).at(0).title,
              QStringLiteral("Do you want to replace the following file(s)"));
}
