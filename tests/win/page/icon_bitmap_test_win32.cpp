// Icons of programs and documents turned into bitmap files, against Wine's
// own shell32.dll, programs and registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

#include "page/bitmap_file.h"
#include "page/desktop_page.h"
#include "page/html_color.h"
#include "page/icon_bitmap_win32.h"
#include "platform/shell_folders_win32.h"
#include "platform/system_storage_win32.h"
#include "win/page/bitmap_reader_win32.h"

namespace vallora {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kDesk = 72 + 256 * 182 + 65536 * 234;

std::string TempFolderPath(const std::string& name) {
    char buffer[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer) + name + std::to_string(GetCurrentProcessId());
}

class IconBitmaps : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = TempFolderPath("vallora_icons_");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        system32_ = WindowsFolder() + "\\system32\\";
        shell32_ = system32_ + "shell32.dll";
    }
    void TearDown() override {
        for (const std::string& key : registered_) RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
        fs::remove_all(folder_);
    }

    // Registers a file type "<ext>" -> "<ext>file" whose DefaultIcon is `location`.
    void RegisterType(const std::string& extension, const std::string& location,
                      DWORD type = REG_SZ) {
        const std::string fileType = extension.substr(1) + "file";
        RegSetValueA(HKEY_CLASSES_ROOT, extension.c_str(), REG_SZ, fileType.c_str(), 0);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, (fileType + "\\DefaultIcon").c_str(), &key),
                  ERROR_SUCCESS);
        RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(location.c_str()),
                       static_cast<DWORD>(location.size() + 1));
        RegCloseKey(key);
        registered_.push_back(extension);
        registered_.push_back(fileType);
    }

    std::vector<int32_t> Extracted(const std::string& source, int32_t color = kDesk) {
        std::string folder = folder_;
        EXPECT_TRUE(ExtractIconToBitmap(storage_.settings, source, color, "icon.bmp", folder))
            << source;
        const test::ReadBitmap bitmap = test::ReadBitmapFile(folder + "icon.bmp");
        EXPECT_EQ(bitmap.width, kIconBitmapSize) << source;
        EXPECT_EQ(bitmap.height, kIconBitmapSize) << source;
        return bitmap.pixels;
    }

    std::vector<int32_t> Drawn(const std::string& file, int index, int32_t color = kDesk) {
        return DrawIconOnColor(ExtractLargeIcon({file, index}).get(), color);
    }

    SystemStorage storage_;
    std::string folder_;
    std::string system32_;
    std::string shell32_;
    std::vector<std::string> registered_;
};

TEST_F(IconBitmaps, DrawsTheIconOfTheRegisteredLocation) {
    const std::vector<int32_t> bare(kIconBitmapSize * kIconBitmapSize, kDesk);
    const std::vector<int32_t> first = Drawn(shell32_, 0);
    const std::vector<int32_t> fourth = Drawn(shell32_, 3);
    ASSERT_NE(first, bare);
    ASSERT_NE(fourth, bare);
    ASSERT_NE(first, fourth);

    RegisterType(".vpa", shell32_ + ",3");
    RegisterType(".vpb", shell32_);
    RegisterType(".vpc", shell32_ + ",-152");
    RegisterType(".vpd", "%SystemRoot%\\system32\\shell32.dll,3", REG_EXPAND_SZ);
    RegisterType(".vpe", "\"" + shell32_ + "\", 3");
    RegisterType(".vpf", shell32_ + ",100000");
    const std::string noIcons = folder_ + "\\plain.exe";
    std::ofstream(noIcons) << "no icons in here";

    const struct {
        std::string source;
        const std::vector<int32_t>& expected;
    } cases[] = {
        {"C:\\Docs\\letter.vpa", fourth},
        {"C:\\Docs\\letter.VPA", fourth},
        {"letter.vpb", first},
        {"letter.vpc", bare},  // a negative index names no icon
        {"letter.vpd", fourth},
        {"letter.vpe", fourth},
        {"letter.vpf", bare},
        {"letter.vpunregistered", bare},
        {shell32_, bare},  // not a program: the .dll file type has no icon here
        {noIcons, bare},
        {"C:\\nowhere\\missing.exe", bare},
    };
    for (const auto& c : cases) EXPECT_EQ(Extracted(c.source), c.expected) << c.source;
}

TEST_F(IconBitmaps, ProgramsGiveTheirFirstIcon) {
    const std::string notepad = WindowsFolder() + "\\notepad.exe";
    const std::vector<int32_t> expected = Drawn(notepad, 0, kChromaKeyColor);
    ASSERT_NE(expected, std::vector<int32_t>(kIconBitmapSize * kIconBitmapSize, kChromaKeyColor));
    EXPECT_EQ(Extracted(notepad, kChromaKeyColor), expected);
    EXPECT_EQ(Extracted("%SystemRoot%\\NOTEPAD.EXE", kChromaKeyColor), expected);
}

// A 32 x 32 icon of one colour whose alpha falls from opaque at the centre
// to clear at the corners: every edge is soft.
UniqueHICON SoftEdgedIcon(COLORREF color) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = kIconBitmapSize;
    header.bV5Height = -kIconBitmapSize;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    UniqueHDC dc(CreateCompatibleDC(nullptr));
    UniqueHBITMAP colors(CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                          DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueHBITMAP mask(CreateBitmap(kIconBitmapSize, kIconBitmapSize, 1, 1, nullptr));
    if (!colors || !mask || !bits) return {};
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < kIconBitmapSize; ++y) {
        for (int x = 0; x < kIconBitmapSize; ++x) {
            const int distance = std::abs(2 * x - 31) + std::abs(2 * y - 31);  // 2 to 62
            const auto a = static_cast<uint32_t>(std::clamp(295 - 4 * distance, 0, 255));
            // Premultiplied, as the system blends 32-bit icons.
            const uint32_t r = GetRValue(color) * a / 255;
            const uint32_t g = GetGValue(color) * a / 255;
            const uint32_t b = GetBValue(color) * a / 255;
            pixels[y * kIconBitmapSize + x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), colors.get()};
    return UniqueHICON(CreateIconIndirect(&info));
}

