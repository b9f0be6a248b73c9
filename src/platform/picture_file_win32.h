#pragma once
// Picture files (JPEG, GIF, PNG, BMP, ICO) read through the system's imaging
// component: the natural size in pixels, and the pixels themselves.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_handles_win32.h"

namespace vallora {

struct PictureSize {
    int width = 0;
    int height = 0;

    bool operator==(const PictureSize&) const = default;
};

// The widest and highest picture that is read into memory: 8192 x 8192
// pixels are 256 MB, which even a 32-bit process can usually find. A larger
// picture is refused like one that cannot be read.
inline constexpr int kMaxPictureSide = 8192;

// Room for the pixels of a width x height picture; nothing when either side
// is outside 1 to kMaxPictureSide or the memory is not there.
std::optional<std::vector<uint32_t>> PictureMemory(int width, int height);

// The first frame of a picture file, as 0xAARRGGBB values (alpha not
// premultiplied), row by row, top row first.
struct PicturePixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Reads picture files with one instance of the imaging component, for
// callers that read many. Use it on the thread that made it.
class PictureReader {
  public:
    PictureReader();
    ~PictureReader();
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;

    // The natural size of the picture in the file; nothing when the file is
    // missing or holds no picture the system can read (web addresses included).
    std::optional<PictureSize> Size(const std::string& path);
    // The pixels of the picture in the file; nothing when it cannot be read,
    // is larger than kMaxPictureSide either way, or finds no memory.
    std::optional<PicturePixels> Load(const std::string& path);

  private:
    struct Com;
    std::unique_ptr<Com> com_;
};

// One-off reads with a reader of their own.
std::optional<PictureSize> PictureFileSize(const std::string& path);
std::optional<PicturePixels> LoadPictureFile(const std::string& path);

// A 32-bit top-down DIB section of width x height holding `pixels` (values
// 0x??RRGGBB, top row first); null when the count does not match.
UniqueHBITMAP PixelsToBitmap(int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace vallora
