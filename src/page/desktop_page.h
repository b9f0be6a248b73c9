#pragma once
// The desktop page: an HTML Application (HTA) that shows the definition's grid
// of applications and links and starts an entry's program when its icon is
// double-clicked. Icons of entries without a picture of their own become
// bitmap files in a folder beside the page.
#include <cstdint>
#include <string>
#include <vector>

#include "page/icon_port.h"
#include "storage/definition.h"

namespace vallora {

// A bitmap that the page refers to and that has to be made from an icon.
struct IconBitmapRequest {
    std::string source;     // the entry's URL
    int32_t backColor = 0;  // magenta for a transparent icon background, else the page colour
    std::string fileName;   // the URL's last path part and ".bmp"

    bool operator==(const IconBitmapRequest&) const = default;
};

struct ComposedPage {
    std::string text;        // ANSI, CR LF line ends, no line break after the last line
    std::string iconFolder;  // page folder & page base name & "_Icons\"
    std::vector<IconBitmapRequest> icons;  // in grid order, row by row
};

struct PageGeneration {
    bool pageWritten = false;
    std::string pageError;  // the system's message when the page was not written
    // folder & file name of every bitmap the page refers to that was not made.
    std::vector<std::string> missingBitmaps;
};

// The page's icon folder: page folder & page base name & "_Icons\".
std::string IconFolderOf(const std::string& pagePath);
// An entry's icon bitmap: the URL's last path part and ".bmp".
std::string IconBitmapName(const std::string& url);

// The page for `pagePath` and the bitmaps it needs, without touching any file.
// The page path may separate folders with "\" or "/".
ComposedPage ComposeDesktopPage(const Definition& definition, const std::string& pagePath);

// Makes the needed bitmaps (creating the icon folder only when there are any),
// then replaces the page file. Reports whether the page was written and which
// bitmaps are missing.
PageGeneration GenerateDesktopPage(const Definition& definition, const std::string& pagePath,
                                   IconPort& icons);

}  // namespace vallora
