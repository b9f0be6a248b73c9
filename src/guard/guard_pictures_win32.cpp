#include "guard/guard_pictures_win32.h"

namespace vallora {

namespace {

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    *reinterpret_cast<LPSTR*>(found) = name;
    return FALSE;
}

}  // namespace

HICON ProgramIcon() {
    const HMODULE program = GetModuleHandleA(nullptr);
    LPSTR name = nullptr;
    EnumResourceNamesA(program, reinterpret_cast<LPCSTR>(RT_GROUP_ICON), TakeFirstName,
                       reinterpret_cast<LONG_PTR>(&name));
    // Only numeric names can be kept: string names live in a buffer of the enumeration.
    HICON icon = name && IS_INTRESOURCE(name) ? LoadIconA(program, name) : nullptr;
    return icon ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

void ShowIconPicture(HWND picture, HICON icon) {
    if (picture && icon) SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace vallora
