#include "handbitmap.h"
#include "testhome.h"

#include "services/bitmaplayout.h"
#include "services/bitmaprows.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Rows of 2001 pixels (stride 2004) past the reader's block of 1 MiB: 523 rows to a block, so 600
// rows take two blocks, walked both ways and in both stored orders; a file cut inside its last
// row gives that row as missing and every other row whole.
TEST(BitmapRows, RowsAcrossBlocksAreTheStoredBytesInEitherOrder)
{
    constexpr qint32 W = 2001, H = 600, Stride = 2004;
    const auto rowByte = [](qint64 stored, qint64 x) { return char((stored * 7 + x) & 0xFF); };
    QByteArray pixels(qint64(Stride) * H, '\xEE'); // padding that must never show
    for (qint64 s = 0; s < H; ++s)
        for (qint64 x = 0; x < W; ++x)
            pixels[s * Stride + x] = rowByte(s, x);
    const QByteArray table = HandBitmap::colourTable({}, 256);
    struct Case
    {
        const char *what;
        bool topDown;
        qint64 cut; // bytes dropped from the file's end
    } cases[] = {{"bottom-up", false, 0}, {"top-down", true, 0}, {"cut short", false, 3}};
    TestHome home;
    for (const Case &c : cases) {
        QByteArray bytes = HandBitmap::bitmap8(W, c.topDown ? -H : H, table, pixels);
        bytes.chop(c.cut + (Stride - W)); // the last row without its padding, as a file may end
        const QString path = home.write(u"r.bmp"_s, bytes);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const BitmapLayout layout = BitmapLayout::read(file);
        BitmapRows rows(file, layout);
        for (const bool backwards : {false, true}) {
            for (qint64 i = 0; i < H; ++i) {
                const qint64 y = backwards ? H - 1 - i : i; // record order, bottom row first
                const qint64 stored = c.topDown ? H - 1 - y : y;
                const char *row = rows.recordRow(y);
                if (c.cut > 0 && stored == H - 1) {
                    EXPECT_EQ(row, nullptr) << c.what;
                    continue;
                }
                ASSERT_NE(row, nullptr) << c.what << " row " << y;
                for (qint64 x : {qint64(0), qint64(1000), qint64(W - 1)})
                    ASSERT_EQ(row[x], rowByte(stored, x)) << c.what << " row " << y << " x " << x;
            }
        }
    }
}
