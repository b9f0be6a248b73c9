#include "platform/shell_folders_win32.h"

#include <shlobj.h>

#include <vector>

namespace vallora {

std::string BrowseForFolder(UiSeam& ui, HWND owner, const std::string& title,
                            const std::string& defaultPath) {
    FolderRequest request;
    request.owner = reinterpret_cast<OwnerWindow>(owner);
    request.title = title;
    return ui.ChooseFolder(request).value_or(defaultPath);
}

std::string ProgramFilesFolder(HWND owner) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(owner, path, CSIDL_PROGRAM_FILES, FALSE)) return {};
    return path;
}

namespace {

// The folder a GetWindowsDirectory-like call fills in.
std::string FolderFrom(UINT(WINAPI* get)(LPSTR, UINT)) {
    std::vector<char> buffer(MAX_PATH);
    UINT length = get(buffer.data(), static_cast<UINT>(buffer.size()));
    // A longer path reports the size it needs, its terminating NUL included.
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = get(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length >= buffer.size()) return {};
    }
    return std::string(buffer.data(), length);
}

}  // namespace

std::string WindowsFolder() {
    return FolderFrom(GetWindowsDirectoryA);
}

std::string SystemFolder() {
    return FolderFrom(GetSystemDirectoryA);
}

std::string TemporaryFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, path);
    if (length == 0 || length > MAX_PATH) return {};
    return std::string(path, length);
}

}  // namespace vallora
