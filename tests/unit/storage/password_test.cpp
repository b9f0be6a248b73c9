#include "storage/password.h"

#include <gtest/gtest.h>

#include <string>

namespace vallora {
namespace {

TEST(Password, EncodesEachCharacterAsAGreyColour) {
    const struct {
        std::string plain;
        std::string encoded;
    } cases[] = {
        {"", ""},
        {"abc", "6381921-6447714-6513507"},
        {"\xff", "16777215"},
        {std::string(1, '\0'), "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodePassword(c.plain), c.encoded);
        bool complete = false;
        EXPECT_EQ(DecodePassword(c.encoded, &complete), c.plain);
        EXPECT_TRUE(complete) << c.encoded;
    }
}

TEST(Password, EveryAnsiCharacterComesBack) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(DecodePassword(EncodePassword(all)), all);
}

TEST(Password, DecodingTakesTheLowestByteAndStopsAtADamagedPiece) {
    const struct {
        std::string encoded;
        std::string plain;
        bool complete;
    } cases[] = {
        {"97-98", "ab", true},         {"353", "a", true},      {"6381921-x-6513507", "a", false},
        {"6381921-", "a", false},      {"-6381921", "", false}, {"6381921--6447714", "a", false},
        {"99999999999-97", "", false}, {"97.0", "", false},
    };
    for (const auto& c : cases) {
        bool complete = !c.complete;
        EXPECT_EQ(DecodePassword(c.encoded, &complete), c.plain) << c.encoded;
        EXPECT_EQ(complete, c.complete) << c.encoded;
    }
}

}  // namespace
}  // namespace vallora
