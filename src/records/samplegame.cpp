#include "samplegame.h"

#include "imagerecord.h"

#include "services/failure.h"
#include "services/littleendian.h"
#include "services/outputfile.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QStringList>

#include <cmath>
#include <functional>

namespace SampleGame {

namespace {

// A small deterministic generator, so that every run writes the same bytes.
class Filler
{
public:
    QByteArray bytes(int n)
    {
        QByteArray out(n, Qt::Uninitialized);
        for (int i = 0; i < n; ++i) {
            m_state = m_state * 1103515245u + 12345u;
            out[i] = char((m_state >> 16) & 0xFF);
        }
        return out;
    }

private:
    quint32 m_state = 20261207u;
};

struct Rgba
{
    int r, g, b, a;
};

using Palette = std::vector<Rgba>; // 256 entries
using PixelFn = std::function<int(int x, int y)>; // index at picture (x, y), y from the top

// 5 x 7 digits, a row a byte, bit 4 the leftmost column.
const quint8 Digits[10][7] = {
    {14, 17, 19, 21, 25, 17, 14}, {4, 12, 4, 4, 4, 4, 14},  {14, 17, 1, 2, 4, 8, 31},
    {31, 2, 4, 2, 1, 17, 14},     {2, 6, 10, 18, 31, 2, 2}, {31, 16, 30, 1, 1, 17, 14},
    {6, 8, 16, 30, 17, 17, 14},   {31, 1, 2, 4, 8, 8, 8},   {14, 17, 17, 14, 17, 17, 14},
    {14, 17, 17, 15, 1, 2, 12},
};

bool digitPixel(int digit, int x, int y, int left, int top, int scale)
{
    const int cx = (x - left) / scale, cy = (y - top) / scale;
    if (x < left || y < top || cx >= 5 || cy >= 7)
        return false;
    return Digits[digit][cy] & (16 >> cx);
}

Palette ramp(Rgba from, Rgba to, int alpha)
{
    Palette p(256);
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        p[i] = {int(from.r + (to.r - from.r) * t), int(from.g + (to.g - from.g) * t),
                int(from.b + (to.b - from.b) * t), alpha};
    }
    return p;
}

// An image record: 96 game bytes, width, height, 8 game bytes, pixels top row first, palette.
// The game stores the top row first, so the bottom-up temp.bmp made from a record holds the
// picture upside down and the preview mirrors it back.
QByteArray imageRecord(Filler &filler, int w, int h, const PixelFn &pixel, const Palette &palette)
{
    QByteArray record = filler.bytes(96);
    char number[4];
    LittleEndian::putInt32(number, w);
    record.append(number, 4);
    LittleEndian::putInt32(number, h);
    record.append(number, 4);
    record.append(filler.bytes(8));
    QByteArray pixels(qsizetype(w) * h, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels[qsizetype(y) * w + x] = char(pixel(x, y));
    record.append(pixels);
    for (const Rgba &c : palette) {
        record.append(char(c.r));
        record.append(char(c.g));
        record.append(char(c.b));
        record.append(char(c.a));
    }
    return record;
}

QByteArray pngFile(int w, int h, const std::function<QRgb(int, int)> &pixel)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, pixel(x, y));
    QByteArray bytes;
    QBuffer buffer(&bytes); // the writer opens it
    image.save(&buffer, "PNG");
    return bytes;
}

class GobBuilder
{
public:
    explicit GobBuilder(Filler &filler)
        : m_filler(filler)
    {
        m_gob = filler.bytes(4096);
    }

    // Appends filler, then the bytes; returns the catalogue offset (1-based) of their start.
    qint64 place(const QByteArray &bytes)
    {
        m_gob.append(m_filler.bytes(37 + 2 * (m_count++ % 11))); // odd starts, varied gaps
        const qint64 offset = m_gob.size() + 1;
        m_gob.append(bytes);
        return offset;
    }

