// The desktop page of a full definition: 91 entries that bring their own
// pictures or are text links, so no icon is extracted.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "page/desktop_page.h"

namespace vallora {
namespace {

Definition FullPictureDefinition() {
    Definition definition;
    definition.BackgroundPicture = "C:\\Desks\\back.jpg";
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const std::string place = std::to_string(row) + std::to_string(column);
            definition.SetApplicationAndLink(
                "Program " + place, "C:\\Program Files\\App " + place + "\\app" + place + ".exe",
                "C:\\Desks\\Pictures\\app" + place + ".bmp", "Center",
                static_cast<int16_t>(column == 6), 1, row, column);
        }
    }
    return definition;
}

// Counts every icon the generator asks for; with pictures given there are none.
class CountingIconPort : public IconPort {
  public:
    bool CreateIconFolder(const std::string&) override { return ++calls, true; }
    bool ExtractIconToBitmap(const std::string&, int32_t, const std::string&,
                             std::string&) override {
        return ++calls, true;
    }
    int calls = 0;
};

void BM_ComposeDesktopPage(benchmark::State& state) {
    const Definition definition = FullPictureDefinition();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeDesktopPage(definition, "C:\\Desks\\Kiosk.hta"));
    }
}
BENCHMARK(BM_ComposeDesktopPage);

// Includes replacing the page file, flushed to disk.
void BM_GenerateDesktopPage(benchmark::State& state) {
    const Definition definition = FullPictureDefinition();
    const std::string path =
        (std::filesystem::temp_directory_path() / "vallora-bench-page.hta").string();
    CountingIconPort icons;
    for (auto _ : state) {
        if (!GenerateDesktopPage(definition, path, icons).pageWritten) {
            state.SkipWithError("page not written");
        }
    }
    if (icons.calls != 0) state.SkipWithError("an icon was extracted");
    std::filesystem::remove(path);
}
BENCHMARK(BM_GenerateDesktopPage);

}  // namespace
}  // namespace vallora
