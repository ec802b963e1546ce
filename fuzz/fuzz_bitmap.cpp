// Fuzzes the bitmap layout reader through the record import and the palette editor. The input
// is written as a .bmp file and imported into a small GOB file with one image record: a refusal
// leaves the GOB file as it was, an import changes the record's pixels and palette only, to the
// bytes worked out here from the layout (and, where Qt's reader takes the file, to its pixels).
// A copy of the input then goes through the palette editor's reads and alpha writes (which
// must change alpha bytes of the colour table and nothing else) and through the previews.
#include "fuzzsupport.h"

#include "records/bitmapimport.h"
#include "records/palettebitmap.h"
#include "records/recordextraction.h"
#include "services/bitmaplayout.h"
#include "services/failure.h"

#include <QDir>
#include <QImage>

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

// The record takes the bitmap's own size (top-down or not) when it is small, so that most
// inputs get past the size checks; others meet a record of 30 x 40.
void recordSizeFor(const QByteArray &bmp, qint32 &w, qint32 &h)
{
    const bool core = int32At(bmp, 14) == 12; // 16-bit sides
    w = core ? uint16At(bmp, 18) : int32At(bmp, 18);
    h = core ? uint16At(bmp, 20) : int32At(bmp, 22);
    if (h < 0 && h > -65)
        h = -h;
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
        // An accepted bitmap is one the reader takes whole, of the record's size and 8 bits,
        // whose table and rows lie inside the file where they cannot overlap.
        const BitmapLayout &l = plan.layout;
        REQUIRE(l.isReadable() && l.bits == 8 && l.width == w && l.height == h);
        REQUIRE(l.tableEntries >= 1 && l.tableEntries <= 256 && l.tableEnd() <= l.pixelOffset);
        REQUIRE(l.stride >= w && l.pixelOffset + l.stride * (h - 1) + w <= bmp.size());

        BitmapImport::write(plan, keepAlpha);
        FuzzSupport::trace(QStringLiteral("imported"));

        // The record as it must be now: the rows bottom row first without padding, then the
        // table's entries as red, green, blue and alpha; entries past the table keep their bytes.
        QByteArray expected = before;
        for (qint32 y = 0; y < h; ++y)
            expected.replace(
                qsizetype(Start + 112 + qint64(y) * w), w,
                bmp.mid(qsizetype(l.pixelOffset + l.stride * (l.topDown ? h - 1 - y : y)), w));
        for (int k = 0; k < l.tableEntries; ++k) {
            const qsizetype to = qsizetype(Start + 112 + pixels + 4 * k);
            const qsizetype from = qsizetype(l.tableOffset + l.entryBytes * k);
            expected[to] = bmp[from + 2];
            expected[to + 1] = bmp[from + 1];
            expected[to + 2] = bmp[from];
            expected[to + 3] = keepAlpha && l.entryBytes == 4 ? bmp[from + 3] : char(0xFF);
        }
        // Qt's own reader, where it takes the file as a padded 8-bit picture, sees the same
        // pixels (its rows top row first).
        const QImage qt = QImage::fromData(bmp, "BMP");
        if (qt.format() == QImage::Format_Indexed8 && qt.size() == QSize(w, h) && l.stride % 4 == 0)
            for (qint32 y = 0; y < h; ++y)
                for (qint32 x = 0; x < w; ++x)
                    REQUIRE(qt.pixelIndex(x, h - 1 - y)
                            == quint8(expected[qsizetype(Start + 112 + qint64(y) * w + x)]));
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
        const BitmapLayout l = BitmapLayout::read(path);
        REQUIRE(l.isReadable() && l.bits == 8 && bitmap.entries() == l.tableEntries);
        // Which entries to read and write, and the alphas, come from the input's last bytes.
        const auto at = [&](qsizetype back) { return quint8(bmp[bmp.size() - 1 - back]); };
        for (int k = 0; k < 4; ++k) {
            const int index = at(k) % l.tableEntries;
            const PaletteBitmap::Entry e = bitmap.entry(index);
            const qsizetype p = qsizetype(l.entryOffset(index));
            REQUIRE(e.blue == quint8(expected[p]) && e.green == quint8(expected[p + 1])
                    && e.red == quint8(expected[p + 2])
                    && e.alpha == (l.entryBytes == 4 ? quint8(expected[p + 3]) : 255));
            const quint8 alpha = at(k + 4);
            bitmap.setAlpha(index, alpha); // three-byte entries throw: nothing may change
            expected[p + 3] = char(alpha);
        }
        for (const int outside :
             {-1, l.tableEntries, 256 + int(at(8)) * 1000, std::numeric_limits<int>::min()})
            try {
                bitmap.setAlpha(outside, 0);
                REQUIRE(false);
            } catch (const Failure &f) {
                REQUIRE(f.number() == FailureNumber::Overflow);
            }
        if (at(9) & 1) {
            bitmap.setAllAlpha(at(10));
            for (int k = 0; k < l.tableEntries; ++k)
                expected[qsizetype(l.entryOffset(k) + 3)] = char(at(10));
        }
        for (int k = 0; k < 4; ++k) {
            const int x = at(11 + k) - 16, y = at(15 + k) - 16;
            const std::optional<quint8> index = bitmap.pixelIndex(x, y);
            REQUIRE(index.has_value() == (x >= 0 && y >= 0 && x < l.width && y < l.height));
            if (index)
                REQUIRE(*index == quint8(bmp[qsizetype(l.recordRowOffset(y) + x)]));
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
