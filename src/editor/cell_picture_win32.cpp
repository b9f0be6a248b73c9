#include "editor/cell_picture_win32.h"

#include "page/bitmap_file.h"
#include "platform/picture_file_win32.h"
#include "platform/shell_folders_win32.h"

namespace vallora {
namespace {

std::optional<ArgbPicture> ReadPicture(PictureReader& reader, const std::string& path) {
    std::optional<PicturePixels> loaded = reader.Load(path);
    if (!loaded) return std::nullopt;
    return ArgbPicture{loaded->width, loaded->height, std::move(loaded->pixels)};
}

}  // namespace

CellPictureMaker::CellPictureMaker(IconPort& icons)
    : icons_(icons),
      iconFileName_("vallora_cell_" + std::to_string(GetCurrentProcessId()) + ".bmp") {}

std::optional<ArgbPicture> CellPictureMaker::IconPicture(const std::string& url,
                                                         int32_t backColor) {
    const std::vector<int32_t> drawn = icons_.IconPicture(url, backColor);
    if (drawn.size() == static_cast<size_t>(kIconBitmapSize) * kIconBitmapSize) {
        ArgbPicture icon{kIconBitmapSize, kIconBitmapSize, {}};
        icon.pixels.reserve(drawn.size());
        for (const int32_t color : drawn) icon.pixels.push_back(0xFF000000u | ColorToRgb(color));
        return icon;
    }
    // A port that only writes files: one file in the temporary folder.
    std::string folder = TemporaryFolder();
    if (folder.empty() || !icons_.ExtractIconToBitmap(url, backColor, iconFileName_, folder)) {
        return std::nullopt;
    }
    const std::string path = folder + iconFileName_;
    std::optional<ArgbPicture> icon = ReadPicture(reader_, path);
    DeleteFileA(path.c_str());
    return icon;
}

std::optional<ArgbPicture> CellPictureMaker::SourcePicture(const std::string& url,
                                                           const std::string& picture,
                                                           int32_t backColor) {
    return picture.empty() ? IconPicture(url, backColor) : ReadPicture(reader_, picture);
}

UniqueHBITMAP CellPictureMaker::Make(const std::string& url, const std::string& picture,
                                     int cellWidth, int cellHeight, int32_t backColor) {
    const std::optional<ArgbPicture> source = SourcePicture(url, picture, backColor);
    if (!source || cellWidth <= 0 || cellHeight <= 0) return {};
    return PixelsToBitmap(cellWidth, cellHeight,
                          ComposeCellImage(*source, cellWidth, cellHeight, backColor));
}

}  // namespace vallora
