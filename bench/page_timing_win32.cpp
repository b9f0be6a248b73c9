// The desktop page, measured from outside in one run: from the start of the
// page process to its window painted, for a definition with all 91 entries,
// Vallora's own page program against the test suite's HTA stand-in (the
// ratio is the figure); then the own page idle: its working set and the CPU
// time it takes over the idle seconds (it runs no timer of its own).
//   wine build/<cfg>/bench/page_timing_win32.exe [idle seconds, default 60]
// Runs in a temporary copy of the install tree of the same build.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/e2e_support_win32.h"
#include "median_timing.h"
#include "page/desktop_page.h"
#include "page/icon_bitmap_win32.h"
#include "platform/system_storage_win32.h"
#include "process_cpu_win32.h"
#include "storage/definition_file.h"
#include "timing_run_win32.h"

namespace {

using vallora::bench::BuildFolder;
using vallora::bench::CpuTime100ns;
using vallora::bench::Quoted;

using namespace vallora;
using namespace vallora::e2e;

constexpr int kRounds = 7;
constexpr DWORD kShowTimeoutMs = 20000;
// A page colour nothing else on the screen has.
constexpr COLORREF kBack = RGB(3, 141, 77);

// Until the process's window shows the page colour at its client's far corner.
bool WaitPainted(DWORD processId) {
    return WaitFor(
        [&] {
            HWND window = FindWindowOf(processId, "");
            if (!window) return false;
            RECT client{};
            GetClientRect(window, &client);
            POINT corner{client.right - 2, client.bottom - 2};
            ClientToScreen(window, &corner);
            const std::vector<COLORREF> pixel =
                ScreenPixels({corner.x, corner.y, corner.x + 1, corner.y + 1});
            return !pixel.empty() && pixel.front() == kBack;
        },
        kShowTimeoutMs);
}

// Median milliseconds from process start to painted window; negative when
// a round showed nothing.
double StartToPainted(const std::string& commandLine) {
    bool failed = false;
    const double ms = bench::MedianMilliseconds(kRounds, [&] {
        StartedProgram page = StartProgram(commandLine);
        if (page.id == 0 || !WaitPainted(page.id)) failed = true;
        EndProcess(page.id);
    });
    return failed ? -1.0 : ms;
}

}  // namespace

int main(int argc, char** argv) {
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const std::string build = BuildFolder();
    InstallFolder install(build + "\\Vallora", build + "\\tests\\e2e\\pagehost\\mshta.exe");

    Definition definition;
    definition.PageHost = kPageHostVallora;
    definition.BackColor = GetRValue(kBack) + 256 * GetGValue(kBack) + 65536 * GetBValue(kBack);
    const char* programs[] = {"notepad.exe", "regedit.exe",  "winhlp32.exe", "explorer.exe",
                              "hh.exe",      "winefile.exe", "write.exe"};
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            definition.SetApplicationAndLink(
                "Entry " + std::to_string(row) + std::to_string(column),
                std::string("C:\\windows\\") + programs[column], "", "Center", 0, column % 2, row,
                column);
        }
    }
    const std::string vla = install.path() + "\\Full.vla";
    const std::string hta = install.path() + "\\Full.hta";
    SaveDefinition(definition, vla, nullptr);
    {
        SystemStorage storage;
        IconPortWin32 icons(storage.settings);
        GenerateDesktopPage(definition, hta, icons);
    }

    const std::string own =
        Quoted(install.path() + "\\ValloraPage.exe") + " " + Quoted(vla) + " " + Quoted(hta);
    const std::string standIn = Quoted(install.path() + "\\mshta.exe") + " " + Quoted(hta);
    StartToPainted(own);  // the first start warms the file cache for both
    const double ownMs = StartToPainted(own);
    const double standInMs = StartToPainted(standIn);
    std::printf("start to painted, 91 entries (median of %d):\n", kRounds);
    std::printf("  built-in page      %8.1f ms\n", ownMs);
    std::printf("  HTA stand-in       %8.1f ms\n", standInMs);
    if (ownMs > 0 && standInMs > 0)
        std::printf("  ratio built-in / stand-in: %.2f\n", ownMs / standInMs);

    StartedProgram page = StartProgram(own);
    if (page.id == 0 || !WaitPainted(page.id)) {
        std::fprintf(stderr, "the built-in page did not show\n");
        return 1;
    }
    const ULONGLONG cpuBefore = CpuTime100ns(page.process.get());
    Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    const ULONGLONG cpuAfter = CpuTime100ns(page.process.get());
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(page.process.get(), &memory, sizeof(memory));
    std::printf("built-in page idle for %d s: CPU %.1f ms; working set %.1f MB (peak %.1f MB)\n",
                idleSeconds, static_cast<double>(cpuAfter - cpuBefore) / 10000.0,
                static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0),
                static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    EndProcess(page.id);
    return 0;
}
