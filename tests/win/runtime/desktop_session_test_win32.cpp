#include <gtest/gtest.h>

#include <filesystem>

#include "language/messages.h"
#include "page/desktop_page.h"
#include "platform/event_log_source.h"
#include "platform/event_log_win32.h"
#include "platform/scripted_ui.h"
#include "platform/shell_folders_win32.h"
#include "runtime/desktop_session_win32.h"
#include "runtime/session_record.h"
#include "security/security_system_win32.h"
#include "session_fakes_win32.h"
#include "storage/definition_file.h"
#include "win/recording_event_log.h"

namespace vallora::runtime_test {
namespace {

constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kExplorerPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

class DesktopSessionTest : public testing::Test {
  protected:
    void TearDown() override {
        for (DWORD id : e2e::ProcessesOf(folder, "mshta.exe")) e2e::EndProcess(id);
        RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &screen, 0);
    }

    // A page the stand-in shows the way it shows a desktop page.
    std::string WritePage(const std::string& name) {
        const std::string path = folder + "\\" + name;
        e2e::WriteText(path, ComposeDesktopPage(Definition{}, path).text);
        return path;
    }
    std::string LastLogLine() {
        const std::vector<std::string> lines = e2e::ReadLines(folder + "\\pagehost.log");
        return lines.empty() ? std::string() : lines.back();
    }

    std::string folder = TestFolder();
    ProgramState state;
    SystemStorage storage;
    Win32LanguageFiles files;
    Language language{storage.settings, files, folder};
    ScriptedUi ui;
    Win32WindowPort windows;
    SecuritySystemWin32 system;
    // The stand-in beside the test program as the HTA host.
    DesktopSession session{
        {state, storage.settings, language, ui, windows, system, folder, folder + "\\mshta.exe"}};
};

UINT ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
}

TEST_F(DesktopSessionTest, LaunchShowsThePageWithoutStoppingTheMessagesAndSendsItDown) {
    UniqueHWND task = MakeTaskWindow("Task");
    const std::string page = WritePage("Launch.hta");
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, CountTick);
    const ULONGLONG start = GetTickCount64();
    session.LaunchDesktopPage(page, true);
    const ULONGLONG elapsed = GetTickCount64() - start;
    KillTimer(nullptr, timer);

    EXPECT_LT(elapsed, 2500u);  // done once the window is there, not after 3 s
    EXPECT_GT(ticks, 0u);
    ASSERT_NE(state.pageProcessId, 0u);
    EXPECT_EQ(state.pagePath, page);
    EXPECT_EQ(LastLogLine(), Quoted(page));
    const HWND window = ToHwnd(state.pageWindow);
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::WindowProcess(window), state.pageProcessId);
    EXPECT_EQ(e2e::TitleOf(window), "Vallora");
    EXPECT_TRUE(e2e::IsAtBottom(window));
    EXPECT_TRUE(e2e::IsAbove(task.get(), window));
}

TEST_F(DesktopSessionTest, TheHtaHostIsTheSystemsEvenWithAnotherBesideTheProgram) {
    // A program named like the host in the program folder (the stand-in lies
    // beside this test) must not be what a session starts by default.
    DesktopSession byDefault{{state, storage.settings, language, ui, windows, system, folder}};
    EXPECT_EQ(e2e::Lower(SystemPageHost()), e2e::Lower(SystemFolder() + "\\mshta.exe"));
    const std::string page = WritePage("SystemHost.hta");
    byDefault.LaunchDesktopPage(page, false);
    EXPECT_NE(LastLogLine(), Quoted(page));
    EXPECT_TRUE(e2e::ProcessesOf(folder, "mshta.exe").empty());
}

