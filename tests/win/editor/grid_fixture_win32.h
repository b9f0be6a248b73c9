#pragma once
// A grid of 64 x 48 pixel cells in a plain window, with the real icons of the
// system and a language whose files live in a temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/desktop_grid_win32.h"
#include "language/language.h"
#include "language/language_files_win32.h"
#include "page/icon_bitmap_win32.h"
#include "platform/shell_folders_win32.h"
#include "platform/system_storage_win32.h"

namespace vallora::test {

constexpr int32_t kDeskColor = 72 + 256 * 182 + 65536 * 234;
constexpr int kCellWidth = 64;
constexpr int kCellHeight = 48;

inline std::string TempFolderPath(const char* name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name + std::to_string(GetCurrentProcessId());
}

inline std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

inline void SetClipboardText(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

// Colour values (red lowest) of a bitmap, top row first.
inline std::vector<int32_t> BitmapColors(HBITMAP bitmap, int& width, int& height) {
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size)) return {};
    width = size.bmWidth;
    height = size.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> raw(static_cast<size_t>(width) * height);
    const UniqueHDC dc(CreateCompatibleDC(nullptr));
    if (GetDIBits(dc.get(), bitmap, 0, height, raw.data(), &info, DIB_RGB_COLORS) != height) {
        return {};
    }
    std::vector<int32_t> colors;
    for (uint32_t p : raw) {
        colors.push_back(
            static_cast<int32_t>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16)));
    }
    return colors;
}

class GridFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ + "\\Language");
        notepad_ = WindowsFolder() + "\\notepad.exe";
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ValloraGridTestFrame";
        RegisterClassExA(&wc);
        frame_.reset(CreateWindowExA(0, wc.lpszClassName, "Grid", WS_OVERLAPPEDWINDOW, 0, 0, 500,
                                     700, nullptr, nullptr, wc.hInstance, nullptr));
        ASSERT_TRUE(frame_);
        const RECT bounds{0, 0, 7 * kCellWidth, 13 * kCellHeight};
        ASSERT_TRUE(grid_.Create(frame_.get(), 100, bounds));
        grid_.InitializeGrid();
        grid_.RefreshDesktop(kDeskColor, 0);
    }
    void TearDown() override {
        std::string none;
        language_.SetLanguage(none);
        std::filesystem::remove_all(folder_);
    }

    // The centre of a cell in the grid's client coordinates, as mouse lParam.
    static LPARAM At(int row, int column) {
        return MAKELPARAM(column * kCellWidth + kCellWidth / 2,
                          row * kCellHeight + kCellHeight / 2);
    }
    void Store(const std::string& name, int row, int column) {
        grid_.SetApplicationAndLink(name, notepad_, "", "Left", 1, 0, row, column);
    }

    std::string folder_ = TempFolderPath("vallora_grid_");
    std::string notepad_;
    SystemStorage storage_;
    Win32LanguageFiles files_;
    Language language_{storage_.settings, files_, folder_};
    IconPortWin32 icons_{storage_.settings};
    Definition definition_;
    std::vector<bool> edits_;  // byDoubleClick of every edit asked for
    int changes_ = 0;          // reports of a changed entry table
    UniqueHWND frame_;
    DesktopGrid grid_{
        definition_, icons_, language_,
        DesktopGridHost{
            .editCurrentCell = [this](bool byDoubleClick) { edits_.push_back(byDoubleClick); },
            .entriesChanged = [this] { ++changes_; }}};
};

}  // namespace vallora::test
