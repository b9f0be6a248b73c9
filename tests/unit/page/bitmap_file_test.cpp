#include "page/bitmap_file.h"

#include <gtest/gtest.h>

namespace vallora {
namespace {

uint32_t Field(const std::string& file, size_t offset, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(file[offset + i]);
    return value;
}

TEST(BitmapFile, WritesBottomRowFirstWithPaddedRows) {
    // Colour values are red + 256 * green + 65536 * blue; the file stores
    // blue, green, red. Three pixels a row take 9 bytes, padded to 12.
    auto rgb = [](int r, int g, int b) { return r + 256 * g + 65536 * b; };
    const std::vector<int32_t> pixels = {
        rgb(1, 2, 3),    rgb(4, 5, 6),    rgb(7, 8, 9),      // top
        rgb(10, 11, 12), rgb(13, 14, 15), rgb(16, 17, 18)};  // bottom
    const std::string file = EncodeBitmapFile(3, 2, pixels);

    ASSERT_EQ(file.size(), 54u + 2 * 12);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(Field(file, 2, 4), file.size());
    EXPECT_EQ(Field(file, 10, 4), 54u);
    EXPECT_EQ(Field(file, 14, 4), 40u);
    EXPECT_EQ(Field(file, 18, 4), 3u);
    EXPECT_EQ(Field(file, 22, 4), 2u);
    EXPECT_EQ(Field(file, 28, 2), 24u);
    EXPECT_EQ(Field(file, 30, 4), 0u);
    EXPECT_EQ(Field(file, 34, 4), 24u);
    const std::string rows = file.substr(54);
    EXPECT_EQ(rows, std::string("\x0C\x0B\x0A\x0F\x0E\x0D\x12\x11\x10\0\0\0"
                                "\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0",
                                24));
}

TEST(BitmapFile, RefusesPicturesWhoseSizeDoesNotMatch) {
    EXPECT_EQ(EncodeBitmapFile(2, 2, {1, 2, 3}), "");
    EXPECT_EQ(EncodeBitmapFile(0, 0, {}), "");
}

}  // namespace
}  // namespace vallora
