#include <gtest/gtest.h>

#include "taskbar/frm_pass_word_countdown.h"
#include "taskbar/frm_task_bar_layout.h"

namespace vallora {
namespace {

// A 1024-pixel screen at 15 twips per pixel with a 2000-twip tray.
constexpr int kFormWidth = 1024 * 15;
constexpr int kTray = 2000;

TEST(TaskButtonWidth, SharesTheBarUpToTheLimit) {
    const struct {
        int n;
        int width;
    } cases[] = {
        {0, 0}, {1, 2000}, {6, 2000}, {7, 1859}, {20, 618}, {100, 84}, {300, -5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TaskButtonWidth(kFormWidth, kTray, c.n), c.width) << c.n << " tasks";
    }
}

TEST(TaskButtonPlaces, StartAtTheGapAndFollowOneGapApart) {
    const std::vector<TaskButtonPlace> one = TaskButtonPlaces(2000, {false});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].left, 50);
    EXPECT_EQ(one[0].width, 2000);

    const std::vector<TaskButtonPlace> twenty = TaskButtonPlaces(618, std::vector<bool>(20));
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(twenty[i].left, 50 + i * 668) << i;
        EXPECT_EQ(twenty[i].width, 618);
        EXPECT_TRUE(twenty[i].visible);
    }
    EXPECT_TRUE(TaskButtonPlaces(618, {}).empty());
}

TEST(TaskButtonPlaces, TheBarsOwnButtonIsHiddenWithoutLeavingAHole) {
    const std::vector<TaskButtonPlace> middle = TaskButtonPlaces(1000, {false, true, false});
    EXPECT_EQ(middle[1].width, 0);
    EXPECT_FALSE(middle[1].visible);
    EXPECT_EQ(middle[1].left, 1050);
    EXPECT_EQ(middle[2].left, 1100);  // where it would be without the hidden button

    const std::vector<TaskButtonPlace> first = TaskButtonPlaces(1000, {true, false});
    EXPECT_EQ(first[0].left, 50);
    EXPECT_EQ(first[0].width, 0);
    EXPECT_EQ(first[1].left, 100);
}

TEST(TrayGeometry, FromLogoAndClockText) {
    EXPECT_EQ(TrayWidth(240, 1000), 1720);
    EXPECT_EQ(TrayLeft(kFormWidth, 1720), 15360 - 1720 - 50);
    // 200 twips from the right edge, centred in a 24-pixel tray.
    const ClockPlace clock = ClockPosition(1720, 360, 1000, 195);
    EXPECT_EQ(clock.x, 520);
    EXPECT_EQ(clock.y, 82);  // 180 - 97.5, to the even twip
}

TEST(TitleSpace, KeepsRoomForTheIconAndTheEdges) {
    EXPECT_EQ(TitleSpace(2000, 15), 2000 - 350 - 315);
    EXPECT_EQ(TitleSpace(618, 15), -47);
}

// Every character 100 twips wide.
int Measure(const std::string& text) {
    return static_cast<int>(text.size()) * 100;
}

TEST(FitTitle, CutsAtTheEndAndMarksTheCut) {
    const struct {
        const char* title;
        int space;
        const char* face;
    } cases[] = {
        {"Notepad", 800, "Notepad"},    // 700 < 800: whole
        {"Notepad", 700, "Notepa..."},  // equal width does not fit
        {"Notepad", 301, "Not..."},
        {"Notepad", 100, "..."},
        {"Notepad", -47, "..."},
        {"", 500, ""},
        {"", -5, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitTitle(c.title, c.space, Measure), c.face) << c.title << " in " << c.space;
    }
}

TEST(PasswordCountdown, ShowsThirtyToZeroThenClosesOnTheNextTick) {
    PasswordCountdown countdown;
    EXPECT_EQ(CountdownCaption("Closing in", countdown.Remaining()), "Closing in 30");
    for (int expected = 29; expected >= 0; --expected) {
        ASSERT_FALSE(countdown.Tick());
        EXPECT_EQ(countdown.Remaining(), expected);
    }
    EXPECT_TRUE(countdown.Tick());
    EXPECT_EQ(countdown.Remaining(), 0);
}

TEST(PasswordMatches, ExactlyWithLetterCase) {
    EXPECT_TRUE(PasswordMatches("Secret", "Secret"));
    EXPECT_TRUE(PasswordMatches("", ""));
    EXPECT_FALSE(PasswordMatches("secret", "Secret"));
    EXPECT_FALSE(PasswordMatches("Secret ", "Secret"));
    EXPECT_FALSE(PasswordMatches("", "Secret"));
}

}  // namespace
}  // namespace vallora
