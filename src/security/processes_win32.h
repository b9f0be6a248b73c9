#pragma once
// Processes found by executable name and windows by their owning process:
// the toolhelp process snapshot and the top-level window list.
#include <windows.h>

#include <string>

namespace vallora {

// Id of the first process in the snapshot whose executable file name is
// `executableName` (any letter case); 0 when none runs.
DWORD FindProcessId(const std::string& executableName);

bool IsProcessRunning(const std::string& executableName);

// Executable file name (without folder) of the running process `processId`;
// empty when no such process runs. Lets a caller check that a recorded id
// still belongs to the program it started.
std::string ProcessExecutableName(DWORD processId);

// The first top-level window, from the top of the Z order, that has no parent
// and belongs to `processId`; nullptr when there is none.
HWND FindProcessWindow(DWORD processId);
// The same, visible windows only.
HWND FindVisibleProcessWindow(DWORD processId);

// Ends the process that owns `window` with exit code 0. Returns whether it
// was ended; a null or stale window ends nothing.
bool TerminateWindowProcess(HWND window);

}  // namespace vallora
