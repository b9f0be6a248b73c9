#include "page/icon_location.h"

#include <gtest/gtest.h>

#include "storage/memory_registry.h"
#include "storage/profile_file.h"

namespace vallora {
namespace {

void WriteDefault(RegistryPort& registry, const std::string& key, const std::string& text,
                  uint32_t type = kRegSz) {
    RegistryValue value{"", type, std::vector<uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    ASSERT_EQ(registry.WriteValue(Hive::ClassesRoot, key, value), kStatusOk);
}

std::string FakeExpand(std::string text) {
    for (const auto& [name, value] : {std::pair{"%SystemRoot%", "C:\\Windows"},
                                      std::pair{"%ProgramFiles%", "C:\\Program Files"}}) {
        for (size_t at; (at = text.find(name)) != std::string::npos;) {
            text.replace(at, std::string(name).size(), value);
        }
    }
    return text;
}

TEST(IconLocation, ParsesRegisteredLocations) {
    const struct {
        std::string location;
        IconLocation expected;
    } cases[] = {
        {"C:\\Icons\\set.dll,3", {"C:\\Icons\\set.dll", 3}},
        {"C:\\Icons\\set.dll", {"C:\\Icons\\set.dll", 0}},
        {"C:\\Icons\\set.dll,-152", {"C:\\Icons\\set.dll", -152}},
        {"C:\\Icons\\set.dll,", {"C:\\Icons\\set.dll", 0}},
        {"C:\\Icons\\set.dll,x", {"C:\\Icons\\set.dll", 0}},
        {" C:\\a.dll , 7 ", {"C:\\a.dll", 7}},
        {"C:\\a.dll,1,2", {"C:\\a.dll", 2}},
        {"\"C:\\a,b\\x.dll\",4", {"C:\\a,b\\x.dll", 4}},
        {"\"C:\\Program Files\\x.dll\"", {"C:\\Program Files\\x.dll", 0}},
        {"C:\\a.dll,99999999999", {"C:\\a.dll", -1}},
        {"", {"", 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIconLocation(c.location), c.expected) << c.location;
}

TEST(IconLocation, ProgramsAndRegisteredDocumentTypes) {
    MemoryRegistry registry;
    WriteDefault(registry, ".txt", "txtfile");
    WriteDefault(registry, "txtfile\\DefaultIcon", "C:\\Icons\\set.dll,3");
    WriteDefault(registry, ".neg", "negfile");
    WriteDefault(registry, "negfile\\DefaultIcon", "%SystemRoot%\\system32\\imageres.dll,-152",
                 kRegExpandSz);
    WriteDefault(registry, ".one", "onefile");
    WriteDefault(registry, "onefile\\DefaultIcon", "C:\\one.ico");
    WriteDefault(registry, ".q", "qfile");
    WriteDefault(registry, "qfile\\DefaultIcon", "\"%ProgramFiles%\\App, Inc\\app.exe\",2");
    WriteDefault(registry, ".none", "nonefile");
    ProfileFile profile;
    Settings settings(registry, profile);

    const struct {
        std::string source;
        IconLocation expected;
    } cases[] = {
        {"C:\\W\\notepad.EXE", {"C:\\W\\notepad.EXE", 0}},
        {"%SystemRoot%\\notepad.exe", {"C:\\Windows\\notepad.exe", 0}},
        {"C:\\Docs\\a.TXT", {"C:\\Icons\\set.dll", 3}},
        {"C:\\Docs\\b.neg", {"C:\\Windows\\system32\\imageres.dll", -152}},
        {"x.one", {"C:\\one.ico", 0}},
        {"x.q", {"C:\\Program Files\\App, Inc\\app.exe", 2}},
        {"x.none", {}},
        {"x.unknown", {}},
        {"C:\\My.Docs\\readme", {}},
        {"http://www.example.com/", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveIconLocation(c.source, settings, FakeExpand), c.expected) << c.source;
    }
}

}  // namespace
}  // namespace vallora
