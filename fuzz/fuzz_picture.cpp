// Fuzzes the import of any picture into an image record and the reader of an export's manifest.
// The input is written as a picture file (its name's extension goes with the input's length;
// the import reads by content) and imported into a small GOB file with one image record: a
// refusal leaves the GOB file as it was, an import changes the record's pixels and palette only,
// to exactly the bytes its plan holds, and an exact import of a picture that Qt reads with a
// palette keeps Qt's indexes and colours. The same input, as the folder's kestrix-export.tsv, is
// either refused for its header or read into lines whose names stay inside the folder.
#include "fuzzsupport.h"

#include "pictures/manifest.h"
#include "pictures/pictureimport.h"
#include "services/bitmaplayout.h"
#include "services/failure.h"

#include <QDir>
#include <QImage>
#include <QImageReader>

namespace {

constexpr qsizetype Start = 517; // an odd 0-based record start, as in real GOB files

// The picture as Qt reads it by content, and the record's size: the picture's when it is small,
// so that most inputs get past the size checks, else 30 x 40.
QImage readByQt(const QString &path, QSize &recordSize)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    recordSize =
        size.width() >= 1 && size.width() <= 64 && size.height() >= 1 && size.height() <= 64
        ? size
        : QSize(30, 40);
    return reader.read();
}

void importIntoRecord(const QByteArray &input)
{
    static const char *const extensions[] = {".png", ".gif", ".bmp", ".ppm", ".jpg"};
    const QString picturePath = FuzzSupport::home() + QStringLiteral("/in/import")
        + QString::fromLatin1(extensions[input.size() % 5]);
    FuzzSupport::writeFile(picturePath, input);
    QSize size;
    const QImage qt = readByQt(picturePath, size);
    const qint32 w = size.width(), h = size.height();
    const qsizetype storedBytes = qsizetype(qint64(w) * h + 1024);
    const QByteArray before =
        FuzzSupport::gobWithImageRecord(Start + 112 + storedBytes + 611, Start, w, h);
    const QString gobPath = FuzzSupport::home() + QStringLiteral("/game/torvane_pc.gob");
    FuzzSupport::writeFile(gobPath, before);

    try {
        const PictureImport::Plan plan =
            PictureImport::check(gobPath, qint32(Start + 1), picturePath);
        const GobPatch patch = plan.patch();
        REQUIRE(patch.start == Start + 112 && patch.bytes.size() == storedBytes);
        PictureImport::write(plan);
        FuzzSupport::trace(QStringLiteral("imported: ") + plan.description());

        const QByteArray after = FuzzSupport::readFile(gobPath);
        REQUIRE(after.size() == before.size());
        const FuzzSupport::Changed changed = FuzzSupport::changedRange(before, after);
        REQUIRE(changed.first < 0
                || (changed.first >= Start + 112 && changed.end <= Start + 112 + storedBytes));
        REQUIRE(after.mid(Start + 112, storedBytes) == plan.after.storedBytes());

        // Qt's own reading of a picture with a palette: the record holds its indexes (a
        // bitmap's rows in stored order, so its top row last; any other picture's top row
        // first) and its colours with their alpha. Qt takes a bitmap's rows as padded to 4
        // bytes, which our reader does not require.
        const BitmapLayout layout = BitmapLayout::read(picturePath);
        const bool bitmap = layout.problem != BitmapLayout::Problem::NotABitmap;
        if (plan.outcome == PictureImport::Outcome::Exact && qt.format() == QImage::Format_Indexed8
            && qt.size() == size && (!layout.isReadable() || layout.stride % 4 == 0)) {
            for (qint32 y = 0; y < h; ++y)
                for (qint32 x = 0; x < w; ++x)
                    REQUIRE(qt.pixelIndex(x, y)
                            == quint8(after[qsizetype(Start + 112
                                                      + qint64(bitmap ? h - 1 - y : y) * w + x)]));
            const qsizetype palette = Start + 112 + qsizetype(qint64(w) * h);
            for (int k = 0; k < qt.colorCount() && k < 256; ++k) {
                const QRgb c = qt.color(k);
                REQUIRE(quint8(after[palette + 4 * k]) == qRed(c)
                        && quint8(after[palette + 4 * k + 1]) == qGreen(c)
                        && quint8(after[palette + 4 * k + 2]) == qBlue(c)
                        && quint8(after[palette + 4 * k + 3]) == qAlpha(c));
            }
        }
    } catch (const Failure &f) {
        FuzzSupport::trace(QStringLiteral("refused: ") + f.description());
        REQUIRE(FuzzSupport::readFile(gobPath) == before);
    }
    // Each import journals into the fuzz home's history: drop it so that runs stay independent.
    QDir(FuzzSupport::home() + QStringLiteral("/history")).removeRecursively();
}

void readManifest(const QByteArray &input)
{
    const QString folder = FuzzSupport::home() + QStringLiteral("/export");
    FuzzSupport::writeFile(folder + QStringLiteral("/kestrix-export.tsv"), input);
    // The header line, without a carriage return, decides whether the file is a manifest.
    const QList<QByteArray> lines = input.split('\n');
    QByteArray first = lines.first();
    if (first.endsWith('\r'))
        first.chop(1);
    const QByteArray oldHeader = "file\tentry\tsub\toffset\tkind\tsha256";
    const bool ours = first == oldHeader || first == oldHeader + "\trows";
    qsizetype used = 0;
    for (const QByteArray &line : lines.mid(1))
        if (!line.isEmpty() && line != "\r")
            ++used;

    try {
        const Manifest::Contents contents = Manifest::read(folder);
        REQUIRE(ours);
        REQUIRE(contents.lines.size() + contents.problems.size() == used);
        const QString inside = QDir::cleanPath(folder);
        for (const ManifestLine &line : contents.lines) {
            REQUIRE(!line.name.isEmpty() && line.name != QStringLiteral(".")
                    && line.name != QStringLiteral("..") && !line.name.contains(u'/')
                    && !line.name.contains(u'\\') && !QDir::isAbsolutePath(line.name));
            REQUIRE(QFileInfo(QDir::cleanPath(QDir(folder).filePath(line.name))).path() == inside);
            REQUIRE(line.entry >= 0 && line.subFile >= 1);
            REQUIRE(line.sha256.size() == 64 && line.sha256 == line.sha256.toLower()
                    && QByteArray::fromHex(line.sha256).toHex() == line.sha256);
        }
        FuzzSupport::trace(QStringLiteral("manifest: %1 lines, %2 problems")
                               .arg(contents.lines.size())
                               .arg(contents.problems.size()));
    } catch (const Failure &f) {
        FuzzSupport::trace(QStringLiteral("manifest refused: ") + f.description());
        REQUIRE(!ours);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = FuzzSupport::bytesOf(data, size);
    importIntoRecord(input);
    readManifest(input);
    return 0;
}
