// vallora-tool page on a system without icon extraction: the page is written
// whole and every bitmap it could not make is named.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <unistd.h>

#include "tool/commands.h"

namespace vallora {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path kFixtures = fs::path(VALLORA_FIXTURES) / "page";

TEST(PageCommand, WritesThePageAndNamesTheBitmapsItCannotMake) {
    const fs::path folder =
        fs::temp_directory_path() / ("vallora_page_tool_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path page = folder / "Kiosk.hta";
    const std::string vla = (kFixtures / "kiosk.vla").string();

    const struct {
        const char* what;
        tool::Arguments args;
        int status;
        std::string page;  // expected page text; empty: no page file
        std::vector<std::string> errors;
    } cases[] = {
        {"icons need Windows",
         {"page", vla, page.string()},
         tool::kExitFailed,
         ReadFile(kFixtures / "kiosk.hta"),
         {"icon bitmap not made: " + (folder / "Kiosk_Icons\\notepad.exe.bmp").string(),
          "icon bitmap not made: " + (folder / "Kiosk_Icons\\mspaint.exe.bmp").string(),
          "only on Windows"}},
        {"missing definition",
         {"page", (folder / "none.vla").string(), page.string()},
         tool::kExitFailed,
         "",
         {"none.vla"}},
        {"wrong arguments", {"page", vla}, tool::kExitUsage, "", {"page FILE.vla OUT.hta"}},
    };
    for (const auto& c : cases) {
        fs::remove(page);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(tool::RunTool(c.args, out, err), c.status) << c.what;
        EXPECT_EQ(out.str(), "") << c.what;
        EXPECT_EQ(fs::exists(page), !c.page.empty()) << c.what;
        if (!c.page.empty()) {
            EXPECT_EQ(ReadFile(page), c.page) << c.what;
        }
        for (const std::string& error : c.errors)
            EXPECT_THAT(err.str(), HasSubstr(error)) << c.what;
    }
    // Nothing to put into an icon folder here, so none is made.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 0);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace vallora
