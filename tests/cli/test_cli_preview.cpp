#include "bytes.h"
#include "clirunner.h"
#include "handbitmap.h"
#include "handgob.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QStringList previewArgs(const QString &catalogue, const QString &gob, int entry, const QString &out,
                        const QStringList &view = {})
{
    return recordArgs(QStringLiteral("preview"), catalogue, gob, entry)
        + QStringList {QStringLiteral("--out"), out} + view;
}

} // namespace

TEST(CliPreview, DrawsTheRecordAsThePreviewDoesAndRefusesViewsTheWindowHasNot)
{
    TestHome home;
    const QByteArray pixels = Bytes::pattern(12, 9);
    QByteArray gobBytes =
        HandGob::withAt(6000, 200, HandGob::imageRecord(4, 3, pixels, HandGob::palette([](int k) {
                                                            return k % 2 ? 255 : 0;
                                                        })));
    const QString gob = home.write(QStringLiteral("g_pc.gob"), gobBytes);
    const QString catalogue =
        home.write(QStringLiteral("BmpList.txt"),
                   "//x\r\n\r\nBoard,1,201,One\r\n$png,Logo,1,3001,Small,1\r\n");
    const QString out = home.file(QStringLiteral("p.png"));
    const auto colour = [&](int i) {
        const int k = quint8(pixels[i]);
        return qRgb(k, 255 - k, k / 2);
    };

    ASSERT_EQ(runCli(home, previewArgs(catalogue, gob, 0, out)).exitCode, 0);
    QImage image(out);
    ASSERT_EQ(image.size(), QSize(4, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image.pixel(x, y), colour(y * 4 + x)) << x << "," << y;

    ASSERT_EQ(runCli(home,
                     previewArgs(catalogue, gob, 0, out,
                                 {QStringLiteral("--rotate"), QStringLiteral("1")}))
                  .exitCode,
              0);
    image.load(out);
    ASSERT_EQ(image.size(), QSize(3, 4));
    EXPECT_EQ(image.pixel(0, 0), colour(8)); // the last stored row's first pixel

    ASSERT_EQ(runCli(home, previewArgs(catalogue, gob, 0, out, {QStringLiteral("--transparent")}))
                  .exitCode,
              0);
    image.load(out);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(image.pixel(x, 0), quint8(pixels[x]) % 2 ? colour(x) : qRgb(0xD4, 0xD0, 0xC8));

    // Refusals: exit 1, a message, no picture written.
    QFile::remove(out);
    const std::pair<QStringList, QString> refused[] = {
        {{QStringLiteral("--rotate"), QStringLiteral("4")}, QStringLiteral("0, 1, 2 or 3")},
        {{QStringLiteral("--rotate"), QStringLiteral("1"), QStringLiteral("--transparent")},
         QStringLiteral("never turned")},
    };
    for (const auto &[view, text] : refused) {
        const CliResult r = runCli(home, previewArgs(catalogue, gob, 0, out, view));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(text)) << r.err.toStdString();
    }
    CliResult r =
        runCli(home, previewArgs(catalogue, gob, 1, out, {QStringLiteral("--transparent")}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("bitmap entries only")));
    r = runCli(home, previewArgs(catalogue, gob, 1, out)); // the area holds no picture
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              QStringLiteral("Sub file 1 of entry 1 in ") + gob
                  + QStringLiteral(" cannot be loaded as an image.\n"));
    EXPECT_FALSE(Bytes::exists(out));
}

TEST(CliPreview, InfoPrintsWidthHeightAndPixelFormat)
{
    TestHome home;
    const QString bmp =
        home.write(QStringLiteral("a.bmp"),
                   HandBitmap::bitmap8(3, 2, HandBitmap::colourTable({}), QByteArray(6, '\0')));
    CliResult r = runCli(home, {QStringLiteral("info"), bmp});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("3\t2\t198659\n"));
    const QString rgb = home.write(QStringLiteral("b.bmp"),
                                   HandBitmap::bitmap24(5, 1, QList<QRgb>(5, qRgb(1, 2, 3))));
    EXPECT_EQ(runCli(home, {QStringLiteral("info"), rgb}).out, QStringLiteral("5\t1\t137224\n"));

    r = runCli(home, {QStringLiteral("info"), home.file(QStringLiteral("none.png"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("none.png cannot be loaded as an image")));
    EXPECT_TRUE(r.out.isEmpty());
}
