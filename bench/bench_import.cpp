// Importing a 2048 x 2048 bitmap into a record near the end of a large GOB file (sparse, so
// that no gigabytes are written to set it up), for GOB files of 64 MiB, 1 GiB and 2000 MiB
// (catalogue offsets are 32-bit): the time must not grow with the GOB file. Each run writes 4 MiB
// of pixels, the palette, and syncs them to the disk.
#include "benchhome.h"

#include "mainwindow/frmmain.h"
#include "records/bitmapimport.h"
#include "services/littleendian.h"
#include "services/opener.h"
#include "services/settings.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

constexpr qint32 Side = 2048;
constexpr qint64 Pixels = qint64(Side) * Side;
constexpr qint64 MiB = 1024 * 1024;

struct Fixture
{
    BenchHome home;
    QString gob = home.file(QStringLiteral("big_pc.gob"));
    QString bitmap = home.file(QStringLiteral("new.bmp"));
    qint32 catalogueOffset = 0;

    explicit Fixture(qint64 gobBytes)
    {
        QFile file(gob);
        file.open(QIODevice::ReadWrite | QIODevice::Truncate);
        file.resize(gobBytes); // sparse: nothing is written but the record's header
        const qint64 start = gobBytes - (112 + Pixels + 1024) - 4096;
        char size[8];
        LittleEndian::putInt32(size, Side);
        LittleEndian::putInt32(size + 4, Side);
        file.seek(start + 96);
        file.write(size, 8);
        file.close();
        catalogueOffset = qint32(start + 1);

        QByteArray bmp(1078, '\0');
        bmp[0] = 'B';
        bmp[1] = 'M';
        LittleEndian::putInt32(bmp.data() + 2, qint32(1078 + Pixels));
        LittleEndian::putInt32(bmp.data() + 10, 1078);
        LittleEndian::putInt32(bmp.data() + 14, 40);
        LittleEndian::putInt32(bmp.data() + 18, Side);
        LittleEndian::putInt32(bmp.data() + 22, Side);
        LittleEndian::putUint16(bmp.data() + 26, 1);
        LittleEndian::putUint16(bmp.data() + 28, 8);
        for (int k = 0; k < 256; ++k)
            bmp[54 + 4 * k + 3] = char(k);
        QByteArray pixels(Pixels, Qt::Uninitialized);
        for (qint64 i = 0; i < Pixels; ++i)
            pixels[i] = char((i * 7) >> 4);
        QFile out(bitmap);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bmp + pixels);
    }
};

// The engine alone: the checks, the writes and the sync.
void BM_ImportBitmapEngine(benchmark::State &state)
{
    Fixture f(state.range(0) * MiB);
    for (auto _ : state)
        BitmapImport::write(BitmapImport::check(f.gob, f.catalogueOffset, f.bitmap), true);
}
BENCHMARK(BM_ImportBitmapEngine)
    ->Arg(64)
    ->Arg(1024)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// What "Yes" runs in the window: ImportBMP with the re-extraction and the preview.
void BM_ImportBitmapWindow(benchmark::State &state)
{
    Fixture f(state.range(0) * MiB);
    QFile catalogue(f.home.file(QStringLiteral("BmpList.txt")));
    catalogue.open(QIODevice::WriteOnly);
    catalogue.write(
        QStringLiteral("//bench\r\n\r\nHuge,1,%1,Turf\r\n").arg(f.catalogueOffset).toUtf8());
    catalogue.close();
    Settings::save(Settings::GobKey, f.gob);
    SilentPrompts prompts;
    DesktopOpener opener;
    frmMain window(prompts, opener);
    window.Form_Load();
    for (auto _ : state)
        window.ImportBMP(f.bitmap, true);
    if (prompts.shown != int(state.iterations())
        || prompts.last != QStringLiteral("Imported Successfully"))
        state.SkipWithError("the import failed");
}
BENCHMARK(BM_ImportBitmapWindow)
    ->Arg(64)
    ->Arg(1024)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv);
}
