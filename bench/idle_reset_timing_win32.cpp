// What watching for a quiet desktop costs the bar: the CPU time of an idle
// session with "IdleReset" set (an hour, so that no reset comes), against the
// same session without it, in turns within one run, with a few task windows.
//   wine build/<cfg>/bench/idle_reset_timing_win32.exe [seconds per turn]
// Runs in a temporary copy of the install tree of the same build, with the
// test suite's page-host stand-in.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/e2e_support_win32.h"
#include "page/desktop_page.h"
#include "process_cpu_win32.h"
#include "storage/definition_file.h"
#include "timing_run_win32.h"

namespace {

using vallora::bench::BuildFolder;
using vallora::bench::Quoted;

using namespace vallora;
using namespace vallora::e2e;

constexpr int kTurns = 3;  // of each kind
constexpr int kTaskWindows = 4;

std::string WriteDesktop(const std::string& folder, const std::string& name, int idleReset) {
    Definition record;
    record.AdminPassword = "timing";
    record.IdleReset = idleReset;
    const std::string path = folder + "\\" + name + ".vla";
    SaveDefinition(record, path, nullptr);
    WriteText(folder + "\\" + name + ".hta",
              ComposeDesktopPage(record, folder + "\\" + name + ".hta").text);
    return path;
}

// CPU seconds per wall second of Vallora over an idle turn; negative when
// the session did not come up.
double IdleTurn(const InstallFolder& install, const std::string& definition, int seconds) {
    StartedProgram vallora =
        StartProgram(Quoted(install.path() + "\\Vallora.exe") + " " + definition);
    HWND bar = nullptr;
    WaitFor(
        [&] {
            if (HWND splash = FindWindowOf(vallora.id, "ValloraSplash")) {
                PostMessageA(splash, WM_KEYUP, VK_ESCAPE, 0);
            }
            bar = FindWindowOf(vallora.id, "ValloraTaskBar");
            return bar && !ProcessesOf(install.path(), "ValloraRun.exe").empty();
        },
        30000);
    if (!bar) return -1;
    std::vector<StartedProgram> tasks;
    for (int i = 0; i < kTaskWindows; ++i) {
        const std::string page = install.path() + "\\Desktops\\Task" + std::to_string(i) + ".hta";
        WriteText(page, TaskPageText("Task " + std::to_string(i), 40 + 30 * i, 40 + 30 * i));
        tasks.push_back(StartProgram(Quoted(install.path() + "\\mshta.exe") + " " + Quoted(page)));
    }
    // Settled: the tasks are on the bar and the start-up work is done.
    Sleep(3000);
    const std::string program = install.path() + "\\Vallora.exe";
    const double before = bench::CpuSeconds(vallora.process.get(), program);
    const ULONGLONG start = GetTickCount64();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double cpu = bench::CpuSeconds(vallora.process.get(), program) - before;
    const double wall = static_cast<double>(GetTickCount64() - start) / 1000.0;
    install.EndPrograms();
    return cpu / wall;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string build = BuildFolder();
    InstallFolder install(build + "\\Vallora", build + "\\tests\\e2e\\pagehost\\mshta.exe");
    const std::string folder = install.path() + "\\Desktops";
    const std::string plain = WriteDesktop(folder, "Plain", 0);
    const std::string watched = WriteDesktop(folder, "Watched", 3600);

    std::vector<double> without, with;
    for (int turn = 0; turn < kTurns; ++turn) {
        for (const bool idleReset : {false, true}) {
            const double load = IdleTurn(install, idleReset ? watched : plain, seconds);
            if (load < 0) {
                std::fprintf(stderr, "the session did not start\n");
                return 1;
            }
            (idleReset ? with : without).push_back(load);
            std::printf("turn %d, IdleReset %s: %.3f %% of one core\n", turn + 1,
                        idleReset ? "3600" : "off ", 100.0 * load);
        }
    }
    const double off = Median(without);
    const double on = Median(with);
    const auto [low, high] = std::minmax_element(without.begin(), without.end());
    std::printf(
        "idle session, %d task windows, %d s per turn, median of %d: IdleReset off %.3f %%, "
        "IdleReset 3600 %.3f %% of one core, ratio %.2f (turns without it spread %.3f to "
        "%.3f %%)\n",
        kTaskWindows, seconds, kTurns, 100.0 * off, 100.0 * on, off > 0 ? on / off : 0.0,
        100.0 * *low, 100.0 * *high);
    return 0;
}
