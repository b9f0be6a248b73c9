// The lock-down check inside a desktop session under Wine: restrictions
// applied through a registry that refuses one value, the keyboard lock's
// hook, and the dialog guard driven by a timer as the task bar drives it.
#include <gtest/gtest.h>

#include <algorithm>

#include "audit/frm_lock_down_check_win32.h"
#include "audit/lock_down_report.h"
#include "audit/session_check_win32.h"
#include "language/messages.h"
#include "platform/event_log_win32.h"
#include "platform/profile_win32.h"
#include "platform/registry_win32.h"
#include "platform/scripted_ui.h"
#include "runtime/desktop_session_win32.h"
#include "security/security_system_win32.h"
#include "storage/whole_file.h"
#include "unit/audit/check_rows.h"
#include "unit/audit/value_refusing_registry.h"
#include "win/runtime/session_fakes_win32.h"

namespace vallora::audit_test {
namespace {

const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kRefusedRow = "Restriction DisableChangePassword = 1 (HKCU\\" + kSystem + ")";
constexpr UINT kGuardTickMs = 100;

// The session whose guard the timer ticks, as the task bar's 100 ms timer does.
DesktopSession* guarded = nullptr;
void CALLBACK GuardTick(HWND, UINT, UINT_PTR, DWORD) {
    if (guarded) guarded->WatchDialogs();
}

class LockDownCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Earlier sessions in this prefix may have left the refused value set:
        // the refusal must leave it missing.
        ForgetRefusedValue();
        Definition& definition = state.definition;
        definition.NoRun = 1;
        definition.IOStartFolder = folder + "\\Files";
        definition.NoChangePwd = 1;
        definition.NoLogoff = 1;
        definition.AdminPasswordHash = "kept as a hash";
        state.lastOpenedPath = folder + "\\Kiosk.vla";
    }
    void TearDown() override {
        StopGuard();
        session.EndForWindowsLogOff();
        ForgetRefusedValue();
        RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &screen, 0);
    }

    static void ForgetRefusedValue() {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kSystem.c_str(), "DisableChangePassword");
    }

    // The test's seam: the guard runs only while the timer ticks it.
    void StartGuard() {
        guarded = &session;
        guardTimer_ = SetTimer(nullptr, 0, kGuardTickMs, GuardTick);
    }
    void StopGuard() {
        if (guardTimer_) KillTimer(nullptr, guardTimer_);
        guardTimer_ = 0;
        guarded = nullptr;
    }

    SessionCheckResult Check() {
        return RunSessionCheck({session, state, settings, language, folder}, nullptr);
    }

    std::string folder = runtime_test::TestFolder();
    ProgramState state;
    RegistryWin32 system32Registry;
    // The account may not write one value, as a key with tighter rights would.
    ValueRefusingRegistry registry{system32Registry, Hive::CurrentUser, kSystem,
                                   "DisableChangePassword"};
    ProfileWin32 profile;
    Settings settings{registry, profile};
    Win32LanguageFiles files;
    Language language{settings, files, folder};
    ScriptedUi ui;
    Win32WindowPort windows;
    SecuritySystemWin32 system;
    DesktopSession session{{state, settings, language, ui, windows, system, folder}};

  private:
    UINT_PTR guardTimer_ = 0;
};

