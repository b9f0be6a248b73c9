// The dialog guard's costs over real windows: one guard tick with an ordinary
// window in front, against a bare foreground query and class-name read in
// the same run; the recognition walk over the explorer-style file-open
// dialog; and one pop-up menu search of a handed-back restricted dialog over
// a desktop with 500 more windows.
//   wine build/<cfg>/bench/dialog_guard_timing_win32.exe
#include <windows.h>

#include <commdlg.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "guard/dialog_watcher_win32.h"
#include "guard/file_dialog_recognition.h"
#include "guard/window_search.h"
#include "guard/window_tree_win32.h"
#include "language/language_files_win32.h"
#include "platform/profile_win32.h"
#include "platform/system_event_log_win32.h"
#include "storage/memory_registry.h"

namespace {

constexpr int kTicks = 20000;
constexpr int kWalks = 200;
constexpr int kRecognitions = 2000;
constexpr int kTopLevel = 50;
constexpr int kChildrenEach = 9;

template <typename Step>
double MicrosecondsPerRound(int rounds, Step step) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) step();
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / rounds;
}

// The explorer-style file-open dialog, opened on a thread of this program.
HWND OpenExplorerDialog(std::thread& thread) {
    thread = std::thread([] {
        char file[MAX_PATH] = "";
        OPENFILENAMEA request{};
        request.lStructSize = sizeof(request);
        request.lpstrFile = file;
        request.nMaxFile = MAX_PATH;
        request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
        GetOpenFileNameA(&request);
    });
    for (int i = 0; i < 500; ++i) {
        const HWND dialog = FindWindowA("#32770", nullptr);
        if (dialog && GetDlgItem(dialog, vallora::kFileNameComboId)) return dialog;
        Sleep(20);
    }
    return nullptr;
}

}  // namespace

int main() {
    using namespace vallora;
    const HWND front =
        CreateWindowExA(0, "STATIC", "an ordinary window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                        300, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(front);
    ProcessPendingMessages();

    MemoryRegistry registry;
    ProfileWin32 profile;
    Settings settings{registry, profile};
    Win32LanguageFiles files;
    const Language language{settings, files, "C:\\Vallora"};
    Win32SystemEventLog events;
    const AuditLog audit(events);
    DialogWatcher watcher(language, audit);
    Definition definition;
    definition.NoRun = 1;
    definition.IOStartFolder = "C:\\Kiosk";

    const double baseline = MicrosecondsPerRound(kTicks, [] {
        char name[256];
        GetClassNameA(GetForegroundWindow(), name, sizeof(name));
    });
    const double tick = MicrosecondsPerRound(kTicks, [&] { watcher.WatchDialogs(definition); });
    std::printf(
        "guard tick, ordinary window in front: %.2f us (foreground query + class read: %.2f us, "
        "ratio %.2f)\n",
        tick, baseline, tick / baseline);

    std::thread dialogThread;
    if (const HWND dialog = OpenExplorerDialog(dialogThread)) {
        Win32WindowTree tree;
        const double recognise = MicrosecondsPerRound(
            kRecognitions, [&] { RecognizeStandardDialog(tree, ToWindowId(dialog)); });
        std::printf("recognition walk, explorer-style file-open dialog: %.1f us\n", recognise);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    if (dialogThread.joinable()) dialogThread.join();

    for (int i = 0; i < kTopLevel; ++i) {
        const HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 100, 100,
                                            nullptr, nullptr, nullptr, nullptr);
        for (int j = 0; j < kChildrenEach; ++j) {
            CreateWindowExA(0, "STATIC", "child", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr,
                            nullptr);
        }
    }
    Win32WindowTree tree;
    WindowSearch search(tree);
    WindowHandleList all;
    int windows = 0;
    search.FindChildWindows(0, "*", "*", all, windows);
    const double walk = MicrosecondsPerRound(kWalks, [&] {
        WindowHandleList menus;
        int count = 0;
        search.FindWindowsByClass(0, kPopupMenuClass, menus, count);
    });
    std::printf("pop-up menu search over the desktop (%d windows): %.1f us\n", windows, walk);
    DestroyWindow(front);
    return 0;
}
