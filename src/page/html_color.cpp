#include "page/html_color.h"

namespace vallora {

ColorParts SplitColor(int32_t color) {
    // Integer division truncates towards zero, so a negative value (a system
    // colour reference) still yields three bytes.
    return {color & 255, (color / 256) & 255, (color / 65536) & 255};
}

std::string ColorToHtml(int32_t color) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const ColorParts parts = SplitColor(color);
    std::string html = "#";
    for (int part : {parts.red, parts.green, parts.blue}) {
        html += kDigits[part >> 4];
        html += kDigits[part & 15];
    }
    return html;
}

}  // namespace vallora
