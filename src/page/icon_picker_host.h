#pragma once
// What the icon picker reads from, and writes back to, the windows that
// opened it: the add/edit dialog's transparency choice and picture field, and
// the editor's background colour.
#include <cstdint>
#include <string>

namespace vallora {

class IconPickerHost {
  public:
    virtual ~IconPickerHost() = default;
    // The add/edit dialog's chkUseTransparency holds 1: icons go on magenta.
    virtual bool UseTransparency() const = 0;
    // The editor's background colour (picBackColor).
    virtual int32_t BackColor() const = 0;
    // Puts the saved bitmap's path into the add/edit dialog's txtProgramPicture.
    virtual void SetProgramPicture(const std::string& path) = 0;
};

}  // namespace vallora
