#pragma once
// The program's entry routine and the services its parts share.
#include <functional>
#include <memory>
#include <string>

#include "language/language.h"
#include "language/language_files_win32.h"
#include "platform/system_storage_win32.h"
#include "platform/ui_seam_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/desktop_session_win32.h"
#include "runtime/editor_port.h"
#include "runtime/program_files_win32.h"
#include "runtime/program_state.h"
#include "security/security_system_win32.h"
#include "taskbar/process_operations_win32.h"

namespace vallora {

// Everything the program's parts share; made once by Main and kept until
// the program ends.
struct ProgramServices {
    explicit ProgramServices(std::string pageHostProgram) : pageHost(std::move(pageHostProgram)) {}

    ProgramState state;
    SystemStorage storage;
    Win32LanguageFiles languageFiles;
    std::string programFolder = ProgramFolder();
    Language language{storage.settings, languageFiles, programFolder};
    Win32Ui ui;
    Win32WindowPort windows;
    Win32TaskProcesses processes;
    SecuritySystemWin32 system;
    std::string pageHost;
    DesktopSession session{
        {state, storage.settings, language, ui, windows, system, programFolder, pageHost}};

    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;
};

using EditorFactory = std::function<std::unique_ptr<EditorPort>(ProgramServices&)>;
// The task bar's lock-down check, run over the services of the program.
using LockDownCheck = std::function<void(ProgramServices&, WindowId owner)>;

// Runs the program for its command tail: an empty tail is editor mode, any
// other tail is the path of the definition to run as the desktop; pages are
// shown in the HTA host `pageHost` (a full path). Returns the program's exit
// code when its last window has gone.
int Main(const std::string& commandTail, const EditorFactory& makeEditor,
         const std::string& pageHost, const LockDownCheck& checkLockDown = {});

// Delivers window messages until the program is told to quit.
int RunMessageLoop();

}  // namespace vallora
