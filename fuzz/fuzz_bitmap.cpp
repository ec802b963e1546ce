// Fuzzes the 8-bit bitmap reader of the record import and of the palette editor. The input is
// written as a .bmp file and imported into a small GOB file with one image record: a refusal
// leaves the GOB file as it was, an import changes the record's pixels and palette only, to the
// bytes worked out here from the bitmap. A copy of the input then goes through the palette
// editor's reads and alpha writes (which must change alpha bytes of the colour table and
// nothing else) and through the bitmap previews.
#include "fuzzsupport.h"

#include "records/bitmapimport.h"
#include "records/palettebitmap.h"
#include "records/recordextraction.h"
#include "services/failure.h"

#include <QDir>

#include <limits>

namespace {

qint32 int32At(const QByteArray &b, qsizetype at)
{
    if (at + 4 > b.size())
        return 0;
    return qint32(quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8
                  | quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24);
}

quint16 uint16At(const QByteArray &b, qsizetype at)
{
    if (at + 2 > b.size())
        return 0;
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

// The record takes the bitmap's own size when it is small, so that most inputs get past the
// size checks; others meet a record of 30 x 40.
void recordSizeFor(const QByteArray &bmp, qint32 &w, qint32 &h)
{
    w = int32At(bmp, 18);
    h = int32At(bmp, 22);
    if (w < 1 || w > 64 || h < 1 || h > 64) {
        w = 30;
        h = 40;
    }
}

void importIntoRecord(const QByteArray &bmp)
{
    constexpr qsizetype Start = 333; // an odd 0-based record start, as in real GOB files
    qint32 w = 0, h = 0;
    recordSizeFor(bmp, w, h);
    const qint64 pixels = qint64(w) * h;
    const qsizetype recordBytes = qsizetype(112 + pixels + 1024);
    const QByteArray before =
        FuzzSupport::gobWithImageRecord(Start + recordBytes + 517, Start, w, h);
    const QString gobPath = FuzzSupport::home() + QStringLiteral("/game/torvane_pc.gob");
    const QString bmpPath = FuzzSupport::home() + QStringLiteral("/in/import.bmp");
    FuzzSupport::writeFile(gobPath, before);
    FuzzSupport::writeFile(bmpPath, bmp);
    const bool keepAlpha = bmp.size() % 2;

    try {
        const BitmapImport::Plan plan = BitmapImport::check(gobPath, qint32(Start + 1), bmpPath);
        // An accepted bitmap has every property the import relies on.
        const qint32 pixelOffset = int32At(bmp, 10);
        const qint32 used = int32At(bmp, 46);
        const int count = used == 0 ? 256 : used;
        REQUIRE(bmp.size() >= 54);
        REQUIRE(int32At(bmp, 18) == w && int32At(bmp, 22) == h);
        REQUIRE(uint16At(bmp, 28) == 8 && int32At(bmp, 30) == 0);
        REQUIRE(used >= 0 && used <= 256 && plan.count == count);
        REQUIRE(pixelOffset >= 54 && plan.pixelOffset == pixelOffset);
        REQUIRE(bmp.size() >= 54 + 4 * count && bmp.size() >= pixelOffset + pixels);

        BitmapImport::write(plan, keepAlpha);
        FuzzSupport::trace(QStringLiteral("imported"));

        // The record as it must be now: the bitmap's pixels, then its colour table turned into
        // red, green, blue and alpha; entries past count keep their old bytes.
        QByteArray expected = before;
        expected.replace(Start + 112, qsizetype(pixels), bmp.mid(pixelOffset, qsizetype(pixels)));
        for (int k = 0; k < count; ++k) {
            const qsizetype to = qsizetype(Start + 112 + pixels + 4 * k);
            expected[to] = bmp[54 + 4 * k + 2];
            expected[to + 1] = bmp[54 + 4 * k + 1];
            expected[to + 2] = bmp[54 + 4 * k];
            expected[to + 3] = keepAlpha ? bmp[54 + 4 * k + 3] : char(0xFF);
        }
        const QByteArray after = FuzzSupport::readFile(gobPath);
        REQUIRE(after.size() == before.size());
        const FuzzSupport::Changed changed = FuzzSupport::changedRange(before, after);
        REQUIRE(changed.first < 0
                || (changed.first >= Start + 112 && changed.end <= Start + recordBytes));
        REQUIRE(after == expected);

        // The imported record extracts and previews.
        const QString scratch = FuzzSupport::home() + QStringLiteral("/temp.bmp");
        RecordExtraction::extractImageRecord(gobPath, qint32(Start + 1), scratch);
        FuzzSupport::preview(scratch, false, int(bmp.size() % 4));
    } catch (const Failure &f) {
        FuzzSupport::trace(QStringLiteral("refused: ") + f.description());
        REQUIRE(FuzzSupport::readFile(gobPath) == before);
    }
}

void editPalette(const QByteArray &bmp)
{
    const QString path = FuzzSupport::home() + QStringLiteral("/palette/edit.bmp");
    FuzzSupport::writeFile(path, bmp);
    QByteArray expected = bmp;
    try {
        PaletteBitmap bitmap(path);
        REQUIRE(bmp.size() >= PaletteBitmap::PixelOffset && bmp[28] == 8);
        // Which entries to read and write, and the alphas, come from the input's last bytes.
        const auto at = [&](qsizetype back) { return quint8(bmp[bmp.size() - 1 - back]); };
        for (int k = 0; k < 4; ++k) {
            const int index = at(k);
            const PaletteBitmap::Entry e = bitmap.entry(index);
            const qsizetype p = 54 + 4 * index;
            REQUIRE(e.blue == quint8(expected[p]) && e.green == quint8(expected[p + 1])
                    && e.red == quint8(expected[p + 2]) && e.alpha == quint8(expected[p + 3]));
            const quint8 alpha = at(k + 4);
            bitmap.setAlpha(index, alpha);
            expected[p + 3] = char(alpha);
        }
        for (const int outside :
             {-1, 256, 256 + int(at(8)) * 1000, std::numeric_limits<int>::min()})
            try {
                bitmap.setAlpha(outside, 0);
                REQUIRE(outside >= 0 && outside < 256);
            } catch (const Failure &f) {
                REQUIRE(f.number() == FailureNumber::Overflow);
            }
        if (at(9) & 1) {
            bitmap.setAllAlpha(at(10));
            for (int k = 0; k < 256; ++k)
                expected[54 + 4 * k + 3] = char(at(10));
        }
        const qint32 w = int32At(bmp, 18);
        for (int k = 0; k < 4; ++k) {
            const int x = at(11 + k) - 16, y = at(15 + k) - 16;
            const std::optional<quint8> index = bitmap.pixelIndex(qMax(w, 1), x, y);
            const qint64 p = 1078 + qint64(qMax(w, 1)) * y + x;
            if (index)
                REQUIRE(x >= 0 && y >= 0 && p < bmp.size() && *index == quint8(bmp[p]));
        }
        bitmap.close();
        FuzzSupport::trace(QStringLiteral("palette edited"));
        const QByteArray after = FuzzSupport::readFile(path);
        REQUIRE(after.size() == bmp.size());
        REQUIRE(after == expected);
    } catch (const Failure &) {
        REQUIRE(FuzzSupport::readFile(path) == expected);
    }

    // The palette editor's and the main window's previews of the file.
    FuzzSupport::preview(path, false, int(bmp.size() % 4));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bmp = FuzzSupport::bytesOf(data, size);
    importIntoRecord(bmp);
    editPalette(bmp);
    return 0;
}
