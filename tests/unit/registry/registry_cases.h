#pragma once
// Registry cases that every RegistryPort, and Settings over it, must answer
// as the system registry does. Included by exactly one test file of each test
// program, which defines MakeRegistryBed(): natively MemoryRegistry, under
// Wine the real registry below a scratch key, so the stand-in is held to the
// same answers as the system.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/registry_port.h"
#include "scratch_folder.h"
#include "storage/settings.h"

namespace vallora {

// A registry and profile port to test on, and a key below HKEY_CURRENT_USER
// that belongs to the test; the bed removes that key when it goes.
class RegistryBed {
  public:
    virtual ~RegistryBed() = default;
    virtual RegistryPort& registry() = 0;
    virtual ProfilePort& profile() = 0;
    virtual std::string base() const = 0;
};

std::unique_ptr<RegistryBed> MakeRegistryBed();

namespace registry_cases {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using Bytes = std::vector<uint8_t>;

inline RegistryValue Value(std::string name, uint32_t type, Bytes data) {
    return RegistryValue{std::move(name), type, std::move(data)};
}

inline Bytes Text(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

class RegistryCaseTest : public ::testing::Test {
  protected:
    std::string Key(const std::string& relative) const { return bed_->base() + "\\" + relative; }

    bool Exists(const std::string& relative) {
        std::vector<std::string> names;
        return registry().EnumSubKeyNames(Hive::CurrentUser, Key(relative), names) == kStatusOk;
    }

    std::vector<std::string> SubKeys(const std::string& relative) {
        std::vector<std::string> names;
        EXPECT_EQ(registry().EnumSubKeyNames(Hive::CurrentUser, Key(relative), names), kStatusOk);
        return names;
    }

    // Makes each key, with one value so that it really exists.
    void MakeKeys(const std::vector<std::string>& relatives) {
        for (const auto& relative : relatives) {
            ASSERT_EQ(registry().WriteValue(Hive::CurrentUser, Key(relative),
                                            Value("v", kRegDword, {1, 0, 0, 0})),
                      kStatusOk)
                << relative;
        }
    }

    RegistryPort& registry() { return bed_->registry(); }

    std::unique_ptr<RegistryBed> bed_ = MakeRegistryBed();
    Settings settings_{bed_->registry(), bed_->profile()};
};

// ---- the port itself --------------------------------------------------------

TEST_F(RegistryCaseTest, WriteCreatesEveryKeyOnThePath) {
    const RegistryValue value = Value("Name", kRegSz, Text("x"));
    ASSERT_EQ(registry().WriteValue(Hive::CurrentUser, Key("A\\B\\C"), value), kStatusOk);
    EXPECT_THAT(SubKeys("A"), ElementsAre("B"));
    EXPECT_THAT(SubKeys("A\\B"), ElementsAre("C"));
    RegistryValue read;
    ASSERT_EQ(registry().ReadValue(Hive::CurrentUser, Key("A\\B\\C"), "Name", read), kStatusOk);
    EXPECT_EQ(read, value);
}

TEST_F(RegistryCaseTest, NamesMatchWithoutLetterCaseAndKeepTheirSpelling) {
    ASSERT_EQ(
        registry().WriteValue(Hive::CurrentUser, Key("Mixed"), Value("Name", kRegSz, Text("1"))),
        kStatusOk);
    RegistryValue read;
    ASSERT_EQ(registry().ReadValue(Hive::CurrentUser, Key("MIXED"), "nAME", read), kStatusOk);
    EXPECT_EQ(read.data, Text("1"));

    ASSERT_EQ(
        registry().WriteValue(Hive::CurrentUser, Key("mixed"), Value("NAME", kRegSz, Text("2"))),
        kStatusOk);
    std::vector<RegistryValue> values;
    ASSERT_EQ(registry().EnumValues(Hive::CurrentUser, Key("Mixed"), values), kStatusOk);
    EXPECT_THAT(values, ElementsAre(Value("Name", kRegSz, Text("2"))));
    EXPECT_THAT(SubKeys(""), ElementsAre("Mixed"));
}

TEST_F(RegistryCaseTest, MissingKeysAndValuesAreNotFound) {
    MakeKeys({"Present"});
    RegistryValue value;
    std::vector<std::string> names;
    std::vector<RegistryValue> values;
    struct Case {
        const char* what;
        long status;
    };
    const Case cases[] = {
        {"read, key missing", registry().ReadValue(Hive::CurrentUser, Key("Absent"), "v", value)},
        {"read, value missing",
         registry().ReadValue(Hive::CurrentUser, Key("Present"), "w", value)},
        {"delete value, key missing",
         registry().DeleteValue(Hive::CurrentUser, Key("Absent"), "v")},
        {"delete value, value missing",
         registry().DeleteValue(Hive::CurrentUser, Key("Present"), "w")},
        {"delete subkey, subkey missing",
         registry().DeleteSubKey(Hive::CurrentUser, Key("Present"), "x")},
        {"delete subkey, parent missing",
         registry().DeleteSubKey(Hive::CurrentUser, Key("Absent"), "x")},
        {"enumerate subkeys, key missing",
         registry().EnumSubKeyNames(Hive::CurrentUser, Key("Absent"), names)},
        {"enumerate values, key missing",
         registry().EnumValues(Hive::CurrentUser, Key("Absent"), values)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.status, kStatusNotFound) << c.what;
}

TEST_F(RegistryCaseTest, KeyWithSubkeysIsNotDeleted) {
    MakeKeys({"Parent\\Child"});
    EXPECT_EQ(registry().DeleteSubKey(Hive::CurrentUser, bed_->base(), "Parent"),
              kStatusAccessDenied);
    EXPECT_TRUE(Exists("Parent\\Child"));
    EXPECT_EQ(registry().DeleteSubKey(Hive::CurrentUser, Key("Parent"), "Child"), kStatusOk);
    EXPECT_EQ(registry().DeleteSubKey(Hive::CurrentUser, bed_->base(), "Parent"), kStatusOk);
    EXPECT_FALSE(Exists("Parent"));
}

TEST_F(RegistryCaseTest, EmptySubKeyNameDeletesTheKeyItself) {
    MakeKeys({"Leaf"});
    EXPECT_EQ(registry().DeleteSubKey(Hive::CurrentUser, Key("Leaf"), ""), kStatusOk);
    EXPECT_FALSE(Exists("Leaf"));
    EXPECT_TRUE(Exists(""));
}

TEST_F(RegistryCaseTest, KeyPathSpellings) {
    struct Case {
        const char* written;  // relative to the base key
        long status;
        const char* readAs;  // where the value is then found
    };
    const Case cases[] = {
        {"Trailing\\", kStatusOk, "Trailing"},
        {"Deep\\Trailing\\", kStatusOk, "deep\\trailing"},
        {"Doubled\\\\Inner", kStatusOk, "Doubled\\Inner"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            registry().WriteValue(Hive::CurrentUser, Key(c.written), Value("v", kRegSz, Text("x"))),
            c.status)
            << c.written;
        RegistryValue read;
        EXPECT_EQ(registry().ReadValue(Hive::CurrentUser, Key(c.readAs), "v", read), kStatusOk)
            << c.written;
    }
    // A path must not start with a backslash.
    EXPECT_EQ(
        registry().WriteValue(Hive::CurrentUser, "\\" + Key("Lead"), Value("v", kRegSz, Text("x"))),
        kStatusBadPathname);
    EXPECT_FALSE(Exists("Lead"));
}

TEST_F(RegistryCaseTest, SubkeysEnumerateInNameOrder) {
    MakeKeys({"b", "_x", "A", "C", "a1"});
    EXPECT_THAT(SubKeys(""), ElementsAre("_x", "A", "a1", "b", "C"));
}

TEST_F(RegistryCaseTest, ValuesEnumerateWithTypeAndData) {
    const RegistryValue values[] = {
        Value("", kRegSz, Text("default")),
        Value("Flag", kRegBinary, {0xFF, 0xFF}),
        Value("Count", kRegDword, {1, 2, 3, 4}),
        Value("Empty", kRegBinary, {}),
    };
    for (const auto& value : values) {
        ASSERT_EQ(registry().WriteValue(Hive::CurrentUser, Key("Values"), value), kStatusOk);
    }
    std::vector<RegistryValue> found;
    ASSERT_EQ(registry().EnumValues(Hive::CurrentUser, Key("Values"), found), kStatusOk);
    EXPECT_THAT(found, UnorderedElementsAre(values[0], values[1], values[2], values[3]));
    EXPECT_EQ(registry().DeleteValue(Hive::CurrentUser, Key("Values"), "flag"), kStatusOk);
    ASSERT_EQ(registry().EnumValues(Hive::CurrentUser, Key("Values"), found), kStatusOk);
    EXPECT_THAT(found, UnorderedElementsAre(values[0], values[2], values[3]));
}

// ---- Settings over the port -------------------------------------------------

struct StoreCase {
    const char* name;
    const char* type;
    SettingValue value;
    uint32_t storedType;
    Bytes stored;
    SettingValue readBack;
};

inline const std::vector<StoreCase>& StoreCases() {
    static const std::vector<StoreCase> cases = {
        {"Dword65536", "D", int32_t{65536}, kRegDword, {0x00, 0x00, 0x01, 0x00}, int32_t{65536}},
        {"DwordMinusOne", "d", int32_t{-1}, kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, int32_t{-1}},
        {"DwordFromTrue", "D", true, kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, int32_t{-1}},
        {"DwordFromText", "D", std::string(" 42 "), kRegDword, {0x2A, 0, 0, 0}, int32_t{42}},
        {"DwordFromHalfRoundsToEven", "D", std::string("2.5"), kRegDword, {2, 0, 0, 0}, int32_t{2}},
        {"BinaryFromOne", "B", int32_t{1}, kRegBinary, {0xFF, 0xFF}, true},
        {"BinaryFromFalse", "b", false, kRegBinary, {0x00, 0x00}, false},
        {"BinaryFromText", "B", std::string("true"), kRegBinary, {0xFF, 0xFF}, true},
        {"BinaryFromZero", "B", int32_t{0}, kRegBinary, {0x00, 0x00}, false},
        {"Text", "S", std::string("C:\\Desks\\Kiosk.vla"), kRegSz, Text("C:\\Desks\\Kiosk.vla"),
         std::string("C:\\Desks\\Kiosk.vla")},
        {"EmptyText", "s", std::string(), kRegSz, Text(""), std::string()},
        {"TextFromNumber", "S", int32_t{1234}, kRegSz, Text("1234"), std::string("1234")},
        {"TextFromBoolean", "S", true, kRegSz, Text("True"), std::string("True")},
    };
    return cases;
}

class SettingsStoreTest : public RegistryCaseTest,
                          public ::testing::WithParamInterface<StoreCase> {};

TEST_P(SettingsStoreTest, StoresTheBytesAndReadsThemBack) {
    const StoreCase& c = GetParam();
    ASSERT_EQ(settings_.WriteSetting("HKCU", Key("Store"), "Value", c.type, c.value), kStatusOk);
    RegistryValue stored;
    ASSERT_EQ(registry().ReadValue(Hive::CurrentUser, Key("Store"), "Value", stored), kStatusOk);
    EXPECT_EQ(stored.type, c.storedType);
    EXPECT_EQ(stored.data, c.stored);
    // The default is of another kind, so the result shows that the read replaced it.
    SettingValue result = std::string("default");
    if (std::holds_alternative<std::string>(c.readBack)) result = int32_t{-99};
    EXPECT_EQ(settings_.ReadSetting("HKCU", Key("Store"), "Value", c.type, result), kStatusOk);
    EXPECT_EQ(result, c.readBack);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsStoreTest, ::testing::ValuesIn(StoreCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
    const char* name;
    RegistryValue stored;
    const char* type;
    long status;
    SettingValue result;  // from a default of "default"
};

inline const std::vector<ReadCase>& ReadCases() {
    static const std::vector<ReadCase> cases = {
        {"BooleanAllBits", Value("v", kRegBinary, {0xFF, 0xFF}), "B", kStatusOk, true},
        {"BooleanZero", Value("v", kRegBinary, {0x00, 0x00}), "B", kStatusOk, false},
        {"BooleanAnyBit", Value("v", kRegBinary, {0x00, 0x01}), "B", kStatusOk, true},
        {"BooleanOneByte", Value("v", kRegBinary, {0x01}), "B", kStatusOk, true},
        {"BooleanTooLong", Value("v", kRegDword, {1, 0, 0, 0}), "B", kStatusMoreData,
         std::string("default")},
        {"DwordFromTwoBytes", Value("v", kRegBinary, {0xFF, 0xFF}), "D", kStatusOk, int32_t{65535}},
        {"DwordTooLong", Value("v", kRegBinary, Bytes(8, 1)), "D", kStatusMoreData,
         std::string("default")},
        {"TextWithoutTerminator", Value("v", kRegSz, {'a', 'b', 'c'}), "S", kStatusOk,
         std::string("abc")},
        {"TextOfNoBytes", Value("v", kRegSz, {}), "S", kStatusOk, std::string()},
        {"TextFromDwordBytes", Value("v", kRegDword, {'A', 'B', 'C', 0}), "S", kStatusOk,
         std::string("ABC")},
    };
    return cases;
}

class SettingsReadTest : public RegistryCaseTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(SettingsReadTest, ConvertsStoredData) {
    const ReadCase& c = GetParam();
    ASSERT_EQ(registry().WriteValue(Hive::CurrentUser, Key("Read"), c.stored), kStatusOk);
    SettingValue result = std::string("default");
    EXPECT_EQ(settings_.ReadSetting("HKCU", Key("Read"), "v", c.type, result), c.status);
    EXPECT_EQ(result, c.result);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsReadTest, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryCaseTest, FailedReadKeepsTheDefault) {
    MakeKeys({"Present"});
    SettingValue result = int32_t{7};
    EXPECT_EQ(settings_.ReadSetting("HKCU", Key("Present"), "Missing", "D", result),
              kStatusNotFound);
    EXPECT_EQ(settings_.ReadSetting("HKCU", Key("Absent"), "v", "S", result), kStatusNotFound);
    EXPECT_EQ(settings_.ReadSetting("HKCU", Key("Present"), "v", "X", result),
              kStatusInvalidParameter);
    EXPECT_EQ(settings_.ReadSetting("", Key("Present"), "v", "D", result), kStatusNoLocation);
    EXPECT_EQ(result, SettingValue{int32_t{7}});
}

TEST_F(RegistryCaseTest, HiveNamesInAnyLetterCase) {
    ASSERT_EQ(settings_.WriteSetting("hkcu", Key("Case"), "v", "s", std::string("x")), kStatusOk);
    SettingValue result = std::string();
    EXPECT_EQ(settings_.ReadSetting("HkCu", Key("Case"), "v", "S", result), kStatusOk);
    EXPECT_EQ(result, SettingValue{std::string("x")});
}

TEST_F(RegistryCaseTest, RefusedWritesCreateNothing) {
    struct Case {
        const char* name;
        const char* type;
        SettingValue value;
        long status;
    };
    const Case cases[] = {
        {"UnknownType", "X", std::string("x"), kStatusInvalidParameter},
        {"TextNotANumber", "D", std::string("12abc"), kStatusInvalidParameter},
        {"NumberTooLarge", "D", std::string("2147483648"), kStatusInvalidParameter},
        {"TextNotABoolean", "B", std::string("maybe"), kStatusInvalidParameter},
        {"NoLocation", "S", std::string("x"), kStatusNoLocation},
    };
    for (const Case& c : cases) {
        const std::string location = c.status == kStatusNoLocation ? "" : "HKCU";
        EXPECT_EQ(settings_.WriteSetting(location, Key(c.name), "v", c.type, c.value), c.status)
            << c.name;
        EXPECT_FALSE(Exists(c.name)) << c.name;
    }
}

TEST_F(RegistryCaseTest, ProfileFileLocation) {
    ScratchFolder folder;
    const std::string file = (folder.path() / "x.ini").string();
    EXPECT_EQ(settings_.WriteSetting(file, "Desktop", "Color", "s", int32_t{42}), kStatusOk);
    SettingValue result = std::string();
    EXPECT_EQ(settings_.ReadSetting(file, "desktop", "color", "S", result), kStatusOk);
    EXPECT_EQ(result, SettingValue{std::string("42")});

    // The default goes to the profile call as text and comes back as text.
    result = int32_t{5};
    EXPECT_EQ(settings_.ReadSetting(file, "Desktop", "Missing", "S", result), kStatusOk);
    EXPECT_EQ(result, SettingValue{std::string("5")});
    result = true;
    EXPECT_EQ(settings_.ReadSetting(file, "Desktop", "Missing", "s", result), kStatusOk);
    EXPECT_EQ(result, SettingValue{std::string("True")});

    // Profile files hold text only; other types are refused, not reported done.
    result = int32_t{5};
    EXPECT_EQ(settings_.ReadSetting(file, "Desktop", "Color", "D", result),
              kStatusInvalidParameter);
    EXPECT_EQ(result, SettingValue{int32_t{5}});
    EXPECT_EQ(settings_.WriteSetting(file, "Desktop", "Color", "B", true), kStatusInvalidParameter);

    const std::string unwritable = (folder.path() / "missing" / "x.ini").string();
    EXPECT_EQ(settings_.WriteSetting(unwritable, "Desktop", "Color", "S", std::string("1")),
              kStatusWriteFault);
}

TEST_F(RegistryCaseTest, DeleteKeyTreeRemovesTwoLevelsOfSubkeys) {
    const std::vector<std::string> tree = {"Tree\\A\\A1", "Tree\\A\\A2\\Deep", "Tree\\B",
                                           "Tree\\A\\A2\\Deep2"};
    for (bool namedSubkey : {false, true}) {
        MakeKeys(tree);
        MakeKeys({"Sibling"});
        if (namedSubkey) {
            settings_.DeleteKeyTree("HKCU", bed_->base(), "Tree");
        } else {
            settings_.DeleteKeyTree("hkcu", Key("Tree"), "");
        }
        EXPECT_FALSE(Exists("Tree")) << namedSubkey;
        EXPECT_THAT(SubKeys(""), ElementsAre("Sibling")) << namedSubkey;
    }
}

TEST_F(RegistryCaseTest, DeleteKeyTreeRemovesNamesWithBlanksAtTheirEnds) {
    MakeKeys({"Tree\\ padded \\ inner"});
    settings_.DeleteKeyTree("HKCU", bed_->base(), "Tree");
    EXPECT_FALSE(Exists("Tree"));
}

TEST_F(RegistryCaseTest, DeleteKeyStatus) {
    MakeKeys({"Parent\\Child", "Leaf"});
    struct Case {
        const char* hive;
        std::string key;
        const char* subkey;
        long status;
    };
    const Case cases[] = {
        {"HKCU", Key("Parent"), "Absent", kStatusOk},
        {"HKCU", Key("Absent"), "Child", kStatusOk},
        {"HKCU", bed_->base(), "Parent", kStatusAccessDenied},
        {"HKCU", bed_->base(), "Leaf", kStatusOk},
        {"C:\\x.ini", bed_->base(), "Parent", kStatusInvalidHandle},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settings_.DeleteKey(c.hive, c.key, c.subkey), c.status)
            << c.key << " " << c.subkey;
    }
    EXPECT_FALSE(Exists("Leaf"));
    EXPECT_TRUE(Exists("Parent\\Child"));
}

TEST_F(RegistryCaseTest, EnumSubKeysList) {
    MakeKeys({"List\\b", "List\\A", "Blank\\ x ", "Empty"});
    struct Case {
        const char* hive;
        const char* key;
        long status;
        std::string list;  // from a list holding "keep"
    };
    const Case cases[] = {
        {"HKCU", "List", kStatusOk, std::string("A\0b\0\0", 5)},
        {"HKCU", "Blank", kStatusOk, std::string("x\0\0", 3)},
        {"hkcu", "Empty", kStatusOk, std::string("\0\0", 2)},
        {"HKCU", "Absent", kStatusNotFound, "keep"},
        {"C:\\x.ini", "List", kStatusInvalidHandle, "keep"},
    };
    for (const Case& c : cases) {
        std::string list = "keep";
        EXPECT_EQ(settings_.EnumSubKeys(c.hive, Key(c.key), list), c.status) << c.key;
        EXPECT_EQ(list, c.list) << c.key;
    }
}

}  // namespace registry_cases
}  // namespace vallora
