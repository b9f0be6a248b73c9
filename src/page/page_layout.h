#pragma once
// The geometry and behaviour of the desktop page, shared by the generated
// HTA page and the page Vallora draws itself: where the window goes, how the
// 13 x 7 table divides it, where an entry's picture and caption lie in its
// cell, the keyboard's way through the entries and what starting one runs.
#include <optional>
#include <string>
#include <vector>

#include "storage/definition.h"

namespace vallora {

// Cell size in percent of the table: 100 / 7 columns and 100 / 13 rows,
// each rounded to the nearest integer.
inline constexpr int kCellWidthPercent = 14;
inline constexpr int kCellHeightPercent = 8;

// The gap between an entry's picture and its caption, in pixels.
inline constexpr int kCaptionGap = 2;

struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const PageRect&) const = default;
};

// Where the page's script puts the window: the whole work area when full
// screen, else the four texts as the outer window's place and size. Texts
// that are no whole numbers keep the window-start defaults (0, 0, 800, 600)
// as far as the script's statement fails: all four when one is empty (the
// statement does not parse), move and size for a bad position, the size for
// a bad size.
struct PagePlacement {
    bool fullScreen = false;
    bool frameless = false;  // "WindowLess": no frame at all
    int left = 0;
    int top = 0;
    int width = 800;
    int height = 600;

    bool operator==(const PagePlacement&) const = default;
};
PagePlacement PlacementOf(const Definition& definition);

// The table fills the client area; the cells share it by their percentages
// (14 of 98 per column, 8 of 104 per row), so every column gets a seventh and
// every row a thirteenth, the remainders going to the last ones.
PageRect CellRect(int row, int column, int clientWidth, int clientHeight);

// A place of the grid.
struct GridPlace {
    int row = 0;
    int column = 0;

    bool operator==(const GridPlace&) const = default;
};

enum class CellAlign { Left, Center, Right };
// The entry's alignment text as the table cell reads it; anything but
// "Center" or "Right" (any letter case) is the cell's default, left.
CellAlign AlignOf(const std::string& align);

// An entry's picture above its caption, the pair centred vertically in the
// cell and placed horizontally by the alignment. A link has no picture (0 x 0).
struct EntryLayout {
    PageRect picture;
    PageRect caption;
};
EntryLayout LayoutEntry(const PageRect& cell, CellAlign align, int pictureWidth, int pictureHeight,
                        int captionWidth, int captionHeight);

// The entries that can be started, in grid order (row by row).
std::vector<GridPlace> FocusOrder(const Definition& definition);

enum class FocusMove { Left, Right, Up, Down };
// The index in `order` the focus goes to: Left and Right step back and forth
// in grid order; Up and Down go to the nearest row above or below holding an
// entry, to its entry nearest the current column (the left one on a tie).
// The focus stays where it is at either end. -1 (no focus yet) goes to the first.
int MoveFocus(const std::vector<GridPlace>& order, int current, FocusMove move);

// What starting an entry runs: the page's start routine hands the scripting
// shell the URL in double quotes, which splits it into a program and its
// arguments at the first closing quote. A URL holding a quote thus gives
// what the page gives.
struct StartCommand {
    std::string file;
    std::string parameters;

    bool operator==(const StartCommand&) const = default;
};
StartCommand StartCommandFor(const std::string& url);

// The picture file an entry's image shows: its own picture (a relative one
// from the page's folder), or its icon bitmap in the page's icon folder. Empty
// for a link or an empty place.
std::string PicturePathFor(const ApplicationAndLink& entry, const std::string& pagePath);

}  // namespace vallora
