#include "guard/guard_windows_win32.h"

#include "platform/win32_handles_win32.h"
#include "platform/window_port_win32.h"

namespace vallora {

namespace {

// A message to another program's window must not hang on a hung program.
constexpr UINT kForeignMessageTimeoutMs = 1000;

void SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kForeignMessageTimeoutMs,
                        &result);
}

}  // namespace

void PostCloseRequest(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void HideWindows(const WindowHandleList& windows) {
    for (const WindowId window : windows.Windows()) {
        UniqueHRGN empty(CreateRectRgn(0, 0, 0, 0));
        if (!empty) continue;
        // On success the window owns the region.
        if (SetWindowRgn(ToHwnd(window), empty.get(), TRUE) != 0) empty.release();
    }
}

void SetFocusToControl(HWND dialog, HWND control) {
    const DWORD own = GetCurrentThreadId();
    const DWORD target = GetWindowThreadProcessId(dialog, nullptr);
    if (target == 0 || target == own) return;
    if (!AttachThreadInput(own, target, TRUE)) return;
    SetFocus(control);
    AttachThreadInput(own, target, FALSE);
}

void ShowForeignWindow(HWND window, int command) {
    DWORD_PTR result = 0;
    const bool answers = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                             kForeignMessageTimeoutMs, &result) != 0;
    // The queued form is the fallback only: some systems drop a queued
    // show request for another program's window.
    if (answers) {
        ShowWindow(window, command);
    } else {
        ShowWindowAsync(window, command);
    }
}

void MakeReadOnly(HWND editBox) {
    SendBounded(editBox, EM_SETREADONLY, TRUE, 0);
}

}  // namespace vallora
