#include "page/bitmap_file.h"

namespace vallora {
namespace {

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string EncodeBitmapFile(int width, int height, const std::vector<int32_t>& pixels) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return {};
    }
    constexpr uint32_t kHeadersSize = 14 + 40;
    const uint32_t rowSize =
        (static_cast<uint32_t>(width) * 3 + 3) & ~3u;  // rows fill whole DWORDs
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(height);

    std::string file;
    file.reserve(kHeadersSize + imageSize);
    // BITMAPFILEHEADER
    file += "BM";
    PutLittleEndian(file, kHeadersSize + imageSize, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, kHeadersSize, 4);
    // BITMAPINFOHEADER: positive height, so rows are stored bottom row first.
    PutLittleEndian(file, 40, 4);
    PutLittleEndian(file, static_cast<uint32_t>(width), 4);
    PutLittleEndian(file, static_cast<uint32_t>(height), 4);
    PutLittleEndian(file, 1, 2);   // planes
    PutLittleEndian(file, 24, 2);  // bits per pixel
    PutLittleEndian(file, 0, 4);   // BI_RGB
    PutLittleEndian(file, imageSize, 4);
    PutLittleEndian(file, 3780, 4);  // 96 dots per inch, in pixels per metre
    PutLittleEndian(file, 3780, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 0, 4);

    for (int row = height - 1; row >= 0; --row) {
        const size_t rowStart = file.size();
        for (int column = 0; column < width; ++column) {
            const auto color =
                static_cast<uint32_t>(pixels[static_cast<size_t>(row) * width + column]);
            file += static_cast<char>((color >> 16) & 0xFF);  // blue
            file += static_cast<char>((color >> 8) & 0xFF);   // green
            file += static_cast<char>(color & 0xFF);          // red
        }
        file.append(rowSize - (file.size() - rowStart), '\0');
    }
    return file;
}

}  // namespace vallora
