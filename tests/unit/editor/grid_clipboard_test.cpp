#include "editor/grid_clipboard.h"

#include <gtest/gtest.h>

namespace vallora {
namespace {

TEST(GridClipboard, CopyAndCutWriteRowColumnAndFlag) {
    EXPECT_EQ(FormatGridClipboard(2, 5, false), "2;5;False");
    EXPECT_EQ(FormatGridClipboard(12, 0, true), "12;0;True");
}

struct ParseCase {
    const char* text;
    std::optional<GridClipboardPlace> expected;
};

class ParseClipboard : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseClipboard, AcceptsOnlyPlacesInsideTheGrid) {
    EXPECT_EQ(ParseGridClipboard(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseClipboard,
    ::testing::Values(ParseCase{"0;0;False", GridClipboardPlace{0, 0, false}},
                      ParseCase{"12;6;True", GridClipboardPlace{12, 6, true}},
                      ParseCase{"4;3;true", GridClipboardPlace{4, 3, true}},
                      ParseCase{"13;0;False", std::nullopt}, ParseCase{"0;7;False", std::nullopt},
                      ParseCase{"-1;0;False", std::nullopt}, ParseCase{"0;-1;True", std::nullopt},
                      ParseCase{"99999999999;0;True", std::nullopt},
                      ParseCase{"1;2;Maybe", std::nullopt}, ParseCase{"1;2", std::nullopt},
                      ParseCase{"1;2;True;x", std::nullopt}, ParseCase{" 1;2;True", std::nullopt},
                      ParseCase{"a;b;True", std::nullopt}, ParseCase{"", std::nullopt},
                      ParseCase{"C:\\Windows\\notepad.exe", std::nullopt}));

}  // namespace
}  // namespace vallora
