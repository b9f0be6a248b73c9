// A small program of the kind a kiosk runs: one window, "Public Notes", that
// opens the system's file-open dialog when it receives the command below, and
// writes what the dialog gave back to a result file: "OK <path>" or "CANCEL".
// The end-to-end tests start it from a desktop's start-up list.
//   notes.exe <result file>
#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <string>

namespace {

constexpr WPARAM kOpenCommand = 101;  // sent by the tests as WM_COMMAND

// A hook without the explorer style gives the classic file-open dialog.
UINT_PTR CALLBACK ClassicHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

void OpenFileAndReport(HWND owner) {
    char file[MAX_PATH] = "";
    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.lpstrFilter = "Text files\0*.txt\0All files\0*.*\0";
    request.Flags = OFN_HIDEREADONLY | OFN_ENABLEHOOK;
    request.lpfnHook = ClassicHook;
    const std::string result =
        GetOpenFileNameA(&request) ? std::string("OK ") + file : std::string("CANCEL");
    if (FILE* out = std::fopen(__argv[1], "wb")) {
        std::fputs(result.c_str(), out);
        std::fclose(out);
    }
}

LRESULT CALLBACK NotesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kOpenCommand) OpenFileAndReport(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 2) return 2;
    WNDCLASSA type{};
    type.lpfnWndProc = NotesProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    type.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    type.lpszClassName = "ValloraTestNotes";
    if (!RegisterClassA(&type)) return 3;
    HWND window = CreateWindowExA(0, type.lpszClassName, "Public Notes", WS_OVERLAPPEDWINDOW, 120,
                                  80, 420, 260, nullptr, nullptr, instance, nullptr);
    if (!window) return 3;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
