#include "refusal.h"
#include "scriptedprompts.h"
#include "testhome.h"

#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/fileaccess.h"
#include "services/filedialogs.h"
#include "services/openfiles.h"
#include "services/settings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(AppPath, FollowsKestrixHomeAndEndsInASeparator)
{
    TestHome home;
    EXPECT_EQ(MainModule::AppPath(), home.path() + u"/"_s);
    EXPECT_EQ(MainModule::scratchBitmapPath(), home.path() + u"/temp.bmp"_s);
    for (const auto &[folder, withSlash] :
         {std::pair(u"/"_s, u"/"_s), {u"C:\\"_s, u"C:\\"_s}, {u"/opt/tools"_s, u"/opt/tools/"_s}})
        EXPECT_EQ(MainModule::withTrailingSlash(folder), withSlash);
}

TEST(FileDialogs, ChosenFolderIsRememberedCancelIsFailure2004AndLongPathsAreRefused)
{
    TestHome home;
    ScriptedPrompts prompts;
    prompts.answerOpen(u"/mods/kits/kit.bmp"_s);
    prompts.answerSave(u"D:\\Mods\\kit.bmp"_s);
    const QList<FileFilter> filters {{u"Bitmap File"_s, u"*.bmp"_s}};
    EXPECT_EQ(MainModule::ShowOpenDialog(prompts, nullptr, filters, u"Pick"_s),
              u"/mods/kits/kit.bmp"_s);
    EXPECT_EQ(Settings::read(Settings::InitDirKey), u"/mods/kits/"_s);
    EXPECT_EQ(MainModule::ShowSaveDialog(prompts, nullptr, filters), u"D:\\Mods\\kit.bmp"_s);
    EXPECT_EQ(Settings::read(Settings::InitDirKey), u"D:\\Mods\\"_s);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(std::tuple(prompts.shown[0].title, prompts.shown[0].startFolder,
                         prompts.shown[0].filters.value(0).pattern),
              std::tuple(u"Pick"_s, QString(), u"*.bmp"_s));
    EXPECT_EQ(std::pair(prompts.shown[1].title, prompts.shown[1].startFolder),
              std::pair(u"Select where you want to save"_s, u"/mods/kits/"_s));
    MainModule::RememberFolder(u"kit.bmp"_s); // no separator: nothing to remember
    EXPECT_EQ(Settings::read(Settings::InitDirKey), u"D:\\Mods\\"_s);

    // A cancel is failure 2004; a path longer than 254 characters is refused.
    const auto open = [&] { MainModule::ShowOpenDialog(prompts, nullptr, {}, u"t"_s); };
    FailureNumber number {};
    prompts.cancelOpen();
    refusal(open, &number);
    EXPECT_EQ(int(number), 2004);

    const QString limit = u"/"_s + QString(253, u'a'); // 254 characters
    prompts.answerOpen(limit);
    prompts.answerOpen(limit + u'b');
    EXPECT_EQ(refusal(open), QString());
    number = {};
    refusal(open, &number);
    EXPECT_EQ(int(number), 2004);
    EXPECT_TRUE(prompts.last().text.endsWith(limit + u'b'));
    EXPECT_EQ(Settings::read(Settings::InitDirKey), u"/"_s);
}

TEST(ErrorReport, ShowsTheDescriptionAloneThenClosesEveryFile)
{
    TestHome home;
    ScriptedPrompts prompts;
    auto file = FileAccess::openForReading(home.write(u"a.bin"_s, "abc"));
    MainModule::ReportError(prompts, nullptr, Failure::cancelled());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(file->isOpen()); // the cancel code leaves files alone

    MainModule::ReportError(prompts, nullptr,
                            Failure(FailureNumber::TooLong, u"Cannot load file"_s, u"GDI+"_s));
    ASSERT_EQ(prompts.shown.size(), 1u);
    const ScriptedPrompts::Shown &shown = prompts.shown[0];
    EXPECT_EQ(std::tuple(shown.text, shown.title, shown.icon, shown.helpTopic),
              std::tuple(u"Cannot load file"_s, u"Kestrix"_s, MessageIcon::Critical, 106));
    EXPECT_FALSE(file->isOpen());
    EXPECT_EQ(MainModule::openFileCount(), 0);
}
