#include "security/shell_replacement.h"

#include "security/policy_keys.h"
#include "storage/ascii_case.h"
#include "storage/settings.h"

namespace vallora {

namespace {

constexpr char kShellValue[] = "Shell";
constexpr char kExplorerShell[] = "explorer.exe";

void WriteShell(Settings& settings, const ShellPlaces& places, const std::string& command) {
    settings.WriteSetting(policy_keys::kLocalMachine, policy_keys::kWinlogon, kShellValue, "S",
                          command);
    settings.WriteSetting(places.windowsFolder + "\\system.ini", "Boot", kShellValue, "S", command);
}

}  // namespace

std::string ShellCommand(const std::string& programPath, const std::string& definitionPath) {
    const size_t slash = programPath.rfind('\\');
    std::string folder = slash == std::string::npos ? std::string() : programPath.substr(0, slash);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
    std::string program = folder + "\\" + name;
    if (program.find(' ') != std::string::npos) program = '"' + program + '"';
    return program + " " + definitionPath;
}

void ReplaceWindowsShell(Settings& settings, const ShellPlaces& places,
                         const std::string& definitionPath) {
    WriteShell(settings, places, ShellCommand(places.programPath, definitionPath));
}

void RestoreWindowsShell(Settings& settings, const ShellPlaces& places) {
    WriteShell(settings, places, kExplorerShell);
}

bool IsWindowsShellReplaced(Settings& settings) {
    SettingValue shell = std::string();
    settings.ReadSetting(policy_keys::kLocalMachine, policy_keys::kWinlogon, kShellValue, "S",
                         shell);
    const std::string* text = std::get_if<std::string>(&shell);
    return !text || !EqualsNoCase(*text, kExplorerShell);
}

}  // namespace vallora
