#include "editor/cell_image.h"

#include <algorithm>

#include "editor/cell_scaling.h"

namespace vallora {
namespace {

struct Sum {
    uint64_t red = 0;
    uint64_t green = 0;
    uint64_t blue = 0;
    uint64_t count = 0;

    void Add(uint32_t rgb) {
        red += (rgb >> 16) & 0xFF;
        green += (rgb >> 8) & 0xFF;
        blue += rgb & 0xFF;
        ++count;
    }
    uint32_t Average() const {
        if (count == 0) return 0;
        const auto channel = [this](uint64_t total) {
            return static_cast<uint32_t>((total + count / 2) / count);
        };
        return (channel(red) << 16) | (channel(green) << 8) | channel(blue);
    }
};

// The pixel over the background: magenta is a hole, alpha blends.
uint32_t OverBackground(uint32_t argb, uint32_t back) {
    if ((argb & 0xFFFFFF) == kMaskRgb) return back;
    const uint32_t alpha = argb >> 24;
    if (alpha == 0xFF) return argb & 0xFFFFFF;
    const auto blend = [alpha](uint32_t front, uint32_t behind) {
        return (front * alpha + behind * (255 - alpha) + 127) / 255;
    };
    return (blend((argb >> 16) & 0xFF, (back >> 16) & 0xFF) << 16) |
           (blend((argb >> 8) & 0xFF, (back >> 8) & 0xFF) << 8) | blend(argb & 0xFF, back & 0xFF);
}

}  // namespace

uint32_t ColorToRgb(int32_t color) {
    const auto c = static_cast<uint32_t>(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

std::vector<uint32_t> ComposeCellImage(const ArgbPicture& picture, int cellWidth, int cellHeight,
                                       int32_t backColor) {
    if (cellWidth <= 0 || cellHeight <= 0) return {};
    const uint32_t back = ColorToRgb(backColor);
    std::vector<uint32_t> cell(static_cast<size_t>(cellWidth) * cellHeight, back);
    const int64_t wp = picture.width;
    const int64_t hp = picture.height;
    if (wp <= 0 || hp <= 0 || picture.pixels.size() != static_cast<size_t>(wp * hp)) return cell;
    const CellPlacement place =
        PlacePictureInCell(picture.width, picture.height, cellWidth, cellHeight);
    const int64_t wd = place.width;
    const int64_t hd = place.height;
    if (wd <= 0 || hd <= 0) return cell;
    // Each drawn pixel averages the block of picture pixels it stands for
    // (the picture is never enlarged), each taken over the background.
    for (int64_t dy = 0; dy < hd; ++dy) {
        const int64_t y = place.y + dy;
        if (y < 0 || y >= cellHeight) continue;
        const int64_t sy0 = dy * hp / hd;
        const int64_t sy1 = std::max(sy0 + 1, (dy + 1) * hp / hd);
        for (int64_t dx = 0; dx < wd; ++dx) {
            const int64_t x = place.x + dx;
            if (x < 0 || x >= cellWidth) continue;
            const int64_t sx0 = dx * wp / wd;
            const int64_t sx1 = std::max(sx0 + 1, (dx + 1) * wp / wd);
            Sum sum;
            for (int64_t sy = sy0; sy < sy1; ++sy) {
                for (int64_t sx = sx0; sx < sx1; ++sx) {
                    sum.Add(
                        OverBackground(picture.pixels[static_cast<size_t>(sy * wp + sx)], back));
                }
            }
            cell[static_cast<size_t>(y * cellWidth + x)] = sum.Average();
        }
    }
    return cell;
}

}  // namespace vallora
