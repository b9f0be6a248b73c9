#pragma once
// Fonts the forms draw their headers and titles with, by face, pixel height
// and weight, smoothed.
#include <windows.h>

#include "platform/win32_handles_win32.h"

namespace vallora {

inline UniqueHFONT MakeFont(const char* face, int height, int weight) {
    LOGFONTA font{};
    font.lfHeight = -height;
    font.lfWeight = weight;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return UniqueHFONT(CreateFontIndirectA(&font));
}

}  // namespace vallora
