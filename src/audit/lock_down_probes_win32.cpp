#include "audit/lock_down_probes_win32.h"

#include <algorithm>
#include <vector>

#include "platform/win32_handles_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/program_files_win32.h"
#include "security/processes_win32.h"
#include "storage/ascii_case.h"

namespace vallora {

namespace {

constexpr const char* kKeyProbeClass = "ValloraKeyProbe";
constexpr const char* kWatchdogProgram = "ValloraRun.exe";
constexpr const char* kExplorerTaskBarClass = "Shell_TrayWnd";
// Pressed after each probe: once it has arrived, so has everything before it.
constexpr WORD kMarkerKey = VK_F24;
constexpr DWORD kKeyWaitMs = 2000;
constexpr DWORD kPollMs = 20;

// Lets window messages run (the bar's timers among them) for up to `ms`, or
// until `done` says so; `process`, when given, also ends the wait.
template <typename Done>
bool WaitRunningMessages(DWORD ms, Done done, HANDLE process = nullptr) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (true) {
        ProcessPendingMessages();
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kPollMs));
        MsgWaitForMultipleObjects(process ? 1 : 0, process ? &process : nullptr, FALSE, slice,
                                  QS_ALLINPUT);
    }
}

// The window of the key probe: notes every key that reaches it and lets
// none of them do anything (no menu on Alt).
struct KeyRecord {
    std::vector<WPARAM> keys;
};

LRESULT CALLBACK KeyProbeProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* record = reinterpret_cast<KeyRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (record) record->keys.push_back(wParam);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_LWIN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

struct KeyCombination {
    std::vector<WORD> modifiers;
    WORD key;
};

KeyCombination Combination(ProbeKey key) {
    switch (key) {
        case ProbeKey::WindowsKey:
            return {{}, VK_LWIN};
        case ProbeKey::ControlEscape:
            return {{VK_CONTROL}, VK_ESCAPE};
        case ProbeKey::AltTab:
            return {{VK_MENU}, VK_TAB};
        case ProbeKey::ControlShiftEscape:
            return {{VK_CONTROL, VK_SHIFT}, VK_ESCAPE};
    }
    return {{}, VK_LWIN};
}

bool Contains(const std::vector<WPARAM>& keys, WPARAM key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

const char* DialogMode(ProbeDialog dialog) {
    switch (dialog) {
        case ProbeDialog::ExplorerOpen:
            return "explorer";
        case ProbeDialog::ItemOpen:
            return "item";
        case ProbeDialog::FolderPicker:
            return "folder";
    }
    return "explorer";
}

bool HasEnded(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

frmCommonDialog* RestrictedDialogFor(DialogWatcher& guard, HWND dialog) {
    for (frmCommonDialog* restricted : guard.RestrictedDialogs()) {
        if (restricted->TargetDialogHwnd() == dialog) return restricted;
    }
    return nullptr;
}

std::string ParentFolder(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
    const size_t slash = trimmed.rfind('\\');
    return slash == std::string::npos || slash + 1 >= trimmed.size()
               ? std::string()
               : trimmed.substr(0, slash == 2 ? 3 : slash);
}

}  // namespace

SessionProbes::SessionProbes(DialogWatcher& guard, std::string programFolder)
    : guard_(guard), programFolder_(std::move(programFolder)) {}

bool SessionProbes::KeyReachesWindow(ProbeKey key) {
    WNDCLASSA type{};
    type.lpfnWndProc = KeyProbeProc;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = kKeyProbeClass;
    RegisterClassA(&type);
    KeyRecord record;
    const UniqueHWND window(
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kKeyProbeClass, "Vallora",
                        WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, type.hInstance, &record));
    // Without a window to receive them nothing can be told: the way counts as open.
    if (!window) return true;
    SetForegroundWindow(window.get());
    SetFocus(window.get());
    ProcessPendingMessages();

    const KeyCombination combination = Combination(key);
    std::vector<INPUT> inputs;
    for (const WORD modifier : combination.modifiers) inputs.push_back(Key(modifier, false));
    inputs.push_back(Key(combination.key, false));
    inputs.push_back(Key(combination.key, true));
    for (auto modifier = combination.modifiers.rbegin(); modifier != combination.modifiers.rend();
         ++modifier) {
        inputs.push_back(Key(*modifier, true));
    }
    inputs.push_back(Key(kMarkerKey, false));
    inputs.push_back(Key(kMarkerKey, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    const bool marked =
        WaitRunningMessages(kKeyWaitMs, [&] { return Contains(record.keys, kMarkerKey); });
    // A window that never got the marker had no keyboard focus: nothing shows
    // the key was kept away, so the way counts as open.
    return !marked || Contains(record.keys, combination.key);
}

DialogOutcome SessionProbes::OpenDialog(ProbeDialog dialog) {
    StartedProcess probe = StartCommandLine("\"" + programFolder_ + "\\" + kDialogProbeProgram +
                                            "\" " + DialogMode(dialog));
    if (probe.id == 0 || !probe.handle) return DialogOutcome::NotShown;
    HANDLE process = probe.handle.get();
    HWND shown = nullptr;
    WaitRunningMessages(
        kDialogShowWaitMs,
        [&] {
            shown = FindVisibleProcessWindow(probe.id);
            return shown != nullptr || HasEnded(process);
        },
        process);
    DialogOutcome outcome = DialogOutcome::NotShown;
    if (shown) {
        const bool noticeWasOpen = guard_.FunctionBlocked().IsOpen();
        frmCommonDialog* restricted = nullptr;
        const bool acted = WaitRunningMessages(
            kGuardActWaitMs,
            [&] {
                restricted = RestrictedDialogFor(guard_, shown);
                return restricted != nullptr || !IsWindow(shown) || HasEnded(process);
            },
            process);
        if (restricted) {
            outcome = DialogOutcome::TakenOver;
            restricted->Cancel(true);
        } else if (acted && guard_.FunctionBlocked().IsOpen()) {
            outcome = DialogOutcome::Blocked;
            if (!noticeWasOpen) {
                SendMessageA(guard_.FunctionBlocked().Hwnd(), WM_COMMAND, IDCANCEL, 0);
            }
        } else {
            outcome = acted ? DialogOutcome::NotShown : DialogOutcome::LeftOpen;
        }
    }
    if (!HasEnded(process)) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, kGuardActWaitMs);
    }
    ProcessPendingMessages();
    return outcome;
}

bool SessionProbes::CanWrite(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Whoever may create the missing file or folder can put one there.
        const std::string parent = ParentFolder(path);
        return !parent.empty() && CanWrite(parent);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        std::string folder = path;
        if (folder.back() != '\\') folder += '\\';
        const std::string trial =
            folder + "~ValloraCheck" + std::to_string(GetCurrentProcessId()) + ".tmp";
        // Deleted when closed: the folder is left as it was.
        const UniqueFileHandle file(
            CreateFileA(trial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        return static_cast<bool>(file);
    }
    // Opened for writing, nothing written: the file keeps its content and time.
    const UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(file);
}

bool SessionProbes::ExplorerTaskBarExists() {
    return FindWindowA(kExplorerTaskBarClass, nullptr) != nullptr;
}

bool SessionProbes::WatchdogRunning(std::uint32_t processId) {
    return EqualsNoCase(ProcessExecutableName(processId), kWatchdogProgram);
}

}  // namespace vallora
