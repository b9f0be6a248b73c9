#pragma once
// Windows bitmap (.bmp) files of small pictures, as the desktop page and the
// icon picker write them.
#include <cstdint>
#include <string>
#include <vector>

namespace vallora {

// The picture size of every icon bitmap.
inline constexpr int kIconBitmapSize = 32;

// A 24-bit uncompressed bitmap file of `width` x `height` pixels. `pixels`
// holds colour values (red + 256 * green + 65536 * blue) row by row, top row
// first; a picture whose pixel count does not match gives an empty text.
std::string EncodeBitmapFile(int width, int height, const std::vector<int32_t>& pixels);

}  // namespace vallora
