#pragma once
// Programs started by the Windows tests, their windows, and bounded waits.
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>

#include "platform/window_messages.h"

namespace vallora::testing {

// Sent or posted to a helper window: its thread stops for wParam ms (0: for good).
inline constexpr UINT kMsgHang = kMsgTestBase + 1;

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}

// The folder of the running test program, without a trailing backslash.
inline std::string ThisProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.resize(folder.rfind('\\'));
    return folder;
}

// A build path as the test program sees it: Unix paths live on drive Z:.
inline std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// A fresh, empty folder under the temporary folder.
inline std::string MakeScratchFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

struct FoundWindow {
    DWORD processId;
    const std::string* title;
    HWND window;
};

inline BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<FoundWindow*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != found->processId) return TRUE;
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (*found->title != text) return TRUE;
    found->window = window;
    return FALSE;
}

// A visible or hidden top-level window of the process with that exact title.
inline HWND FindTopLevelWindow(DWORD processId, const std::string& title) {
    FoundWindow found{processId, &title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

inline std::string WindowTitle(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// A started program; ended when the object goes if it still runs.
class ChildProcess {
  public:
    ChildProcess() = default;
    ChildProcess(const std::string& program, const std::string& arguments) {
        std::string commandLine = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &started)) {
            CloseHandle(started.hThread);
            process_ = started.hProcess;
            id_ = started.dwProcessId;
        }
    }
    ~ChildProcess() {
        if (process_) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
            CloseHandle(process_);
        }
    }
    ChildProcess(ChildProcess&& other) noexcept
        : process_(std::exchange(other.process_, nullptr)), id_(other.id_) {}
    ChildProcess& operator=(ChildProcess&& other) noexcept {
        std::swap(process_, other.process_);
        std::swap(id_, other.id_);
        return *this;
    }

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    bool WaitEnded(DWORD timeoutMs) const {
        return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
    }
    // The window once the program waits for input, so that it no longer
    // reorders its windows while a test walks them.
    HWND WaitForWindow(const std::string& title, DWORD timeoutMs = 10000) const {
        HWND window = nullptr;
        WaitUntil([&] { return (window = FindTopLevelWindow(id_, title)) != nullptr; }, timeoutMs);
        if (window) WaitForInputIdle(process_, timeoutMs);
        return window;
    }

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Real input through the X server, as a person's keyboard and mouse give it:
// runs the X input tool with the arguments, e.g. "type --delay 20 text" or
// "key Return", and lets `pump` run this thread's messages until it has
// ended, so that windows of this thread can take the input. True when it
// succeeded. The platform layer starts programs of the host system, but
// does not always hand back their process, so the tool's end and exit
// status come through a file that a host shell writes.
template <typename Pump>
bool PressKeys(const std::string& arguments, Pump pump) {
    static int runs = 0;
    const std::string done =
        "/tmp/vallora-keys-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    const std::string doneHere = "Z:" + done;
    DeleteFileA(doneHere.c_str());
    std::string commandLine = "sh -c \"xdotool " + arguments + "; echo $? >" + done + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (CreateProcessA("Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    std::string status;
    const bool ended = pump([&] {
        if (FILE* in = std::fopen(doneHere.c_str(), "rb")) {
            char text[16] = {};
            const std::size_t n = std::fread(text, 1, sizeof(text) - 1, in);
            std::fclose(in);
            status.assign(text, n);
        }
        return !status.empty() && status.back() == '\n';
    });
    DeleteFileA(doneHere.c_str());
    return ended && status == "0\n";
}

}  // namespace vallora::testing
