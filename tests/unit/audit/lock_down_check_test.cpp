// The lock-down check over a registry in memory and scripted probes: which
// rows it reports held or open, and the report text made from them.
#include "audit/lock_down_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "audit/lock_down_report.h"
#include "language/messages.h"
#include "runtime/session_record.h"
#include "security/policy_reg_file.h"
#include "storage/memory_registry.h"
#include "unit/audit/check_rows.h"
#include "unit/audit/value_refusing_registry.h"

namespace vallora::audit_test {
namespace {

const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr std::uint32_t kProcess = 4242;
constexpr std::uintptr_t kBar = 0x1234;
constexpr std::uint32_t kWatchdog = 77;

std::vector<std::string> OpenRows(const std::vector<CheckRow>& rows) {
    return Whats(rows, CheckState::Open);
}

class NoLanguageFiles : public LanguageFilePort {
  public:
    std::optional<std::string> ReadAll(const std::string&) override { return std::nullopt; }
    bool FileExists(const std::string&) override { return false; }
};

class ScriptedProbes : public LockDownProbePort {
  public:
    std::set<ProbeKey> reaching;
    std::map<ProbeDialog, DialogOutcome> dialogs;
    std::set<std::string> writable;
    std::vector<std::string> triedPaths;
    bool explorerBar = false;
    std::set<std::uint32_t> watchdogs{kWatchdog};

    bool KeyReachesWindow(ProbeKey key) override { return reaching.count(key) != 0; }
    DialogOutcome OpenDialog(ProbeDialog dialog) override {
        const auto found = dialogs.find(dialog);
        return found == dialogs.end() ? DialogOutcome::TakenOver : found->second;
    }
    bool CanWrite(const std::string& path) override {
        triedPaths.push_back(path);
        return writable.count(path) != 0;
    }
    bool ExplorerTaskBarExists() override { return explorerBar; }
    bool WatchdogRunning(std::uint32_t processId) override {
        return watchdogs.count(processId) != 0;
    }
};

class LockDownCheckTest : public ::testing::Test {
  protected:
    LockDownCheckTest() {
        definition.NoRun = 1;
        definition.NoChangePwd = 1;
        definition.IOStartFolder = "C:\\Kiosk\\Files";
        definition.AdminPasswordHash = "pbkdf2$...";
        WriteSessionRecordValues(settings, {"C:\\Kiosk\\Desk.vla", kBar, kProcess, 0});
        SetShell("explorer.exe");
    }

    void SetShell(const std::string& shell) {
        settings.WriteSetting("HKLM", kWinlogon, "Shell", "S", shell);
    }
    void Apply(RegistryPort& through) {
        Settings applying(through, profile);
        failures = ApplyComputerSecurityKept(definition, {applying, system});
    }
    LockDownSubject Subject() {
        return {.definition = definition,
                .definitionPath = "C:\\Kiosk\\Desk.vla",
                .settings = settings,
                .applyFailures = failures,
                .programFolder = "C:\\Program Files\\Vallora",
                .programPath = "C:\\Program Files\\Vallora\\Vallora.exe",
                .processId = kProcess,
                .taskBarWindow = kBar,
                .watchdogProcessId = kWatchdog};
    }
    std::vector<CheckRow> Check() { return RunLockDownCheck(Subject(), probes, language); }

