// Window and task operations on real windows and processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/window_port_win32.h"
#include "storage/ascii_case.h"
#include "taskbar/process_operations_win32.h"
#include "taskbar/task_operations.h"
#include "taskbar/window_operations_win32.h"
#include "win/taskbar/test_processes_win32.h"

namespace vallora {
namespace {

using testing::ChildProcess;

std::string HelperPath() {
    return testing::ThisProgramFolder() + "\\task_window_helper.exe";
}

// The helper copied under another program file name.
std::string HelperNamed(const std::string& fileName) {
    const std::string copy = testing::MakeScratchFolder("taskops") + "\\" + fileName;
    CopyFileA(HelperPath().c_str(), copy.c_str(), FALSE);
    return copy;
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

TEST(WindowOperationsWin32Test, WorkAreaIsReservedAndGivenBack) {
    const RECT before = WorkArea();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);

    int width = 0;
    int height = 0;
    ReserveWorkArea(width, height);
    EXPECT_EQ(width, screenWidth);
    EXPECT_EQ(height, screenHeight);
    RECT reserved = WorkArea();
    EXPECT_EQ(reserved.right, screenWidth);
    EXPECT_EQ(reserved.bottom, screenHeight - 30);
    EXPECT_EQ(reserved.left, 0);
    EXPECT_EQ(reserved.top, 0);

    ReleaseWorkArea(width, height);
    RECT released = WorkArea();
    EXPECT_EQ(released.right, screenWidth);
    EXPECT_EQ(released.bottom, screenHeight);

    ReserveWorkArea(width, height);
    ReleaseWorkArea(0, 0);  // nothing saved: the work area stays as it is
    EXPECT_EQ(WorkArea().bottom, screenHeight - 30);

    SystemParametersInfoA(SPI_SETWORKAREA, 0, const_cast<RECT*>(&before), 0);
}

TEST(WindowOperationsWin32Test, TopMostAndBottom) {
    ChildProcess helper(HelperPath(), "window Z order");
    HWND window = helper.WaitForWindow("Z order");
    ASSERT_NE(window, nullptr);
    ChildProcess other(HelperPath(), "window Other");
    HWND otherWindow = other.WaitForWindow("Other");
    ASSERT_NE(otherWindow, nullptr);

    SetTopMost(window, true);
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetTopMost(window, false);
    EXPECT_FALSE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    SendToBottom(window);
    bool otherSeen = false;
    bool windowAfterOther = false;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == otherWindow) otherSeen = true;
        if (w == window) windowAfterOther = otherSeen;
    }
    EXPECT_TRUE(windowAfterOther);
}

class TaskOperationsWin32Test : public ::testing::Test {
  protected:
    TaskContext Context(WindowId taskBar = 0) { return {windows, processes, table, taskBar}; }
    void AddRecord(const ChildProcess& process, HWND window) {
        table.records.push_back({process.Id(), ToWindowId(window), testing::WindowTitle(window),
                                 ProcessProgramFile(process.Id())});
    }

    Win32WindowPort windows;
    Win32TaskProcesses processes;
    TaskTable table;
};

TEST_F(TaskOperationsWin32Test, MinimizeRestoreMaximizeAndTheBarLeftAlone) {
    ChildProcess helper(HelperPath(), "window Sizes");
    HWND window = helper.WaitForWindow("Sizes");
    ASSERT_NE(window, nullptr);
    AddRecord(helper, window);

    ToggleTask(Context(), 0, false);
    EXPECT_TRUE(IsIconic(window));
    ToggleTask(Context(), 0, true);
    EXPECT_FALSE(IsIconic(window));
    MaximizeTask(Context(), 0);
    EXPECT_TRUE(IsZoomed(window));
    MinimizeAllTasks(Context());
    EXPECT_TRUE(IsIconic(window));
    RestoreTask(Context(), 0);
    EXPECT_FALSE(IsIconic(window));

    // The same window as the task bar: left alone.
    const WindowId bar = ToWindowId(window);
    MinimizeTask(Context(bar), 0);
    MinimizeAllTasks(Context(bar));
    ToggleTask(Context(bar), 0, false);
    EXPECT_FALSE(IsIconic(window));
    TerminateTask(Context(bar), TakeTask(Context(bar), 0));
    CloseTask(Context(bar), 0);
    EXPECT_TRUE(helper.Running());
    EXPECT_EQ(testing::WindowTitle(window), "Sizes");
}

TEST_F(TaskOperationsWin32Test, CloseEndsTheBrowserButOnlyAsksOtherPrograms) {
    ChildProcess browser(HelperNamed("IeXpLoRe.ExE"), "window Browser");
    HWND browserWindow = browser.WaitForWindow("Browser");
    ASSERT_NE(browserWindow, nullptr);
    ChildProcess editor(HelperNamed("notepad.exe"), "window Editor");
    HWND editorWindow = editor.WaitForWindow("Editor");
    ASSERT_NE(editorWindow, nullptr);
    AddRecord(browser, browserWindow);
    AddRecord(editor, editorWindow);
    ASSERT_TRUE(EqualsNoCase(
        table.records[0].programPath.substr(table.records[0].programPath.rfind('\\') + 1),
        "iexplore.exe"))
        << table.records[0].programPath;

    CloseAllTasks(Context());
    EXPECT_TRUE(browser.WaitEnded(5000));
    EXPECT_TRUE(testing::WaitUntil(
        [&] { return testing::WindowTitle(editorWindow) == "Editor (close asked)"; }));
    EXPECT_TRUE(editor.Running());
}

TEST_F(TaskOperationsWin32Test, ProcessQueriesAndEnds) {
    ChildProcess helper(HelperNamed("notepad.exe"), "window Process");
    HWND window = helper.WaitForWindow("Process");
    ASSERT_NE(window, nullptr);

    const std::string path = ProcessProgramFile(helper.Id());
    EXPECT_TRUE(EqualsNoCase(path.substr(path.rfind('\\') + 1), "notepad.exe")) << path;
    EXPECT_EQ(ProcessProgramFile(0), "");

    SetProcessPriority(0, window, HIGH_PRIORITY_CLASS);
    EXPECT_EQ(GetPriorityClass(helper.Handle()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));

    EXPECT_FALSE(KillProcess(0));
    EXPECT_TRUE(KillProcess(helper.Id()));
    EXPECT_TRUE(helper.WaitEnded(5000));
}

}  // namespace
}  // namespace vallora
