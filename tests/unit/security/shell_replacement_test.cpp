#include "security/shell_replacement.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "storage/memory_registry.h"
#include "storage/settings.h"

namespace vallora {
namespace {

const std::string kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// Keeps the profile writes in order as "file [section] key=value".
class ProfileLog : public ProfilePort {
  public:
    std::string GetString(const std::string&, const std::string&, const std::string&,
                          const std::string& defaultValue) override {
        return defaultValue;
    }
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override {
        writes.push_back(file + " [" + section + "] " + key + "=" + value);
        return true;
    }
    std::vector<std::string> writes;
};

TEST(ShellCommand, FolderNameWithoutExtensionQuotedWhenBlankThenPathAsGiven) {
    const struct {
        const char* program;
        const char* definition;
        const char* command;
    } cases[] = {
        {"C:\\Program Files\\Vallora\\Vallora.exe", "C:\\My Desks\\Kiosk.vla",
         "\"C:\\Program Files\\Vallora\\Vallora\" C:\\My Desks\\Kiosk.vla"},
        {"C:\\Vallora.exe", "D:\\Kiosk.vla", "C:\\\\Vallora D:\\Kiosk.vla"},
        {"C:\\Tools\\Vallora.v2.exe", "k.vla", "C:\\Tools\\Vallora.v2 k.vla"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShellCommand(c.program, c.definition), c.command);
    }
}

TEST(WindowsShell, ReplaceAndRestoreWriteWinlogonThenSystemIni) {
    MemoryRegistry registry;
    ProfileLog profile;
    Settings settings(registry, profile);
    const ShellPlaces places{"C:\\Vallora\\Vallora.exe", "C:\\WINDOWS"};
    SettingValue shell;

    ReplaceWindowsShell(settings, places, "C:\\Desks\\Kiosk One.vla");
    settings.ReadSetting("HKLM", kWinlogon, "Shell", "S", shell);
    EXPECT_EQ(shell, SettingValue(std::string("C:\\Vallora\\Vallora C:\\Desks\\Kiosk One.vla")));
    EXPECT_TRUE(IsWindowsShellReplaced(settings));

    RestoreWindowsShell(settings, places);
    settings.ReadSetting("HKLM", kWinlogon, "Shell", "S", shell);
    EXPECT_EQ(shell, SettingValue(std::string("explorer.exe")));
    EXPECT_FALSE(IsWindowsShellReplaced(settings));

    EXPECT_EQ(
        profile.writes,
        (std::vector<std::string>{
            "C:\\WINDOWS\\system.ini [Boot] Shell=C:\\Vallora\\Vallora C:\\Desks\\Kiosk One.vla",
            "C:\\WINDOWS\\system.ini [Boot] Shell=explorer.exe"}));
}

TEST(WindowsShell, ReplacedUnlessWinlogonNamesExplorer) {
    const struct {
        std::optional<std::string> shell;
        bool replaced;
    } cases[] = {
        {"explorer.exe", false},
        {"Explorer.exe", false},
        {"EXPLORER.EXE", false},
        {"C:\\WINDOWS\\explorer.exe", true},
        {"C:\\Vallora\\Vallora C:\\Desks\\Kiosk.vla", true},
        {"", true},
        {std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shell.value_or("(absent)"));
        MemoryRegistry registry;
        ProfileLog profile;
        Settings settings(registry, profile);
        if (c.shell) settings.WriteSetting("HKLM", kWinlogon, "Shell", "S", *c.shell);
        EXPECT_EQ(IsWindowsShellReplaced(settings), c.replaced);
    }
}

}  // namespace
}  // namespace vallora
