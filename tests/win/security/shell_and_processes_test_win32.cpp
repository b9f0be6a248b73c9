// Shell replacement against the real registry and "system.ini", and the
// process functions against a program the test starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/profile_win32.h"
#include "platform/registry_win32.h"
#include "platform/shell_folders_win32.h"
#include "platform/win32_handles_win32.h"
#include "security/processes_win32.h"
#include "security/shell_replacement_win32.h"
#include "storage/ascii_case.h"
#include "storage/settings.h"
#include "undo_registry.h"

namespace vallora::security_test {
namespace {

// Puts a file's bytes back (or removes the file) when the scope ends.
class KeepFile {
  public:
    explicit KeepFile(std::string path) : path_(std::move(path)) {
        std::ifstream in(path_, std::ios::binary);
        if (in) bytes_.assign(std::istreambuf_iterator<char>(in), {});
        existed_ = static_cast<bool>(in);
    }
    ~KeepFile() {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());  // flush the cache
        if (existed_) {
            std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes_;
        } else {
            DeleteFileA(path_.c_str());
        }
    }

  private:
    std::string path_;
    std::string bytes_;
    bool existed_ = false;
};

std::string BootShell(const std::string& systemIni) {
    char text[512] = "";
    GetPrivateProfileStringA("Boot", "Shell", "", text, sizeof text, systemIni.c_str());
    return text;
}

TEST(RealShell, ReplaceAndRestoreWriteWinlogonAndSystemIni) {
    const ShellPlaces places = CurrentShellPlaces();
    ASSERT_FALSE(places.programPath.empty());
    ASSERT_FALSE(places.windowsFolder.empty());
    const std::string systemIni = places.windowsFolder + "\\system.ini";
    KeepFile keep(systemIni);
    RegistryWin32 system;
    UndoRegistry undo(system);
    ProfileWin32 profile;
    Settings settings(undo, profile);
    const std::string kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

    ReplaceWindowsShell(settings, places, "C:\\Desks\\Kiosk One.vla");
    const std::string command = ShellCommand(places.programPath, "C:\\Desks\\Kiosk One.vla");
    SettingValue shell;
    settings.ReadSetting("HKLM", kWinlogon, "Shell", "S", shell);
    EXPECT_EQ(shell, SettingValue(command));
    EXPECT_EQ(BootShell(systemIni), command);
    EXPECT_TRUE(IsWindowsShellReplaced(settings));

    RestoreWindowsShell(settings, places);
    settings.ReadSetting("HKLM", kWinlogon, "Shell", "S", shell);
    EXPECT_EQ(shell, SettingValue(std::string("explorer.exe")));
    EXPECT_EQ(BootShell(systemIni), "explorer.exe");
    EXPECT_FALSE(IsWindowsShellReplaced(settings));
}

template <typename Condition>
bool WaitFor(Condition condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

TEST(RealProcesses, FindAndEndAProgramTheTestStarted) {
    char command[] = "notepad.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &started));
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    const DWORD id = started.dwProcessId;

    EXPECT_EQ(FindProcessId("NOTEPAD.EXE"), id);
    EXPECT_TRUE(IsProcessRunning("Notepad.exe"));
    EXPECT_TRUE(EqualsNoCase(ProcessExecutableName(id), "notepad.exe"));
    EXPECT_EQ(FindProcessId("no such program.exe"), 0u);
    EXPECT_FALSE(IsProcessRunning("no such program.exe"));

    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = FindProcessWindow(id)) != nullptr; }));
    EXPECT_EQ(GetParent(window), nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, id);

    EXPECT_FALSE(TerminateWindowProcess(nullptr));
    EXPECT_TRUE(TerminateWindowProcess(window));
    EXPECT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(WaitFor([&] { return FindProcessId("notepad.exe") == 0; }));
    EXPECT_EQ(ProcessExecutableName(id), "");
    EXPECT_EQ(FindProcessWindow(0), nullptr);
}

}  // namespace
}  // namespace vallora::security_test
