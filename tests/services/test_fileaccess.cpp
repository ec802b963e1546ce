#include "bytes.h"
#include "testhome.h"

#include "services/failure.h"
#include "services/fileaccess.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(FileAccess, ReadsAndWritesInTurnLandWhereTheySay)
{
    TestHome home;
    const QByteArray original = Bytes::pattern(16, 1);
    const QString path = home.write(QStringLiteral("f.bin"), original);
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
    }
    QByteArray expected = original;
    expected.replace(0, 1, "z");
    expected.replace(4, 2, "ab");
    expected.replace(8, 2, "cd");
    EXPECT_EQ(Bytes::readFile(path), expected);
}

TEST(FileAccess, AFullDiskIsReportedWithTheSystemsReason)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full here";
    auto full = FileAccess::openForUpdate(QStringLiteral("/dev/full"));
    try {
        FileAccess::writeAt(*full, 0, QByteArray(8192, 'x'));
        FileAccess::flush(*full);
        FAIL() << "a write to /dev/full succeeded";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.description(),
                  QStringLiteral("Cannot write /dev/full: No space left on device"));
    }
}

TEST(FileAccess, ReservingARegionChangesNoByteAndNoLength)
{
    TestHome home;
    const QByteArray original = Bytes::pattern(20000, 3);
    const QString path = home.write(QStringLiteral("f.bin"), original);
    {
        auto file = FileAccess::openForUpdate(path);
        FileAccess::reserve(*file, 100, 9000);
        FileAccess::reserve(*file, 19000, 1000); // up to the last byte
    }
    EXPECT_EQ(Bytes::readFile(path), original);
}
