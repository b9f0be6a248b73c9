// RefreshDesktop of a full grid: 91 entries whose targets are programs of the
// Windows folder, so every cell extracts an icon. The baseline of the same
// run extracts and draws the same 91 icons without building any cell.
//   editor_grid_timing_win32.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/desktop_grid_win32.h"
#include "language/language.h"
#include "language/language_files_win32.h"
#include "median_timing.h"
#include "page/icon_bitmap_win32.h"
#include "platform/shell_folders_win32.h"
#include "platform/system_storage_win32.h"

using vallora::bench::MedianMilliseconds;

int main(int argc, char** argv) {
    using namespace vallora;
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string windows = WindowsFolder();
    const std::vector<std::string> programs = {
        windows + "\\notepad.exe", windows + "\\regedit.exe", windows + "\\winhlp32.exe",
        windows + "\\system32\\calc.exe", windows + "\\system32\\cmd.exe"};

    SystemStorage storage;
    Win32LanguageFiles files;
    const Language language(storage.settings, files, windows);
    IconPortWin32 icons(storage.settings);
    Definition definition;
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const size_t i = static_cast<size_t>(row * kGridColumns + column);
            definition.SetApplicationAndLink("Program " + std::to_string(i),
                                             programs[i % programs.size()], "", "Center", 0, 0, row,
                                             column);
        }
    }

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ValloraGridTiming";
    RegisterClassExA(&wc);
    HWND frame = CreateWindowExA(0, wc.lpszClassName, "Grid timing", WS_OVERLAPPEDWINDOW, 0, 0, 480,
                                 680, nullptr, nullptr, wc.hInstance, nullptr);
    DesktopGrid grid(definition, icons, language, {});
    const RECT bounds{0, 0, 448, 624};
    if (!frame || !grid.Create(frame, 100, bounds)) {
        std::fprintf(stderr, "no grid window\n");
        return 1;
    }
    ShowWindow(frame, SW_SHOW);
    grid.InitializeGrid();

    int drawn = 0;
    const double refresh = MedianMilliseconds(rounds, [&] {
        grid.RefreshDesktop(definition.BackColor, definition.TextColor);
        UpdateWindow(grid.Hwnd());
        drawn = 0;
        for (int row = 0; row < kGridRows; ++row) {
            for (int column = 0; column < kGridColumns; ++column) {
                drawn += grid.CellPicture(row, column) != nullptr;
            }
        }
    });
    const double iconsOnly = MedianMilliseconds(rounds, [&] {
        for (int i = 0; i < kGridRows * kGridColumns; ++i) {
            const UniqueHICON icon = ExtractLargeIcon({programs[i % programs.size()], 0});
            DrawIconOnColor(icon.get(), definition.BackColor);
        }
    });
    std::printf("RefreshDesktop, 91 cells with icons: %.1f ms (%d pictures)\n", refresh, drawn);
    std::printf("baseline, 91 icons extracted and drawn in memory: %.1f ms\n", iconsOnly);
    std::printf("ratio: %.2f\n", iconsOnly > 0 ? refresh / iconsOnly : 0.0);
    DestroyWindow(frame);
    return drawn == kGridRows * kGridColumns ? 0 : 1;
}
