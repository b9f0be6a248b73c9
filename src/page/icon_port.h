#pragma once
// What the page generator needs from the system to turn program icons into
// bitmap files. The Win32 side extracts real icons; native tests use a fake
// that records the calls.
#include <cstdint>
#include <string>
#include <vector>

namespace vallora {

class IconPort {
  public:
    virtual ~IconPort() = default;
    // Creates the folder; one that exists already is no error. Returns
    // whether the folder exists afterwards.
    virtual bool CreateIconFolder(const std::string& folder) = 0;
    // Writes a 32 x 32 bitmap of the icon of `source` (a program, or a
    // document through its registered file type) painted on `backColor` to
    // folder & fileName. `folder` gains a trailing backslash when it has
    // none. Returns whether the bitmap file was written.
    virtual bool ExtractIconToBitmap(const std::string& source, int32_t backColor,
                                     const std::string& fileName, std::string& folder) = 0;
    // The picture ExtractIconToBitmap would write, as colour values (32 x 32,
    // top row first) in memory; empty when this port draws only to files.
    virtual std::vector<int32_t> IconPicture(const std::string& /*source*/,
                                             int32_t /*backColor*/) {
        return {};
    }
};

}  // namespace vallora