TEST_F(DesktopSessionTest, ALaunchEndsThePageThisSessionShowedBefore) {
    session.LaunchDesktopPage(WritePage("First.hta"), false);
    const DWORD first = state.pageProcessId;
    const std::string second = WritePage("Second.hta");
    session.LaunchDesktopPage(second, false);
    EXPECT_TRUE(e2e::WaitFor([&] { return !e2e::IsRunning(first); }, 3000));
    EXPECT_NE(state.pageProcessId, first);
    EXPECT_TRUE(e2e::IsRunning(state.pageProcessId));
    EXPECT_EQ(state.pagePath, second);
}

TEST_F(DesktopSessionTest, AnEndedPageComesBackEvenWhileAnotherHostRuns) {
    session.RestartPageIfGone();  // nothing launched yet: nothing to bring back
    EXPECT_EQ(state.pageProcessId, 0u);

    const std::string page = WritePage("Restart.hta");
    session.LaunchDesktopPage(page, true);
    const DWORD first = state.pageProcessId;
    session.RestartPageIfGone();
    EXPECT_EQ(state.pageProcessId, first);

    // Another program's page keeps running in a host of the same name.
    const std::string other = folder + "\\Other.hta";
    e2e::WriteText(other, e2e::TaskPageText("Other", 50, 50));
    e2e::StartedProgram otherHost =
        e2e::StartProgram(Quoted(folder + "\\mshta.exe") + " " + Quoted(other));
    ASSERT_NE(otherHost.id, 0u);
    // The other host logs its start itself; wait so its line cannot land after the relaunch's.
    ASSERT_TRUE(e2e::WaitFor([&] { return LastLogLine() == Quoted(other); }, 5000));
    e2e::EndProcess(first);
    session.RestartPageIfGone();
    EXPECT_NE(state.pageProcessId, first);
    EXPECT_TRUE(e2e::IsRunning(state.pageProcessId));
    EXPECT_EQ(state.pagePath, page);
    EXPECT_EQ(LastLogLine(), Quoted(page));
    EXPECT_TRUE(e2e::IsRunning(otherHost.id));
}

TEST_F(DesktopSessionTest, StartupLinesStartEachProgramOnceAndSkipEmptyLines) {
    const std::string one = folder + "\\StartOne.hta";
    const std::string two = folder + "\\StartTwo.hta";
    e2e::WriteText(one, e2e::TaskPageText("Start one", 10, 10));
    e2e::WriteText(two, e2e::TaskPageText("Start two", 40, 40));
    const std::string host = Quoted(folder + "\\mshta.exe") + " ";
    state.definition.StartUp = "  " + host + Quoted(one) + "  \r\n\r\n   \r\n" + host + Quoted(two);
    session.RunStartupFiles();
    // Each host writes its command tail to the log as it starts.
    std::vector<std::string> last;
    EXPECT_TRUE(e2e::WaitFor(
        [&] {
            const std::vector<std::string> log = e2e::ReadLines(folder + "\\pagehost.log");
            if (log.size() < 2) return false;
            last.assign(log.end() - 2, log.end());
            std::sort(last.begin(), last.end());
            return last == std::vector<std::string>{Quoted(one), Quoted(two)};
        },
        5000));
    EXPECT_EQ(last, (std::vector<std::string>{Quoted(one), Quoted(two)}));
}

