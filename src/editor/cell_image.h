#pragma once
// The picture of one grid cell, composed in memory: the cell's background
// colour with the entry's picture drawn on it, placed and scaled as
// PlacePictureInCell says.
#include <cstdint>
#include <vector>

namespace vallora {

// Pixels as 0xAARRGGBB, row by row, top row first; alpha is not premultiplied.
struct ArgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The colour whose pixels never show: exactly red 255, green 0, blue 255.
inline constexpr uint32_t kMaskRgb = 0xFF00FF;

// A cellWidth x cellHeight picture filled with backColor (red + 256 * green
// + 65536 * blue) with `picture` drawn on it at its cell placement. Magenta
// pixels and the transparent parts of the picture show the background. The
// result holds 0x00RRGGBB values, top row first; a picture without pixels
// gives the bare background.
std::vector<uint32_t> ComposeCellImage(const ArgbPicture& picture, int cellWidth, int cellHeight,
                                       int32_t backColor);

// 0x00RRGGBB of a colour value.
uint32_t ColorToRgb(int32_t color);

}  // namespace vallora
