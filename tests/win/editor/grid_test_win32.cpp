// The editor's grid in-process under Wine: a real window driven with mouse
// and key messages, the real clipboard, real icons and picture files.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "page/bitmap_file.h"
#include "win/editor/grid_fixture_win32.h"

namespace vallora::test {
namespace {

using Grid = GridFixture;

TEST_F(Grid, CopyPastesACopyAndCutEmptiesTheSourceOnPaste) {
    Store("Editor", 0, 0);
    const ApplicationAndLink original = definition_.Entry(0, 0);
    grid_.SetCurrentCell(0, 0);
    grid_.Copy();
    EXPECT_EQ(ClipboardText(), "0;0;False");
    grid_.SetCurrentCell(4, 6);
    grid_.Paste();
    EXPECT_EQ(definition_.Entry(4, 6), original);
    EXPECT_EQ(definition_.Entry(0, 0), original);
    EXPECT_EQ(grid_.CellText(4, 6), "Editor");
    EXPECT_NE(grid_.CellPicture(4, 6), nullptr);

    grid_.SetCurrentCell(0, 0);
    grid_.Cut();
    EXPECT_EQ(ClipboardText(), "0;0;True");
    EXPECT_EQ(definition_.Entry(0, 0), original) << "Cut removes nothing by itself";
    grid_.SetCurrentCell(5, 5);
    grid_.Paste();
    EXPECT_EQ(definition_.Entry(5, 5), original);
    EXPECT_TRUE(definition_.Entry(0, 0).IsEmpty());
    EXPECT_EQ(grid_.CellText(0, 0), "");
    EXPECT_EQ(grid_.CellPicture(0, 0), nullptr);
    EXPECT_EQ(grid_.CurrentRow(), 5);
    EXPECT_EQ(grid_.CurrentColumn(), 5);
    EXPECT_EQ(ClipboardText(), "0;0;True") << "the clipboard keeps its text";
}

TEST_F(Grid, ACutPastedOntoItsOwnPlaceStaysThere) {
    Store("Editor", 2, 3);
    const ApplicationAndLink original = definition_.Entry(2, 3);
    grid_.SetCurrentCell(2, 3);
    grid_.Cut();
    grid_.Paste();
    EXPECT_EQ(definition_.Entry(2, 3), original);
}

TEST_F(Grid, PasteOfForeignClipboardTextChangesNothing) {
    Store("Editor", 0, 0);
    const Definition before = definition_;
    grid_.SetCurrentCell(3, 3);
    for (const char* text : {"hello", "13;0;False", "0;7;True", "-1;0;False", "0;0;Yes", "0;0"}) {
        SetClipboardText(text);
        grid_.Paste();
        EXPECT_EQ(definition_, before) << text;
    }
}

TEST_F(Grid, DragMovesAnEntryOntoAnEmptyPlaceOnly) {
    Store("First", 0, 0);
    Store("Second", 0, 1);
    const ApplicationAndLink first = definition_.Entry(0, 0);
    const ApplicationAndLink second = definition_.Entry(0, 1);
    const HWND hwnd = grid_.Hwnd();

    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(0, 0));
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(0, 1));
    EXPECT_EQ(grid_.CurrentColumn(), 1) << "the cell under the pointer becomes current";
    SendMessageA(hwnd, WM_LBUTTONUP, 0, At(0, 1));
    EXPECT_EQ(definition_.Entry(0, 0), first);
    EXPECT_EQ(definition_.Entry(0, 1), second);

    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(0, 0));
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(1, 1));
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(2, 2));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(definition_.Entry(2, 2), first);
    EXPECT_TRUE(definition_.Entry(0, 0).IsEmpty());
    EXPECT_EQ(grid_.CellText(2, 2), "First");
    EXPECT_EQ(grid_.CellText(0, 0), "");
    EXPECT_EQ(grid_.CurrentRow(), 2);
    EXPECT_EQ(grid_.CurrentColumn(), 2);
    EXPECT_EQ(definition_.Entry(0, 1), second);
}

TEST_F(Grid, AnyButtonSelectsTheCellAndADoubleClickEdits) {
    const HWND hwnd = grid_.Hwnd();
    SendMessageA(hwnd, WM_MBUTTONDOWN, 0, At(7, 4));
    EXPECT_EQ(grid_.CurrentRow(), 7);
    EXPECT_EQ(grid_.CurrentColumn(), 4);
    SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(9, 1));
    EXPECT_EQ(grid_.CurrentRow(), 9);
    EXPECT_EQ(edits_, std::vector<bool>{true});
}

struct KeyCase {
    const char* name;
    UINT message;
    UINT key;
    bool ctrl;
    bool shift;
    const char* clipboardAfter;  // the sentinel when nothing was put there
    bool deleted;
    std::vector<bool> edits;
};

