#include "platform/window_port_win32.h"

#include <array>

namespace vallora {

namespace {

// Sends a message that must not wait on a hung program; nullopt on failure.
// The text messages go through the wide call: the ANSI length query has been
// seen to wait on a hung window far beyond its time limit, and here the text
// is only a sign of life, so its character set does not matter.
std::optional<DWORD_PTR> SendBounded(WindowId window, UINT message, WPARAM wParam, LPARAM lParam,
                                     std::uint32_t timeoutMs) {
    DWORD_PTR result = 0;
    const bool text = message == WM_GETTEXTLENGTH || message == WM_GETTEXT;
    const auto send = text ? SendMessageTimeoutW : SendMessageTimeoutA;
    if (send(ToHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result) == 0) {
        return std::nullopt;
    }
    return result;
}

// A pending-message pass ends even when handlers keep posting new messages.
constexpr int kMaxPendingMessages = 10000;

}  // namespace

WindowId Win32WindowPort::TopWindow() {
    return ToWindowId(GetTopWindow(nullptr));
}

WindowId Win32WindowPort::NextWindow(WindowId window) {
    return ToWindowId(GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

bool Win32WindowPort::Exists(WindowId window) {
    return IsWindow(ToHwnd(window)) != FALSE;
}

bool Win32WindowPort::IsVisible(WindowId window) {
    return IsWindowVisible(ToHwnd(window)) != FALSE;
}

bool Win32WindowPort::IsMinimized(WindowId window) {
    return IsIconic(ToHwnd(window)) != FALSE;
}

WindowId Win32WindowPort::Parent(WindowId window) {
    return ToWindowId(GetParent(ToHwnd(window)));
}

WindowId Win32WindowPort::Owner(WindowId window) {
    return static_cast<WindowId>(GetWindowLongPtrA(ToHwnd(window), GWLP_HWNDPARENT));
}

std::uint32_t Win32WindowPort::ExtendedStyle(WindowId window) {
    if (window == 0) return 0;
    return static_cast<std::uint32_t>(GetWindowLongPtrA(ToHwnd(window), GWL_EXSTYLE));
}

std::string Win32WindowPort::ClassName(WindowId window) {
    std::array<char, 256> name{};
    const int length = GetClassNameA(ToHwnd(window), name.data(), static_cast<int>(name.size()));
    return length > 0 ? std::string(name.data(), static_cast<std::size_t>(length)) : std::string();
}

void Win32WindowPort::Title(WindowId window, std::string& title) {
    std::array<char, 255> text{};
    const int length = GetWindowTextA(ToHwnd(window), text.data(), static_cast<int>(text.size()));
    title.assign(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::uint32_t Win32WindowPort::ProcessId(WindowId window) {
    DWORD processId = 0;
    if (GetWindowThreadProcessId(ToHwnd(window), &processId) == 0) return 0;
    return processId;
}

std::optional<std::size_t> Win32WindowPort::SendTextLength(WindowId window,
                                                           std::uint32_t timeoutMs) {
    const auto length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
    if (!length) return std::nullopt;
    return static_cast<std::size_t>(*length);
}

bool Win32WindowPort::SendGetText(WindowId window, std::size_t length, std::uint32_t timeoutMs) {
    // The text is only a sign of life and is dropped, so a window that
    // claims an enormous length gets a bounded buffer instead of a huge one.
    std::array<wchar_t, 4096> text{};
    const std::size_t size = length + 1 < text.size() ? length + 1 : text.size();
    return SendBounded(window, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text.data()), timeoutMs)
        .has_value();
}

std::optional<IconId> Win32WindowPort::SendGetIcon(WindowId window, IconSize size,
                                                   std::uint32_t timeoutMs) {
    const WPARAM which = size == IconSize::Big ? ICON_BIG : ICON_SMALL;
    const auto icon = SendBounded(window, WM_GETICON, which, 0, timeoutMs);
    if (!icon) return std::nullopt;
    return static_cast<IconId>(*icon);
}

bool Win32WindowPort::SendNull(WindowId window, std::uint32_t timeoutMs) {
    return SendBounded(window, WM_NULL, 0, 0, timeoutMs).has_value();
}

IconId Win32WindowPort::ClassIcon(WindowId window, IconSize size) {
    const int index = size == IconSize::Big ? GCLP_HICON : GCLP_HICONSM;
    return static_cast<IconId>(GetClassLongPtrA(ToHwnd(window), index));
}

IconId Win32WindowPort::LoadSystemIcon(SystemIcon icon) {
    return ToIconId(
        LoadIconA(nullptr, icon == SystemIcon::WinLogo ? IDI_WINLOGO : IDI_APPLICATION));
}

void Win32WindowPort::Show(WindowId window, ShowCommand command) {
    int show = SW_RESTORE;
    switch (command) {
        case ShowCommand::Restore:
            show = SW_RESTORE;
            break;
        case ShowCommand::Minimize:
            show = SW_MINIMIZE;
            break;
        case ShowCommand::Maximize:
            show = SW_MAXIMIZE;
            break;
    }
    ShowWindow(ToHwnd(window), show);
}

bool Win32WindowPort::SetForeground(WindowId window) {
    return SetForegroundWindow(ToHwnd(window)) != FALSE;
}

void TakeForeground(HWND window) {
    const DWORD own = GetCurrentThreadId();
    const HWND front = GetForegroundWindow();
    const DWORD other = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    const bool shared = other != 0 && other != own && AttachThreadInput(own, other, TRUE);
    BringWindowToTop(window);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    if (shared) AttachThreadInput(own, other, FALSE);
}

WindowId Win32WindowPort::Foreground() {
    return ToWindowId(GetForegroundWindow());
}

bool Win32WindowPort::Post(WindowId window, PostedMessage message) {
    const UINT id = message == PostedMessage::Close ? WM_CLOSE : WM_ACTIVATE;
    return PostMessageA(ToHwnd(window), id, 0, 0) != FALSE;
}

bool Win32WindowPort::SetZOrder(WindowId window, ZOrder order) {
    HWND after = HWND_TOPMOST;
    UINT flags = SWP_NOMOVE | SWP_NOSIZE;
    switch (order) {
        case ZOrder::TopMost:
            after = HWND_TOPMOST;
            break;
        case ZOrder::NoTopMost:
            after = HWND_NOTOPMOST;
            break;
        case ZOrder::Bottom:
            after = HWND_BOTTOM;
            flags |= SWP_NOACTIVATE;
            break;
    }
    return SetWindowPos(ToHwnd(window), after, 0, 0, 0, 0, flags) != FALSE;
}

void Win32WindowPort::ProcessPendingMessages() {
    vallora::ProcessPendingMessages();
}

int Win32WindowPort::ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

int Win32WindowPort::ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

bool Win32WindowPort::SetWorkArea(const ScreenRect& area) {
    RECT rect{area.left, area.top, area.right, area.bottom};
    return SystemParametersInfoA(SPI_SETWORKAREA, 0, &rect, 0) != FALSE;
}

void ProcessPendingMessages() {
    MSG message;
    for (int handled = 0; handled < kMaxPendingMessages; ++handled) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace vallora
