// LoadDefinition of a full definition (91 entries, each a real program whose
// icon is extracted for its cell) into the open editor window; prints the
// median time of the rounds, and the time the window took to come up.
//   editor_load_timing_win32.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/frm_main_win32.h"
#include "language/language_files_win32.h"
#include "page/icon_bitmap_win32.h"
#include "platform/scripted_ui.h"
#include "platform/system_storage_win32.h"
#include "platform/window_port_win32.h"
#include "security/security_system_win32.h"
#include "storage/definition_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Every place filled with one of the programs every system has.
vallora::Definition FullDefinition() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string folder(windows);
    const std::vector<std::string> programs = {
        folder + "\\notepad.exe",          folder + "\\regedit.exe",
        folder + "\\system32\\cmd.exe",    folder + "\\system32\\calc.exe",
        folder + "\\system32\\write.exe",  folder + "\\system32\\taskmgr.exe",
        folder + "\\system32\\winver.exe",
    };
    vallora::Definition definition;
    for (int row = 0; row < vallora::kGridRows; ++row) {
        for (int column = 0; column < vallora::kGridColumns; ++column) {
            const std::string& program = programs[(row + column) % programs.size()];
            definition.SetApplicationAndLink("Program " + std::to_string(row * 7 + column), program,
                                             "", "Center", 0, 1, row, column);
        }
    }
    return definition;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "vallora-editor-load.vla";
    if (!vallora::SaveDefinition(FullDefinition(), path, nullptr)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }

    vallora::ProgramState state;
    vallora::SystemStorage storage;
    vallora::Win32LanguageFiles files;
    vallora::Language language{storage.settings, files, temp};
    vallora::ScriptedUi ui;
    vallora::Win32WindowPort windows;
    vallora::SecuritySystemWin32 system;
    vallora::DesktopSession session{{state, storage.settings, language, ui, windows, system, temp}};
    vallora::IconPortWin32 icons{storage.settings};
    vallora::frmMain main{{.state = state,
                           .settings = storage.settings,
                           .language = language,
                           .ui = ui,
                           .session = session,
                           .icons = icons,
                           .system = system,
                           .programFolder = temp}};

    const auto shown = Clock::now();
    if (!main.Show()) {
        std::fprintf(stderr, "the editor window did not come up\n");
        return 1;
    }
    const double showMs = Milliseconds(shown);
    main.SelectTab(2);

    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        main.LoadDefinition("");
        const auto start = Clock::now();
        main.LoadDefinition(path);
        times.push_back(Milliseconds(start));
    }
    std::sort(times.begin(), times.end());
    std::vector<double> refresh;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        main.Grid()->RefreshDesktop(state.definition.BackColor, state.definition.TextColor);
        refresh.push_back(Milliseconds(start));
    }
    std::sort(refresh.begin(), refresh.end());
    const bool loaded = state.definition.getURL(12, 6).size() > 0;
    DeleteFileA(path.c_str());
    std::printf("editor window shown:                 %8.1f ms\n", showMs);
    std::printf("LoadDefinition, 91 entries (median): %8.1f ms  (target < 150 ms, %d rounds)\n",
                times[times.size() / 2], rounds);
    std::printf("of which the grid's RefreshDesktop:  %8.1f ms\n", refresh[refresh.size() / 2]);
    return loaded ? 0 : 1;
}
