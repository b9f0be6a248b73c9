// Recognition of a file dialog by its control ids: the walk over every
// descendant of the explorer-style file-open dialog, on the in-memory window
// tree.
#include <benchmark/benchmark.h>

#include "guard/file_dialog_recognition.h"
#include "unit/guard/dialog_shapes.h"

namespace vallora {
namespace {

void BM_RecognizeExplorerStyleDialog(benchmark::State& state) {
    testing::FakeDesktop desktop;
    const testing::BuiltDialog built = testing::ExplorerOpenShape(desktop);
    for (auto _ : state) {
        const StandardDialogRecognition found = RecognizeStandardDialog(desktop, built.dialog);
        benchmark::DoNotOptimize(found.editBox);
    }
}
BENCHMARK(BM_RecognizeExplorerStyleDialog);

}  // namespace
}  // namespace vallora
