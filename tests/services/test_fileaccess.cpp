#include "bytes.h"
#include "refusal.h"
#include "testhome.h"

#include "services/fileaccess.h"
#include "services/outputfile.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(FileAccess, ReadsAndWritesInTurnLandWhereTheySay)
{
    TestHome home;
    const QByteArray original = Bytes::pattern(16, 1);
    const QString path = home.write(u"f.bin"_s, original);
    {
        auto file = FileAccess::openForUpdate(path);
        EXPECT_EQ(FileAccess::readAt(*file, 0, 4), original.left(4));
        FileAccess::writeAt(*file, 4, QByteArray("ab")); // where the read stopped
        EXPECT_EQ(FileAccess::readAt(*file, 6, 2), original.mid(6, 2)); // where the write stopped
        FileAccess::writeAt(*file, 8, QByteArray("cd"));
        EXPECT_EQ(FileAccess::readAt(*file, 2, 8),
                  original.mid(2, 2) + "ab" + original.mid(6, 2) + "cd");
        FileAccess::writeAt(*file, 0, QByteArray("z"));
        FileAccess::flush(*file);
        // A short read names the file.
        EXPECT_TRUE(refusal([&] { FileAccess::readAt(*file, 14, 4); }).contains(path));
    }
    EXPECT_EQ(Bytes::readFile(path),
              original.left(16).replace(0, 1, "z").replace(4, 2, "ab").replace(8, 2, "cd"));
}

TEST(FileAccess, FailuresNameTheFileAndGiveTheSystemsReason)
{
    TestHome home;
    const QString missing = home.file(u"missing.gob"_s);
    FailureNumber number {};
    EXPECT_TRUE(refusal([&] { FileAccess::openForUpdate(missing); }, &number).contains(missing));
    EXPECT_EQ(number, FailureNumber::FileNotFound);
    EXPECT_FALSE(QFileInfo::exists(missing)); // an update never creates the file

    if (!QFileInfo::exists(u"/dev/full"_s))
        GTEST_SKIP() << "no /dev/full here";
    auto full = FileAccess::openForUpdate(u"/dev/full"_s);
    EXPECT_EQ(refusal([&] {
                  FileAccess::writeAt(*full, 0, QByteArray(8192, 'x'));
                  FileAccess::flush(*full);
              }),
              u"Cannot write /dev/full: No space left on device"_s);
}

// Files of a folder written one after another: each lands whole under its name, an old file
// keeps its permissions, and a target that cannot be written is named with the system's reason
// and left as it was, with nothing beside it.
TEST(FileAccess, FolderOutputsLandWholeOrNotAtAll)
{
    TestHome home;
    const QString old = home.write(u"out/old.png"_s, "old bytes");
    const QDir dir(home.file(u"out"_s));
    const auto kept = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QFile(old).setPermissions(kept);
    QDir().mkdir(dir.filePath(u"taken.png"_s));
    const QByteArray bytes = Bytes::pattern(70000, 3);
    OutputFolder out(dir.path());
    out.write(dir.filePath(u"new.png"_s), bytes);
    out.write(old, bytes.left(5));
    EXPECT_EQ(refusal([&] { out.write(dir.filePath(u"taken.png"_s), bytes); }),
              u"Cannot write %1: Is a directory"_s.arg(dir.filePath(u"taken.png"_s)));
    out.finish();
    EXPECT_EQ(Bytes::readFile(dir.filePath(u"new.png"_s)), bytes);
    EXPECT_EQ(Bytes::readFile(old), bytes.left(5));
    const auto modeBits = QFileDevice::Permissions(0x7077); // owner, group, others: not "user"
    EXPECT_EQ(QFile(old).permissions() & modeBits, kept);
    EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList {u"new.png"_s, u"old.png"_s, u"taken.png"_s}));
}