TEST_F(LockDownCheckTest, WithGuardAndHookRunningOnlyTheRefusedValueIsOpenAndTheReportIsSaved) {
    state.definition.NoAdministrativeTasks = 1;  // the keyboard lock's switch
    session.ApplyComputerSecurity();
    ASSERT_TRUE(session.KeyboardLocked());
    StartGuard();
    const SessionCheckResult result = Check();
    const std::vector<CheckRow>& rows = result.rows;

    const std::vector<CheckRow> restrictions = Rows(rows, kMsgCheckRestriction);
    ASSERT_GT(restrictions.size(), 10u);
    EXPECT_EQ(Whats(restrictions, CheckState::Open), std::vector<std::string>{kRefusedRow});
    for (const CheckRow& row : Rows(rows, kMsgCheckKey)) {
        EXPECT_EQ(row.state, CheckState::Held) << row.what;
    }
    const std::vector<CheckRow> dialogs = Rows(rows, kMsgCheckDialogExplorer);
    ASSERT_EQ(dialogs.size(), 3u);
    const std::string_view details[] = {BuiltInMessage(kMsgCheckDialogTaken),
                                        BuiltInMessage(kMsgCheckDialogTaken),
                                        BuiltInMessage(kMsgCheckDialogBlocked)};
    for (size_t i = 0; i < dialogs.size(); ++i) {
        EXPECT_EQ(dialogs[i].state, CheckState::Held) << dialogs[i].what;
        EXPECT_EQ(dialogs[i].detail, details[i]) << dialogs[i].what;
    }
    // The check closed what it opened: no restricted dialog, no notice.
    EXPECT_TRUE(session.Guard().RestrictedDialogs().empty());
    EXPECT_FALSE(session.Guard().FunctionBlocked().IsOpen());

    // The same report as text beside the event log, and its summary in the log.
    ASSERT_EQ(result.reportPath, LockDownReportPath());
    std::string text;
    ASSERT_EQ(ReadWholeFile(result.reportPath, &text, nullptr), FileReadStatus::Read);
    EXPECT_TRUE(text.starts_with(ReportSummary(rows, language) + ", ")) << text;
    for (const CheckRow& row : rows) EXPECT_NE(text.find("] " + row.what + "\r\n"), text.npos);
    std::string log;
    ReadWholeFile(EventLogPath(), &log, nullptr);
    EXPECT_NE(log.find(ReportSummary(rows, language) + "; "), log.npos);
    EXPECT_NE(log.find(kRefusedRow), log.npos);

    // The report window shows every row; its picture goes to the screenshots.
    frmLockDownCheck report(language);
    ASSERT_TRUE(report.Load(nullptr, rows, result.reportPath));
    ShowWindow(report.Hwnd(), SW_SHOW);
    UpdateWindow(report.Hwnd());
    ProcessPendingMessages();
    ASSERT_EQ(report.RowCount(), static_cast<int>(rows.size()));
    for (int i = 0; i < report.RowCount(); ++i) {
        EXPECT_EQ(report.Cell(i, 0), rows[i].what);
        EXPECT_EQ(report.Cell(i, 1), StateText(rows[i], language));
        EXPECT_EQ(report.Cell(i, 2), rows[i].remedy);
    }
    // The first open row is shown in full below the list.
    const auto open = std::find_if(rows.begin(), rows.end(), [](const CheckRow& row) {
        return row.state == CheckState::Open;
    });
    ASSERT_NE(open, rows.end());
    EXPECT_EQ(report.Text("txtDetails"),
              open->what + "\r\n" + StateText(*open, language) + "\r\n" + open->remedy);
    const std::string shots = e2e::WinePath(VALLORA_SCREENSHOTS);
    CreateDirectoryA(shots.c_str(), nullptr);
    EXPECT_TRUE(e2e::SaveScreenshot(shots + "\\lock-down-check.bmp"));
}

TEST_F(LockDownCheckTest, WithGuardAndHookSwitchedOffTheirRowsAreOpen) {
    session.ApplyComputerSecurity();  // no keyboard lock without its switch
    ASSERT_FALSE(session.KeyboardLocked());
    const std::vector<CheckRow> rows = Check().rows;
    const std::vector<CheckRow> keys = Rows(rows, kMsgCheckKey);
    const std::vector<CheckRow> dialogs = Rows(rows, kMsgCheckDialogExplorer);
    ASSERT_EQ(keys.size(), 4u);
    ASSERT_EQ(dialogs.size(), 3u);
    for (const auto* group : {&keys, &dialogs}) {
        for (const CheckRow& row : *group) {
            EXPECT_EQ(row.state, CheckState::Open) << row.what;
            EXPECT_FALSE(row.remedy.empty()) << row.what;
        }
    }
    // The probes left nothing of theirs behind.
    EXPECT_TRUE(e2e::ProcessesOf(folder, "ValloraDialogProbe.exe").empty());
}

}  // namespace
}  // namespace vallora::audit_test
