#include "editor/cell_scaling.h"

#include <algorithm>
#include <cmath>

namespace vallora {

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));  // the default rounding mode is to even
}

CellSize GridCellSize(int gridWidth, int gridHeight) {
    return {RoundHalfEven(std::max(gridWidth, 0) / 7.0),
            RoundHalfEven(std::max(gridHeight, 0) / 13.0)};
}

CellPlacement PlacePictureInCell(int pictureWidth, int pictureHeight, int cellWidth,
                                 int cellHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || cellWidth <= 0 || cellHeight <= 0) return {};
    const double rW = static_cast<double>(pictureWidth) / cellWidth;
    const double rH = static_cast<double>(pictureHeight) / cellHeight;
    double f = rW > rH ? rW : rH;
    if (f > 1.0) f = 1.0 / f;
    const double drawnWidth = f * pictureWidth;
    const double drawnHeight = f * pictureHeight;
    CellPlacement placement;
    placement.factor = f;
    // A sliver of a very long picture still gets one pixel.
    placement.width = std::max(1, static_cast<int>(std::lround(drawnWidth)));
    placement.height = std::max(1, static_cast<int>(std::lround(drawnHeight)));
    placement.x = static_cast<int>(std::lround(cellWidth / 2.0 - drawnWidth / 2.0));
    placement.y = static_cast<int>(std::lround(cellHeight / 2.0 - drawnHeight / 2.0));
    return placement;
}

}  // namespace vallora
