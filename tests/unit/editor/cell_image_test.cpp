#include "editor/cell_image.h"

#include <gtest/gtest.h>

namespace vallora {
namespace {

constexpr int32_t kBack = 72 + 256 * 182 + 65536 * 234;  // value layout: red lowest
constexpr uint32_t kBackRgb = 0x48B6EA;

ArgbPicture Solid(int width, int height, uint32_t argb) {
    return {width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, argb)};
}

uint32_t At(const std::vector<uint32_t>& cell, int cellWidth, int x, int y) {
    return cell.at(static_cast<size_t>(y) * cellWidth + x);
}

TEST(ComposeCellImage, DrawsAPictureSmallerThanTheCellSmallerStillAndCentred) {
    const std::vector<uint32_t> cell = ComposeCellImage(Solid(32, 32, 0xFF102030), 64, 48, kBack);
    ASSERT_EQ(cell.size(), 64u * 48u);
    // Drawn at 21 x 21 from (21, 13).
    EXPECT_EQ(At(cell, 64, 20, 20), kBackRgb);
    EXPECT_EQ(At(cell, 64, 21, 13), 0x102030u);
    EXPECT_EQ(At(cell, 64, 41, 33), 0x102030u);
    EXPECT_EQ(At(cell, 64, 42, 33), kBackRgb);
    EXPECT_EQ(At(cell, 64, 41, 34), kBackRgb);
}

TEST(ComposeCellImage, MagentaShowsTheBackgroundWhateverItsAlpha) {
    ArgbPicture picture = Solid(64, 48, 0xFF0000FF);
    for (int x = 0; x < 64; ++x) picture.pixels[static_cast<size_t>(10 * 64 + x)] = 0xFFFF00FF;
    picture.pixels[0] = 0x00123456;  // fully transparent
    picture.pixels[1] = 0x80FFFFFF;  // half transparent white
    const std::vector<uint32_t> cell = ComposeCellImage(picture, 64, 48, kBack);
    EXPECT_EQ(At(cell, 64, 5, 10), kBackRgb);
    EXPECT_EQ(At(cell, 64, 5, 11), 0x0000FFu);
    EXPECT_EQ(At(cell, 64, 0, 0), kBackRgb);
    EXPECT_EQ(At(cell, 64, 1, 0), 0xA4DBF5u);
}

TEST(ComposeCellImage, ScalesALargePictureDownByAveraging) {
    // Two columns per drawn pixel, black and white: grey.
    ArgbPicture picture = Solid(128, 96, 0xFF000000);
    for (size_t i = 0; i < picture.pixels.size(); i += 2) picture.pixels[i] = 0xFFFFFFFF;
    const std::vector<uint32_t> cell = ComposeCellImage(picture, 64, 48, kBack);
    EXPECT_EQ(At(cell, 64, 0, 0), 0x808080u);
    EXPECT_EQ(At(cell, 64, 63, 47), 0x808080u);
}

TEST(ComposeCellImage, APictureWithoutPixelsGivesTheBareBackground) {
    const std::vector<uint32_t> cell = ComposeCellImage(ArgbPicture{4, 4, {}}, 8, 6, kBack);
    EXPECT_EQ(cell, std::vector<uint32_t>(48, kBackRgb));
    EXPECT_TRUE(ComposeCellImage(Solid(4, 4, 0xFF000000), 0, 6, kBack).empty());
}

}  // namespace
}  // namespace vallora
