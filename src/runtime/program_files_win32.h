#pragma once
// The running program's folder and version, and starting other programs.
#include <windows.h>

#include <string>

#include "platform/wait_cursor_win32.h"
#include "platform/win32_handles_win32.h"
#include "runtime/version_text.h"

namespace vallora {

// The full path of the running program file; empty when the system does not say.
std::string ProgramPath();

// The folder of the running program file, without a trailing backslash.
std::string ProgramFolder();
// The running program file, with its folder.
std::string ProgramPath();

// Major, minor and revision of the program's version resource; zeros when
// it has none.
ProgramVersion ReadProgramVersion();

// "version 1.5 build 12" for the running program.
std::string VersionText();

struct StartedProcess {
    DWORD id = 0;  // 0 when nothing started
    UniqueKernelHandle handle;
};

// Starts a command line in a window shown with `show` (normal, with the
// focus, unless told otherwise); the program is searched for in the folder
// of the running program first.
StartedProcess StartCommandLine(const std::string& commandLine, WORD show = SW_SHOWNORMAL);

// Opens a document, folder or address with the shell's "open" verb, shown
// normally; false when the shell could not open it.
bool ShellOpen(const std::string& target);

// Whether a file (not a folder) of that name exists.
bool FileExists(const std::string& path);

}  // namespace vallora
