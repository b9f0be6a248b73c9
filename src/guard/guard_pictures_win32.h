#pragma once
// The pictures of the guard's windows; decoration only.
#include <windows.h>

namespace vallora {

// The program's own icon (its first icon resource), else the system's
// application icon. Shared: never destroyed.
HICON ProgramIcon();

// Adds an icon picture to a form control created with SS_ICON.
void ShowIconPicture(HWND picture, HICON icon);

}  // namespace vallora
