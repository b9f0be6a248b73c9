// The editor's grid in-process under Wine: a real window driven with mouse
// and key messages, the real clipboard, real icons and picture files.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>

#include "page/bitmap_file.h"
#include "platform/picture_file_win32.h"
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

TEST_F(Grid, ACutMovesItsEntryOnceAndAnEmptyPlaceIsNeverPasted) {
    Store("Moved", 0, 0);
    Store("Kept", 6, 6);
    const ApplicationAndLink moved = definition_.Entry(0, 0);
    const ApplicationAndLink kept = definition_.Entry(6, 6);
    // Cut or Copy at one place, Paste at another.
    const auto transfer = [this](bool cut, int fromRow, int fromColumn, int toRow, int toColumn) {
        grid_.SetCurrentCell(fromRow, fromColumn);
        if (cut) {
            grid_.Cut();
        } else {
            grid_.Copy();
        }
        grid_.SetCurrentCell(toRow, toColumn);
        grid_.Paste();
    };
    transfer(true, 0, 0, 5, 5);
    ASSERT_EQ(definition_.Entry(5, 5), moved);
    ASSERT_TRUE(definition_.Entry(0, 0).IsEmpty());

    // The same cut pasted again: its place is empty now, and the target keeps
    // its entry and its picture.
    grid_.SetCurrentCell(6, 6);
    grid_.Paste();
    EXPECT_EQ(definition_.Entry(6, 6), kept);
    EXPECT_EQ(grid_.CellText(6, 6), "Kept");
    EXPECT_NE(grid_.CellPicture(6, 6), nullptr);
    EXPECT_EQ(definition_.Entry(5, 5), moved);

    // A copied empty place pastes nothing either.
    transfer(false, 0, 0, 6, 6);
    EXPECT_EQ(definition_.Entry(6, 6), kept);
    EXPECT_NE(grid_.CellPicture(6, 6), nullptr);

    // A new cut moves again, and so does the same text put on the clipboard anew.
    transfer(true, 5, 5, 0, 0);
    EXPECT_EQ(definition_.Entry(0, 0), moved);
    EXPECT_TRUE(definition_.Entry(5, 5).IsEmpty());
    SetClipboardText("0;0;True");
    grid_.SetCurrentCell(3, 3);
    grid_.Paste();
    EXPECT_EQ(definition_.Entry(3, 3), moved);
    EXPECT_TRUE(definition_.Entry(0, 0).IsEmpty());
}

