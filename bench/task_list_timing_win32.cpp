// Refresh of the task list over real windows: 200 top-level windows of
// which 20 are tasks, made by a second thread that answers their messages as
// another program would. Prints the mean time of one refresh.
//   wine build/<cfg>/bench/task_list_timing_win32.exe
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "platform/window_port_win32.h"
#include "taskbar/task_list.h"

namespace {

constexpr int kWindows = 200;
constexpr int kRounds = 200;

void MakeDesktop(HANDLE ready, HANDLE done) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TaskListTiming";
    RegisterClassA(&wc);
    for (int i = 0; i < kWindows; ++i) {
        const bool task = i % 10 == 0;
        const DWORD exStyle = !task && i % 10 < 4 ? WS_EX_TOOLWINDOW : 0;
        const std::string title = "Window number " + std::to_string(i) + " with a longer title";
        HWND window =
            CreateWindowExA(exStyle, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 10 + i,
                            10 + i, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
        if (window && (task || exStyle != 0)) ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    SetEvent(ready);
    MSG message;
    while (WaitForSingleObject(done, 0) == WAIT_TIMEOUT) {
        MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT);
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

}  // namespace

int main() {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread desktop(MakeDesktop, ready, done);
    WaitForSingleObject(ready, INFINITE);

    vallora::Win32WindowPort windows;
    vallora::CTaskList tasks(windows);
    tasks.Refresh();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i) tasks.Refresh();
    QueryPerformanceCounter(&end);
    const double micros = 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart) / kRounds;
    std::printf("task list refresh over %d windows: %d tasks, %.1f us per refresh\n", kWindows,
                tasks.Count(), micros);

    SetEvent(done);
    desktop.join();
    CloseHandle(ready);
    CloseHandle(done);
    return 0;
}
