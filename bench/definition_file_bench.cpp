// Loading and saving a definition with all 91 entries filled.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "storage/definition_file.h"
#include "unit/storage/sample_definitions.h"

namespace vallora {
namespace {

std::string BenchPath() {
    return (std::filesystem::temp_directory_path() / "vallora-bench-definition.vla").string();
}

void BM_DefinitionText(benchmark::State& state) {
    const Definition definition = samples::FullDefinition();
    for (auto _ : state) benchmark::DoNotOptimize(DefinitionText(definition));
}
BENCHMARK(BM_DefinitionText);

void BM_ParseDefinition(benchmark::State& state) {
    const std::string text = DefinitionText(samples::FullDefinition());
    for (auto _ : state) benchmark::DoNotOptimize(ParseDefinition(text));
}
BENCHMARK(BM_ParseDefinition);

void BM_LoadDefinition(benchmark::State& state) {
    const std::string path = BenchPath();
    if (!SaveDefinition(samples::FullDefinition(), path, nullptr))
        state.SkipWithError("save failed");
    for (auto _ : state) benchmark::DoNotOptimize(LoadDefinition(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadDefinition);

// Includes flushing the file to disk before it replaces the old one.
void BM_SaveDefinition(benchmark::State& state) {
    const Definition definition = samples::FullDefinition();
    const std::string path = BenchPath();
    for (auto _ : state) {
        if (!SaveDefinition(definition, path, nullptr)) state.SkipWithError("save failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveDefinition);

}  // namespace
}  // namespace vallora
