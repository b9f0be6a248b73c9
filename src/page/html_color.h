#pragma once
// Colour values as the definition stores them (red + 256 * green +
// 65536 * blue) and as the desktop page writes them ("#RRGGBB").
#include <cstdint>
#include <string>

namespace vallora {

// The colour that the page's chroma filter makes transparent: magenta.
inline constexpr int32_t kChromaKeyColor = 255 + 65536 * 255;

struct ColorParts {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const ColorParts&) const = default;
};

// The three low bytes of a colour value; any higher bits are ignored.
ColorParts SplitColor(int32_t color);

// "#" and two upper-case hexadecimal digits each for red, green and blue.
std::string ColorToHtml(int32_t color);

}  // namespace vallora
