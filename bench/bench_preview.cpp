// Selecting the 1024 x 1024 sub file of the sample game: extraction into temp.bmp plus the
// preview, as a click on its option button runs them.
#include "benchhome.h"

#include "mainwindow/frmmain.h"
#include "records/recordextraction.h"
#include "records/samplegame.h"
#include "services/apppath.h"
#include "services/imaging.h"
#include "services/opener.h"
#include "services/settings.h"
#include "widgets/entrylist.h"
#include "widgets/pictureview.h"

#include <QAction>

#include <benchmark/benchmark.h>

namespace {

constexpr int PitchEntry = 5; // "Pitch", one sub file of 1024 x 1024

struct Fixture
{
    BenchHome home;
    SilentPrompts prompts;
    DesktopOpener opener;
    SampleGame::Paths paths = SampleGame::write(home.path());
    std::unique_ptr<frmMain> window;

    explicit Fixture(bool autoTransparent)
    {
        Settings::save(Settings::GobKey, paths.gob);
        Settings::save(Settings::TransparentKey,
                       autoTransparent ? QStringLiteral("True") : QStringLiteral("False"));
        window = std::make_unique<frmMain>(prompts, opener);
        window->Form_Load();
        window->lstItem->setCurrentRow(PitchEntry);
    }
};

void selectSubFile(benchmark::State &state, bool autoTransparent)
{
    Fixture f(autoTransparent);
    for (auto _ : state)
        f.window->opnSubFile_Click(1);
    if (f.prompts.shown || f.window->selection().width != 1024
        || f.window->picPreview->canvas().drawnSize() != QSize(1024, 1024))
        state.SkipWithError("the selection failed");
}

void BM_SelectLargeSubFile(benchmark::State &state)
{
    selectSubFile(state, false);
}
BENCHMARK(BM_SelectLargeSubFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectLargeSubFileTransparent(benchmark::State &state)
{
    selectSubFile(state, true);
}
BENCHMARK(BM_SelectLargeSubFileTransparent)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two halves on their own.
void BM_ExtractLargeRecord(benchmark::State &state)
{
    Fixture f(false);
    const qint32 offset = f.window->selection().offset;
    for (auto _ : state)
        RecordExtraction::extractImageRecord(f.paths.gob, offset, MainModule::scratchBitmapPath());
}
BENCHMARK(BM_ExtractLargeRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DrawLargeRecord(benchmark::State &state)
{
    Fixture f(false);
    for (auto _ : state)
        f.window->mnuRotate_Click(0);
}
BENCHMARK(BM_DrawLargeRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TurnLargeRecord(benchmark::State &state)
{
    Fixture f(false);
    for (auto _ : state)
        f.window->mnuRotate_Click(1);
}
BENCHMARK(BM_TurnLargeRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv);
}
