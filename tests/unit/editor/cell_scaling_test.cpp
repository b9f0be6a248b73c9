#include "editor/cell_scaling.h"

#include <gtest/gtest.h>

namespace vallora {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(3.4), 3);
    EXPECT_EQ(RoundHalfEven(3.6), 4);
}

TEST(GridCellSize, DividesTheGridIntoSevenColumnsAndThirteenRows) {
    EXPECT_EQ(GridCellSize(448, 624), (CellSize{64, 48}));
    // Rounded to the nearest pixel, not cut off: 65.71 -> 66, 49.46 -> 49.
    EXPECT_EQ(GridCellSize(460, 643), (CellSize{66, 49}));
    EXPECT_EQ(GridCellSize(0, 0), (CellSize{0, 0}));
}

struct PlacementCase {
    int pictureWidth;
    int pictureHeight;
    int cellWidth;
    int cellHeight;
    CellPlacement expected;
};

class PlacePicture : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacePicture, ScalesAndCentres) {
    const PlacementCase& c = GetParam();
    const CellPlacement got =
        PlacePictureInCell(c.pictureWidth, c.pictureHeight, c.cellWidth, c.cellHeight);
    EXPECT_NEAR(got.factor, c.expected.factor, 1e-9);
    EXPECT_EQ(got.x, c.expected.x);
    EXPECT_EQ(got.y, c.expected.y);
    EXPECT_EQ(got.width, c.expected.width);
    EXPECT_EQ(got.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlacePicture,
                         ::testing::Values(
                             // An icon smaller than the cell is drawn smaller still: f = 32 / 48.
                             PlacementCase{32, 32, 64, 48, {2.0 / 3.0, 21, 13, 21, 21}},
                             // Larger than the cell: scaled down to fit, proportions kept.
                             PlacementCase{128, 64, 64, 48, {0.5, 0, 8, 64, 32}},
                             PlacementCase{100, 200, 64, 48, {0.24, 20, 0, 24, 48}},
                             // Equal ratios: the height's ratio is taken (the same value).
                             PlacementCase{128, 96, 64, 48, {0.5, 0, 0, 64, 48}},
                             PlacementCase{64, 48, 64, 48, {1.0, 0, 0, 64, 48}},
                             // Wider than the cell but lower: the width decides.
                             PlacementCase{96, 24, 64, 48, {2.0 / 3.0, 0, 16, 64, 16}},
                             // A sliver keeps one pixel of height.
                             PlacementCase{6400, 10, 64, 48, {0.01, 0, 24, 64, 1}},
                             // Nothing to draw.
                             PlacementCase{0, 32, 64, 48, {}}, PlacementCase{32, 32, 0, 48, {}}));

}  // namespace
}  // namespace vallora
