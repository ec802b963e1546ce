#include "scriptedprompts.h"
#include "testhome.h"

#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/fileaccess.h"
#include "services/filedialogs.h"
#include "services/openfiles.h"
#include "services/settings.h"

#include <gtest/gtest.h>

TEST(AppPath, FollowsKestrixHomeAndEndsInASeparator)
{
    TestHome home;
    EXPECT_EQ(MainModule::AppPath(), home.path() + QStringLiteral("/"));
    EXPECT_EQ(MainModule::withTrailingSlash(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(MainModule::withTrailingSlash(QStringLiteral("C:\\")), QStringLiteral("C:\\"));
    EXPECT_EQ(MainModule::withTrailingSlash(QStringLiteral("/opt/tools")),
              QStringLiteral("/opt/tools/"));
    EXPECT_EQ(MainModule::scratchBitmapPath(), home.path() + QStringLiteral("/temp.bmp"));
}

TEST(FileDialogs, ChosenFolderIsRememberedForTheNextDialogOfAnyKind)
{
    TestHome home;
    ScriptedPrompts prompts;
    prompts.answerOpen(QStringLiteral("/mods/kits/kit.bmp"));
    prompts.answerSave(QStringLiteral("D:\\Mods\\kit.bmp"));
    const QList<FileFilter> filters {{QStringLiteral("Bitmap File"), QStringLiteral("*.bmp")}};

    EXPECT_EQ(MainModule::ShowOpenDialog(prompts, nullptr, filters, QStringLiteral("Pick")),
              QStringLiteral("/mods/kits/kit.bmp"));
    EXPECT_EQ(Settings::read(Settings::InitDirKey), QStringLiteral("/mods/kits/"));
    EXPECT_EQ(MainModule::ShowSaveDialog(prompts, nullptr, filters),
              QStringLiteral("D:\\Mods\\kit.bmp"));
    EXPECT_EQ(Settings::read(Settings::InitDirKey), QStringLiteral("D:\\Mods\\"));

    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].title, QStringLiteral("Pick"));
    EXPECT_EQ(prompts.shown[0].startFolder, QString());
    EXPECT_EQ(prompts.shown[0].filters.at(0).pattern, QStringLiteral("*.bmp"));
    EXPECT_EQ(prompts.shown[1].title, QStringLiteral("Select where you want to save"));
    EXPECT_EQ(prompts.shown[1].startFolder, QStringLiteral("/mods/kits/"));

    // A path without a separator changes nothing.
    MainModule::RememberFolder(QStringLiteral("kit.bmp"));
    EXPECT_EQ(Settings::read(Settings::InitDirKey), QStringLiteral("D:\\Mods\\"));
}

TEST(FileDialogs, CancelIsFailure2004AndLongPathsAreRefused)
{
    TestHome home;
    ScriptedPrompts prompts;
    prompts.cancelOpen();
    try {
        MainModule::ShowOpenDialog(prompts, nullptr, {}, QStringLiteral("t"));
        FAIL() << "no failure";
    } catch (const Failure &f) {
        EXPECT_EQ(f.number(), 2004);
    }

    const QString limit = QStringLiteral("/") + QString(253, u'a'); // 254 characters
    const QString tooLong = limit + u'b';
    prompts.answerOpen(limit);
    EXPECT_EQ(MainModule::ShowOpenDialog(prompts, nullptr, {}, QStringLiteral("t")), limit);
    prompts.answerOpen(tooLong);
    try {
        MainModule::ShowOpenDialog(prompts, nullptr, {}, QStringLiteral("t"));
        FAIL() << "no failure";
    } catch (const Failure &f) {
        EXPECT_TRUE(f.isCancel());
    }
    ASSERT_NE(prompts.lastMessage(), nullptr);
    EXPECT_TRUE(prompts.lastMessage()->text.endsWith(tooLong));
    EXPECT_EQ(Settings::read(Settings::InitDirKey), QStringLiteral("/"));
}

TEST(ErrorReport, ShowsTheDescriptionAloneThenClosesEveryFile)
{
    TestHome home;
    ScriptedPrompts prompts;
    const QString path = home.write(QStringLiteral("a.bin"), "abc");
    auto file = FileAccess::openForReading(path);

    MainModule::ReportError(prompts, nullptr, Failure::cancelled());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(file->isOpen()); // the cancel code leaves files alone

    MainModule::ReportError(prompts, nullptr,
                            Failure(5, QStringLiteral("Cannot load file"), QStringLiteral("GDI+")));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, QStringLiteral("Cannot load file"));
    EXPECT_EQ(prompts.shown[0].title, QStringLiteral("Kestrix"));
    EXPECT_EQ(prompts.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(prompts.shown[0].helpTopic, 106);
    EXPECT_FALSE(file->isOpen());
    EXPECT_EQ(MainModule::openFileCount(), 0);
}

TEST(FileAccess, FailuresNameTheFileAndUpdateNeverCreatesOne)
{
    TestHome home;
    const QString missing = home.file(QStringLiteral("missing.gob"));
    try {
        FileAccess::openForUpdate(missing);
        FAIL() << "opened";
    } catch (const Failure &f) {
        EXPECT_EQ(f.number(), FailureNumber::FileNotFound);
        EXPECT_TRUE(f.description().contains(missing)) << f.description().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(missing));

    const QString path = home.write(QStringLiteral("short.bin"), "0123");
    auto file = FileAccess::openForReading(path);
    char buffer[8];
    try {
        FileAccess::readAt(*file, 2, buffer, 4);
        FAIL() << "short read accepted";
    } catch (const Failure &f) {
        EXPECT_TRUE(f.description().contains(path));
    }
}
