#include "storage/recording_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "storage/memory_registry.h"

namespace vallora {
namespace {

RegistryValue Text(std::string name, const std::string& text, uint32_t type = kRegSz) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return {std::move(name), type, std::move(data)};
}

TEST(RecordingRegistry, PassesEveryCallOnAndRecordsChangesEvenWhenRefused) {
    MemoryRegistry memory;
    RecordingRegistry recording(memory);
    EXPECT_EQ(recording.WriteValue(Hive::CurrentUser, "Software\\A\\B", Text("v", "1")), 0);
    RegistryValue read;
    EXPECT_EQ(recording.ReadValue(Hive::CurrentUser, "software\\a\\b", "V", read), 0);
    EXPECT_EQ(read, Text("v", "1"));
    std::vector<std::string> names;
    EXPECT_EQ(recording.EnumSubKeyNames(Hive::CurrentUser, "Software\\A", names), 0);
    EXPECT_EQ(names, std::vector<std::string>{"B"});

    // A key with subkeys cannot go; the record still holds the request.
    EXPECT_NE(recording.DeleteSubKey(Hive::CurrentUser, "Software", "A"), 0);
    EXPECT_EQ(recording.DeleteValue(Hive::CurrentUser, "Software\\A\\B", "v"), 0);
    EXPECT_NE(memory.ReadValue(Hive::CurrentUser, "Software\\A\\B", "v", read), 0);
    ASSERT_EQ(recording.Changes().size(), 3u);
    EXPECT_EQ(recording.Changes()[1].kind, RecordedChange::Kind::DeleteKey);
    EXPECT_EQ(recording.Changes()[1].keyPath, "Software\\A");
}

TEST(RecordingRegistry, PrintsARegeditFile) {
    MemoryRegistry memory;
    RecordingRegistry r(memory);
    const Hive cu = Hive::CurrentUser;
    const Hive lm = Hive::LocalMachine;
    r.WriteValue(cu, "Software\\A", Text("Path", "C:\\x \"q\""));
    r.WriteValue(cu, "software\\a", Text("", ""));
    r.WriteValue(cu, "Software\\A", {"N", kRegDword, {0, 0, 0, 2}});
    r.Comment("one");
    r.Comment("two");
    r.WriteValue(cu, "Software\\A", {"Bin", kRegBinary, {1, 0xab}});
    r.WriteValue(lm, "Software\\A", Text("E", "%x%", kRegExpandSz));
    r.DeleteValue(lm, "Software\\A", "Gone");
    r.WriteValue(lm, "Software\\A", Text("Lines", "a\r\nb"));
    r.WriteValue(lm, "Software\\A", {"Multi", kRegMultiSz, {'a', 0, 0}});
    r.DeleteSubKey(lm, "Software", "Old");
    r.DeleteSubKey(lm, "Software\\Gone", "");
    r.WriteValue(lm, "Software\\A", {"Short", kRegDword, {1, 0}});
    EXPECT_EQ(r.RegFileText(),
              "REGEDIT4\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\A]\r\n"
              "\"Path\"=\"C:\\\\x \\\"q\\\"\"\r\n"
              "@=\"\"\r\n"
              "\"N\"=dword:02000000\r\n"
              "\r\n"
              "; one\r\n"
              "; two\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\A]\r\n"
              "\"Bin\"=hex:01,ab\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
              "\"E\"=hex(2):25,78,25,00\r\n"
              "\"Gone\"=-\r\n"
              "\"Lines\"=hex(1):61,0d,0a,62,00\r\n"
              "\"Multi\"=hex(7):61,00,00\r\n"
              "\r\n"
              "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n"
              "\r\n"
              "[-HKEY_LOCAL_MACHINE\\Software\\Gone]\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
              "\"Short\"=hex(4):01,00\r\n");
}

}  // namespace
}  // namespace vallora
