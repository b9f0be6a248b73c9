#include "runtime/program_files_win32.h"

#include <shellapi.h>

#include <vector>

namespace vallora {

std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ProgramFolder() {
    const std::string path = ProgramPath();
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

ProgramVersion ReadProgramVersion() {
    std::string path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
        infoSize < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    // FILEVERSION major, minor, revision, 0.
    return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
            HIWORD(info->dwFileVersionLS)};
}

std::string VersionText() {
    return VersionText(ReadProgramVersion());
}

StartedProcess StartCommandLine(const std::string& commandLine, WORD show) {
    StartedProcess started;
    std::string writable = commandLine;  // CreateProcess may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    if (writable.empty() || !CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0,
                                            nullptr, nullptr, &startup, &info)) {
        return started;
    }
    CloseHandle(info.hThread);
    started.id = info.dwProcessId;
    started.handle.reset(info.hProcess);
    return started;
}

bool ShellOpen(const std::string& target) {
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace vallora
