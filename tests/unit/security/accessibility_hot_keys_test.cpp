#include "security/accessibility_hot_keys.h"

#include <gtest/gtest.h>

#include "security/windows_restrictions.h"
#include "security_bench.h"

namespace vallora {
namespace {

using security_test::SecurityBench;

// Sticky Keys on with its hot key, Filter Keys with its hot key only, Toggle
// Keys without, High Contrast and Mouse Keys with other bits set.
constexpr AccessibilityFlags kVisitorsFlags{0x1 | 0x4, 0x4, 0x2, 0x4 | 0x80, 0x40};

Definition LockedDefinition() {
    Definition definition;
    definition.NoAdministrativeTasks = 1;
    return definition;
}

TEST(AccessibilityHotKeys, OffDuringTheSessionBackAfterTheResetFeaturesUntouched) {
    SecurityBench bench;
    bench.system.accessibility = kVisitorsFlags;
    ApplyWindowsRestrictions(LockedDefinition(), bench.target);
    EXPECT_EQ(*bench.system.accessibility, (AccessibilityFlags{0x1, 0x0, 0x2, 0x80, 0x40}));

    // A restarted session finds the hot keys off already and keeps the first record.
    ApplyWindowsRestrictions(LockedDefinition(), bench.target);
    ResetWindowsRestrictions(bench.target);
    EXPECT_EQ(*bench.system.accessibility, kVisitorsFlags);
    RegistryValue kept;
    EXPECT_NE(bench.memory.ReadValue(Hive::CurrentUser, "Software\\Brenmark\\Vallora",
                                     kHotKeysValueName, kept),
              0);

    // A reset without a record, or a visitor's own change, is left alone.
    bench.system.accessibility = AccessibilityFlags{0x1, 0, 0, 0, 0};
    ResetWindowsRestrictions(bench.target);
    EXPECT_EQ(*bench.system.accessibility, (AccessibilityFlags{0x1, 0, 0, 0, 0}));
}

TEST(AccessibilityHotKeys, NothingChangesWithoutTheSettingOrWhereTheFlagsCannotBeKept) {
    SecurityBench bench;
    bench.system.accessibility = kVisitorsFlags;
    ApplyWindowsRestrictions(Definition{}, bench.target);
    EXPECT_EQ(*bench.system.accessibility, kVisitorsFlags);

    // A system without the flags (the dry run) is not asked to write any.
    SecurityBench dry;
    ApplyWindowsRestrictions(LockedDefinition(), dry.target);
    ResetWindowsRestrictions(dry.target);
    EXPECT_FALSE(dry.system.accessibility);
}

TEST(AccessibilityHotKeys, RecordRoundTripAndDamagedRecords) {
    EXPECT_EQ(HotKeysRecord(kVisitorsFlags), "1;1;0;1;0");
    AccessibilityFlags flags{};
    ASSERT_TRUE(ApplyHotKeysRecord("1;1;0;1;0", flags));
    EXPECT_EQ(flags, (AccessibilityFlags{0x4, 0x4, 0, 0x4, 0}));
    for (const char* damaged : {"", "1;1;0;1", "1;1;0;1;0;", "1,1,0,1,0", "1;1;2;1;0"}) {
        AccessibilityFlags untouched = kVisitorsFlags;
        EXPECT_FALSE(ApplyHotKeysRecord(damaged, untouched)) << damaged;
        EXPECT_EQ(untouched, kVisitorsFlags) << damaged;
    }
}

}  // namespace
}  // namespace vallora
