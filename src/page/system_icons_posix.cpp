// The icon port where no system icon extraction exists; the Windows side is
// system_icons_win32.cpp.
#ifndef _WIN32
#include "page/system_icons.h"

namespace vallora {
namespace {

// Makes neither folders nor bitmaps, so that every bitmap is reported missing.
class NoIconExtraction : public IconPort {
  public:
    bool CreateIconFolder(const std::string&) override { return false; }
    bool ExtractIconToBitmap(const std::string&, int32_t, const std::string&,
                             std::string& folder) override {
        if (folder.empty() || folder.back() != '\\') folder += '\\';
        return false;
    }
};

}  // namespace

SystemIcons MakeSystemIcons() {
    return {std::make_unique<NoIconExtraction>(),
            "program icons are extracted only on Windows (vallora-tool.exe)"};
}

}  // namespace vallora
#endif
