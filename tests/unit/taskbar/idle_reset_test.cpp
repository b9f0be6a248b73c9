#include "taskbar/idle_reset.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vallora {
namespace {

constexpr std::uint32_t kWrap = 0xFFFFFFFFu;  // the last tick before 49.7 days

struct DecideCase {
    const char* name;
    std::uint32_t lastInput;
    std::uint32_t now;
    IdleTimes times;
    IdleDecision expected;
};

class DecideIdleTest : public ::testing::TestWithParam<DecideCase> {};

TEST_P(DecideIdleTest, GivesThePhaseAndTheSecondsLeft) {
    const DecideCase& c = GetParam();
    EXPECT_EQ(DecideIdle(c.lastInput, c.now, c.times), c.expected);
}

constexpr IdleDecision kActive{IdlePhase::Active, 0};
constexpr IdleDecision kDue{IdlePhase::Due, 0};
constexpr IdleDecision Warning(int left) {
    return {IdlePhase::Warning, left};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecideIdleTest,
    ::testing::Values(DecideCase{"OffNeverResets", 0, 4000000000u, {0, 30}, kActive},
                      DecideCase{"JustTouched", 5000, 5000, {60, 10}, kActive},
                      DecideCase{"BeforeTheWarning", 1000, 50999, {60, 10}, kActive},
                      DecideCase{"WarningBegins", 1000, 51000, {60, 10}, Warning(10)},
                      DecideCase{"WarningRoundsUp", 1000, 51001, {60, 10}, Warning(10)},
                      DecideCase{"LastWarningSecond", 1000, 60999, {60, 10}, Warning(1)},
                      DecideCase{"Due", 1000, 61000, {60, 10}, kDue},
                      DecideCase{"LongPastDue", 1000, 900000, {60, 10}, kDue},
                      DecideCase{"NoWarningGoesStraightToDue", 1000, 60999, {60, 0}, kActive},
                      DecideCase{"NoWarningDue", 1000, 61000, {60, 0}, kDue},
                      // A warning as long as the idle time takes only its second half.
                      DecideCase{"WarningCappedAtHalf", 0, 14999, {30, 30}, kActive},
                      DecideCase{"CappedWarningBegins", 0, 15000, {30, 30}, Warning(15)},
                      DecideCase{"ADay", 0, 86400000u, {86400, 30}, kDue},
                      // The tick count wraps after 2^32 ms: the idle time goes on across it.
                      DecideCase{"AcrossTheWrapActive", kWrap - 999, 40000, {60, 10}, kActive},
                      DecideCase{
                          "AcrossTheWrapWarning", kWrap - 9999, 40000, {60, 10}, Warning(10)},
                      DecideCase{"AcrossTheWrapDue", kWrap - 19999, 40000, {60, 10}, kDue},
                      DecideCase{"NowJustBeforeTheWrap", kWrap - 61000, kWrap, {60, 10}, kDue},
                      // Input stamped a moment after "now" was read is no idle time, on
                      // either side of the wrap; it must not look like 49 days of quiet.
                      DecideCase{"InputAfterNow", 70000, 69990, {60, 10}, kActive},
                      DecideCase{"InputAfterNowAcrossTheWrap", 5, kWrap - 5, {60, 10}, kActive},
                      // An input older than the tolerance for that race is old, not new.
                      DecideCase{"InputFromBeforeAWrap", 100000, 30000, {60, 10}, kDue}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IdleWatch, ResetsOncePerQuietSpellAndAgainAfterNewInput) {
    IdleWatch watch;
    const IdleTimes times{30, 10};
    EXPECT_EQ(watch.Tick(0, 20000, times), Warning(10));
    EXPECT_EQ(watch.Tick(0, 30000, times), kDue);
    // Nobody came: no second reset of the clean desktop.
    EXPECT_EQ(watch.Tick(0, 31000, times), kActive);
    EXPECT_EQ(watch.Tick(0, 120000, times), kActive);
    // Someone came and went again.
    EXPECT_EQ(watch.Tick(125000, 150000, times), Warning(5));
    EXPECT_EQ(watch.Tick(125000, 155000, times), kDue);
}

TEST(IdleWatch, ContinueCountsAsInputUntilRealInputIsNewer) {
    IdleWatch watch;
    const IdleTimes times{30, 10};
    EXPECT_EQ(watch.Tick(0, 25000, times), Warning(5));
    watch.Continue(26000);
    EXPECT_EQ(watch.Tick(0, 27000, times), kActive);
    EXPECT_EQ(watch.Tick(0, 46000, times), Warning(10));
    EXPECT_EQ(watch.Tick(0, 56000, times), kDue);
    // Real input later than the answer takes over again.
    EXPECT_EQ(watch.Tick(60000, 80000, times), Warning(10));
}

TEST(IdleWatch, ContinueJustBeforeTheWrapCarriesAcrossIt) {
    IdleWatch watch;
    const IdleTimes times{30, 10};
    watch.Continue(kWrap - 1000);
    EXPECT_EQ(watch.Tick(kWrap - 50000, 10000, times), kActive);
    EXPECT_EQ(watch.Tick(kWrap - 50000, 19000, times), Warning(10));
}

TaskRecord Task(std::uint32_t processId, WindowId window, const std::string& programPath) {
    TaskRecord record;
    record.processId = processId;
    record.window = window;
    record.programPath = programPath;
    return record;
}

TEST(ResetTargets, LeaveTheBarAndTheSessionAndNeverEndTheShell) {
    TaskTable table;
    table.records = {
        Task(11, 101, "C:\\Apps\\notes.exe"),
        Task(1, 200, "C:\\Vallora\\Vallora.exe"),  // the bar
        Task(1, 201, "C:\\Vallora\\Vallora.exe"),
        Task(12, 102, "C:\\WINDOWS\\Explorer.EXE"),
        Task(13, 103, ""),                       // unreadable: still a task
        Task(7, 107, "C:\\Vallora\\mshta.exe"),  // the page
        Task(14, 104, "C:\\Vallora\\mshta.exe"),
        Task(11, 105, "C:\\Apps\\notes.exe"),
    };
    const auto session = [](std::uint32_t id, const std::string&) { return id == 1 || id == 7; };
    const std::vector<ResetTarget> expected = {
        {101, 11, true}, {102, 12, false}, {103, 13, true}, {104, 14, true}, {105, 11, true}};
    EXPECT_EQ(ResetTargets(table, 200, session), expected);
}

}  // namespace
}  // namespace vallora