class GridKeys : public GridFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(GridKeys, OnlyTheExactCombinationsAct) {
    const KeyCase& c = GetParam();
    Store("Editor", 1, 2);
    grid_.SetCurrentCell(1, 2);
    SetClipboardText("sentinel");
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = c.ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = c.shift ? 0x80 : 0;
    keys[VK_MENU] = c.message == WM_SYSKEYDOWN ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageA(grid_.Hwnd(), c.message, c.key, 1);
    keys[VK_CONTROL] = keys[VK_SHIFT] = keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(ClipboardText(), c.clipboardAfter);
    EXPECT_EQ(definition_.Entry(1, 2).IsEmpty(), c.deleted);
    EXPECT_EQ(edits_, c.edits);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridKeys,
    ::testing::Values(
        KeyCase{"CtrlC", WM_KEYDOWN, 'C', true, false, "1;2;False", false, {}},
        KeyCase{"CtrlX", WM_KEYDOWN, 'X', true, false, "1;2;True", false, {}},
        KeyCase{"CtrlShiftC", WM_KEYDOWN, 'C', true, true, "sentinel", false, {}},
        KeyCase{"PlainC", WM_KEYDOWN, 'C', false, false, "sentinel", false, {}},
        KeyCase{"Delete", WM_KEYDOWN, VK_DELETE, false, false, "sentinel", true, {}},
        KeyCase{"ShiftDelete", WM_KEYDOWN, VK_DELETE, false, true, "sentinel", false, {}},
        KeyCase{"CtrlDelete", WM_KEYDOWN, VK_DELETE, true, false, "sentinel", false, {}},
        KeyCase{"AltDelete", WM_SYSKEYDOWN, VK_DELETE, false, false, "sentinel", false, {}},
        KeyCase{"Enter", WM_CHAR, '\r', false, false, "sentinel", false, {false}}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST_F(Grid, CtrlVPastesAtTheCurrentCell) {
    Store("Editor", 0, 0);
    SetClipboardText("0;0;False");
    grid_.SetCurrentCell(6, 6);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(grid_.Hwnd(), WM_KEYDOWN, 'V', 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(definition_.Entry(6, 6), definition_.Entry(0, 0));
}

// A 64 x 48 picture (the cell's size: drawn 1:1) of one colour with a
// magenta square at (8, 8)..(15, 15).
std::string WriteMagentaPicture(const std::string& path, int32_t color) {
    std::vector<int32_t> pixels(64 * 48, color);
    for (int y = 8; y < 16; ++y) {
        for (int x = 8; x < 16; ++x) pixels[static_cast<size_t>(y * 64 + x)] = 255 + 65536 * 255;
    }
    std::ofstream(path, std::ios::binary) << EncodeBitmapFile(64, 48, pixels);
    return path;
}

TEST_F(Grid, MagentaPixelsShowTheBackgroundWhateverTransparencySays) {
    constexpr int32_t kGreen = 256 * 160;
    const std::string picture = WriteMagentaPicture(folder_ + "\\magenta.bmp", kGreen);
    for (int16_t transparency : {0, 1}) {
        grid_.SetApplicationAndLink("Pic", notepad_, picture, "", 0, transparency, 3, 3);
        int width = 0;
        int height = 0;
        const std::vector<int32_t> cell = BitmapColors(grid_.CellPicture(3, 3), width, height);
        ASSERT_EQ(width, kCellWidth);
        ASSERT_EQ(height, kCellHeight);
        EXPECT_EQ(cell[12 * 64 + 12], kDeskColor) << transparency;
        EXPECT_EQ(cell[20 * 64 + 20], kGreen) << transparency;
    }
    // A new background colour redraws every cell on it.
    constexpr int32_t kNewBack = 200 + 256 * 10 + 65536 * 30;
    grid_.RefreshDesktop(kNewBack, 0);
    int width = 0;
    int height = 0;
    EXPECT_EQ(BitmapColors(grid_.CellPicture(3, 3), width, height)[12 * 64 + 12], kNewBack);
}

TEST_F(Grid, AnEntryWithoutPictureShowsItsProgramsIconSmallerAndCentred) {
    Store("Editor", 0, 0);
    int width = 0;
    int height = 0;
    const std::vector<int32_t> cell = BitmapColors(grid_.CellPicture(0, 0), width, height);
    ASSERT_EQ(cell.size(), static_cast<size_t>(kCellWidth * kCellHeight));
    // The 32 x 32 icon is drawn 21 x 21 at (21, 13): outside it only the background.
    int outside = 0;
    int inside = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inIcon = x >= 21 && x < 42 && y >= 13 && y < 34;
            if (cell[static_cast<size_t>(y * width + x)] == kDeskColor) continue;
            (inIcon ? inside : outside)++;
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 0);
}

TEST_F(Grid, APictureThatCannotBeLoadedLeavesBackgroundAndCaption) {
    std::ofstream(folder_ + "\\broken.png", std::ios::binary) << "not a picture";
    for (const std::string& picture : {std::string("http://example.com/logo.png"),
                                       folder_ + "\\missing.jpg", folder_ + "\\broken.png"}) {
        grid_.SetApplicationAndLink("Web", "http://example.com/", picture, "", 0, 0, 5, 1);
        EXPECT_EQ(grid_.CellPicture(5, 1), nullptr) << picture;
        EXPECT_EQ(grid_.CellText(5, 1), "Web");
        EXPECT_EQ(definition_.Entry(5, 1).Picture, picture);
    }
}

TEST_F(Grid, ContextMenuRunsTheChosenCommandWithCaptionsFromTheLanguageFile) {
    {
        std::ofstream file(folder_ + "\\Language\\de.txt", std::ios::binary);
        file << "[frmMain]\r\nmnuApplicationAndLinksEdit=     Bearbeiten\r\n";
    }
    std::string name = "de.txt";
    ASSERT_EQ(language_.SetLanguage(name), 0);
    // The menu's own loop reads these keys: down to the fourth item, Enter.
    for (int i = 0; i < 4; ++i) PostMessageA(grid_.Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(grid_.Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    grid_.renderPopupMenu();
    EXPECT_EQ(edits_, std::vector<bool>{false});

    const HMENU menu = grid_.ContextMenu();
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    const char* expected[] = {"     Cut", "     Copy", "     Paste", "     Bearbeiten",
                              "     Delete"};
    for (int i = 0; i < 5; ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i]);
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_BITMAP;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        EXPECT_NE(info.hbmpItem, nullptr) << i;
    }
}

}  // namespace
}  // namespace vallora::test