    // A whole-file area of areaBytes holding the file, padded with zeros.
    qint64 placeArea(const QByteArray &file, int areaBytes)
    {
        if (file.size() > areaBytes)
            throw Failure(FailureNumber::TooLong,
                          QStringLiteral("sample PNG of %1 bytes does not fit its area of %2")
                              .arg(file.size())
                              .arg(areaBytes));
        QByteArray area = file;
        area.append(QByteArray(areaBytes - file.size(), '\0'));
        return place(area);
    }

    QByteArray finish()
    {
        m_gob.append(m_filler.bytes(8192));
        return m_gob;
    }

    qint64 size() const { return m_gob.size(); }

private:
    Filler &m_filler;
    QByteArray m_gob;
    int m_count = 0;
};

QString n(qint64 v)
{
    return QString::number(v);
}

} // namespace

Paths write(const QString &dir)
{
    Paths paths;
    const QString root = QDir(dir).absolutePath();
    paths.game = root + QStringLiteral("/Torvane/");
    paths.gob = paths.game + QStringLiteral("data/torvane_pc.gob");
    paths.catalogue = root + QStringLiteral("/BmpList.txt");
    if (!QDir().mkpath(paths.game + QStringLiteral("data/bats")))
        throw Failure(FailureNumber::FileAccess,
                      QStringLiteral("Cannot create the folder %1data/bats").arg(paths.game));

    Filler filler;
    GobBuilder gob(filler);
    QStringList lines;
    lines << QStringLiteral("//Kestrix sample catalogue for a generated torvane_pc.gob");

    const Rgba red {200, 30, 40, 255}, white {245, 245, 245, 255}, navy {20, 30, 90, 255},
        green {30, 140, 60, 255}, gold {230, 180, 30, 255}, black {10, 10, 10, 255};

    // Kits/Home: six 64 x 64 parts in the team's red and white.
    {
        Palette kit = ramp(red, white, 255);
        kit[0] = {0, 0, 0, 0}; // transparent around the shapes
        const std::vector<std::pair<QString, PixelFn>> parts = {
            {QStringLiteral("Shirt"), [](int x, int) { return (x / 8) % 2 ? 255 : 1; }},
            {QStringLiteral("Shorts"),
             [](int x, int y) { return y < 40 ? 255 : (x < 30 || x > 33 ? 1 : 0); }},
            {QStringLiteral("Socks"), [](int, int y) { return (y / 6) % 2 ? 1 : 255; }},
            {QStringLiteral("Badge"),
             [](int x, int y) {
                 const int dx = x - 32, dy = y - 32, d2 = dx * dx + dy * dy;
                 return d2 < 400 ? 1 : d2 < 784 ? 255 : 0;
             }},
            {QStringLiteral("Number"),
             [](int x, int y) { return digitPixel(7, x, y, 14, 4, 8) ? 1 : 255; }},
            {QStringLiteral("Sponsor"), [](int x, int y) { return (x + y) % 16 < 8 ? 128 : 255; }},
        };
        QString line = QStringLiteral("Kits/Home,%1").arg(parts.size());
        for (const auto &[caption, fn] : parts)
            line += u',' + n(gob.place(imageRecord(filler, 64, 64, fn, kit))) + u',' + caption;
        lines << line;
    }

    // Stadium board: 256 x 128, a horizontal gradient with a green band and a digit, opaque.
    lines << QStringLiteral("Stadium board,1,%1,Board")
                 .arg(gob.place(imageRecord(
                     filler, 256, 128,
                     [](int x, int y) {
                         if (digitPixel(3, x, y, 200, 24, 10))
                             return 0;
                         return y > 96 && y < 112 ? 255 : x;
                     },
                     ramp(navy, gold, 255))));

    // Crowd banner: 50 x 30, a width that is no multiple of 4; diagonal stripes.
    lines << QStringLiteral("Crowd banner,1,%1,Banner")
                 .arg(gob.place(imageRecord(
                     filler, 50, 30, [](int x, int y) { return ((x + 2 * y) / 5) % 2 ? 200 : 20; },
                     ramp(green, white, 255))));

    // Ball: 64 x 64, a white ball with black patches on a fully transparent background.
    {
        Palette ball(256, white);
        ball[0] = {0, 0, 0, 0};
        ball[1] = black;
        lines << QStringLiteral("Ball,1,%1,Match ball")
                     .arg(gob.place(imageRecord(
                         filler, 64, 64,
                         [](int x, int y) {
                             const int dx = x - 32, dy = y - 32;
                             if (dx * dx + dy * dy >= 900)
                                 return 0;
                             return ((x / 10) + (y / 10)) % 3 == 0 ? 1 : 2;
                         },
                         ball)));
    }

    // Scoreboard glass: 128 x 64, alpha rising from 0 on the left to 255 on the right.
    {
        Palette glass(256);
        for (int i = 0; i < 256; ++i)
            glass[i] = {40, 120, 220, i};
        lines << QStringLiteral("Scoreboard glass,2,%1,Glass left,%2,Glass right")
                     .arg(gob.place(imageRecord(
                         filler, 128, 64, [](int x, int) { return x * 2; }, glass)))
                     .arg(gob.place(imageRecord(
                         filler, 128, 64, [](int x, int) { return 255 - x * 2; }, glass)));
    }

    // Pitch: 1024 x 1024 mown stripes with the centre circle, opaque.
    lines << QStringLiteral("Pitch,1,%1,Turf")
                 .arg(gob.place(imageRecord(
                     filler, 1024, 1024,
                     [](int x, int y) {
                         const int dx = x - 512, dy = y - 512, d2 = dx * dx + dy * dy;
                         if ((d2 > 140 * 140 && d2 < 146 * 146) || (y >= 509 && y <= 514))
                             return 255;
                         return (y / 64) % 2 ? 60 : 90;
                     },
                     ramp(Rgba {10, 60, 10, 255}, white, 255))));

    // Referee card: 30 x 40, yellow with a black border.
    {
        Palette card(256, black);
        card[1] = gold;
        lines << QStringLiteral("Referee card,1,%1,Yellow card")
                     .arg(gob.place(imageRecord(
                         filler, 30, 40,
                         [](int x, int y) { return x < 2 || y < 2 || x > 27 || y > 37 ? 0 : 1; },
                         card)));
    }

    // Team logo: PNG records of 12 KB and 16 KB areas.
    {
        const auto logo = [](int size) {
            return pngFile(size, size, [size](int x, int y) {
                const int c = size / 2, dx = x - c, dy = y - c, d2 = dx * dx + dy * dy;
                if (d2 > c * c)
                    return qRgba(0, 0, 0, 0);
                if (std::abs(dx) < size / 10 || std::abs(dy) < size / 10)
                    return qRgba(245, 245, 245, 255);
                return qRgba(200, 30, 40, 255);
            });
        };
        lines << QStringLiteral("$png,Team logo,2,%1,Small,12,%2,Large,16")
                     .arg(gob.placeArea(logo(64), 12 * 1024))
                     .arg(gob.placeArea(logo(128), 16 * 1024));
    }

    // Menu background: a PNG in an area of 7.5 KB (7680 bytes).
    lines << QStringLiteral("$png,Menu background,1,%1,Background,7.5")
                 .arg(gob.placeArea(
                     pngFile(96, 64,
                             [](int x, int y) { return qRgb(20 + x, 40 + y, 120 + (x ^ y) % 8); }),
                     7680));

    // Other items of the package window: regions of plain archive bytes.
    const qint64 crowdNoise = gob.place(filler.bytes(2048));
    const qint64 menuFont = gob.place(filler.bytes(3584));
    lines.insert(
        1, QStringLiteral("Crowd noise table,%1,2,Menu font,%2,3.5").arg(crowdNoise).arg(menuFont));

    OutputFile::write(paths.gob, gob.finish());
    OutputFile::write(paths.game + QStringLiteral("Torvane.exe"), QByteArray());
    OutputFile::write(paths.catalogue, lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    return paths;
}

} // namespace SampleGame