TEST_F(DesktopSessionTest, TheSessionRecordNamesTheBarItsProcessAndThePage) {
    UniqueHWND bar = MakeTaskWindow("Bar");
    session.LaunchDesktopPage(WritePage("Record.hta"), true);
    session.WriteSessionRecord("C:\\My Desks\\Kiosk.vla", bar.get());
    const std::string key = kSessionRecordKey;
    EXPECT_EQ(e2e::RegText(HKEY_LOCAL_MACHINE, key, "CurrentFile"), "C:\\My Desks\\Kiosk.vla");
    EXPECT_EQ(e2e::RegText(HKEY_LOCAL_MACHINE, key, "Hwnd"),
              std::to_string(reinterpret_cast<std::uintptr_t>(bar.get())));
    EXPECT_EQ(e2e::RegText(HKEY_LOCAL_MACHINE, key, "PID"), std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(e2e::RegText(HKEY_LOCAL_MACHINE, key, "DesktopPID"),
              std::to_string(state.pageProcessId));
    // No watchdog beside the test program: the session runs without one.
    EXPECT_EQ(state.watchdogProcessId, 0u);

    // The end marks the record, so no watchdog restarts the session.
    session.CloseSession();
    EXPECT_EQ(e2e::RegText(HKEY_LOCAL_MACHINE, key, "Hwnd"), "0");
    EXPECT_EQ(e2e::RegText(HKEY_LOCAL_MACHINE, key, "CurrentFile"), "C:\\My Desks\\Kiosk.vla");
}

// The system registry, with every change below HKLM refused as for a
// standard account.
class MachineRefusingRegistry : public RegistryPort {
  public:
    explicit MachineRefusingRegistry(RegistryPort& target) : target_(target) {}
    long ReadValue(Hive h, const std::string& k, const std::string& n, RegistryValue& v) override {
        return target_.ReadValue(h, k, n, v);
    }
    long WriteValue(Hive h, const std::string& k, const RegistryValue& v) override {
        return h == Hive::LocalMachine ? kStatusAccessDenied : target_.WriteValue(h, k, v);
    }
    long DeleteValue(Hive h, const std::string& k, const std::string& n) override {
        return h == Hive::LocalMachine ? kStatusAccessDenied : target_.DeleteValue(h, k, n);
    }
    long DeleteSubKey(Hive h, const std::string& k, const std::string& s) override {
        return h == Hive::LocalMachine ? kStatusAccessDenied : target_.DeleteSubKey(h, k, s);
    }
    long EnumSubKeyNames(Hive h, const std::string& k, std::vector<std::string>& n) override {
        return target_.EnumSubKeyNames(h, k, n);
    }
    long EnumValues(Hive h, const std::string& k, std::vector<RegistryValue>& v) override {
        return target_.EnumValues(h, k, v);
    }

  private:
    RegistryPort& target_;
};

TEST_F(DesktopSessionTest, WithHklmRefusedTheRecordAndTheKeptValuesGoToHkcu) {
    MachineRefusingRegistry refusing(storage.registry);
    Settings limited(refusing, storage.profile);
    DesktopSession standard{{state, limited, language, ui, windows, system, folder}};
    const std::string key = kSessionRecordKey;
    storage.settings.WriteSetting("HKLM", key, "Hwnd", "S", std::string("0"));
    UniqueHWND bar = MakeTaskWindow("Bar");
    const size_t logged = e2e::ReadLines(EventLogPath()).size();
    standard.WriteSessionRecord("C:\\My Desks\\Standard.vla", bar.get());
    EXPECT_EQ(e2e::RegText(HKEY_CURRENT_USER, key, "CurrentFile"), "C:\\My Desks\\Standard.vla");
    EXPECT_EQ(e2e::RegText(HKEY_CURRENT_USER, key, "Hwnd"),
              std::to_string(reinterpret_cast<std::uintptr_t>(bar.get())));
    EXPECT_EQ(e2e::RegText(HKEY_LOCAL_MACHINE, key, "Hwnd"), "0");

    // The HKCU values are kept and applied; the HKLM ones are reported.
    state.definition.NoLogoff = state.definition.NoRun = 1;
    standard.ApplyComputerSecurity();
    EXPECT_EQ(e2e::RegDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoLogoff"), 1);
    ASSERT_FALSE(standard.ApplyFailures().empty());
    EXPECT_EQ(standard.ApplyFailures().front().hive, Hive::LocalMachine);
    EXPECT_EQ(standard.ApplyFailures().front().status, kStatusAccessDenied);
    // Both go to the session log, one line each, and the session goes on.
    const std::vector<std::string> lines = e2e::ReadLines(EventLogPath());
    ASSERT_GT(lines.size(), logged);
    const auto logs = [&](const std::string& text) {
        return std::any_of(
            lines.begin() + static_cast<std::ptrdiff_t>(logged), lines.end(),
            [&](const std::string& line) { return line.find(text) != std::string::npos; });
    };
    EXPECT_TRUE(logs("Session record written to HKCU: HKLM refused it"));
    EXPECT_TRUE(
        logs("Restriction not written: HKLM\\Software\\Microsoft\\Windows\\CurrentVersion"
             "\\Policies\\Explorer [NoRun]: error 5"));

    standard.CloseSession();
    EXPECT_EQ(e2e::RegText(HKEY_CURRENT_USER, key, "Hwnd"), "0");
    HKEY journal = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brenmark\\Vallora\\Backup\\Values", 0,
                            KEY_READ, &journal),
              ERROR_SUCCESS);
    storage.settings.DeleteKeyTree("HKCU", "Software\\Brenmark", "");
}