TEST_F(Grid, EveryChangeOfTheTableIsReportedAndNothingElse) {
    struct Case {
        const char* what;
        std::function<void()> act;
        int changes;
    };
    const HWND hwnd = grid_.Hwnd();
    const auto key = [hwnd](UINT code, bool ctrl) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(hwnd, WM_KEYDOWN, code, 1);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    const auto drag = [hwnd](int toRow, int toColumn) {
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(0, 0));
        SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(toRow, toColumn));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, At(toRow, toColumn));
    };
    const auto at = [this](int row, int column) { grid_.SetCurrentCell(row, column); };
    const Case cases[] = {
        {"store", [&] { Store("New", 4, 4); }, 1},
        {"store of what is there", [&] { Store("Editor", 0, 0); }, 0},
        {"copy",
         [&] {
             at(0, 0);
             grid_.Copy();
         },
         0},
        {"cut",
         [&] {
             at(0, 0);
             grid_.Cut();
         },
         0},
        {"copy and paste",
         [&] {
             at(0, 0);
             key('C', true);
             at(3, 3);
             key('V', true);
         },
         1},
        // The target and the emptied source.
        {"cut and paste",
         [&] {
             at(0, 0);
             grid_.Cut();
             at(3, 3);
             grid_.Paste();
         },
         2},
        {"paste by the menu",
         [&] {
             at(0, 0);
             grid_.Copy();
             at(3, 3);
             grid_.RunMenuCommand(2);
         },
         1},
        {"paste of an empty place",
         [&] {
             at(9, 5);
             grid_.Copy();
             at(0, 0);
             grid_.Paste();
         },
         0},
        {"delete key",
         [&] {
             at(0, 0);
             key(VK_DELETE, false);
         },
         1},
        {"delete by the menu",
         [&] {
             at(0, 0);
             grid_.RunMenuCommand(4);
         },
         1},
        {"delete of an empty place",
         [&] {
             at(8, 1);
             grid_.DeleteCurrent();
         },
         0},
        {"drag onto an empty place", [&] { drag(7, 3); }, 2},
        {"drag onto an entry", [&] { drag(0, 1); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int row = 0; row < kGridRows; ++row) {
            for (int column = 0; column < kGridColumns; ++column) {
                grid_.ApplicationsAndLinksDelete(row, column);
            }
        }
        Store("Editor", 0, 0);
        Store("Other", 0, 1);
        changes_ = 0;
        c.act();
        EXPECT_EQ(changes_, c.changes);
    }
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

// A black-and-white PNG file of any size, all black, in a few hundred
// kilobytes even at 16384 x 16384: its rows of zeros are compressed as
// repeats of the byte before (fixed-code deflate).
class PngWriter {
  public:
    static void Write(const std::string& path, uint32_t width, uint32_t height) {
        std::string header;
        Put32(header, width);
        Put32(header, height);
        header += std::string("\x01\x00\x00\x00\x00", 5);  // 1 bit grey, no interlace
        const uint64_t rawBytes = uint64_t{height} * (1 + (width + 7) / 8);
        std::ofstream file(path, std::ios::binary);
        file << std::string("\x89PNG\r\n\x1a\n", 8) << Chunk("IHDR", header)
             << Chunk("IDAT", Zeros(rawBytes)) << Chunk("IEND", "");
    }

  private:
    static void Put32(std::string& out, uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift);
    }
    static uint32_t Crc(const std::string& bytes) {
        uint32_t crc = 0xFFFFFFFFu;
        for (const char byte : bytes) {
            crc ^= static_cast<uint8_t>(byte);
            for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
        return ~crc;
    }
    static std::string Chunk(const std::string& type, const std::string& data) {
        std::string chunk;
        Put32(chunk, static_cast<uint32_t>(data.size()));
        const std::string body = type + data;
        chunk += body;
        Put32(chunk, Crc(body));
        return chunk;
    }
    // A zlib stream of `count` zero bytes.
    static std::string Zeros(uint64_t count) {
        std::string out("\x78\x01", 2);
        uint32_t bits = 0;
        int used = 0;
        // Deflate packs from the lowest bit; Huffman codes go highest bit first.
        const auto put = [&](uint32_t value, int length, bool code) {
            for (int i = 0; i < length; ++i) {
                const int bit = code ? length - 1 - i : i;
                bits |= ((value >> bit) & 1u) << used;
                if (++used == 8) {
                    out += static_cast<char>(bits);
                    bits = 0;
                    used = 0;
                }
            }
        };
        put(1, 1, false);    // the last block
        put(1, 2, false);    // fixed codes
        put(0x30, 8, true);  // literal 0
        uint64_t left = count - 1;
        for (; left >= 258; left -= 258) {
            put(0xC5, 8, true);  // length 258
            put(0, 5, true);     // distance 1
        }
        for (; left > 0; --left) put(0x30, 8, true);
        put(0, 7, true);  // end of block
        if (used > 0) out += static_cast<char>(bits);
        // Adler-32 of zeros: the low sum stays 1, the high one counts the bytes.
        Put32(out, static_cast<uint32_t>((count % 65521) << 16 | 1));
        return out;
    }
};

TEST_F(Grid, APictureWiderOrHigherThan8192PixelsIsRefusedBeforeItIsRead) {
    const struct {
        uint32_t width;
        uint32_t height;
        bool read;
    } cases[] = {
        {8192, 2, true},  {2, 8192, true},       {8193, 2, false},
        {2, 8193, false}, {16384, 16384, false},  // 1 GB of pixels: more than a 32-bit process has
                                                  // room for
    };
    for (const auto& c : cases) {
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height);
        SCOPED_TRACE(name);
        const std::string path = folder_ + "\\" + name + ".png";
        PngWriter::Write(path, c.width, c.height);
        const std::optional<PictureSize> size = PictureFileSize(path);
        ASSERT_TRUE(size.has_value()) << "the system reads the file";
        EXPECT_EQ(*size, (PictureSize{static_cast<int>(c.width), static_cast<int>(c.height)}));
        const std::optional<PicturePixels> pixels = LoadPictureFile(path);
        EXPECT_EQ(pixels.has_value(), c.read);
        if (pixels) {
            EXPECT_EQ(pixels->pixels.front(), 0xFF000000u);
        }

        // The refused picture takes the path of any picture that cannot be loaded.
        grid_.SetApplicationAndLink("Big", notepad_, path, "", 0, 0, 2, 2);
        EXPECT_EQ(grid_.CellPicture(2, 2) != nullptr, c.read);
        EXPECT_EQ(grid_.CellText(2, 2), "Big");
        EXPECT_EQ(definition_.Entry(2, 2).Picture, path);
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
