// Fuzzes the PNG path of the record import and of the preview. The input is imported as the
// file of a whole-file record (an area of 512 to 8192 bytes) into a small GOB file: a refusal
// leaves the GOB file as it was, an import writes the file and zero bytes to the end of the area
// and changes nothing else. The
// record is then extracted and previewed in every turn, as the main window and kestrix-cli show
// it; the input itself is previewed as a file too. No preview may crash.
#include "fuzzsupport.h"

#include "records/pngimport.h"
#include "records/recordextraction.h"
#include "services/failure.h"

namespace {

constexpr qsizetype AreaStart = 1201; // 0-based; the catalogue offset is one more

// The area's size goes with the input's length, so that files both fit and are too long.
qsizetype areaSizeFor(size_t length)
{
    return qsizetype(512 * (1 + length % 16));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = FuzzSupport::bytesOf(data, size);
    const qsizetype areaSize = areaSizeFor(size);
    QByteArray before = FuzzSupport::filler(AreaStart + areaSize + 611);
    before.replace(AreaStart, areaSize, QByteArray(areaSize, char(0x77)));
    const QString gobPath = FuzzSupport::home() + QStringLiteral("/game/torvane_pc.gob");
    const QString filePath = FuzzSupport::home() + QStringLiteral("/in/logo.png");
    FuzzSupport::writeFile(gobPath, before);
    FuzzSupport::writeFile(filePath, file);
    const int rotation = int(size % 4);

    try {
        const PngImport::Plan plan =
            PngImport::check(gobPath, qint32(AreaStart + 1), qint32(areaSize), filePath);
        REQUIRE(file.size() <= areaSize);
        PngImport::write(plan);
        FuzzSupport::trace(QStringLiteral("imported"));
        QByteArray expected = before;
        expected.replace(AreaStart, areaSize, file + QByteArray(areaSize - file.size(), '\0'));
        const QByteArray after = FuzzSupport::readFile(gobPath);
        REQUIRE(after.size() == before.size());
        const FuzzSupport::Changed changed = FuzzSupport::changedRange(before, after);
        REQUIRE(changed.first < 0
                || (changed.first >= AreaStart && changed.end <= AreaStart + areaSize));
        REQUIRE(after == expected);

        const QString scratch = FuzzSupport::home() + QStringLiteral("/temp.bmp");
        RecordExtraction::extractWholeFileRecord(gobPath, qint32(AreaStart + 1), qint32(areaSize),
                                                 scratch);
        REQUIRE(FuzzSupport::readFile(scratch) == expected.mid(AreaStart, areaSize));
        FuzzSupport::preview(scratch, true, rotation);
    } catch (const Failure &f) {
        FuzzSupport::trace(QStringLiteral("refused: ") + f.description());
        REQUIRE(file.size() > areaSize);
        REQUIRE(f.number() == FailureNumber::TooLong);
        REQUIRE(FuzzSupport::readFile(gobPath) == before);
        FuzzSupport::preview(filePath, true, rotation);
    }
    return 0;
}
