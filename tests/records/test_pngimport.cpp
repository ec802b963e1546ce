#include "bytes.h"
#include "handgob.h"
#include "refusal.h"
#include "testhome.h"

#include "records/pngimport.h"
#include "services/openfiles.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype AreaAt = 3000; // 0-based; catalogue offset 3001
constexpr qint32 Area = 12288;

// A file that ends in a non-zero byte, as a PNG does.
QByteArray fileOf(qsizetype n, int seed)
{
    QByteArray f = Bytes::pattern(n, seed);
    f[n - 1] = char(0x42);
    return f;
}

} // namespace

// The file then zeros fill the area; a file a byte longer than the area and a missing one are
// refused with the GOB file untouched.
TEST(PngImport, TheFileThenZerosFillTheAreaAndLongerOrMissingFilesAreRefused)
{
    TestHome home;
    // The area starts full of an old, longer file.
    const QByteArray start = HandGob::withAt(AreaAt + Area + 700, AreaAt, fileOf(Area, 1));
    const QString gob = home.write(u"g_pc.gob"_s, start);
    for (qsizetype n : {5000, 4096, 12288, 100}) {
        const QString path = home.write(u"new.png"_s, fileOf(n, int(n)));
        int events = 0;
        PngImport::write(PngImport::check(gob, AreaAt + 1, Area, path), [&] { ++events; });
        EXPECT_EQ(events, 1);
        QByteArray expected = start;
        expected.replace(AreaAt, Area, fileOf(n, int(n)) + QByteArray(Area - n, '\0'));
        EXPECT_EQ(Bytes::readFile(gob), expected) << n; // the old tail is gone
        EXPECT_EQ(MainModule::openFileCount(), 0);
    }

    const QByteArray before = Bytes::readFile(gob);
    const QString big = home.write(u"big.png"_s, fileOf(Area + 1, 3));
    FailureNumber number {};
    EXPECT_EQ(refusal([&] { PngImport::check(gob, AreaAt + 1, Area, big); }, &number),
              u"File size is too long"_s);
    EXPECT_EQ(int(number), 5);
    const QString missing = home.file(u"none.png"_s);
    EXPECT_TRUE(
        refusal([&] { PngImport::check(gob, AreaAt + 1, Area, missing); }).contains(missing));
    EXPECT_EQ(Bytes::readFile(gob), before);
}
