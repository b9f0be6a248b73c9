#pragma once
// The arithmetic of the editor's grid cells: how large each of the 13 x 7
// cells is, and where and how large a picture is drawn inside one.
#include <cstdint>

namespace vallora {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
int RoundHalfEven(double value);

struct CellSize {
    int width = 0;
    int height = 0;

    bool operator==(const CellSize&) const = default;
};

// Every column is the grid's width / 7 and every row its height / 13, rounded.
CellSize GridCellSize(int gridWidth, int gridHeight);

// A picture's place in a cell: factor applied to its natural size, and the
// drawn rectangle in cell coordinates.
struct CellPlacement {
    double factor = 0.0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const CellPlacement&) const = default;
};

// The larger of the two ratios picture / cell is the factor; above 1 it is
// turned into its inverse so the picture fits. A picture that already fits
// is drawn smaller by that same factor (32 x 32 in 64 x 48: about 21 x 21),
// the way cells have always looked. The result is centred; a picture or cell
// without pixels gives an empty placement.
CellPlacement PlacePictureInCell(int pictureWidth, int pictureHeight, int cellWidth,
                                 int cellHeight);

}  // namespace vallora
