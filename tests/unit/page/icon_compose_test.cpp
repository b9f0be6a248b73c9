#include "page/icon_compose.h"

#include <gtest/gtest.h>

#include "page/html_color.h"

namespace vallora {
namespace {

constexpr int32_t Rgb(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

TEST(ComposeIconOnKey, EachPixelIsTheIconsOwnColourOrExactlyTheKey) {
    const struct {
        const char* what;
        int32_t onBlack;
        int32_t onWhite;
        int32_t composed;
    } cases[] = {
        {"covered", Rgb(10, 120, 200), Rgb(10, 120, 200), Rgb(10, 120, 200)},
        {"uncovered", Rgb(0, 0, 0), Rgb(255, 255, 255), kChromaKeyColor},
        // Three quarters covered: the colour without the background in it.
        {"mostly covered", Rgb(0, 0, 192), Rgb(64, 64, 255), Rgb(0, 0, 255)},
        {"a quarter covered", Rgb(0, 0, 64), Rgb(191, 191, 255), kChromaKeyColor},
        {"just over half", Rgb(0, 0, 130), Rgb(125, 125, 255), Rgb(0, 0, 255)},
        {"just under half", Rgb(0, 0, 126), Rgb(129, 129, 255), kChromaKeyColor},
        // White drawn darker than black (an inverting pixel) counts as covered.
        {"inverted", Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(255, 255, 255)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeIconOnKey({c.onBlack}, {c.onWhite}, kChromaKeyColor),
                  std::vector<int32_t>{c.composed})
            << c.what;
    }
    EXPECT_TRUE(ComposeIconOnKey({0, 0}, {0}, kChromaKeyColor).empty());
}

}  // namespace
}  // namespace vallora
