#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "guard/dialog_watcher_win32.h"
#include "guard/guard_windows_win32.h"
#include "language/language_files_win32.h"
#include "platform/form_win32.h"
#include "platform/profile_win32.h"
#include "platform/ui_seam_win32.h"
#include "platform/window_port_win32.h"
#include "storage/ascii_case.h"
#include "storage/memory_registry.h"
#include "win/recording_event_log.h"
#include "win/taskbar/test_processes_win32.h"

namespace vallora {
namespace {

using testing::ChildProcess;

// Every wait of these tests ends after this long at the latest.
constexpr DWORD kBoundMs = 15000;
constexpr DWORD kTickMs = 100;

// Runs this thread's messages as the program's message loop does, with the
// dialog keys of its forms.
void RunMessages() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (PreTranslateFormMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND DialogOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char name[64] = {};
            GetClassNameA(window, name, sizeof(name));
            if (owner != s->processId || std::string(name) != "#32770") return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ReadFileText(const std::string& path) {
    std::string text;
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[1024];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof(buffer), in)) > 0;)
            text.append(buffer, n);
        std::fclose(in);
    }
    return text;
}

// The text of another program's edit box, which only the box itself knows.
std::string EditText(HWND edit) {
    char text[260] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(edit, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

// A program with one dialog open, started by guard_dialog_host.
struct HostedDialog {
    ChildProcess process;
    std::string resultFile;
    HWND dialog = nullptr;
};

class DialogGuardWin32Test : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_ = testing::MakeScratchFolder("guard");
        elsewhere_ = scratch_ + "\\Elsewhere";
        CreateDirectoryA(elsewhere_.c_str(), nullptr);
        definition.NoRun = 1;
        definition.IOStartFolder = scratch_ + "\\Kiosk";
    }

    // Runs this thread's messages, with a guard tick every 100 ms, until the
    // condition holds or the time is up.
    template <typename Condition>
    bool TickUntil(Condition condition, DWORD timeoutMs = kBoundMs) {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        ULONGLONG nextTick = 0;
        for (;;) {
            RunMessages();
            if (GetTickCount64() >= nextTick) {
                watcher.WatchDialogs(definition);
                nextTick = GetTickCount64() + kTickMs;
            }
            if (condition()) return true;
            if (GetTickCount64() >= deadline) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    // Runs messages only, without guard ticks.
    template <typename Condition>
    bool PumpUntil(Condition condition, DWORD timeoutMs = kBoundMs) {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        for (;;) {
            RunMessages();
            if (condition()) return true;
            if (GetTickCount64() >= deadline) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

    HostedDialog StartHost(const std::string& mode) {
        HostedDialog host;
        host.resultFile = scratch_ + "\\result" + std::to_string(++hosts_) + ".txt";
        host.process = ChildProcess(testing::ThisProgramFolder() + "\\guard_dialog_host.exe",
                                    mode + " \"" + host.resultFile + "\" \"" + elsewhere_ + "\"");
        EXPECT_TRUE(host.process.Started());
        testing::WaitUntil([&] { return (host.dialog = DialogOf(host.process.Id())) != nullptr; },
                           kBoundMs);
        EXPECT_NE(host.dialog, nullptr);
        return host;
    }
    // What the program's dialog gave back once the program has ended.
    std::string Result(HostedDialog& host) {
        if (!PumpUntil([&] { return !host.process.Running(); })) return "still running";
        return ReadFileText(host.resultFile);
    }

    // Waits for the take-over of the host's dialog; the restricted dialog or null.
    frmCommonDialog* TakenOver(const HostedDialog& host) {
        TickUntil([&] { return !watcher.RestrictedDialogs().empty(); });
        if (watcher.RestrictedDialogs().size() != 1) return nullptr;
        EXPECT_TRUE(watcher.HandledDialogs().Contains(ToWindowId(host.dialog)));
        return watcher.RestrictedDialogs().front();
    }

    static void Click(frmCommonDialog& form, const char* button) {
        SendMessageA(form.Hwnd(), WM_COMMAND, MAKEWPARAM(form.CommandId(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(form.ControlHwnd(button)));
    }

    std::string StartFolder() const { return definition.IOStartFolder + "\\"; }

    MemoryRegistry registry;
    ProfileWin32 profile;
    Settings settings{registry, profile};
    Win32LanguageFiles languageFiles;
    Language language{settings, languageFiles, testing::ThisProgramFolder()};
    RecordingEventLog events;
    AuditLog audit{events};
    DialogWatcher watcher{language, audit};
    Definition definition;

  private:
    std::string scratch_;
    std::string elsewhere_;
    int hosts_ = 0;
};

TEST_F(DialogGuardWin32Test, TakenOverDialogOpensTheBareNameInTheStartFolder) {
    HostedDialog host = StartHost("classic");
    frmCommonDialog* form = TakenOver(host);
    ASSERT_NE(form, nullptr);
    const std::vector<EventLogEntry> taken = events.Of(AuditEvent::DialogTakenOver);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].type, EventLogType::Information);
    EXPECT_TRUE(taken[0].text.ends_with("(#32770), restricted to " + StartFolder()))
        << taken[0].text;
    const DWORD attributes = GetFileAttributesA(definition.IOStartFolder.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(TickUntil([&] { return !IsWindowVisible(host.dialog); }));
    EXPECT_TRUE(IsWindowVisible(form->Hwnd()));
    EXPECT_EQ(form->Caption("frameFileName"), "Location: " + StartFolder());
    EXPECT_EQ(form->FormCaption(), "Closing in 30");
    EXPECT_FALSE(IsWindowEnabled(form->ControlHwnd("cmdOK")));

    form->SetText("txtFileName", "report.txt");
    EXPECT_TRUE(IsWindowEnabled(form->ControlHwnd("cmdOK")));
    Click(*form, "cmdOK");
    const std::string result = Result(host);
    EXPECT_TRUE(EqualsNoCase(result, "OK " + StartFolder() + "report.txt")) << result;
    EXPECT_TRUE(form->IsUnloaded());
}

TEST_F(DialogGuardWin32Test, HostileNamesNeverLeaveTheStartFolder) {
    struct Case {
        const char* typed;
        const char* opened;  // the file opened in the start folder
    };
    const Case cases[] = {
        {"..\\x", "..x"},
        {"../x", "..x"},
        {"C:x", "Cx"},
        {"/x", "x"},
        {"\\\\server\\x", "serverx"},
        {"..\\..\\windows\\win.ini", "....windowswin.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        HostedDialog host = StartHost("classic");
        frmCommonDialog* form = TakenOver(host);
        ASSERT_NE(form, nullptr);
        form->SetText("txtFileName", c.typed);
        Click(*form, "cmdOK");
        EXPECT_TRUE(form->IsUnloaded());
        const std::string result = Result(host);
        EXPECT_TRUE(EqualsNoCase(result, "OK " + StartFolder() + c.opened)) << result;
    }
    // Names that are no file names leave the restricted dialog open, and
    // nothing reaches the program's dialog.
    HostedDialog host = StartHost("explorer");
    frmCommonDialog* form = TakenOver(host);
    ASSERT_NE(form, nullptr);
    for (const char* typed : {"..", ".. ", "CON", "nul.txt", "*.txt", "%WINDIR%", "x.", "a\"b"}) {
        form->SetText("txtFileName", typed);
        Click(*form, "cmdOK");
        EXPECT_FALSE(form->IsUnloaded()) << typed;
    }
    Click(*form, "cmdCancel");
    EXPECT_EQ(Result(host), "CANCEL");
}

TEST_F(DialogGuardWin32Test, CancelAndTheEndOfTheCountDownCancelTheProgramsDialog) {
    {
        HostedDialog host = StartHost("classic");
        frmCommonDialog* form = TakenOver(host);
        ASSERT_NE(form, nullptr);
        Click(*form, "cmdCancel");
        EXPECT_EQ(Result(host), "CANCEL");
    }
    {
        HostedDialog host = StartHost("classic");
        frmCommonDialog* form = TakenOver(host);
        ASSERT_NE(form, nullptr);
        SendMessageA(form->Hwnd(), WM_TIMER, frmCommonDialog::kTimer, 0);
        EXPECT_EQ(form->FormCaption(), "Closing in 29");
        for (int tick = 2; tick <= 30; ++tick)
            SendMessageA(form->Hwnd(), WM_TIMER, frmCommonDialog::kTimer, 0);
        EXPECT_EQ(form->FormCaption(), "Closing in 0");
        EXPECT_FALSE(form->IsUnloaded());
        SendMessageA(form->Hwnd(), WM_TIMER, frmCommonDialog::kTimer, 0);
        EXPECT_TRUE(form->IsUnloaded());
        EXPECT_EQ(Result(host), "CANCEL");
    }
}

// Opens a pop-up menu on its own thread, as a program does on a right click.
class PopupMenuThread {
  public:
    PopupMenuThread()
        : thread_([this] {
              const HWND owner = CreateWindowExA(0, "STATIC", "menu owner", WS_POPUP | WS_VISIBLE,
                                                 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
              owner_ = owner;
              const HMENU menu = CreatePopupMenu();
              AppendMenuA(menu, MF_STRING, 1, "Delete");
              AppendMenuA(menu, MF_STRING, 2, "Rename");
              SetForegroundWindow(owner);
              TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
              DestroyMenu(menu);
              DestroyWindow(owner);
              done_ = true;
          }) {}
    ~PopupMenuThread() {
        // A menu nobody closed is cancelled, so a failing test still ends.
        if (!done_ && owner_) PostMessageA(owner_, WM_CANCELMODE, 0, 0);
        thread_.join();
    }
    bool Done() const { return done_; }

  private:
    std::atomic<bool> done_ = false;
    std::atomic<HWND> owner_ = nullptr;
    std::thread thread_;
};

TEST_F(DialogGuardWin32Test, BrowseHandsTheDialogBackReadOnlyAndClosesPopupMenus) {
    HostedDialog host = StartHost("classic");
    frmCommonDialog* form = TakenOver(host);
    ASSERT_NE(form, nullptr);
    form->SetText("txtFileName", "notes");
    Click(*form, "cmdBrowse");

    EXPECT_TRUE(TickUntil([&] { return IsWindowVisible(host.dialog) != FALSE; }));
    EXPECT_FALSE(form->IsUnloaded());
    EXPECT_FALSE(IsWindowVisible(form->Hwnd()));
    const HWND edit = FindWindowExA(host.dialog, nullptr, "Edit", nullptr);
    EXPECT_NE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(EditText(edit), "notes");
    // Handed back, the dialog is never taken over again.
    EXPECT_EQ(watcher.RestrictedDialogs().size(), 1u);

    {
        PopupMenuThread menu;
        EXPECT_TRUE(TickUntil([&] { return menu.Done(); }));
    }

    PostMessageA(host.dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(Result(host), "CANCEL");
    EXPECT_TRUE(TickUntil([&] { return form->IsUnloaded(); }));
}

TEST_F(DialogGuardWin32Test, WithoutStartFolderTheDialogIsClosedWithANotice) {
    definition.IOStartFolder.clear();
    HostedDialog host = StartHost("classic");
    EXPECT_TRUE(TickUntil([&] { return !host.process.Running(); }));
    EXPECT_EQ(Result(host), "CANCEL");
    EXPECT_TRUE(watcher.FunctionBlocked().IsOpen());
    EXPECT_EQ(watcher.HandledDialogs().Text(), "");
    EXPECT_TRUE(watcher.RestrictedDialogs().empty());
    // Blocked on every tick while it stayed in front, audited once.
    const std::vector<EventLogEntry> blocked = events.Of(AuditEvent::DialogBlocked);
    ASSERT_EQ(blocked.size(), 1u);
    EXPECT_EQ(blocked[0].type, EventLogType::Warning);
    EXPECT_TRUE(blocked[0].text.starts_with("Dialog blocked: \""));
    EXPECT_TRUE(blocked[0].text.ends_with("(#32770), no start folder is set")) << blocked[0].text;
    EXPECT_EQ(events.entries.size(), 1u);
}

TEST_F(DialogGuardWin32Test, EveryFileDialogKindIsTakenOver) {
    struct Case {
        const char* mode;
        const char* name;  // open dialogs get a file that exists
    };
    const Case cases[] = {
        {"explorer", "report.txt"}, {"save", "saved.txt"},     {"itemopen", "report.txt"},
        {"itemsave", "saved.txt"},  {"classic", "report.txt"},
    };
    CreateDirectoryA(definition.IOStartFolder.c_str(), nullptr);
    FILE* existing = std::fopen((StartFolder() + "report.txt").c_str(), "wb");
    ASSERT_NE(existing, nullptr);
    std::fclose(existing);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        HostedDialog host = StartHost(c.mode);
        frmCommonDialog* form = TakenOver(host);
        ASSERT_NE(form, nullptr);
        form->SetText("txtFileName", c.name);
        Click(*form, "cmdOK");
        const std::string result = Result(host);
        EXPECT_TRUE(EqualsNoCase(result, "OK " + StartFolder() + c.name)) << result;
        TickUntil([&] { return watcher.RestrictedDialogs().empty(); });
    }
}

TEST_F(DialogGuardWin32Test, TheRestrictedDialogTakesRealKeyPresses) {
    HostedDialog host = StartHost("explorer");
    frmCommonDialog* form = TakenOver(host);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(testing::PressKeys("type --delay 20 typed.txt",
                                   [&](auto done) { return PumpUntil(done); }));
    EXPECT_EQ(form->Text("txtFileName"), "typed.txt");
    ASSERT_TRUE(testing::PressKeys("key Return", [&](auto done) { return PumpUntil(done); }));
    const std::string result = Result(host);
    EXPECT_TRUE(EqualsNoCase(result, "OK " + StartFolder() + "typed.txt")) << result;
}

TEST_F(DialogGuardWin32Test, FolderPickersAndFileBrowsersAreClosedWithANotice) {
    for (const bool withStartFolder : {true, false}) {
        SCOPED_TRACE(withStartFolder);
        if (!withStartFolder) definition.IOStartFolder.clear();
        HostedDialog host = StartHost("folder");
        EXPECT_TRUE(TickUntil([&] { return !host.process.Running(); }));
        EXPECT_EQ(Result(host), "CANCEL");
        frmFunctionBlocked& notice = watcher.FunctionBlocked();
        EXPECT_TRUE(notice.IsOpen());
        SendMessageA(notice.Hwnd(), WM_COMMAND, MAKEWPARAM(notice.CommandId("cmdOK"), BN_CLICKED),
                     0);
    }
    ChildProcess browser("C:\\windows\\explorer.exe", "C:\\");
    ASSERT_TRUE(browser.Started());
    HWND window = nullptr;
    ASSERT_TRUE(testing::WaitUntil(
        [&] { return (window = FindWindowA("ExplorerWClass", nullptr)) != nullptr; }, kBoundMs));
    EXPECT_TRUE(TickUntil([&] { return !IsWindow(window); }));
    EXPECT_TRUE(watcher.FunctionBlocked().IsOpen());
    EXPECT_TRUE(watcher.RestrictedDialogs().empty());
}

TEST_F(DialogGuardWin32Test, OtherWindowsAndThisProgramsOwnDialogsAreLeftAlone) {
    {
        HostedDialog host = StartHost("message");
        ASSERT_TRUE(TickUntil([&] { return GetForegroundWindow() == host.dialog; }));
        TickUntil([] { return false; }, 1000);
        EXPECT_TRUE(IsWindowVisible(host.dialog));
        PostMessageA(host.dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(host.process.WaitEnded(kBoundMs));
    }
    // The administrator's own file dialogs, as the desktop's load command opens them.
    std::atomic<bool> chosen = false;
    std::thread own([&] {
        Win32Ui ui;
        chosen = ui.OpenFile({.title = "Load Desktop"}).has_value();
    });
    HWND dialog = nullptr;
    EXPECT_TRUE(TickUntil([&] { return (dialog = DialogOf(GetCurrentProcessId())) != nullptr; }));
    TickUntil([] { return false; }, 1000);
    EXPECT_TRUE(IsWindowVisible(dialog));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    own.join();
    EXPECT_FALSE(chosen);

    EXPECT_TRUE(watcher.RestrictedDialogs().empty());
    EXPECT_FALSE(watcher.FunctionBlocked().IsOpen());
    EXPECT_EQ(watcher.HandledDialogs().Text(), "");
}

TEST_F(DialogGuardWin32Test, NoticeCountsDownAndStartsAnewAfterItClosed) {
    frmFunctionBlocked& notice = watcher.FunctionBlocked();
    const auto tick = [&] { SendMessageA(notice.Hwnd(), WM_TIMER, frmFunctionBlocked::kTimer, 0); };
    notice.Show();
    ASSERT_TRUE(notice.IsOpen());
    EXPECT_EQ(notice.FormCaption(), "Vallora");
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_EQ(notice.FormCaption(), "Closing in 25");
    notice.Show();  // shown again while open: the count-down goes on
    tick();
    EXPECT_EQ(notice.FormCaption(), "Closing in 24");
    SendMessageA(notice.Hwnd(), WM_COMMAND, MAKEWPARAM(notice.CommandId("cmdOK"), BN_CLICKED), 0);
    EXPECT_FALSE(notice.IsOpen());

    notice.Show();
    tick();
    EXPECT_EQ(notice.FormCaption(), "Closing in 29");
    for (int i = 0; i < 29; ++i) tick();
    EXPECT_EQ(notice.FormCaption(), "Closing in 0");
    ASSERT_TRUE(notice.IsOpen());
    tick();
    EXPECT_FALSE(notice.IsOpen());
}

TEST(GuardWindowsWin32, HideWindowsLeavesWindowsPresentAndEnabled) {
    const HWND window = CreateWindowExA(0, "STATIC", "bar", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40,
                                        nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    WindowHandleList list;
    list.Append(ToWindowId(window));
    HideWindows(list);
    const HRGN region = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(GetWindowRgn(window, region), NULLREGION);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowEnabled(window));
    DeleteObject(region);
    DestroyWindow(window);
}

}  // namespace
}  // namespace vallora
