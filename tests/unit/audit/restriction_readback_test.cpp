// The restriction values a definition writes, read back from a registry in
// memory after a real apply: what is in effect, and the reason when not.
#include "audit/restriction_readback.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "security/policy_reg_file.h"
#include "storage/ascii_case.h"
#include "storage/memory_registry.h"
#include "storage/settings.h"
#include "unit/audit/value_refusing_registry.h"

namespace vallora::audit_test {
namespace {

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

Definition Locked() {
    Definition definition;
    definition.NoRun = 1;
    definition.NoChangePwd = 1;
    definition.NoAdministrativeTasks = 1;
    definition.HideDrives = "C;D";
    definition.IEDisableFileDownload = 1;
    return definition;
}

const ExpectedValue* Find(const std::vector<ExpectedValue>& values, Hive hive,
                          const std::string& key, const std::string& name) {
    const auto found = std::find_if(values.begin(), values.end(), [&](const ExpectedValue& v) {
        return v.hive == hive && EqualsNoCase(v.keyPath, key) && EqualsNoCase(v.value.name, name);
    });
    return found == values.end() ? nullptr : &*found;
}

TEST(ExpectedRestrictionValues, HoldEachPlaceOnceWithItsLastDataAndNoOwnRecord) {
    const std::vector<ExpectedValue> values = ExpectedRestrictionValues(Locked());
    ASSERT_FALSE(values.empty());
    for (size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(ValueTitle(values[i]));
        EXPECT_FALSE(values[i].keyPath.starts_with("Software\\Brenmark\\Vallora"));
        for (size_t j = i + 1; j < values.size(); ++j) {
            EXPECT_FALSE(values[i].hive == values[j].hive &&
                         EqualsNoCase(values[i].keyPath, values[j].keyPath) &&
                         EqualsNoCase(values[i].value.name, values[j].value.name));
        }
    }
    // "NoFind" is written by two steps and counts once.
    const struct {
        Hive hive;
        const std::string& key;
        const char* name;
        const char* data;
    } cases[] = {
        {Hive::LocalMachine, kExplorer, "NoRun", "1"},
        {Hive::LocalMachine, kExplorer, "NoFind", "1"},
        {Hive::LocalMachine, kExplorer, "NoDrives", "12"},
        {Hive::CurrentUser, kSystem, "DisableChangePassword", "1"},
    };
    for (const auto& c : cases) {
        const ExpectedValue* value = Find(values, c.hive, c.key, c.name);
        ASSERT_NE(value, nullptr) << c.name;
        EXPECT_EQ(ValueDataText(value->value), c.data) << c.name;
    }
    // A definition without restrictions asks for none of them.
    EXPECT_EQ(Find(ExpectedRestrictionValues(Definition{}), Hive::LocalMachine, kExplorer, "NoRun"),
              nullptr);
}

TEST(ReadBackRestrictions, NameTheRefusedValueWithTheApplysErrorAndAChangedOneWithWhatItReads) {
    MemoryRegistry memory;
    ValueRefusingRegistry registry(memory, Hive::CurrentUser, kSystem, "DisableChangePassword");
    DryRunProfile profile;
    DryRunSystem system;
    Settings settings(registry, profile);
    const Definition definition = Locked();
    const std::vector<WriteFailure> failures =
        ApplyComputerSecurityKept(definition, {settings, system});
    // Changed behind the session's back after the apply.
    const RegistryValue zero{"NoDrives", kRegDword, {0, 0, 0, 0}};
    ASSERT_EQ(memory.WriteValue(Hive::LocalMachine, kExplorer, zero), kStatusOk);

    std::vector<std::string> open;
    for (const ValueReadBack& value : ReadBackRestrictions(definition, registry, failures)) {
        if (value.inEffect) continue;
        open.push_back(value.expected.value.name);
        if (value.expected.value.name == "DisableChangePassword") {
            ASSERT_TRUE(value.failure.has_value());
            EXPECT_EQ(value.failure->status, kStatusAccessDenied);
            EXPECT_EQ(value.readStatus, kStatusNotFound);
            EXPECT_FALSE(value.found.has_value());
        } else {
            EXPECT_FALSE(value.failure.has_value());
            ASSERT_TRUE(value.found.has_value());
            EXPECT_EQ(ValueDataText(*value.found), "0");
        }
    }
    EXPECT_EQ(open, (std::vector<std::string>{"NoDrives", "DisableChangePassword"}));
}

TEST(ValueText, ShowsPlacesAndDataAsAPersonReadsThem) {
    EXPECT_EQ(ValueTitle({Hive::LocalMachine, kExplorer, {"NoRun", kRegDword, {1, 0, 0, 0}}}),
              "NoRun = 1 (HKLM\\" + kExplorer + ")");
    EXPECT_EQ(ValueTitle({Hive::CurrentUser, "Software\\X", {"", kRegSz, {'a', 0}}}),
              "(default) = \"a\" (HKCU\\Software\\X)");
    const struct {
        RegistryValue value;
        const char* text;
    } cases[] = {
        {{"n", kRegDword, {0x0c, 0, 0, 0}}, "12"},
        {{"n", kRegDword, {0xff, 0xff, 0xff, 0xff}}, "4294967295"},
        {{"s", kRegSz, {'a', 'b', 0}}, "\"ab\""},
        {{"s", kRegSz, {}}, "\"\""},
        {{"b", kRegBinary, {0xff, 0x01}}, "ff 01"},
        // A DWORD of the wrong size is shown as its bytes, not read past its end.
        {{"d", kRegDword, {1, 2}}, "01 02"},
    };
    for (const auto& c : cases) EXPECT_EQ(ValueDataText(c.value), c.text) << c.text;
}

}  // namespace
}  // namespace vallora::audit_test
