// The keyboard lock's decision for one key press, as the low-level hook
// makes it for every key.
#include <benchmark/benchmark.h>

#include "runtime/locked_keys.h"

namespace vallora {
namespace {

void BM_LockedKeyDecision(benchmark::State& state) {
    std::uint32_t key = 0;
    for (auto _ : state) {
        KeyPress press{key, (key & 1) != 0, (key & 2) != 0, false};
        benchmark::DoNotOptimize(press);
        benchmark::DoNotOptimize(IsLockedKey(press));
        key = (key + 1) & 0xFF;
    }
}
BENCHMARK(BM_LockedKeyDecision);

}  // namespace
}  // namespace vallora