// The audit lines among the session log's lines after the first `skip`,
// without their time stamps ("YYYY-MM-DD hh:mm:ss ").
std::vector<std::string> LoggedAuditTexts(size_t skip) {
    const std::vector<std::string> lines = e2e::ReadLines(EventLogPath());
    std::vector<std::string> texts;
    for (size_t i = skip; i < lines.size(); ++i) {
        const std::string text = lines[i].size() > 20 ? lines[i].substr(20) : "";
        for (int event = 0; event <= static_cast<int>(AuditEvent::SelfCheck); ++event) {
            if (text.starts_with(AuditEventName(static_cast<AuditEvent>(event)))) {
                texts.push_back(text);
                break;
            }
        }
    }
    return texts;
}

TEST_F(DesktopSessionTest, TheAuditTrailGoesToTheSessionLogAndTheEventLogAlike) {
    struct Case {
        const char* name;
        bool machineRefused;
    };
    for (const Case c : {Case{"administrator", false}, Case{"standard account", true}}) {
        SCOPED_TRACE(c.name);
        storage.settings.DeleteKeyTree("HKLM", kEventLogSourceKey, "");
        MachineRefusingRegistry refusing(storage.registry);
        Settings limited(refusing, storage.profile);
        RecordingEventLog events;
        DesktopSession audited{{state, c.machineRefused ? limited : storage.settings, language, ui,
                                windows, system, folder, folder + "\\mshta.exe", &events}};
        const size_t logged = e2e::ReadLines(EventLogPath()).size();
        state.definition = Definition{};
        state.definition.NoRun = 1;

        audited.BeginSession("C:\\Desks\\Kiosk.vla");
        audited.ApplyComputerSecurity();
        audited.CloseSession();

        // The source is registered where the account may; the entries go out either way.
        RegistryValue messageFile;
        EXPECT_EQ(storage.registry.ReadValue(Hive::LocalMachine, kEventLogSourceKey,
                                             "EventMessageFile", messageFile),
                  c.machineRefused ? kStatusNotFound : kStatusOk);
        if (!c.machineRefused) {
            EXPECT_EQ(messageFile.type, kRegExpandSz);
            EXPECT_EQ(std::string(messageFile.data.begin(), messageFile.data.end() - 1),
                      folder + "\\Vallora.exe");
            EXPECT_EQ(e2e::RegDword(HKEY_LOCAL_MACHINE, kEventLogSourceKey, "TypesSupported"),
                      kEventLogTypesSupported);
        }
        ASSERT_GE(events.entries.size(), 2u);
        EXPECT_EQ(events.entries.front(), (EventLogEntry{EventLogType::Information, 1000,
                                                         "Session start: C:\\Desks\\Kiosk.vla"}));
        EXPECT_EQ(events.entries.back(),
                  (EventLogEntry{EventLogType::Information, 1001,
                                 "Session end: C:\\Desks\\Kiosk.vla, closed"}));
        const std::vector<EventLogEntry> refused = events.Of(AuditEvent::RestrictionNotWritten);
        EXPECT_EQ(refused.size(), c.machineRefused ? events.entries.size() - 2 : 0u);
        for (const EventLogEntry& entry : refused) {
            EXPECT_EQ(entry.type, EventLogType::Warning);
            EXPECT_TRUE(entry.text.starts_with("Restriction not written: HKLM\\")) << entry.text;
        }
        // Every entry is also a line of the session log, in the same order.
        std::vector<std::string> texts;
        for (const EventLogEntry& entry : events.entries) texts.push_back(entry.text);
        EXPECT_EQ(LoggedAuditTexts(logged), texts);
        // A session ends once.
        audited.EndForWindowsLogOff();
        EXPECT_EQ(events.Of(AuditEvent::SessionEnd).size(), 1u);
    }
    storage.settings.DeleteKeyTree("HKLM", kEventLogSourceKey, "");
    storage.settings.DeleteKeyTree("HKCU", "Software\\Brenmark", "");
}

