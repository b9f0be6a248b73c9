// A whole desktop session, measured from outside: start-up of Vallora.exe
// from launch to bar and page (the splash's own three seconds left out), and
// an idle session with 10 task windows for 60 s: the CPU time and the peak
// working set of the Vallora process, with one task host's CPU time as the
// baseline of what an idle program costs here.
//   wine build/<cfg>/bench/session_timing_win32.exe [idle seconds]
// Runs in a temporary copy of the install tree of the same build, with the
// test suite's page-host stand-in.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
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
using vallora::bench::CpuSeconds;

constexpr int kStartRuns = 3;
constexpr int kTaskWindows = 10;

double Seconds(ULONGLONG from, ULONGLONG to) {
    return static_cast<double>(to - from) / 1000.0;
}

struct Session {
    StartedProgram vallora;
    HWND bar = nullptr;
    double toSplash = 0;     // launch to splash shown
    double splashToBar = 0;  // splash gone to bar, page and record
};

bool PageShown(const InstallFolder& install) {
    for (DWORD id : ProcessesOf(install.path(), "mshta.exe")) {
        if (HWND page = FindWindowOf(id, "ValloraPageHostStandIn")) {
            if (TitleOf(page) == "Vallora") return true;
        }
    }
    return false;
}

Session StartSession(const InstallFolder& install, const std::string& definition) {
    Session session;
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\Brenmark\\Vallora", "Hwnd");
    const ULONGLONG launched = GetTickCount64();
    session.vallora = StartProgram(Quoted(install.path() + "\\Vallora.exe") + " " + definition);
    HWND splash = nullptr;
    WaitFor(
        [&] {
            splash = FindWindowOf(session.vallora.id, "ValloraSplash");
            return splash != nullptr;
        },
        30000);
    const ULONGLONG splashShown = GetTickCount64();
    PostMessageA(splash, WM_KEYUP, VK_ESCAPE, 0);
    WaitFor([&] { return !IsWindow(splash); }, 10000);
    const ULONGLONG splashGone = GetTickCount64();
    WaitFor(
        [&] {
            session.bar = FindWindowOf(session.vallora.id, "ValloraTaskBar");
            return session.bar && PageShown(install) &&
                   RegText(HKEY_LOCAL_MACHINE, "Software\\Brenmark\\Vallora", "Hwnd") !=
                       "<missing>";
        },
        30000);
    session.toSplash = Seconds(launched, splashShown);
    session.splashToBar = Seconds(splashGone, GetTickCount64());
    return session;
}

int VisibleButtons(HWND bar) {
    int count = 0;
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_stricmp(ClassOf(child).c_str(), "Button") == 0 && IsWindowVisible(child)) ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const std::string build = BuildFolder();
    InstallFolder install(build + "\\Vallora", build + "\\tests\\e2e\\pagehost\\mshta.exe");
    const std::string folder = install.path() + "\\Desktops";
    const std::string definition = folder + "\\Timing.vla";
    Definition record;
    record.AdminPassword = "timing";
    SaveDefinition(record, definition, nullptr);
    WriteText(folder + "\\Timing.hta", ComposeDesktopPage(record, folder + "\\Timing.hta").text);

    std::vector<double> toSplash, splashToBar;
    for (int run = 0; run < kStartRuns; ++run) {
        Session session = StartSession(install, definition);
        if (!session.bar) {
            std::fprintf(stderr, "the session did not start\n");
            return 1;
        }
        toSplash.push_back(session.toSplash);
        splashToBar.push_back(session.splashToBar);
        install.EndPrograms();
    }
    std::sort(toSplash.begin(), toSplash.end());
    std::sort(splashToBar.begin(), splashToBar.end());
    std::printf(
        "start-up (median of %d): launch to splash %.2f s, splash gone to bar and page "
        "%.2f s, together %.2f s\n",
        kStartRuns, toSplash[kStartRuns / 2], splashToBar[kStartRuns / 2],
        toSplash[kStartRuns / 2] + splashToBar[kStartRuns / 2]);

    Session session = StartSession(install, definition);
    std::vector<StartedProgram> tasks;
    for (int i = 0; i < kTaskWindows; ++i) {
        const std::string page = folder + "\\Task" + std::to_string(i) + ".hta";
        WriteText(page, TaskPageText("Task window number " + std::to_string(i), 40 + 20 * i,
                                     40 + 20 * i));
        tasks.push_back(StartProgram(Quoted(install.path() + "\\mshta.exe") + " " + Quoted(page)));
    }
    if (!WaitFor([&] { return VisibleButtons(session.bar) == kTaskWindows; }, 30000)) {
        std::fprintf(stderr, "the bar did not show %d tasks\n", kTaskWindows);
        return 1;
    }
    UniqueKernelHandle vallora(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, session.vallora.id));
    const HANDLE baseline = tasks.front().process.get();
    const std::string valloraFile = install.path() + "\\Vallora.exe";
    const std::string hostFile = install.path() + "\\mshta.exe";
    const double valloraBefore = CpuSeconds(vallora.get(), valloraFile);
    const double baselineBefore = CpuSeconds(baseline, hostFile);
    const ULONGLONG start = GetTickCount64();
    Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    const double wall = Seconds(start, GetTickCount64());
    const double valloraCpu = CpuSeconds(vallora.get(), valloraFile) - valloraBefore;
    const double baselineCpu = CpuSeconds(baseline, hostFile) - baselineBefore;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(vallora.get(), &memory, sizeof(memory));
    UniqueKernelHandle host(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, tasks.front().id));
    PROCESS_MEMORY_COUNTERS hostMemory{};
    hostMemory.cb = sizeof(hostMemory);
    GetProcessMemoryInfo(host.get(), &hostMemory, sizeof(hostMemory));

    std::printf(
        "idle session, %d task windows, %.0f s: Vallora CPU %.3f s = %.2f %% of one core "
        "(one idle page host: %.3f s = %.2f %%, ratio %.1f)\n",
        kTaskWindows, wall, valloraCpu, 100.0 * valloraCpu / wall, baselineCpu,
        100.0 * baselineCpu / wall, baselineCpu > 0 ? valloraCpu / baselineCpu : 0.0);
    const double megabyte = 1024.0 * 1024.0;
    std::printf("Vallora peak working set: %.1f MB (one task host: %.1f MB, ratio %.2f)\n",
                static_cast<double>(memory.PeakWorkingSetSize) / megabyte,
                static_cast<double>(hostMemory.PeakWorkingSetSize) / megabyte,
                hostMemory.PeakWorkingSetSize > 0
                    ? static_cast<double>(memory.PeakWorkingSetSize) /
                          static_cast<double>(hostMemory.PeakWorkingSetSize)
                    : 0.0);
    install.EndPrograms();
    return 0;
}
