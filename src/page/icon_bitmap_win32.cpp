#include "page/icon_bitmap_win32.h"

#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "page/bitmap_file.h"
#include "page/html_color.h"
#include "page/icon_compose.h"
#include "platform/shell_folders_win32.h"

namespace vallora {

std::string ExpandEnvironment(const std::string& text) {
    if (text.find('%') == std::string::npos) return text;
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::string expanded(needed, '\0');
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) return text;
    expanded.resize(std::strlen(expanded.c_str()));
    return expanded;
}

UniqueHICON ExtractLargeIcon(const IconLocation& location) {
    // A negative index would ask for an icon by resource id; here it names none.
    // An index past the last icon extracts nothing.
    if (location.file.empty() || location.index < 0) return {};
    HICON large = nullptr;
    if (ExtractIconExA(location.file.c_str(), location.index, &large, nullptr, 1) == 0) return {};
    return UniqueHICON(large);
}

std::vector<UniqueHICON> ExtractAllLargeIcons(const std::string& file) {
    const UINT count = ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0);
    if (count == 0 || count == UINT_MAX) return {};
    // Everything is allocated before the first icon arrives, so each one has
    // its owner the moment it exists.
    std::vector<UniqueHICON> icons(count);
    std::vector<HICON> handles(count, nullptr);
    std::vector<UINT> ids(count, 0);
    ExtractIconExA(file.c_str(), 0, handles.data(), nullptr, count);
    for (UINT i = 0; i < count; ++i) icons[i].reset(handles[i]);
    // Some systems (Wine) hand back only the first icon of a request for
    // several; the rest come from one request at the large icon's size.
    if (std::any_of(icons.begin(), icons.end(), [](const UniqueHICON& icon) { return !icon; })) {
        std::fill(handles.begin(), handles.end(), nullptr);
        PrivateExtractIconsA(file.c_str(), 0, GetSystemMetrics(SM_CXICON),
                             GetSystemMetrics(SM_CYICON), handles.data(), ids.data(), count, 0);
        for (UINT i = 0; i < count; ++i) {
            UniqueHICON extra(handles[i]);
            if (!icons[i]) icons[i] = std::move(extra);
        }
    }
    std::erase_if(icons, [](const UniqueHICON& icon) { return !icon; });
    return icons;
}

namespace {

// The icon drawn with the system's blending on a surface of that colour.
std::vector<int32_t> BlendIconOnColor(HICON icon, int32_t backColor) {
    constexpr int kSize = kIconBitmapSize;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    const UniqueHDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return {};
    void* bits = nullptr;
    const UniqueHBITMAP surface(
        CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!surface || !bits) return {};
    {
        const SelectedObject selected(dc.get(), surface.get());
        if (!selected) return {};
        // A colour value has the layout of a COLORREF; higher bits are no colour.
        const UniqueHBRUSH brush(CreateSolidBrush(static_cast<COLORREF>(backColor) & 0xFFFFFF));
        const RECT all{0, 0, kSize, kSize};
        FillRect(dc.get(), &all, brush.get());
        // Drawn at 32 x 32 whatever the system's icon size, so the bitmap
        // always holds the whole icon.
        if (icon) DrawIconEx(dc.get(), 0, 0, icon, kSize, kSize, 0, nullptr, DI_NORMAL);
        GdiFlush();
    }
    const auto* pixels = static_cast<const uint32_t*>(bits);  // 0x00RRGGBB each
    std::vector<int32_t> colors(static_cast<size_t>(kSize) * kSize);
    for (size_t i = 0; i < colors.size(); ++i) {
        const uint32_t p = pixels[i];
        colors[i] = static_cast<int32_t>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
    }
    return colors;
}

}  // namespace

std::vector<int32_t> DrawIconOnColor(HICON icon, int32_t backColor) {
    if ((backColor & 0xFFFFFF) != kChromaKeyColor || !icon)
        return BlendIconOnColor(icon, backColor);
    return ComposeIconOnKey(BlendIconOnColor(icon, 0), BlendIconOnColor(icon, 0xFFFFFF),
                            kChromaKeyColor);
}

bool SaveIconBitmap(HICON icon, int32_t backColor, const std::string& path) {
    const std::vector<int32_t> pixels = DrawIconOnColor(icon, backColor);
    if (pixels.empty()) return false;
    const std::string bytes = EncodeBitmapFile(kIconBitmapSize, kIconBitmapSize, pixels);
    // A bitmap is remade from its program at every save, so it is written in
    // place, without the flushed replace that documents get.
    const UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

UniqueHICON SourceIcon(Settings& settings, const std::string& source) {
    const DWORD attributes = GetFileAttributesA(ExpandEnvironment(source).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return ExtractLargeIcon({SystemFolder() + "\\shell32.dll", kShellFolderIconIndex});
    }
    return ExtractLargeIcon(ResolveIconLocation(source, settings, ExpandEnvironment));
}

bool ExtractIconToBitmap(Settings& settings, const std::string& source, int32_t backColor,
                         const std::string& fileName, std::string& folder) {
    const UniqueHICON icon = SourceIcon(settings, source);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return SaveIconBitmap(icon.get(), backColor, folder + fileName);
}

bool IconPortWin32::CreateIconFolder(const std::string& folder) {
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IconPortWin32::ExtractIconToBitmap(const std::string& source, int32_t backColor,
                                        const std::string& fileName, std::string& folder) {
    return vallora::ExtractIconToBitmap(settings_, source, backColor, fileName, folder);
}

std::vector<int32_t> IconPortWin32::IconPicture(const std::string& source, int32_t backColor) {
    return DrawIconOnColor(SourceIcon(settings_, source).get(), backColor);
}

}  // namespace vallora
