#pragma once
// Reads a bitmap file back through the system, as colour values top row
// first, so tests check what Windows itself makes of the files we write.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_handles_win32.h"

namespace vallora::test {

struct ReadBitmap {
    int width = 0;
    int height = 0;
    std::vector<int32_t> pixels;  // red + 256 * green + 65536 * blue
};

inline ReadBitmap ReadBitmapFile(const std::string& path) {
    ReadBitmap result;
    const UniqueHBITMAP bitmap(static_cast<HBITMAP>(LoadImageA(
        nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) return result;
    BITMAP size{};
    GetObjectA(bitmap.get(), sizeof size, &size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = -size.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> raw(static_cast<size_t>(size.bmWidth) * size.bmHeight);
    const UniqueHDC dc(CreateCompatibleDC(nullptr));
    if (GetDIBits(dc.get(), bitmap.get(), 0, size.bmHeight, raw.data(), &info, DIB_RGB_COLORS) !=
        size.bmHeight) {
        return result;
    }
    result.width = size.bmWidth;
    result.height = size.bmHeight;
    for (uint32_t p : raw) {
        result.pixels.push_back(
            static_cast<int32_t>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16)));
    }
    return result;
}

}  // namespace vallora::test