TEST(EventLogMessages, VallorasMessageTableShowsEachAuditTextAsGiven) {
    UniqueHMODULE program(
        LoadLibraryExA(e2e::WinePath(VALLORA_PROGRAM).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(program);
    for (int event = 0; event <= static_cast<int>(AuditEvent::SelfCheck); ++event) {
        const EventLogEntry entry = AuditEventLogEntry(static_cast<AuditEvent>(event), "50% done");
        DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(entry.text.c_str())};
        char shown[256] = {};
        const DWORD length =
            FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           program.get(), entry.id, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                           shown, sizeof(shown), reinterpret_cast<va_list*>(arguments));
        EXPECT_EQ(std::string(shown, length), entry.text + "\r\n") << entry.id;
    }
}

TEST_F(DesktopSessionTest, ClosingEndsThePageResetsTheRestrictionsAndGivesTheScreenBack) {
    session.LaunchDesktopPage(WritePage("Close.hta"), true);
    const DWORD page = state.pageProcessId;
    state.definition.NoLogoff = 1;
    state.definition.NoAdministrativeTasks = 1;
    session.ReserveWorkArea();
    session.ApplyComputerSecurity();
    EXPECT_TRUE(session.KeyboardLocked());
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(area.bottom, GetSystemMetrics(SM_CYSCREEN) - 30);
    EXPECT_EQ(e2e::RegDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoLogoff"), 1);

    session.CloseSession();
    EXPECT_FALSE(session.KeyboardLocked());
    EXPECT_TRUE(e2e::WaitFor([&] { return !e2e::IsRunning(page); }, 3000));
    EXPECT_EQ(e2e::RegDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoLogoff"), 0);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(area.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(area.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(ui.Asked().empty());  // the shell is Explorer: no question

    // After the end nothing brings the page back.
    session.RestartPageIfGone();
    EXPECT_FALSE(e2e::IsRunning(state.pageProcessId));
}

TEST_F(DesktopSessionTest, ClosingWithTheShellReplacedAsksWhetherToRestoreIt) {
    const std::string replaced = "C:\\Kiosk\\Vallora C:\\Desks\\Kiosk.vla";
    const struct {
        MessageResult answer;
        const char* shellAfter;
        size_t questions;
    } cases[] = {
        {MessageResult::No, "C:\\Kiosk\\Vallora C:\\Desks\\Kiosk.vla", 1},
        {MessageResult::Yes, "explorer.exe", 2},
    };
    for (const auto& c : cases) {
        storage.settings.WriteSetting("HKLM", kWinlogon, "Shell", "S", replaced);
        ScriptedUi answers;
        answers.AnswerMessage(c.answer);
        answers.AnswerMessage(MessageResult::Ok);
        DesktopSession closing{
            {state, storage.settings, language, answers, windows, system, folder}};
        closing.CloseSession();
        EXPECT_EQ(e2e::RegText(HKEY_LOCAL_MACHINE, kWinlogon, "Shell"), c.shellAfter);
        ASSERT_EQ(answers.Asked().size(), c.questions);
        const MessageRequest& ask = answers.Asked()[0].message;
        EXPECT_EQ(ask.text, BuiltInMessage(kMsgShellRestoreAsk));
        EXPECT_EQ(ask.buttons, MessageButtons::YesNo);
        EXPECT_EQ(ask.icon, MessageIcon::Exclamation);
        EXPECT_EQ(ask.title, "Vallora");
        if (c.questions == 2) {
            EXPECT_EQ(answers.Asked()[1].message.text, BuiltInMessage(kMsgShellRestored));
            EXPECT_EQ(answers.Asked()[1].message.icon, MessageIcon::Information);
        }
    }
    storage.settings.WriteSetting("HKLM", kWinlogon, "Shell", "S", std::string("explorer.exe"));
}

TEST_F(DesktopSessionTest, ClosingClearsTheStartFolderOnlyAtTheEndOfADesktopSession) {
    const std::string start = folder + "\\CloseStart";
    CreateDirectoryA(start.c_str(), nullptr);
    state.definition.IOStartFolder = start;
    state.definition.ClearStartFolder = 1;
    // The editor's Exit closes too, with no desktop: the folder stays.
    e2e::WriteText(start + "\\cv.doc", "x");
    session.CloseSession();
    EXPECT_NE(GetFileAttributesA((start + "\\cv.doc").c_str()), INVALID_FILE_ATTRIBUTES);

    state.taskList = std::make_unique<CTaskList>(windows);
    for (const int clear : {0, 1}) {
        state.definition.ClearStartFolder = clear;
        session.CloseSession();
        EXPECT_EQ(GetFileAttributesA((start + "\\cv.doc").c_str()) == INVALID_FILE_ATTRIBUTES,
                  clear == 1);
    }
    RemoveDirectoryA(start.c_str());
}

TEST_F(DesktopSessionTest, TheResetLeavesTheSessionsOwnProcesses) {
    state.pageProcessId = 4242;
    state.watchdogProcessId = 4343;
    const struct {
        std::uint32_t id;
        std::string path;
        bool kept;
    } cases[] = {
        {GetCurrentProcessId(), "", true},
        {4242, "C:\\x\\mshta.exe", true},
        {4343, "", true},
        {77, folder + "\\VALLORA.EXE", true},
        {78, folder + "\\ValloraRun.exe", true},
        {79, "C:\\Other\\Vallora.exe", false},
        {80, folder + "\\mshta.exe", false},
    };
    for (const auto& c : cases) EXPECT_EQ(session.IsSessionProcess(c.id, c.path), c.kept) << c.id;
    state.definition.IdleReset = 10;
    state.definition.IdleWarning = -1;
    EXPECT_EQ(session.IdleResetTimes().resetSeconds, 30);
    EXPECT_EQ(session.IdleResetTimes().warningSeconds, 30);
}

TEST_F(DesktopSessionTest, ChoosingAPageAsksForAnHtaFile) {
    ui.AnswerOpenFile("C:\\Desks\\Other.hta");
    ui.AnswerOpenFile(std::nullopt);
    EXPECT_EQ(session.ChooseDesktopPage(77), "C:\\Desks\\Other.hta");
    EXPECT_EQ(session.ChooseDesktopPage(77), "");
    ASSERT_EQ(ui.Asked().size(), 2u);
    EXPECT_EQ(ui.Asked()[0].file.filter, "Vallora | *.hta");
    EXPECT_EQ(ui.Asked()[0].file.fileName, "");
    EXPECT_EQ(ui.Asked()[0].file.owner, 77u);
}

TEST_F(DesktopSessionTest, PreviewWritesThePreviewPageAndReplacesTheLastOne) {
    state.definition.Entry(0, 0).URL = "C:\\windows\\notepad.exe";
    state.definition.Entry(0, 0).DisplayName = "Notepad";
    UniqueHWND task = MakeTaskWindow("Task");
    session.PreviewDesktop();
    const DWORD first = state.pageProcessId;
    const std::string page = folder + "\\ValloraPreview.hta";
    EXPECT_EQ(state.pagePath, page);
    EXPECT_EQ(LastLogLine(), Quoted(page));
    std::string text;
    ASSERT_EQ(ReadWholeFile(page, &text, nullptr), FileReadStatus::Read);
    EXPECT_NE(text.find("Notepad"), std::string::npos);
    // Not sent to the bottom: the preview stays in front.
    EXPECT_TRUE(e2e::IsAbove(ToHwnd(state.pageWindow), task.get()));

    session.PreviewDesktop();
    EXPECT_TRUE(e2e::WaitFor([&] { return !e2e::IsRunning(first); }, 3000));
    EXPECT_TRUE(e2e::IsRunning(state.pageProcessId));
}

TEST_F(DesktopSessionTest, APreviewTheProgramFolderCannotTakeGoesToTheTemporaryFolder) {
    state.definition.Entry(0, 0).URL = "C:\\windows\\notepad.exe";
    state.definition.Entry(0, 0).DisplayName = "Unwritten";
    // A program folder nobody may write stands in for one under Program Files.
    const std::string unwritable = folder + "\\NoSuchFolder";
    DesktopSession preview{{state, storage.settings, language, ui, windows, system, unwritable}};
    preview.PreviewDesktop(77);
    const std::string page = TemporaryFolder() + "ValloraPreview.hta";
    EXPECT_EQ(state.pagePath, page);
    EXPECT_EQ(LastLogLine(), Quoted(page));
    std::string text;
    ASSERT_EQ(ReadWholeFile(page, &text, nullptr), FileReadStatus::Read);
    EXPECT_NE(text.find("Unwritten"), std::string::npos);
    EXPECT_TRUE(ui.Asked().empty());

    // Written nowhere: said as a failed save is, and the older page is not shown.
    char temp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", temp, MAX_PATH);
    SetEnvironmentVariableA("TMP", unwritable.c_str());
    const DWORD shown = state.pageProcessId;
    preview.PreviewDesktop(77);
    SetEnvironmentVariableA("TMP", temp[0] ? temp : nullptr);
    EXPECT_EQ(state.pageProcessId, shown);
    ASSERT_EQ(ui.Asked().size(), 1u);
    const MessageRequest& report = ui.Asked()[0].message;
    EXPECT_EQ(report.text.rfind(std::string(BuiltInMessage(kMsgErrorsOccoured)) + "\r\n", 0), 0u)
        << report.text;
    EXPECT_EQ(report.icon, MessageIcon::Critical);
    EXPECT_EQ(report.owner, 77u);
    std::error_code ignored;
    std::filesystem::remove_all(IconFolderOf(page), ignored);
    std::filesystem::remove(page, ignored);
    std::filesystem::remove(page.substr(0, page.size() - 3) + "vla", ignored);
}

TEST_F(DesktopSessionTest, ShowingTheRunningDefinitionReloadsItFromItsFile) {
    Definition saved;
    saved.AdminPassword = "FromFile";
    const std::string path = folder + "\\Running.vla";
    ASSERT_TRUE(SaveDefinition(saved, path, nullptr));
    state.lastOpenedPath = path;
    state.definition.AdminPassword = "edited";
    session.ShowRunningDefinition(0);
    EXPECT_EQ(state.definition.AdminPassword, "FromFile");
    EXPECT_EQ(state.currentDefinitionPath, path);
}

TEST_F(DesktopSessionTest, TheLockDownCheckRunsOnceAtATimeOverTheBar) {
    session.CheckLockDown(42);  // nothing connected: nothing happens
    std::vector<WindowId> owners;
    session.SetLockDownCheck([&](WindowId owner) {
        owners.push_back(owner);
        // The check lets the bar's messages run: a second request meanwhile.
        session.CheckLockDown(owner + 1);
    });
    session.CheckLockDown(42);
    session.CheckLockDown(43);
    EXPECT_EQ(owners, (std::vector<WindowId>{42, 43}));
}

}  // namespace
}  // namespace vallora::runtime_test
