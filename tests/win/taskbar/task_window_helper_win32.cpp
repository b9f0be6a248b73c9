// A program whose windows the Windows tests inspect and command.
//   task_window_helper scene          the windows of the task-rule cases
//   task_window_helper window TITLE   one plain window titled TITLE
//   task_window_helper <anything else> appends its command line to
//                                     started.txt in its folder and ends
// Every window answers kMsgHang by stopping for wParam ms (0: for good), and
// takes WM_CLOSE by adding " (close asked)" to its title instead of closing.
#include <windows.h>

#include <string>

#include "platform/window_messages.h"
#include "win/taskbar/test_processes_win32.h"

namespace {

using vallora::testing::kMsgHang;

LRESULT CALLBACK HelperWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgHang) {
        Sleep(wParam == 0 ? INFINITE : static_cast<DWORD>(wParam));
        return 0;
    }
    if (msg == WM_CLOSE) {
        char title[300] = {};
        GetWindowTextA(window, title, sizeof(title));
        SetWindowTextA(window, (std::string(title) + " (close asked)").c_str());
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

HWND Make(const std::string& title, DWORD style, DWORD exStyle, HWND owner, bool visible) {
    static int slot = 0;
    const int offset = 20 * (slot++ % 10);
    HWND window =
        CreateWindowExA(exStyle, "TaskWindowHelper", title.c_str(), style, 40 + offset, 40 + offset,
                        240, 120, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window && visible) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

void SetIcons(HWND window, LPCSTR big, LPCSTR small) {
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, big)));
    SendMessageA(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconA(nullptr, small)));
}

void MakeScene() {
    Make("Plain task", WS_OVERLAPPEDWINDOW, 0, nullptr, true);
    Make("Tool window", WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, nullptr, true);
    HWND toolOwner = Make("Tool owner", WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, nullptr, false);
    SetIcons(toolOwner, IDI_QUESTION, IDI_WARNING);
    HWND ownedByTool = Make("Owned by tool", WS_OVERLAPPEDWINDOW, 0, toolOwner, true);
    SetIcons(ownedByTool, IDI_ERROR, IDI_ERROR);
    Make("Popup owned by tool", WS_POPUP | WS_CAPTION, 0, toolOwner, true);
    HWND plainOwner = Make("Plain owner", WS_OVERLAPPEDWINDOW, 0, nullptr, true);
    Make("Owned by plain", WS_OVERLAPPEDWINDOW, 0, plainOwner, true);
    Make("", WS_OVERLAPPEDWINDOW, 0, nullptr, true);
    Make("Hidden", WS_OVERLAPPEDWINDOW, 0, nullptr, false);
    Make(std::string(300, 'L'), WS_OVERLAPPEDWINDOW, 0, nullptr, true);
}

void RecordCommandLine() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path, length);
    file.resize(file.rfind('\\') + 1);
    file += "started.txt";
    HANDLE out = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return;
    const std::string line = std::string(GetCommandLineA()) + "\r\n";
    DWORD written = 0;
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(out);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int) {
    const std::string tail = commandTail;
    WNDCLASSA wc{};
    wc.lpfnWndProc = HelperWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TaskWindowHelper";
    RegisterClassA(&wc);

    if (tail == "scene") {
        MakeScene();
    } else if (tail.rfind("window ", 0) == 0) {
        Make(tail.substr(7), WS_OVERLAPPEDWINDOW, 0, nullptr, true);
    } else {
        RecordCommandLine();
        return 0;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
