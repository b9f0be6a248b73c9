#pragma once
// Program and document icons as 32 x 32 bitmap files: the desktop page shows
// them, the editor draws its grid cells from them, the icon picker saves one.
#include <windows.h>

#include <string>
#include <vector>

#include "page/icon_location.h"
#include "page/icon_port.h"
#include "platform/win32_handles_win32.h"
#include "storage/settings.h"

namespace vallora {

// The text with every %NAME% of a defined environment variable replaced.
std::string ExpandEnvironment(const std::string& text);

// The large icon at the location; null when the file has no icon there.
UniqueHICON ExtractLargeIcon(const IconLocation& location);

// Every large icon of the file, in order; empty when it has none.
std::vector<UniqueHICON> ExtractAllLargeIcons(const std::string& file);

// The colour values (top row first) of a 32 x 32 surface filled with
// backColor with the icon drawn at its top left; a null icon leaves the bare
// colour. On the chroma key the icon's soft edges are not blended: each
// pixel is the icon's colour or the key (ComposeIconOnKey). Empty when the
// system could not draw.
std::vector<int32_t> DrawIconOnColor(HICON icon, int32_t backColor);

// The icon of the system's closed folder in shell32.dll.
inline constexpr int kShellFolderIconIndex = 3;

// The large icon of `source`: the system's folder icon for a folder, else
// the icon at ResolveIconLocation's place; null when there is none.
UniqueHICON SourceIcon(Settings& settings, const std::string& source);

// Writes DrawIconOnColor's picture as a bitmap file, replacing any file of that
// name. Returns whether the file was written.
bool SaveIconBitmap(HICON icon, int32_t backColor, const std::string& path);

// The icon of `source` (see SourceIcon) as a bitmap file at
// folder & fileName. `folder` gains a trailing backslash when it has none. A
// source without a usable icon still gives a bitmap of the bare colour.
bool ExtractIconToBitmap(Settings& settings, const std::string& source, int32_t backColor,
                         const std::string& fileName, std::string& folder);

// The page generator's icons from the system.
class IconPortWin32 : public IconPort {
  public:
    explicit IconPortWin32(Settings& settings) : settings_(settings) {}

    bool CreateIconFolder(const std::string& folder) override;
    bool ExtractIconToBitmap(const std::string& source, int32_t backColor,
                             const std::string& fileName, std::string& folder) override;
    std::vector<int32_t> IconPicture(const std::string& source, int32_t backColor) override;

  private:
    Settings& settings_;
};

}  // namespace vallora