TEST_F(IconBitmaps, IconsOnTheChromaKeyHaveNoFringeNearTheKey) {
    const UniqueHICON soft = SoftEdgedIcon(RGB(0, 0, 160));
    ASSERT_TRUE(soft);
    // The soft icon, a shell icon and a program's icon.
    const std::vector<std::vector<int32_t>> pictures = {
        DrawIconOnColor(soft.get(), kChromaKeyColor),
        Drawn(shell32_, 3, kChromaKeyColor),
        Extracted(WindowsFolder() + "\\notepad.exe", kChromaKeyColor),
    };
    for (size_t p = 0; p < pictures.size(); ++p) {
        ASSERT_EQ(pictures[p].size(), static_cast<size_t>(kIconBitmapSize * kIconBitmapSize));
        int keyed = 0;
        for (size_t i = 0; i < pictures[p].size(); ++i) {
            const int32_t pixel = pictures[p][i];
            if (pixel == kChromaKeyColor) {
                ++keyed;
                continue;
            }
            const ColorParts parts = SplitColor(pixel);
            const int distance =
                std::abs(parts.red - 255) + parts.green + std::abs(parts.blue - 255);
            EXPECT_GT(distance, 96) << "picture " << p << " pixel " << i << ": " << pixel;
        }
        EXPECT_GT(keyed, 0) << p;
        EXPECT_LT(keyed, kIconBitmapSize * kIconBitmapSize) << p;
    }
}

TEST_F(IconBitmaps, FoldersGetTheSystemsFolderIcon) {
    const std::vector<int32_t> folderIcon = Drawn(shell32_, kShellFolderIconIndex);
    ASSERT_NE(folderIcon, std::vector<int32_t>(kIconBitmapSize * kIconBitmapSize, kDesk));
    EXPECT_EQ(Extracted(folder_), folderIcon);
    EXPECT_EQ(Extracted(folder_ + "\\"), folderIcon);
    EXPECT_EQ(Extracted("%SystemRoot%"), folderIcon);
    IconPortWin32 icons(storage_.settings);
    EXPECT_EQ(icons.IconPicture(folder_, kDesk), folderIcon);
}

TEST_F(IconBitmaps, FolderGainsItsTrailingBackslash) {
    for (const std::string& given : {folder_, folder_ + "\\"}) {
        std::string folder = given;
        ASSERT_TRUE(ExtractIconToBitmap(storage_.settings, shell32_, kDesk, "x.bmp", folder));
        EXPECT_EQ(folder, folder_ + "\\");
        EXPECT_TRUE(fs::exists(folder_ + "\\x.bmp"));
        fs::remove(folder_ + "\\x.bmp");
    }
}

TEST_F(IconBitmaps, IconFolderIsCreatedOnceAndMayExist) {
    IconPortWin32 icons(storage_.settings);
    const std::string folder = folder_ + "\\Kiosk_Icons\\";
    EXPECT_TRUE(icons.CreateIconFolder(folder));
    EXPECT_TRUE(icons.CreateIconFolder(folder));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(icons.CreateIconFolder(folder_ + "\\missing\\deeper\\"));
}

// A whole page of 91 icons of programs from the system folder; the time it
// takes is reported, not judged.
TEST_F(IconBitmaps, FullPageWithExtractedIcons) {
    // Programs of the Windows folder and of system32, each file name once.
    std::vector<std::string> programs;
    std::set<std::string> names;
    for (const std::string& folder : {WindowsFolder() + "\\", system32_}) {
        for (const auto& item : fs::directory_iterator(folder)) {
            const std::string name = item.path().filename().string();
            if (programs.size() < kGridRows * kGridColumns && name.size() > 4 &&
                name.substr(name.size() - 4) == ".exe" && names.insert(name).second) {
                programs.push_back(folder + name);
            }
        }
    }
    ASSERT_EQ(programs.size(), static_cast<size_t>(kGridRows * kGridColumns));
    Definition definition;
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const std::string& program = programs[row * kGridColumns + column];
            definition.SetApplicationAndLink(program, program, "", "Center", 0,
                                             static_cast<int16_t>(column % 2), row, column);
        }
    }
    const std::string pagePath = folder_ + "\\Kiosk.hta";
    IconPortWin32 icons(storage_.settings);

    const auto start = std::chrono::steady_clock::now();
    const PageGeneration result = GenerateDesktopPage(definition, pagePath, icons);
    const auto elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);

    EXPECT_TRUE(result.pageWritten);
    EXPECT_TRUE(result.missingBitmaps.empty());
    for (const std::string& name : names) {
        EXPECT_EQ(test::ReadBitmapFile(folder_ + "\\Kiosk_Icons\\" + name + ".bmp").width,
                  kIconBitmapSize)
            << name;
    }
    std::cout << "page with " << programs.size() << " extracted icons: " << elapsed.count()
              << " ms\n";
    RecordProperty("page_with_icons_ms", static_cast<int>(elapsed.count()));
}

}  // namespace
}  // namespace vallora
