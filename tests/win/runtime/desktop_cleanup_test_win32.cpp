// What the idle reset and the session end clear, against the real file
// system and clipboard.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/e2e_support_win32.h"
#include "platform/event_log_win32.h"
#include "platform/win32_handles_win32.h"
#include "runtime/desktop_cleanup_win32.h"

namespace vallora::runtime_test {
namespace {

namespace fs = std::filesystem;

class DeleteFolderFilesTest : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = fs::path(temp) / ("vallora-cleanup-" + std::to_string(GetTickCount64()));
        fs::create_directories(root / L"Start" / L"Sub");
        fs::create_directories(root / L"Outside");
    }
    void TearDown() override {
        for (const auto& entry : fs::recursive_directory_iterator(root, ec)) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        fs::remove_all(root, ec);
    }

    fs::path Write(const fs::path& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(file) << path;
        DWORD written = 0;
        WriteFile(file.get(), "x", 1, &written, nullptr);
        file.reset();
        SetFileAttributesW(path.c_str(), attributes);
        return path;
    }
    // The start folder as the definition holds it: ANSI text.
    std::string StartFolder() const { return (root / L"Start").string(); }

    fs::path root;
    std::error_code ec;
};

TEST_F(DeleteFolderFilesTest, DeletesEveryFileOfTheFolderAndNothingBelowOrBeyondIt) {
    const std::vector<fs::path> visitors = {
        Write(root / L"Start" / L"cv.doc"),
        Write(root / L"Start" / L"locked.txt", FILE_ATTRIBUTE_READONLY),
        Write(root / L"Start" / L"hidden.tmp", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
        // A name the ANSI code page cannot spell.
        Write(root / L"Start" / L"\u0420\u0435\u0437\u044e\u043c\u0435.txt"),
    };
    const fs::path below = Write(root / L"Start" / L"Sub" / L"kept.txt");
    const fs::path beyond = Write(root / L"Outside" / L"kept.txt");
    // A link to a folder outside is never followed, where links can be made.
    const bool linked =
        CreateSymbolicLinkW((root / L"Start" / L"Out").c_str(), (root / L"Outside").c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY) != FALSE;

    EXPECT_EQ(DeleteFolderFiles(StartFolder() + "\\"), static_cast<int>(visitors.size()));
    for (const fs::path& path : visitors) EXPECT_FALSE(fs::exists(path, ec)) << path;
    EXPECT_TRUE(fs::exists(below));
    EXPECT_TRUE(fs::exists(beyond));
    if (!linked) std::puts("no folder link can be made here: the link case is not exercised");
}

TEST_F(DeleteFolderFilesTest, AFileInUseIsSkippedAndLogged) {
    Write(root / L"Start" / L"a.txt");
    Write(root / L"Start" / L"b.txt");
    const fs::path busy = Write(root / L"Start" / L"busy.txt");
    UniqueFileHandle held(CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    const std::string log = EventLogPath();
    ASSERT_FALSE(log.empty());
    DeleteFileA(log.c_str());

    EXPECT_EQ(DeleteFolderFiles(StartFolder()), 2);
    EXPECT_TRUE(fs::exists(busy));
    const std::vector<std::string> lines = e2e::ReadLines(log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("could not delete " + busy.string() + " (error 32)"),
              std::string::npos)
        << lines[0];  // a sharing violation
}

TEST_F(DeleteFolderFilesTest, NoFolderOrAMissingOneDeletesNothing) {
    EXPECT_EQ(DeleteFolderFiles(""), 0);
    EXPECT_EQ(DeleteFolderFiles((root / L"Missing").string()), 0);
}

TEST(EventLog, StartsAFreshFileBeyondItsLimitKeepingTheOldOne) {
    const std::string log = EventLogPath();
    ASSERT_FALSE(log.empty());
    e2e::WriteText(log, std::string(kEventLogLimitBytes, 'o') + "\r\n");
    LogEvent("after the limit");
    const std::vector<std::string> lines = e2e::ReadLines(log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with(" after the limit")) << lines[0];
    EXPECT_EQ(lines[0].size(), std::string("2026-01-01 00:00:00 after the limit").size());
    WIN32_FILE_ATTRIBUTE_DATA old{};
    ASSERT_TRUE(GetFileAttributesExA((log + ".1").c_str(), GetFileExInfoStandard, &old));
    EXPECT_EQ(old.nFileSizeLow, kEventLogLimitBytes + 2);
    DeleteFileA(log.c_str());
    DeleteFileA((log + ".1").c_str());
}

TEST(Clipboard, IsEmptied) {
    // The clipboard takes data only from a window that owns it.
    UniqueHWND owner(
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(OpenClipboard(owner.get()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(memory), "PIN 1", 6);
    GlobalUnlock(memory);
    ASSERT_TRUE(SetClipboardData(CF_TEXT, memory));
    CloseClipboard();
    ASSERT_GT(CountClipboardFormats(), 0);
    EXPECT_TRUE(EmptyTheClipboard());
    EXPECT_EQ(CountClipboardFormats(), 0);
}

}  // namespace
}  // namespace vallora::runtime_test
