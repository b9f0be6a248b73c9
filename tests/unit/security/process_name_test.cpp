#include "security/process_name.h"

#include <gtest/gtest.h>

namespace vallora {
namespace {

TEST(ProcessName, MatchesTheFileNamePartWithoutRegardToCase) {
    const struct {
        const char* field;
        const char* name;
        bool matches;
    } cases[] = {
        {"explorer.exe", "explorer.exe", true},
        {"EXPLORER.EXE", "explorer.exe", true},
        {"mshta.exe", "MSHTA.EXE", true},
        {"C:\\WINDOWS\\Explorer.EXE", "explorer.exe", true},
        {"\\??\\C:\\Windows\\System32\\mshta.exe", "mshta.exe", true},
        {"myexplorer.exe", "explorer.exe", false},
        {"C:\\explorer.exe\\other.exe", "explorer.exe", false},
        {"explorer.exe.bak", "explorer.exe", false},
        {"C:\\Windows\\", "explorer.exe", false},
        {"", "explorer.exe", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " / " + c.name);
        EXPECT_EQ(IsProcessNamed(c.field, c.name), c.matches);
    }
}

}  // namespace
}  // namespace vallora
