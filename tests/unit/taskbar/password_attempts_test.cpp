#include <gtest/gtest.h>

#include "taskbar/frm_pass_word_countdown.h"

namespace vallora {
namespace {

TEST(PasswordAttempts, PauseGrowsFromTheThirdWrongEntryUpToAMinute) {
    const int expected[] = {0, 0, 0, 2, 4, 8, 16, 32, 60, 60, 60};
    for (int wrong = 0; wrong < static_cast<int>(std::size(expected)); ++wrong) {
        EXPECT_EQ(PasswordAttempts::PauseSeconds(wrong), expected[wrong]) << wrong;
    }
    EXPECT_EQ(PasswordAttempts::PauseSeconds(1000000), 60);
}

TEST(PasswordAttempts, WaitCountsDownAndARightEntryStartsAfresh) {
    PasswordAttempts attempts;
    std::uint64_t now = 5000;
    attempts.Wrong(now);
    attempts.Wrong(now);
    EXPECT_EQ(attempts.SecondsToWait(now), 0);
    attempts.Wrong(now);
    EXPECT_EQ(attempts.SecondsToWait(now), 2);
    EXPECT_EQ(attempts.SecondsToWait(now + 1001), 1);
    EXPECT_EQ(attempts.SecondsToWait(now + 2000), 0);
    now += 2000;
    attempts.Wrong(now);
    EXPECT_EQ(attempts.SecondsToWait(now + 1), 4);

    attempts.Right();
    EXPECT_EQ(attempts.SecondsToWait(now), 0);
    attempts.Wrong(now);
    attempts.Wrong(now);
    EXPECT_EQ(attempts.SecondsToWait(now), 0);
}

}  // namespace
}  // namespace vallora
