// Settings and the in-memory registry where no system comparison is needed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "storage/memory_registry.h"
#include "storage/profile_file.h"
#include "storage/settings.h"

namespace vallora {
namespace {

TEST(HiveHandleTest, NamesInAnyLetterCaseOthersAreProfileFiles) {
    struct Case {
        const char* name;
        std::optional<Hive> hive;
    };
    const Case cases[] = {
        {"HKCU", Hive::CurrentUser},   {"hklm", Hive::LocalMachine},
        {"Hku", Hive::Users},          {"hkDD", Hive::DynData},
        {"HKCC", Hive::CurrentConfig}, {"hkcr", Hive::ClassesRoot},
        {"C:\\x.ini", std::nullopt},   {"HKEY_CURRENT_USER", std::nullopt},
        {" HKCU", std::nullopt},       {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(HiveHandle(c.name), c.hive) << c.name;
}

class SettingsTest : public ::testing::Test {
  protected:
    MemoryRegistry registry_;
    ProfileFile profile_;
    Settings settings_{registry_, profile_};
};

TEST_F(SettingsTest, DeleteKeyTreeWithoutATargetLeavesTheHive) {
    ASSERT_EQ(settings_.WriteSetting("HKCU", "Software\\Keep", "v", "S", std::string("x")),
              kStatusOk);
    settings_.DeleteKeyTree("HKCU", "", "");
    settings_.DeleteKeyTree("HKCU", "\\", "");
    EXPECT_TRUE(registry_.KeyExists(Hive::CurrentUser, "Software\\Keep"));
}

TEST_F(SettingsTest, DeleteKeyTreeJoinsAKeyWithTrailingBackslash) {
    ASSERT_EQ(settings_.WriteSetting("HKCU", "Software\\Tree\\Sub", "v", "S", std::string("x")),
              kStatusOk);
    settings_.DeleteKeyTree("HKCU", "Software\\", "Tree");
    EXPECT_FALSE(registry_.KeyExists(Hive::CurrentUser, "Software\\Tree"));
    EXPECT_TRUE(registry_.KeyExists(Hive::CurrentUser, "Software"));
}

TEST_F(SettingsTest, HivesAreSeparate) {
    ASSERT_EQ(
        settings_.WriteSetting("HKLM", "Software\\Vallora", "Language", "S", std::string("DE")),
        kStatusOk);
    SettingValue result = std::string("EN");
    EXPECT_EQ(settings_.ReadSetting("HKCU", "Software\\Vallora", "Language", "S", result),
              kStatusNotFound);
    EXPECT_EQ(settings_.ReadSetting("hklm", "Software\\Vallora", "language", "S", result),
              kStatusOk);
    EXPECT_EQ(result, SettingValue{std::string("DE")});
}

}  // namespace
}  // namespace vallora
