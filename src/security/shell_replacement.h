#pragma once
// Making the program, started with a desktop definition, the Windows shell
// and giving the shell back to Explorer. The NT family takes the shell from
// the Winlogon value, the 9x family from "system.ini"; both are written.
#include <string>

namespace vallora {

class Settings;

struct ShellPlaces {
    std::string programPath;    // full path of the running program file
    std::string windowsFolder;  // the folder that holds "system.ini"
};

// The program's folder, "\", its file name without extension, one blank and
// the definition path as given (the program takes its whole command tail as
// one path). A program at a drive root keeps the root's backslash ("C:\").
// A program path with a blank is quoted, so that the system cannot start
// another program named by the path's first words ("C:\Program.exe").
std::string ShellCommand(const std::string& programPath, const std::string& definitionPath);

void ReplaceWindowsShell(Settings& settings, const ShellPlaces& places,
                         const std::string& definitionPath);
void RestoreWindowsShell(Settings& settings, const ShellPlaces& places);

// True unless the Winlogon shell is "explorer.exe" (any letter case); a
// missing value counts as replaced.
bool IsWindowsShellReplaced(Settings& settings);

}  // namespace vallora
