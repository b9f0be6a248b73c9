#pragma once
// The five 16 x 16 pictures of the grid's context menu, drawn in code:
// Cut, Copy, Paste, Edit and Delete, in that order.
#include <windows.h>

#include <array>

#include "platform/win32_handles_win32.h"

namespace vallora {

inline constexpr int kGridMenuPictureSize = 16;

// The pictures on the menu's background colour; a picture the system could
// not make is null.
std::array<UniqueHBITMAP, 5> DrawGridMenuPictures();

}  // namespace vallora
