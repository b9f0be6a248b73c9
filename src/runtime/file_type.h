#pragma once
// The shell's file association of desktop definitions.
#include <string>

namespace vallora {

class Settings;

// Makes ".vla" files open with Vallora.exe in desktop mode: the file type,
// its icon and its open command under HKEY_CLASSES_ROOT. The program path is
// quoted (its folder may hold blanks) and "%1" is not, so the file's path
// arrives as the whole command tail. Failures are ignored.
void RegisterFileType(Settings& settings, const std::string& programFolder);

}  // namespace vallora
