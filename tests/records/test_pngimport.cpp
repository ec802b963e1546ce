#include "bytes.h"
#include "handgob.h"
#include "refusal.h"
#include "testhome.h"

#include "records/pngimport.h"
#include "records/recordextraction.h"
#include "services/failure.h"
#include "services/openfiles.h"

#include <gtest/gtest.h>

namespace {

constexpr qsizetype PngAreaAt = 3000; // 0-based; catalogue offset 3001
constexpr qint32 PngOffset = 3001;
constexpr qint32 PngArea = 12288;

// A file that ends in a non-zero byte, as a PNG does.
QByteArray fileOf(qsizetype n, int seed)
{
    QByteArray f = Bytes::pattern(n, seed);
    f[n - 1] = char(0x42);
    return f;
}

} // namespace

TEST(PngImport, TheFileThenZerosFillTheAreaAndNothingElseChanges)
{
    TestHome home;
    // The area starts full of an old, longer file.
    const QByteArray old = fileOf(PngArea, 1);
    const QByteArray start = HandGob::withAt(PngAreaAt + PngArea + 700, PngAreaAt, old);
    const QString gob = home.write(QStringLiteral("g_pc.gob"), start);

    for (qsizetype n : {5000, 4096, 12288, 100}) {
        const QByteArray file = fileOf(n, int(n));
        const QString path = home.write(QStringLiteral("new.png"), file);
        int events = 0;
        PngImport::write(PngImport::check(gob, PngOffset, PngArea, path), [&] { ++events; });
        EXPECT_EQ(events, 1);
        QByteArray expected = start;
        expected.replace(PngAreaAt, PngArea, file + QByteArray(PngArea - n, '\0'));
        EXPECT_EQ(Bytes::readFile(gob), expected) << n; // the old tail is gone
        EXPECT_EQ(MainModule::openFileCount(), 0);
    }

    // Extracted and saved again, the 100-byte file comes back exactly.
    const QString scratch = home.file(QStringLiteral("temp.bmp"));
    RecordExtraction::extractWholeFileRecord(gob, PngOffset, PngArea, scratch);
    RecordExtraction::saveWholeFileCopy(scratch, home.file(QStringLiteral("back.png")));
    EXPECT_EQ(Bytes::readFile(home.file(QStringLiteral("back.png"))), fileOf(100, 100));
}

TEST(PngImport, FilesLongerThanTheAreaAndAreasPastTheEndAreRefusedUntouched)
{
    TestHome home;
    const QString gob =
        home.write(QStringLiteral("g_pc.gob"),
                   HandGob::withAt(PngAreaAt + PngArea + 10, PngAreaAt, fileOf(PngArea, 2)));
    const QByteArray before = Bytes::sha256(gob);
    for (qsizetype n : {PngArea + 1, PngArea + 4, PngArea + 5}) {
        const QString path = home.write(QStringLiteral("big.png"), fileOf(n, 3));
        int number = 0;
        EXPECT_EQ(refusal([&] { PngImport::check(gob, PngOffset, PngArea, path); }, &number),
                  QStringLiteral("File size is too long"))
            << n;
        EXPECT_EQ(number, 5);
        EXPECT_EQ(Bytes::sha256(gob), before);
    }

    // The area of 12 KB at 3001 needs 15288 bytes; a GOB file of 15000 is too short.
    const QString cut = home.write(QStringLiteral("c_pc.gob"), QByteArray(15000, 'g'));
    const QByteArray cutBefore = Bytes::sha256(cut);
    const QString small = home.write(QStringLiteral("small.png"), fileOf(10, 4));
    const QString text = refusal([&] { PngImport::check(cut, PngOffset, PngArea, small); });
    EXPECT_TRUE(text.contains(QStringLiteral("past the end"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("c_pc.gob")));
    EXPECT_EQ(Bytes::sha256(cut), cutBefore);

    // A missing file is named.
    const QString missing = home.file(QStringLiteral("none.png"));
    EXPECT_TRUE(
        refusal([&] { PngImport::check(gob, PngOffset, PngArea, missing); }).contains(missing));
    EXPECT_EQ(Bytes::sha256(gob), before);
}
