#pragma once
// Builds the picture of a grid cell in memory: the entry's picture file, or
// for an entry without one the icon of what it opens, placed and scaled on
// the grid's background colour.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "editor/cell_image.h"
#include "page/icon_port.h"
#include "platform/picture_file_win32.h"
#include "platform/win32_handles_win32.h"

namespace vallora {

class CellPictureMaker {
  public:
    // The icons come from `icons`, drawn in memory; a port that can only
    // write bitmap files writes one file of this process in the user's
    // temporary folder, which is read back and deleted at once. The program
    // folder is never written.
    explicit CellPictureMaker(IconPort& icons);

    // The cell picture (cellWidth x cellHeight, background backColor); null
    // when the picture cannot be loaded (a web address, a missing file, a
    // format the system cannot read) or the cell has no pixels.
    UniqueHBITMAP Make(const std::string& url, const std::string& picture, int cellWidth,
                       int cellHeight, int32_t backColor);

    // The picture that Make draws from, at its natural size.
    std::optional<ArgbPicture> SourcePicture(const std::string& url, const std::string& picture,
                                             int32_t backColor);

  private:
    std::optional<ArgbPicture> IconPicture(const std::string& url, int32_t backColor);

    IconPort& icons_;
    PictureReader reader_;
    std::string iconFileName_;
};

}  // namespace vallora
