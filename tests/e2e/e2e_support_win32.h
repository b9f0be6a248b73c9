#pragma once
// Helpers of the tests that watch whole programs from outside: bounded
// waits, processes by program file, windows by class and process, registry
// values, and a temporary install folder with the page-host stand-in.
// Header-only so that the timing programs under bench/ can use it too.
#include <windows.h>

#include <tlhelp32.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32_handles_win32.h"

namespace vallora::e2e {

// Polls the condition every 25 ms, letting this thread's window messages
// run, until it holds or the time is up; returns whether it held.
inline bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (true) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(25);
    }
}

// A Unix path of the build as the programs under Wine see it (drive Z:).
inline std::string WinePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

inline std::string ProcessImage(DWORD processId) {
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof(path);
    const BOOL ok = QueryFullProcessImageNameA(process.get(), 0, path, &size);
    return ok ? std::string(path, size) : std::string();
}

inline std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Ids of the running processes whose program file is `program` in `folder`
// (compared without regard to case).
inline std::vector<DWORD> ProcessesOf(const std::string& folder, const std::string& program) {
    std::vector<DWORD> ids;
    const std::string wanted = Lower(folder + "\\" + program);
    UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        if (Lower(ProcessImage(entry.th32ProcessID)) == wanted) ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

// Ids of the running processes whose program file lies in `folder`.
inline std::vector<DWORD> ProcessesIn(const std::string& folder) {
    std::vector<DWORD> ids;
    const std::string prefix = Lower(folder + "\\");
    UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        if (Lower(ProcessImage(entry.th32ProcessID)).starts_with(prefix)) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    return ids;
}

inline bool IsRunning(DWORD processId) {
    UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

inline void EndProcess(DWORD processId) {
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return;
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
}

inline DWORD WindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

inline std::string TitleOf(HWND window) {
    char title[512] = {};
    GetWindowTextA(window, title, sizeof(title));
    return title;
}

// The first visible top-level window of the process with that class (any
// class when className is empty), from the top of the Z-order.
inline HWND FindWindowOf(DWORD processId, const std::string& className) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (WindowProcess(w) != processId || !IsWindowVisible(w)) continue;
        if (className.empty() || ClassOf(w) == className) return w;
    }
    return nullptr;
}

// A child window of `parent` with that class and, when given, that text.
inline HWND FindChild(HWND parent, const std::string& className, const std::string& text = {}) {
    struct Search {
        const std::string& className;
        const std::string& text;
        HWND found = nullptr;
    } search{className, text};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (_stricmp(ClassOf(child).c_str(), s.className.c_str()) == 0 &&
                (s.text.empty() || TitleOf(child) == s.text)) {
                s.found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// No visible top-level window lies below `window`.
inline bool IsAtBottom(HWND window) {
    for (HWND below = GetWindow(window, GW_HWNDNEXT); below;
         below = GetWindow(below, GW_HWNDNEXT)) {
        if (IsWindowVisible(below)) return false;
    }
    return true;
}

inline bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) return true;
    }
    return false;
}

inline std::string RegText(HKEY hive, const std::string& key, const std::string& name) {
    char data[1024] = {};
    DWORD size = sizeof(data);
    if (RegGetValueA(hive, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS) {
        return "<missing>";
    }
    return data;
}

inline long long RegDword(HKEY hive, const std::string& key, const std::string& name) {
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (RegGetValueA(hive, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &data, &size) !=
        ERROR_SUCCESS) {
        return -1;
    }
    return data;
}

inline std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

// A page that the stand-in shows as an ordinary window: a task of the bar.
inline std::string TaskPageText(const std::string& title, int left, int top) {
    std::ostringstream page;
    page << "<html>\r\n<head>\r\n<title>" << title << "</title>\r\n"
         << "<script language=\"JavaScript\">\r\nself.moveTo(" << left << "," << top
         << ");self.resizeTo(320,200)\r\n</script>\r\n</head>\r\n"
         << "<Body BGCOLOR = #F0F0F0 TEXT = #000000>\r\n</html>";
    return page.str();
}

// Saves the whole screen as a 24-bit bitmap file, for a person to look at
// what a test saw. Returns whether the file was written.
inline bool SaveScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    WindowDC screen(nullptr);
    UniqueHDC memory(CreateCompatibleDC(screen.get()));
    UniqueHBITMAP picture(CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !picture) return false;
    {
        SelectedObject use(memory.get(), picture.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::string pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), '\0');
    if (!GetDIBits(memory.get(), picture.get(), 0, static_cast<UINT>(height), pixels.data(),
                   reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS)) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// The screen's pixels in the rectangle, row by row, as COLORREF values.
inline std::vector<COLORREF> ScreenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<COLORREF> colors;
    if (width <= 0 || height <= 0) return colors;
    WindowDC screen(nullptr);
    UniqueHDC memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueHBITMAP picture(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !picture || !bits) return colors;
    {
        SelectedObject use(memory.get(), picture.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    colors.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int i = 0; i < width * height; ++i) {
        const DWORD p = pixels[i];
        colors.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    return colors;
}

struct StartedProgram {
    DWORD id = 0;
    UniqueKernelHandle process;
};

inline StartedProgram StartProgram(const std::string& commandLine) {
    std::string writable = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return {};
    }
    CloseHandle(info.hThread);
    return {info.dwProcessId, UniqueKernelHandle(info.hProcess)};
}

// A temporary copy of the install tree with the page-host stand-in beside
// the programs. Ends every program started from it and removes it when it
// goes; the watchdog is ended first, so that it restarts nothing.
class InstallFolder {
  public:
    // installTree and pageHost as the programs under Wine see them; the
    // folder's name starts with `name`. The test build of Vallora.exe beside
    // the page host replaces the installed one, so that the runtime shows its
    // pages in the stand-in.
    InstallFolder(const std::string& installTree, const std::string& pageHost,
                  const std::string& name = "vallora-e2e") {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        static int made = 0;
        path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++made);
        std::error_code error;
        std::filesystem::remove_all(path_, error);
        std::filesystem::copy(installTree, path_, std::filesystem::copy_options::recursive, error);
        std::filesystem::copy_file(pageHost, path_ + "\\mshta.exe",
                                   std::filesystem::copy_options::overwrite_existing, error);
        const std::string testRuntime = pageHost.substr(0, pageHost.rfind('\\')) + "\\Vallora.exe";
        std::filesystem::copy_file(testRuntime, path_ + "\\Vallora.exe",
                                   std::filesystem::copy_options::overwrite_existing, error);
    }
    ~InstallFolder() {
        EndPrograms();
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    InstallFolder(const InstallFolder&) = delete;
    InstallFolder& operator=(const InstallFolder&) = delete;

    const std::string& path() const { return path_; }

    // Ends the programs in the order that keeps the watchdog from restarting
    // anything, then whatever else was started from the folder.
    void EndPrograms() const {
        for (const char* program : {"ValloraRun.exe", "Vallora.exe", "mshta.exe", "ValloraPage.exe",
                                    "ValloraDialogProbe.exe"}) {
            for (DWORD id : ProcessesOf(path_, program)) EndProcess(id);
        }
        for (DWORD id : ProcessesIn(path_)) EndProcess(id);
    }
    std::vector<std::string> PageHostLog() const { return ReadLines(path_ + "\\pagehost.log"); }

  private:
    std::string path_;
};

}  // namespace vallora::e2e
