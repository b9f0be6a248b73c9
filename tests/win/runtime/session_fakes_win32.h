#pragma once
// What the runtime's Windows tests share: a recording task-bar session, task
// windows owned by the test, and the settings and language of the test.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "e2e/e2e_support_win32.h"
#include "language/language.h"
#include "language/language_files_win32.h"
#include "platform/system_storage_win32.h"
#include "platform/win32_handles_win32.h"
#include "platform/window_port_win32.h"
#include "taskbar/frm_task_bar_session.h"

namespace vallora::runtime_test {

// The folder of the running test program, where the page-host stand-in lies.
inline std::string TestFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\'));
}

// The text in double quotes, as a command line passes a path.
inline std::string Quoted(const std::string& text) {
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

class RecordingSession : public TaskBarSession {
  public:
    // Every call, and only those of the guarded actions and the about window
    // (the timers of a bar add calls at any time).
    std::vector<std::string> calls;
    std::vector<std::string> actions;
    std::string passwordHash;
    std::string password = "Secret";
    WindowId page = 0;
    WindowId launchOwner = 0;
    WindowId settingsOwner = 0;
    WindowId checkOwner = 0;
    // Whether the prompt was still loaded when the settings were shown.
    std::function<bool()> promptLoaded;
    bool promptLoadedAtShowSettings = true;

    void ReserveWorkArea() override { calls.push_back("ReserveWorkArea"); }
    void ApplyComputerSecurity() override { calls.push_back("ApplyComputerSecurity"); }
    void RestartPageIfGone() override { calls.push_back("RestartPageIfGone"); }
    void SetBrowserStartPage() override { calls.push_back("SetBrowserStartPage"); }
    void WatchDialogs() override { calls.push_back("WatchDialogs"); }
    WindowId PageWindow() const override { return page; }
    void ShowAbout(WindowId) override { Act("ShowAbout"); }
    std::string AdminPassword() const override { return password; }
    std::string AdminPasswordHash() const override { return passwordHash; }
    void EndForWindowsLogOff() override { calls.push_back("EndForWindowsLogOff"); }
    void EndSession() override { Act("EndSession"); }
    void LaunchChosenDesktop(WindowId owner) override {
        Act("LaunchChosenDesktop");
        launchOwner = owner;
    }
    void CheckLockDown(WindowId owner) override {
        Act("CheckLockDown");
        checkOwner = owner;
    }
    void ShowRunningDefinition(WindowId owner) override {
        Act("ShowRunningDefinition");
        settingsOwner = owner;
        if (promptLoaded) promptLoadedAtShowSettings = promptLoaded();
    }

    IdleTimes idleTimes{};
    IdleTimes IdleResetTimes() const override { return idleTimes; }
    bool IsSessionProcess(std::uint32_t processId, const std::string&) const override {
        return processId == GetCurrentProcessId();
    }
    void ResetDesktop() override { Act("ResetDesktop"); }

    // The audit trail's lines, in order.
    std::vector<std::string> audits;
    void Audit(AuditEvent event, std::string_view details) override {
        audits.push_back(AuditLine(event, details));
    }

    void Act(const std::string& name) {
        calls.push_back(name);
        actions.push_back(name);
    }
    bool Called(const std::string& name) const {
        return std::find(calls.begin(), calls.end(), name) != calls.end();
    }
};

// An ordinary top-level window of the test: a task of the bar. Closing it
// destroys it.
inline UniqueHWND MakeTaskWindow(const std::string& title, DWORD style = 0) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "RuntimeTestTask";
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) return {};
    UniqueHWND window(CreateWindowExA(0, "RuntimeTestTask", title.c_str(),
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE | style, 100, 100, 300, 200,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    return window;
}

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace vallora::runtime_test
