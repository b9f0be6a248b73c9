// The page's geometry and behaviour that the built-in page follows: placement
// from the definition's texts, the table's cells, an entry's place in its
// cell, the keyboard's way through the entries and the command a start runs.
#include "page/page_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "page/desktop_page.h"

namespace vallora {
namespace {

TEST(PagePlacement, FollowsThePagesScript) {
    const struct {
        const char* what;
        std::string left, top, width, height;
        int windowLess, fullScreen;
        PagePlacement expected;
    } cases[] = {
        {"as typed", "10", "20", "640", "480", 0, 0, {false, false, 10, 20, 640, 480}},
        {"blanks and sign", " -5", "+7 ", " 300 ", "200", 1, 0, {false, true, -5, 7, 300, 200}},
        {"full screen ignores the texts", "x", "y", "z", "w", 1, 1, {true, true, 0, 0, 800, 600}},
        {"a failed move stops the resize too",
         "abc",
         "0",
         "300",
         "200",
         0,
         0,
         {false, false, 0, 0, 800, 600}},
        {"a failed resize keeps the move",
         "4",
         "5",
         "1.5",
         "200",
         0,
         0,
         {false, false, 4, 5, 800, 600}},
        {"an empty text stops the whole statement",
         "4",
         "5",
         "300",
         " ",
         0,
         0,
         {false, false, 0, 0, 800, 600}},
        {"windowless 2 keeps the frame",
         "0",
         "0",
         "800",
         "600",
         2,
         0,
         {false, false, 0, 0, 800, 600}},
    };
    for (const auto& c : cases) {
        Definition definition;
        definition.Left = c.left;
        definition.Top = c.top;
        definition.Width = c.width;
        definition.Height = c.height;
        definition.WindowLess = c.windowLess;
        definition.FullScreen = c.fullScreen;
        EXPECT_EQ(PlacementOf(definition), c.expected) << c.what;
    }
}

TEST(CellRect, TilesTheClientAreaWithoutGapsOrOverlaps) {
    for (const auto& [width, height] :
         {std::pair{800, 600}, std::pair{1023, 767}, std::pair{7, 13}}) {
        int covered = 0;
        for (int row = 0; row < kGridRows; ++row) {
            for (int column = 0; column < kGridColumns; ++column) {
                const PageRect cell = CellRect(row, column, width, height);
                covered += cell.Width() * cell.Height();
                // Each cell starts where its left and upper neighbours end.
                if (column > 0) {
                    EXPECT_EQ(cell.left, CellRect(row, column - 1, width, height).right);
                }
                if (row > 0) {
                    EXPECT_EQ(cell.top, CellRect(row - 1, column, width, height).bottom);
                }
            }
        }
        EXPECT_EQ(covered, width * height);
    }
    EXPECT_EQ(CellRect(0, 0, 800, 600), (PageRect{0, 0, 114, 46}));
    EXPECT_EQ(CellRect(12, 6, 800, 600), (PageRect{685, 553, 800, 600}));
}

TEST(LayoutEntry, CentresThePairVerticallyAndAlignsItAcrossTheCell) {
    const PageRect cell{100, 50, 214, 96};  // 114 x 46
    const struct {
        const char* align;
        int pictureLeft, captionLeft;
    } cases[] = {
        {"Center", 141, 132}, {"center", 141, 132}, {"Right", 182, 164},
        {"", 100, 100},       {"Middle", 100, 100},
    };
    for (const auto& c : cases) {
        const EntryLayout layout = LayoutEntry(cell, AlignOf(c.align), 32, 32, 50, 10);
        // 32 + 2 + 10 = 44 of 46 pixels: one above.
        EXPECT_EQ(layout.picture, (PageRect{c.pictureLeft, 51, c.pictureLeft + 32, 83})) << c.align;
        EXPECT_EQ(layout.caption, (PageRect{c.captionLeft, 85, c.captionLeft + 50, 95})) << c.align;
    }
    // A link is its caption alone.
    const EntryLayout link = LayoutEntry(cell, CellAlign::Left, 0, 0, 40, 14);
    EXPECT_EQ(link.caption, (PageRect{100, 66, 140, 80}));
}

TEST(MoveFocus, WalksTheEntriesInGridOrder) {
    Definition definition;
    for (const auto& [row, column] : {std::pair{0, 0}, {0, 3}, {0, 6}, {2, 1}, {2, 4}, {5, 6}}) {
        definition.Entry(row, column).URL = "x.exe";
    }
    const std::vector<GridPlace> order = FocusOrder(definition);
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ(order[3], (GridPlace{2, 1}));
    const struct {
        int from;
        FocusMove move;
        int to;
    } cases[] = {
        {-1, FocusMove::Down, 0}, {0, FocusMove::Left, 0},  {0, FocusMove::Right, 1},
        {2, FocusMove::Right, 3}, {5, FocusMove::Right, 5}, {3, FocusMove::Left, 2},
        {1, FocusMove::Down, 4},  // from column 3: 4 is nearer than 1
        {0, FocusMove::Down, 3},  {3, FocusMove::Up, 0},    {2, FocusMove::Down, 4},
        {4, FocusMove::Down, 5},  // row 5 skips the empty rows
        {5, FocusMove::Down, 5},  {0, FocusMove::Up, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MoveFocus(order, c.from, c.move), c.to)
            << c.from << " move " << static_cast<int>(c.move);
    }
    EXPECT_EQ(MoveFocus({}, -1, FocusMove::Right), -1);
}

TEST(StartCommandFor, SplitsTheQuotedUrlAsTheScriptingShellDoes) {
    const struct {
        std::string url;
        StartCommand expected;
    } cases[] = {
        {"C:\\Windows\\notepad.exe", {"C:\\Windows\\notepad.exe", ""}},
        {"C:\\Program Files\\App\\app.exe", {"C:\\Program Files\\App\\app.exe", ""}},
        {"http://example.org/?a=1&b=2", {"http://example.org/?a=1&b=2", ""}},
        // A quote in the URL closes the program name, as on the page.
        {"C:\\a.exe\" /x", {"C:\\a.exe", "/x\""}},
        {"", {"", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(StartCommandFor(c.url), c.expected) << c.url;
}

TEST(PicturePathFor, IsWhatTheImageOfThePageShows) {
    const std::string page = "C:\\Desks\\Kiosk.hta";
    const struct {
        ApplicationAndLink entry;
        std::string expected;
    } cases[] = {
        {{"Notes", "C:\\Windows\\notepad.exe", "", "", 0, 1},
         "C:\\Desks\\Kiosk_Icons\\notepad.exe.bmp"},
        {{"Own", "a.exe", "D:\\Pics\\a.bmp", "", 0, 0}, "D:\\Pics\\a.bmp"},
        {{"Near", "a.exe", "pics\\a.png", "", 0, 0}, "C:\\Desks\\pics\\a.png"},
        {{"Link", "http://x/", "", "", 1, 1}, ""},
        {{"", "", "a.bmp", "", 0, 1}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PicturePathFor(c.entry, page), c.expected) << c.entry.DisplayName;
    // The generator's own bitmap names, so that both pages show the same files.
    Definition definition;
    definition.Entry(4, 2) = cases[0].entry;
    EXPECT_EQ(ComposeDesktopPage(definition, page).icons.front().fileName, "notepad.exe.bmp");
    EXPECT_EQ(IconFolderOf(page), "C:\\Desks\\Kiosk_Icons\\");
}

}  // namespace
}  // namespace vallora
