#include "guard/keystrokes_win32.h"

#include <string>

namespace vallora {

namespace {

std::wstring ToWide(std::string_view text) {
    if (text.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

bool SendWithin(const Deadline& deadline, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                DWORD_PTR& result) {
    const UINT left = deadline.Left();
    return left > 0 && SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, left,
                                           &result) != 0;
}

}  // namespace

bool SelectAllText(HWND box, const Deadline& deadline) {
    DWORD_PTR result = 0;
    return SendWithin(deadline, box, EM_SETSEL, 0, -1, result);
}

bool TypeText(HWND box, std::string_view text, const Deadline& deadline) {
    DWORD_PTR result = 0;
    for (const wchar_t character : ToWide(text)) {
        if (character < L' ') continue;
        // Repeat count 1, as a single key press gives.
        if (!SendWithin(deadline, box, WM_CHAR, character, 1, result)) return false;
    }
    return true;
}

bool PressEnter(HWND dialog, const Deadline& deadline) {
    DWORD_PTR defaultId = 0;
    if (!SendWithin(deadline, dialog, DM_GETDEFID, 0, 0, defaultId)) return false;
    const WORD id = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
    DWORD_PTR result = 0;
    return SendWithin(deadline, dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), result);
}

}  // namespace vallora