    MemoryRegistry memory;
    DryRunProfile profile;
    DryRunSystem system;
    Settings settings{memory, profile};
    NoLanguageFiles files;
    Language language{settings, files, "C:\\Program Files\\Vallora"};
    Definition definition;
    std::vector<WriteFailure> failures;
    ScriptedProbes probes;
};

TEST_F(LockDownCheckTest, ARefusedRestrictionIsTheOneOpenRowWithTheRefusalAsItsReason) {
    ValueRefusingRegistry refusing(memory, Hive::CurrentUser, kSystem, "DisableChangePassword");
    Apply(refusing);
    const std::vector<CheckRow> restrictions = Rows(Check(), kMsgCheckRestriction);
    ASSERT_GT(restrictions.size(), 5u);
    const std::vector<std::string> open = OpenRows(restrictions);
    ASSERT_EQ(open, std::vector<std::string>{"Restriction DisableChangePassword = 1 (HKCU\\" +
                                             kSystem + ")"});
    const auto refused =
        std::find_if(restrictions.begin(), restrictions.end(),
                     [](const CheckRow& r) { return r.state == CheckState::Open; });
    EXPECT_EQ(refused->remedy, FillPlaceholder(BuiltInMessage(kMsgCheckRefused), "5"));
    for (const CheckRow& row : restrictions) {
        if (row.state == CheckState::Held) {
            EXPECT_EQ(row.remedy, "") << row.what;
        }
    }

    // Applied in full, and then one value changed by someone else.
    Apply(memory);
    settings.WriteSetting("HKLM",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                          "NoRun", "D", int32_t{0});
    const std::vector<CheckRow> changed = Rows(Check(), kMsgCheckRestriction);
    ASSERT_EQ(OpenRows(changed).size(), 1u);
    const auto noRun = std::find_if(changed.begin(), changed.end(),
                                    [](const CheckRow& r) { return r.state == CheckState::Open; });
    EXPECT_TRUE(noRun->what.starts_with("Restriction NoRun = 1 (HKLM\\")) << noRun->what;
    EXPECT_EQ(noRun->remedy, FillPlaceholder(BuiltInMessage(kMsgCheckNotInEffect), "0"));
}

TEST_F(LockDownCheckTest, KeyAndDialogRowsFollowTheProbes) {
    Apply(memory);
    probes.reaching = {ProbeKey::AltTab};
    probes.dialogs = {{ProbeDialog::ExplorerOpen, DialogOutcome::TakenOver},
                      {ProbeDialog::ItemOpen, DialogOutcome::LeftOpen},
                      {ProbeDialog::FolderPicker, DialogOutcome::Blocked}};
    const std::vector<CheckRow> rows = Check();
    const std::vector<CheckRow> keys = Rows(rows, kMsgCheckKey);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(OpenRows(keys), std::vector<std::string>{"Keyboard lock: Alt+Tab"});
    EXPECT_EQ(keys[2].remedy, BuiltInMessage(kMsgCheckKeyFix));

    const std::vector<CheckRow> dialogs = Rows(rows, kMsgCheckDialogExplorer);
    ASSERT_EQ(dialogs.size(), 3u);
    const struct {
        CheckState state;
        std::string_view detail;
    } expected[] = {{CheckState::Held, BuiltInMessage(kMsgCheckDialogTaken)},
                    {CheckState::Open, ""},
                    {CheckState::Held, BuiltInMessage(kMsgCheckDialogBlocked)}};
    for (size_t i = 0; i < dialogs.size(); ++i) {
        EXPECT_EQ(dialogs[i].state, expected[i].state) << dialogs[i].what;
        EXPECT_EQ(dialogs[i].detail, expected[i].detail) << dialogs[i].what;
    }
    EXPECT_EQ(dialogs[1].remedy, BuiltInMessage(kMsgCheckDialogFix));
    // A probe that showed no dialog proves nothing.
    probes.dialogs = {{ProbeDialog::ItemOpen, DialogOutcome::NotShown}};
    EXPECT_EQ(OpenRows(Rows(Check(), kMsgCheckDialogExplorer)),
              std::vector<std::string>{std::string(BuiltInMessage(kMsgCheckDialogItem))});
}

TEST_F(LockDownCheckTest, FilesAreTriedWhereAVisitorCouldReplaceWhatTheKioskRuns) {
    probes.writable = {"C:\\Kiosk\\Desk.hta"};
    const std::vector<CheckRow> files = Rows(Check(), kMsgCheckWrite);
    EXPECT_EQ(probes.triedPaths,
              (std::vector<std::string>{"C:\\Program Files\\Vallora", "C:\\Kiosk\\Desk.vla",
                                        "C:\\Kiosk\\Desk.hta", "C:\\Kiosk\\Desk_Icons\\"}));
    EXPECT_EQ(OpenRows(files), std::vector<std::string>{"Write access: C:\\Kiosk\\Desk.hta"});
}

TEST_F(LockDownCheckTest, PasswordShellDesktopAndWatchdogRows) {
    const auto single = [&](std::string_view key) {
        const std::vector<CheckRow> rows = Rows(Check(), key);
        return rows.size() == 1 ? std::optional<CheckRow>(rows[0]) : std::nullopt;
    };
    // The password: only a hash holds.
    const struct {
        const char* password;
        const char* hash;
        std::string_view remedy;
    } passwords[] = {
        {"", "", BuiltInMessage(kMsgCheckPasswordEmpty)},
        {"secret", "", BuiltInMessage(kMsgCheckPasswordReversible)},
        {"", "pbkdf2$...", ""},
    };
    for (const auto& p : passwords) {
        definition.AdminPassword = p.password;
        definition.AdminPasswordHash = p.hash;
        EXPECT_EQ(PasswordRow(definition, language).remedy, p.remedy) << p.password << p.hash;
        EXPECT_EQ(PasswordRow(definition, language).state,
                  p.remedy.empty() ? CheckState::Held : CheckState::Open);
    }

    // Desktop and shell rows appear only where the session asks for them.
    EXPECT_FALSE(single(kMsgCheckDesktop));
    EXPECT_FALSE(single(kMsgCheckShell));
    definition.ReplaceDesktop = 1;
    probes.explorerBar = true;
    ASSERT_TRUE(single(kMsgCheckDesktop));
    EXPECT_EQ(single(kMsgCheckDesktop)->state, CheckState::Open);
    probes.explorerBar = false;
    EXPECT_EQ(single(kMsgCheckDesktop)->state, CheckState::Held);
    const struct {
        const char* shell;
        CheckState state;
    } shells[] = {
        {"\"C:\\Program Files\\Vallora\\Vallora\" C:\\Kiosk\\Desk.vla", CheckState::Held},
        {"\"c:\\program files\\vallora\\VALLORA\" D:\\Other.vla", CheckState::Held},
        {"C:\\Old\\Vallora C:\\Kiosk\\Desk.vla", CheckState::Open},
        {"\"C:\\Program Files\\Vallora\\Vallora\"", CheckState::Open},
        {"", CheckState::Open},
    };
    for (const auto& s : shells) {
        SetShell(s.shell);
        const std::optional<CheckRow> row = single(kMsgCheckShell);
        ASSERT_TRUE(row) << s.shell;
        EXPECT_EQ(row->state, s.state) << s.shell;
        if (s.state == CheckState::Open) {
            EXPECT_EQ(row->remedy, FillPlaceholder(BuiltInMessage(kMsgCheckShellFix), s.shell));
        }
    }

    // The watchdog runs, and the record in either hive names this session.
    EXPECT_EQ(single(kMsgCheckWatchdog)->state, CheckState::Held);
    probes.watchdogs.clear();
    EXPECT_EQ(single(kMsgCheckWatchdog)->state, CheckState::Open);
    EXPECT_EQ(SessionRecordRow(Subject(), language).state, CheckState::Held);
    const struct {
        SessionRecord record;
        CheckState state;
    } records[] = {
        {{"C:\\Kiosk\\Desk.vla", kBar, kProcess + 1, 0}, CheckState::Open},
        {{"C:\\Kiosk\\Desk.vla", kBar + 1, kProcess, 0}, CheckState::Open},
        {{"C:\\Kiosk\\Other.vla", kBar, kProcess, 0}, CheckState::Open},
        {{"C:\\Kiosk\\Desk.vla", kBar, kProcess, 99}, CheckState::Held},
    };
    for (const auto& r : records) {
        WriteSessionRecordValues(settings, r.record);
        EXPECT_EQ(SessionRecordRow(Subject(), language).state, r.state) << r.record.currentFile;
    }
    // Only in HKCU, as for an account that HKLM refuses.
    memory.DeleteSubKey(Hive::LocalMachine, "Software\\Brenmark\\Vallora", "");
    EndSessionRecord(settings);
    EXPECT_EQ(SessionRecordRow(Subject(), language).state, CheckState::Open);
    for (const auto& [name, value] :
         {std::pair<const char*, std::string>{"CurrentFile", "C:\\Kiosk\\Desk.vla"},
          {"Hwnd", std::to_string(kBar)},
          {"PID", std::to_string(kProcess)}}) {
        settings.WriteSetting("HKCU", kSessionRecordKey, name, "S", value);
    }
    EXPECT_EQ(SessionRecordRow(Subject(), language).state, CheckState::Held);
}

TEST(LockDownReport, CountsTheOpenRowsAndGivesEachOpenOneWhatToDo) {
    MemoryRegistry memory;
    DryRunProfile profile;
    Settings settings(memory, profile);
    NoLanguageFiles files;
    const Language language(settings, files, "C:\\Vallora");
    const std::vector<CheckRow> rows = {
        {"Keyboard lock: Alt+Tab", CheckState::Held, "", ""},
        {"File dialog: folder picker", CheckState::Held, "blocked", ""},
        {"Administrator password", CheckState::Open, "", "Set a password."},
    };
    EXPECT_EQ(OpenCount(rows), 1);
    EXPECT_EQ(ReportSummary(rows, language), "Lock-down check: 1 open");
    EXPECT_EQ(ReportText(rows, language, "2026-12-11 12:00:00"),
              "Lock-down check: 1 open, 2026-12-11 12:00:00\r\n\r\n"
              "[held] Keyboard lock: Alt+Tab\r\n"
              "[held (blocked)] File dialog: folder picker\r\n"
              "[open] Administrator password\r\n"
              "    Set a password.\r\n");
}

}  // namespace
}  // namespace vallora::audit_test
