#include "security/shell_replacement_win32.h"

#include <windows.h>

#include "platform/shell_folders_win32.h"

namespace vallora {

ShellPlaces CurrentShellPlaces() {
    ShellPlaces places;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) places.programPath.assign(path, length);
    places.windowsFolder = WindowsFolder();
    return places;
}

}  // namespace vallora
