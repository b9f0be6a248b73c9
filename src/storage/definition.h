#pragma once
// The desktop definition: the single values of a .vla file and its 13 x 7 grid
// of applications and links. The editor window is a view of this record; in
// desktop mode the record exists without the window.
#include <array>
#include <cstdint>
#include <string>

namespace vallora {

inline constexpr int kGridRows = 13;
inline constexpr int kGridColumns = 7;

// One place of the grid; an empty URL marks an empty place.
struct ApplicationAndLink {
    std::string DisplayName;
    std::string URL;
    std::string Picture;
    std::string Align;  // "Left", "Center", "Right" or empty
    int16_t HyperLink = 0;
    int16_t Transparency = 1;

    bool IsEmpty() const { return URL.empty(); }
    bool operator==(const ApplicationAndLink&) const = default;
};

// Colours are red + 256 * green + 65536 * blue. Check boxes hold 0, 1 or 2.
struct Definition {
    // Section "Desktop"
    int32_t BackColor = 15382088;
    int32_t TextColor = 16777215;
    std::string BackgroundPicture;
    std::string Top = "0";
    std::string Left = "0";
    std::string Height = "600";
    std::string Width = "800";
    int WindowLess = 0;
    int FullScreen = 0;
    std::string StartUp;  // one file per line, lines separated by CR LF

    // Section "Security"
    std::string AdminPassword;  // plain text, case-sensitive
    // The password as a hash that cannot be read back (password_hash.h);
    // when set, it alone is checked and "AdminPassword" is stored empty.
    std::string AdminPasswordHash;
    int NoChangePwd = 0;
    int NoLockComputer = 0;
    int NoLogoff = 0;
    int NoShutDown = 0;
    int NoAdministrativeTasks = 0;
    int NoRun = 0;
    std::string HideDrives;  // drive letters separated by ";"
    int ReplaceDesktop = 0;
    int NoNetWork = 0;
    std::string IOStartFolder;
    int NoIEAdministrativeTasks = 0;
    int NoIEAdvancedTasks = 0;
    std::string IEHomePage = "about:blank";
    int IEPrograms = 0;
    int IEDisableFileDownload = 0;
    // The idle reset (see idle_values.h): seconds without input before the
    // desktop is reset, 0 for never; seconds of warning before it; whether
    // the start folder's files go at every reset and at session end. The
    // file holds these keys only when they differ from the defaults.
    int IdleReset = 0;
    int IdleWarning = 30;
    int ClearStartFolder = 0;

    // Applications and links, [row][column].
    std::array<std::array<ApplicationAndLink, kGridColumns>, kGridRows> Entries{};

    const ApplicationAndLink& Entry(int row, int column) const {
        return Entries.at(row).at(column);
    }
    ApplicationAndLink& Entry(int row, int column) { return Entries.at(row).at(column); }

    // The editor's getters and setter of the entry table, by row and column.
    const std::string& getDisplayName(int row, int column) const {
        return Entry(row, column).DisplayName;
    }
    const std::string& getURL(int row, int column) const { return Entry(row, column).URL; }
    const std::string& getPicture(int row, int column) const { return Entry(row, column).Picture; }
    const std::string& getAlignment(int row, int column) const { return Entry(row, column).Align; }
    int16_t getDisplayAsHyperLink(int row, int column) const {
        return Entry(row, column).HyperLink;
    }
    int16_t getUseTransparency(int row, int column) const {
        return Entry(row, column).Transparency;
    }
    void SetApplicationAndLink(std::string name, std::string url, std::string picture,
                               std::string align, int16_t hyperlink, int16_t transparency, int row,
                               int column) {
        Entry(row, column) = {std::move(name),  std::move(url), std::move(picture),
                              std::move(align), hyperlink,      transparency};
    }

    bool operator==(const Definition&) const = default;
};

}  // namespace vallora
