// Windows folders, the folder browser and the search for libraries.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "platform/library_search_win32.h"
#include "platform/scripted_ui.h"
#include "platform/shell_folders_win32.h"
#include "storage/ascii_case.h"

namespace vallora {
namespace {

TEST(ShellFoldersTest, WindowsAndProgramFilesFoldersExist) {
    const std::string windows = WindowsFolder();
    EXPECT_TRUE(EqualsNoCase(windows, "C:\\windows")) << windows;
    const std::string programFiles = ProgramFilesFolder(nullptr);
    EXPECT_TRUE(EqualsNoCase(programFiles, "C:\\Program Files")) << programFiles;
    EXPECT_TRUE(std::filesystem::is_directory(programFiles));
}

TEST(ShellFoldersTest, TheSystemFolderHoldsTheSystemsPrograms) {
    const std::string system = SystemFolder();
    EXPECT_TRUE(EqualsNoCase(system, WindowsFolder() + "\\system32")) << system;
    EXPECT_TRUE(std::filesystem::exists(system + "\\rundll32.exe"));
}

// Once limited, a library named without a path is no longer found in the
// current folder, where it was found before.
TEST(LibrarySearchTest, TheCurrentFolderIsNoLongerSearched) {
    std::string probe = std::string("Z:") + VALLORA_LIBRARY_PROBE;
    for (char& c : probe) {
        if (c == '/') c = '\\';
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "vallora-library-" + std::to_string(GetCurrentProcessId());
    std::filesystem::create_directories(folder);
    for (const char* name : {"\\vallora_probe_a.dll", "\\vallora_probe_b.dll"}) {
        ASSERT_TRUE(CopyFileA(probe.c_str(), (folder + name).c_str(), FALSE)) << probe;
    }
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));

    HMODULE before = LoadLibraryA("vallora_probe_a.dll");
    const bool foundBefore = before != nullptr;
    if (before) FreeLibrary(before);
    const bool limited = LimitLibrarySearch();
    HMODULE after = LoadLibraryA("vallora_probe_b.dll");
    const bool foundAfter = after != nullptr;
    if (after) FreeLibrary(after);
    // Libraries of the system folder are still found by name.
    HMODULE system = LoadLibraryA("version.dll");
    EXPECT_NE(system, nullptr);
    if (system) FreeLibrary(system);

    SetCurrentDirectoryA(previous);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    ASSERT_TRUE(foundBefore);
    EXPECT_TRUE(limited);
    EXPECT_FALSE(foundAfter);
}

TEST(ShellFoldersTest, BrowseForFolderGivesTheChoiceOrTheDefault) {
    ScriptedUi ui;
    ui.AnswerFolder(std::string("C:\\Kiosk\\Documents"));
    ui.AnswerFolder(std::nullopt);
    EXPECT_EQ(BrowseForFolder(ui, nullptr, "Start folder", "C:\\Old"), "C:\\Kiosk\\Documents");
    EXPECT_EQ(BrowseForFolder(ui, nullptr, "Start folder", "C:\\Old"), "C:\\Old");
    ASSERT_EQ(ui.Asked().size(), 2u);
    EXPECT_EQ(ui.Asked()[0].folder.title, "Start folder");
    EXPECT_EQ(ui.Unscripted(), 0u);
}

}  // namespace
}  // namespace vallora
