// vallora-tool.exe page under Wine: the page and its icon folder, as the
// editor's save writes them.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "page/bitmap_file.h"
#include "tool/commands.h"
#include "win/page/bitmap_reader_win32.h"

namespace vallora {
namespace {

namespace fs = std::filesystem;

// Unix paths of the build are on drive Z: inside Wine.
std::string WinePath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PageCommand, WritesThePageAndItsIconFolder) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "vallora_page_tool_" + std::to_string(GetCurrentProcessId());
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string fixtures = WinePath(std::string(VALLORA_FIXTURES) + "/page/");

    std::ostringstream out;
    std::ostringstream err;
    const int status =
        tool::RunTool({"page", fixtures + "kiosk.vla", folder + "\\Kiosk.hta"}, out, err);

    EXPECT_EQ(status, tool::kExitOk) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(ReadFile(folder + "\\Kiosk.hta"), ReadFile(fixtures + "kiosk.hta"));
    for (const char* bitmap : {"notepad.exe.bmp", "mspaint.exe.bmp"}) {
        EXPECT_EQ(test::ReadBitmapFile(folder + "\\Kiosk_Icons\\" + bitmap).width, kIconBitmapSize)
            << bitmap;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace vallora
