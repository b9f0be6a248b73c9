// The program resources as the system reads them from a program that links
// them: icon sizes, version numbers from the version macros, manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/version.h"
#include "resource.h"

namespace vallora {
namespace {

TEST(ProgramResources, IconLoadsAtTheShellsSizes) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(LoadImageA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VALLORA), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ProgramResources, VersionInformationFollowsTheVersionMacros) {
    char path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_NE(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), VALLORA_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), VALLORA_VERSION_MINOR);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), VALLORA_VERSION_REVISION);
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, VALLORA_VERSION_STRING);
    EXPECT_STREQ(VALLORA_VERSION_STRING, "1.0.0");
}

TEST(ProgramResources, ManifestAsksForCommonControlsSixAndDpiAwareness) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    HGLOBAL loaded = LoadResource(nullptr, found);
    ASSERT_NE(loaded, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(loaded)),
                         SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    // The system activated it: comctl32 comes from the side-by-side store of
    // the version 6 controls, not from the system folder (whose copy is 5.x).
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(comctl, modulePath, MAX_PATH);
    std::string lower = modulePath;
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lower.find("common-controls"), std::string::npos) << modulePath;
}

}  // namespace
}  // namespace vallora
