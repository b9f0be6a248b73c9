#include "page/icon_compose.h"

#include <algorithm>

#include "page/html_color.h"

namespace vallora {

std::vector<int32_t> ComposeIconOnKey(const std::vector<int32_t>& onBlack,
                                      const std::vector<int32_t>& onWhite, int32_t keyColor) {
    if (onBlack.size() != onWhite.size()) return {};
    std::vector<int32_t> composed(onBlack.size(), keyColor & 0xFFFFFF);
    for (size_t i = 0; i < onBlack.size(); ++i) {
        const ColorParts black = SplitColor(onBlack[i]);
        const ColorParts white = SplitColor(onWhite[i]);
        // Per channel, white - black = 255 * (1 - coverage); the mean of the
        // three channels is the pixel's coverage, 0 to 765 for 0 to 1.
        const int shown = std::clamp(
            765 - (white.red - black.red) - (white.green - black.green) - (white.blue - black.blue),
            0, 765);
        if (2 * shown < 765) continue;
        // On black the pixel is colour * coverage: divided out again.
        const auto own = [shown](int channel) {
            return std::min(255, (channel * 765 + shown / 2) / shown);
        };
        composed[i] = own(black.red) + 256 * own(black.green) + 65536 * own(black.blue);
    }
    return composed;
}

}  // namespace vallora
