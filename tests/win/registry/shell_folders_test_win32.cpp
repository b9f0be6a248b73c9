// Windows folders and the folder browser.
#include <gtest/gtest.h>

#include <filesystem>

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
