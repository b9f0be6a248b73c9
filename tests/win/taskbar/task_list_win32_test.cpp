// The task list over real windows of a helper process.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>

#include "platform/window_port_win32.h"
#include "taskbar/task_list.h"
#include "win/taskbar/test_processes_win32.h"

namespace vallora {
namespace {

using testing::ChildProcess;
using testing::kMsgHang;

std::string HelperPath() {
    return testing::ThisProgramFolder() + "\\task_window_helper.exe";
}

// Titles of the entries that belong to one process.
std::set<std::string> TitlesOf(const CTaskList& tasks, DWORD processId) {
    std::set<std::string> titles;
    for (std::int32_t i = 1; i <= tasks.Count(); ++i) {
        if (tasks.ProcessID(i) == processId) titles.insert(tasks.Caption(i));
    }
    return titles;
}

TEST(TaskListWin32Test, ListsExactlyTheTaskWindows) {
    ChildProcess helper(HelperPath(), "scene");
    ASSERT_TRUE(helper.Started());
    const std::string longTitle(300, 'L');
    ASSERT_NE(helper.WaitForWindow(longTitle), nullptr);

    Win32WindowPort windows;
    CTaskList tasks(windows);
    tasks.Refresh();
    EXPECT_EQ(TitlesOf(tasks, helper.Id()),
              (std::set<std::string>{"Plain task", "Owned by tool", "Plain owner",
                                     std::string(254, 'L')}));

    // Another program's windows do not hand their icons across under every
    // system (Wine refuses WM_GETICON between processes); those tasks show
    // the default icon then.
    const std::int32_t plain =
        tasks.GetIndex(ToWindowId(testing::FindTopLevelWindow(helper.Id(), "Plain task")));
    ASSERT_NE(plain, 0);
    EXPECT_EQ(tasks.Status(plain), 0);
}

// Windows made and served by a second thread of the test program.
class WindowThread {
  public:
    template <typename Make>
    explicit WindowThread(Make make) {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, make, ready] {
            threadId_ = GetCurrentThreadId();
            make();
            SetEvent(ready);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
    }
    ~WindowThread() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

  private:
    std::thread thread_;
    DWORD threadId_ = 0;
};

TEST(TaskListWin32Test, IconsComeFromTheOwnerOrTheClass) {
    HICON classIcon = LoadIconA(nullptr, IDI_INFORMATION);
    HICON ownerBig = LoadIconA(nullptr, IDI_QUESTION);
    HICON ownerSmall = LoadIconA(nullptr, IDI_WARNING);
    HWND owned = nullptr;
    HWND classOnly = nullptr;
    WindowThread windowThread([&] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hIcon = classIcon;
        wc.lpszClassName = "TaskListIconTest";
        RegisterClassA(&wc);
        const auto make = [&](const char* title, DWORD exStyle, HWND owner) {
            return CreateWindowExA(exStyle, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 60, 60,
                                   200, 100, owner, nullptr, wc.hInstance, nullptr);
        };
        HWND owner = make("Icon owner", WS_EX_TOOLWINDOW, nullptr);
        SendMessageA(owner, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ownerBig));
        SendMessageA(owner, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ownerSmall));
        owned = make("Owned with icons", 0, owner);
        SendMessageA(owned, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(classIcon));
        ShowWindow(owned, SW_SHOWNOACTIVATE);
        classOnly = make("Class icon only", 0, nullptr);
        ShowWindow(classOnly, SW_SHOWNOACTIVATE);
    });

    Win32WindowPort windows;
    CTaskList tasks(windows);
    tasks.Refresh();
    const std::int32_t ownedAt = tasks.GetIndex(ToWindowId(owned));
    const std::int32_t classAt = tasks.GetIndex(ToWindowId(classOnly));
    ASSERT_NE(ownedAt, 0);
    ASSERT_NE(classAt, 0);
    EXPECT_EQ(tasks.Caption(ownedAt), "Owned with icons");
    EXPECT_EQ(tasks.hIcon(ownedAt), ToIconId(ownerBig));
    EXPECT_EQ(tasks.hIconSm(ownedAt), ToIconId(ownerSmall));
    EXPECT_EQ(tasks.hIcon(classAt), ToIconId(classIcon));
}

TEST(TaskListWin32Test, VanishedWindowsLeaveAndNewOnesAreAppended) {
    ChildProcess first(HelperPath(), "window First task");
    ASSERT_NE(first.WaitForWindow("First task"), nullptr);
    Win32WindowPort windows;
    CTaskList tasks(windows);
    tasks.Refresh();
    ASSERT_EQ(TitlesOf(tasks, first.Id()), std::set<std::string>{"First task"});

    ChildProcess second(HelperPath(), "window Second task");
    ASSERT_NE(second.WaitForWindow("Second task"), nullptr);
    first = ChildProcess();  // ends the first helper and its window
    tasks.Refresh();
    EXPECT_TRUE(TitlesOf(tasks, first.Id()).empty());
    const std::int32_t position =
        tasks.GetIndex(ToWindowId(testing::FindTopLevelWindow(second.Id(), "Second task")));
    EXPECT_EQ(position, tasks.Count());
}

TEST(TaskListWin32Test, HungProgramNeitherBlocksNorChangesTheList) {
    ChildProcess listed(HelperPath(), "window Listed then hung");
    HWND listedWindow = listed.WaitForWindow("Listed then hung");
    ASSERT_NE(listedWindow, nullptr);
    Win32WindowPort windows;
    CTaskList tasks(windows);
    tasks.Refresh();
    const std::int32_t position = tasks.GetIndex(ToWindowId(listedWindow));
    ASSERT_NE(position, 0);
    EXPECT_EQ(tasks.Status(position), 0);

    ChildProcess fresh(HelperPath(), "window Hung before listed");
    HWND freshWindow = fresh.WaitForWindow("Hung before listed");
    ASSERT_NE(freshWindow, nullptr);
    PostMessageA(listedWindow, kMsgHang, 0, 0);
    PostMessageA(freshWindow, kMsgHang, 0, 0);
    Sleep(100);  // lets both threads take the message and stop

    const ULONGLONG start = GetTickCount64();
    tasks.Refresh();
    const ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_LT(elapsed, 5000u);
    EXPECT_EQ(tasks.GetIndex(ToWindowId(freshWindow)), 0);
    EXPECT_EQ(tasks.GetIndex(ToWindowId(listedWindow)), position);
    EXPECT_EQ(tasks.Caption(position), "Listed then hung");

    const ULONGLONG statusStart = GetTickCount64();
    EXPECT_EQ(tasks.Status(position), 1);
    EXPECT_LT(GetTickCount64() - statusStart, 2000u);
}

}  // namespace
}  // namespace vallora
