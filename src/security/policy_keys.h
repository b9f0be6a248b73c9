#pragma once
// Registry keys that the restrictions write. Key names compare without regard
// to letter case, so each key has one spelling here whichever call uses it.
namespace vallora::policy_keys {

inline constexpr char kCurrentUser[] = "HKCU";
inline constexpr char kLocalMachine[] = "HKLM";

inline constexpr char kSystemPolicies[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr char kExplorerPolicies[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr char kNonEnumPolicies[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
inline constexpr char kFileDialogPolicies[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\Comdlg32";
inline constexpr char kBrowserRestrictions[] =
    "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
inline constexpr char kBrowserMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kInternetZone[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
// The machine policies of the current browsers.
inline constexpr char kEdgePolicies[] = "SOFTWARE\\Policies\\Microsoft\\Edge";
inline constexpr char kChromePolicies[] = "SOFTWARE\\Policies\\Google\\Chrome";
// The program's own key, where the session and what it changed are kept.
inline constexpr char kProgramKey[] = "Software\\Brenmark\\Vallora";
inline constexpr char kWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// The shell folders whose desktop icons the NonEnum values hide.
inline constexpr char kMyComputer[] = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
inline constexpr char kRecycleBin[] = "{645FF040-5081-101B-9F08-00AA002F954E}";
inline constexpr char kMyDocuments[] = "{450D8FBA-AD25-11D0-98A8-0800361B1103}";

}  // namespace vallora::policy_keys
