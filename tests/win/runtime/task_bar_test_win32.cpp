#include <gtest/gtest.h>

#include "platform/twips.h"
#include "platform/window_messages.h"
#include "session_fakes_win32.h"
#include "storage/ini_text.h"
#include "storage/password_hash.h"
#include "storage/whole_file.h"
#include "taskbar/frm_pass_word_countdown.h"
#include "taskbar/frm_task_bar_win32.h"
#include "taskbar/process_operations_win32.h"

namespace vallora::runtime_test {
namespace {

class TaskBarTest : public testing::Test {
  protected:
    void SetUp() override {
        session.promptLoaded = [this] { return bar.PassWord().IsLoaded(); };
    }
    void TearDown() override { bar.PassWord().Unload(); }

    void Refresh() {
        bar.RefreshTaskBar();
        Pump();
    }
    // The button index of the task window in the current table.
    std::int16_t IndexOf(HWND window) const {
        const auto& records = bar.Table().records;
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i].window == ToWindowId(window)) return static_cast<std::int16_t>(i);
        }
        return -1;
    }
    void Click(std::int16_t index) {
        const HWND button = bar.Buttons().at(index).hwnd;
        SendMessageA(bar.Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        Pump();
    }
    void TypePassword(const std::string& text) {
        SetWindowTextA(bar.PassWord().ControlHwnd("txtPassword"), text.c_str());
    }
    void Tick(HWND window, UINT_PTR timer) { SendMessageA(window, WM_TIMER, timer, 0); }

    SystemStorage storage;
    Win32LanguageFiles files;
    Language language{storage.settings, files, TestFolder()};
    Win32WindowPort windows;
    Win32TaskProcesses processes;
    RecordingSession session;
    std::unique_ptr<CTaskList> tasks = CreateTaskList(windows);
    frmTaskBar bar{session, language, *tasks, windows, processes};
};

TEST_F(TaskBarTest, LiesAlongTheBottomOnTopAndPreparesTheSession) {
    Refresh();
    bar.Show();
    Pump();
    RECT place{};
    GetWindowRect(bar.Hwnd(), &place);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, height - 30);
    EXPECT_EQ(place.right, width);
    EXPECT_EQ(place.bottom, height);
    const LONG exStyle = GetWindowLongA(bar.Hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_NE(GetWindowLongA(bar.Hwnd(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    ASSERT_GE(session.calls.size(), 2u);
    EXPECT_EQ(session.calls[0], "ReserveWorkArea");
    EXPECT_EQ(session.calls[1], "ApplyComputerSecurity");
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    EXPECT_TRUE(bar.Popup().Hwnd());
    EXPECT_FALSE(IsWindowVisible(bar.Popup().Hwnd()));

    // Only the session's end takes the bar away.
    SendMessageA(bar.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(bar.Hwnd()));
}

TEST_F(TaskBarTest, ButtonsFollowTheTasksWithFittedTitlesAndStayPutWhenNothingChanged) {
    const std::string longTitle(120, 'W');
    UniqueHWND a = MakeTaskWindow("Short");
    UniqueHWND b = MakeTaskWindow(longTitle);
    UniqueHWND c = MakeTaskWindow("Third");
    Refresh();
    std::vector<TaskButtonView> buttons = bar.Buttons();
    ASSERT_EQ(bar.Table().TaskCount(), 3);
    ASSERT_EQ(buttons.size(), 3u);
    const int tpp = TwipsPerPixelX();
    const int width =
        TaskButtonWidth(PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), tpp), bar.TrayWidthTwips(), 3);
    const std::vector<TaskButtonPlace> places = TaskButtonPlaces(width, {false, false, false});
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(buttons[i].visible) << i;
        EXPECT_EQ(buttons[i].place.left, TwipsToPixels(places[i].left, tpp)) << i;
        EXPECT_EQ(buttons[i].place.right - buttons[i].place.left,
                  TwipsToPixels(places[i].width, tpp))
            << i;
        EXPECT_EQ(buttons[i].place.bottom - buttons[i].place.top, 24) << i;
        const std::string& title = bar.Table().records[i].title;
        if (title == longTitle) {
            ASSERT_GT(buttons[i].face.size(), 3u);
            EXPECT_EQ(buttons[i].face.substr(buttons[i].face.size() - 3), "...");
            EXPECT_EQ(longTitle.rfind(buttons[i].face.substr(0, buttons[i].face.size() - 3), 0),
                      0u);
        } else {
            EXPECT_EQ(buttons[i].face, title);
        }
    }

    // Refreshes rebuild the table, but unchanged buttons keep their windows.
    Refresh();
    Refresh();
    const std::vector<TaskButtonView> again = bar.Buttons();
    ASSERT_EQ(again.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(again[i].hwnd, buttons[i].hwnd);
        EXPECT_EQ(again[i].face, buttons[i].face);
    }

    b.reset();
    Refresh();
    buttons = bar.Buttons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].hwnd, again[0].hwnd);
    EXPECT_EQ(buttons[1].hwnd, again[1].hwnd);
    EXPECT_FALSE(IsWindow(again[2].hwnd));

    a.reset();
    c.reset();
    Refresh();
    buttons = bar.Buttons();
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_FALSE(buttons[0].visible);
    EXPECT_FALSE(IsWindowVisible(buttons[0].hwnd));
}

TEST_F(TaskBarTest, OnlyTheForegroundTasksButtonIsPressed) {
    UniqueHWND a = MakeTaskWindow("Task A");
    UniqueHWND b = MakeTaskWindow("Task B");
    Refresh();
    for (HWND front : {a.get(), b.get()}) {
        SetForegroundWindow(front);
        ASSERT_EQ(GetForegroundWindow(), front);
        Refresh();
        const std::vector<TaskButtonView> buttons = bar.Buttons();
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i].pressed, bar.Table().records[i].window == ToWindowId(front)) << i;
        }
    }
}

TEST_F(TaskBarTest, ClickingAButtonBringsItsTaskUpOrDown) {
    UniqueHWND a = MakeTaskWindow("Task A", WS_MINIMIZE);
    UniqueHWND b = MakeTaskWindow("Task B");
    SetForegroundWindow(b.get());
    Refresh();
    const std::int16_t ia = IndexOf(a.get());
    const std::int16_t ib = IndexOf(b.get());
    ASSERT_GE(ia, 0);
    ASSERT_GE(ib, 0);

    Click(ia);
    EXPECT_FALSE(IsIconic(a.get()));
    EXPECT_EQ(GetForegroundWindow(), a.get());
    EXPECT_TRUE(bar.Buttons()[ia].pressed);
    EXPECT_FALSE(bar.Buttons()[ib].pressed);

    Click(ia);
    EXPECT_TRUE(IsIconic(a.get()));
    EXPECT_FALSE(bar.Buttons()[ia].pressed);

    // While the bar itself changes the buttons, clicks are not the user's.
    bar.SetSWChecked(true);
    Click(ia);
    bar.SetSWChecked(false);
    EXPECT_TRUE(IsIconic(a.get()));
}

TEST_F(TaskBarTest, MenuItemsActOnTheButtonIndexTakenAtTheRightClick) {
    UniqueHWND a = MakeTaskWindow("Task A");
    UniqueHWND b = MakeTaskWindow("Task B");
    Refresh();
    frmTaskPopup& popup = bar.Popup();
    popup.SetButtonIndex(IndexOf(a.get()));
    popup.RunMenuItem(popup.CommandId("mnuMinimize"));
    EXPECT_TRUE(IsIconic(a.get()));
    EXPECT_FALSE(IsIconic(b.get()));
    popup.RunMenuItem(popup.CommandId("mnuRestore"));
    EXPECT_FALSE(IsIconic(a.get()));
    popup.RunMenuItem(popup.CommandId("mnuMiminimzeAllWindows"));
    EXPECT_TRUE(IsIconic(a.get()));
    EXPECT_TRUE(IsIconic(b.get()));

    // The greyed item, and the captions with their room for the pictures.
    EXPECT_TRUE(GetMenuState(popup.ButtonMenu(), popup.CommandId("mnuMaximize"), MF_BYCOMMAND) &
                MF_GRAYED);
    const struct {
        const char* item;
        const char* caption;
    } captions[] = {
        {"mnuTerminateTask", "    Terminate    "},
        {"mnuCloseTask", "    Close    "},
        {"mnuClose", "    Close Vallora"},
        {"mnuCheckLockDown", "    Check Lock-down"},
        {"mnuMiminimzeAllWindows", "    Minimize All Windows"},
    };
    for (const auto& c : captions) EXPECT_EQ(popup.Caption(c.item), c.caption) << c.item;

    // Guarded items only ready the prompt.
    const struct {
        const char* item;
        const char* action;
    } guarded[] = {
        {"mnuClose", kActionClose},
        {"mnuLoadDesktop", kActionLaunchDesktop},
        {"mnuShowSettings", kActionShowSettings},
        {"mnuCheckLockDown", kActionCheckLockDown},
        {"mnuTerminateTask", kActionTerminateProcess},
    };
    for (const auto& g : guarded) {
        popup.RunMenuItem(popup.CommandId(g.item));
        EXPECT_TRUE(bar.PassWord().IsLoaded()) << g.item;
        EXPECT_TRUE(IsWindowVisible(bar.PassWord().Hwnd())) << g.item;
        EXPECT_EQ(bar.PassWord().Action(), g.action);
    }
    EXPECT_EQ(bar.PassWord().TaskIndex(), IndexOf(a.get()));
    EXPECT_TRUE(session.actions.empty());

    popup.RunMenuItem(popup.CommandId("mnuCloseAllWindows"));
    Pump();
    EXPECT_FALSE(IsWindow(a.get()));
    EXPECT_FALSE(IsWindow(b.get()));
    a.release();
    b.release();
}

TEST_F(TaskBarTest, TheRightPasswordRunsTheActionAndAWrongOneKeepsThePrompt) {
    Refresh();
    const struct {
        const char* action;
        const char* call;
    } cases[] = {
        {kActionClose, "EndSession"},
        {kActionLaunchDesktop, "LaunchChosenDesktop"},
        {kActionShowSettings, "ShowRunningDefinition"},
        {kActionCheckLockDown, "CheckLockDown"},
    };
    for (const auto& c : cases) {
        session.actions.clear();
        StartGuardedAction(bar.PassWord(), c.action);
        ASSERT_TRUE(bar.PassWord().IsLoaded());
        EXPECT_EQ(bar.PassWord().FormCaption(), "Closing in 30");
        EXPECT_EQ(GetFocus(), bar.PassWord().ControlHwnd("txtPassword"));

        TypePassword("secret");
        bar.PassWord().OK();
        EXPECT_TRUE(bar.PassWord().IsLoaded()) << c.action;
        EXPECT_EQ(bar.PassWord().Text("txtPassword"), "");
        EXPECT_TRUE(session.actions.empty()) << c.action;

        TypePassword("Secret");
        // Enter in the entry field comes as IDOK.
        SendMessageA(bar.PassWord().Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_EQ(session.actions, std::vector<std::string>{c.call}) << c.action;
        EXPECT_FALSE(bar.PassWord().IsLoaded()) << c.action;
    }
    EXPECT_EQ(session.launchOwner, ToWindowId(bar.Hwnd()));
    // The running definition is modal to the bar, which its menus need.
    EXPECT_EQ(session.settingsOwner, ToWindowId(bar.Hwnd()));
    EXPECT_EQ(session.checkOwner, ToWindowId(bar.Hwnd()));
    EXPECT_FALSE(session.promptLoadedAtShowSettings);

    // With no administrator password, an empty entry is the password.
    session.password.clear();
    session.actions.clear();
    StartGuardedAction(bar.PassWord(), kActionClose);
    bar.PassWord().OK();
    EXPECT_EQ(session.actions, std::vector<std::string>{"EndSession"});
}

TEST_F(TaskBarTest, WithAHashOnlyThePasswordItWasMadeOfOpensThePrompt) {
    Refresh();
    session.passwordHash = HashPassword("Hashed", 1000);
    ASSERT_FALSE(session.passwordHash.empty());
    StartGuardedAction(bar.PassWord(), kActionClose);
    TypePassword("Secret");  // the readable password no longer counts
    bar.PassWord().OK();
    EXPECT_TRUE(session.actions.empty());
    TypePassword("Hashed");
    bar.PassWord().OK();
    EXPECT_EQ(session.actions, std::vector<std::string>{"EndSession"});
}

TEST_F(TaskBarTest, TheShippedEnglishFileGivesThePromptItsOwnCaptions) {
    frmPassWord& prompt = bar.PassWord();
    prompt.SetAction(kActionClose);
    ASSERT_TRUE(prompt.IsLoaded());
    std::string english;
    ASSERT_EQ(ReadWholeFile(
                  e2e::WinePath(std::string(VALLORA_FIXTURES) + "/../../data/Language/English.txt"),
                  &english, nullptr),
              FileReadStatus::Read);
    const std::string_view section = IniSectionText(english, "frmPassWord");
    std::vector<std::string> compared;
    for (const FormControl& control : prompt.Controls()) {
        if (!HasCaption(control.kind)) continue;
        const std::string_view value = IniSectionValue(section, control.name);
        if (value.empty()) continue;
        EXPECT_EQ(value, prompt.Caption(control.name)) << control.name;
        compared.push_back(control.name);
    }
    const std::vector<std::string> expected = {"lblInfo", "framePassword", "lblPassword", "cmdOK",
                                               "cmdCancel"};
    EXPECT_EQ(compared, expected);
}

TEST_F(TaskBarTest, RepeatedWrongEntriesEarnAPauseCountedAcrossPrompts) {
    Refresh();
    frmPassWord& prompt = bar.PassWord();
    StartGuardedAction(prompt, kActionClose);
    for (int i = 0; i < 2; ++i) {
        TypePassword("secret");
        prompt.OK();
    }
    EXPECT_TRUE(IsWindowEnabled(prompt.ControlHwnd("txtPassword")));
    // The third wrong entry in a row, in a new prompt.
    prompt.Unload();
    StartGuardedAction(prompt, kActionClose);
    TypePassword("secret");
    prompt.OK();
    EXPECT_EQ(prompt.Caption("framePassword"), "Too many wrong entries. Please wait 2 seconds.");
    EXPECT_FALSE(IsWindowEnabled(prompt.ControlHwnd("txtPassword")));
    EXPECT_FALSE(IsWindowEnabled(prompt.ControlHwnd("cmdOK")));
    // The right password is refused unread during the pause.
    TypePassword("Secret");
    prompt.OK();
    EXPECT_TRUE(session.actions.empty());
    // Each wrong entry is audited, without what was typed; the refused one is none.
    EXPECT_EQ(session.audits, (std::vector<std::string>{
                                  "Wrong password: for \"Close\", 1 in a row",
                                  "Wrong password: for \"Close\", 2 in a row",
                                  "Wrong password: for \"Close\", 3 in a row",
                              }));

    bool taking = false;
    for (int i = 0; i < 15 && !taking; ++i) {
        Sleep(250);
        Tick(prompt.Hwnd(), kTimerPassWordCountdown);
        taking = IsWindowEnabled(prompt.ControlHwnd("txtPassword")) != FALSE;
    }
    ASSERT_TRUE(taking);
    EXPECT_EQ(prompt.Caption("framePassword"), "Please enter the Desktop Password");
    TypePassword("Secret");
    prompt.OK();
    EXPECT_EQ(session.actions, std::vector<std::string>{"EndSession"});
}

TEST_F(TaskBarTest, TerminateEndsTheTaskTakenAtTheRightClickAfterTheTableShifted) {
    // Buttons in the order: a window of the test, the program to end, another.
    UniqueHWND first = MakeTaskWindow("Goes first");
    Refresh();
    std::vector<e2e::StartedProgram> programs;
    const auto indexOf = [&](const e2e::StartedProgram& program) {
        return IndexOf(e2e::FindWindowOf(program.id, ""));
    };
    for (const char* title : {"Terminate me", "Stays on"}) {
        const std::string page = TestFolder() + "\\" + title + ".hta";
        e2e::WriteText(page, e2e::TaskPageText(title, 200, 200));
        programs.push_back(
            e2e::StartProgram(Quoted(TestFolder() + "\\mshta.exe") + " " + Quoted(page)));
        ASSERT_NE(programs.back().id, 0u);
        ASSERT_TRUE(e2e::WaitFor(
            [&] {
                Refresh();
                return indexOf(programs.back()) >= 0;
            },
            5000));
    }
    frmTaskPopup& popup = bar.Popup();
    const std::int16_t taken = indexOf(programs[0]);
    popup.SetButtonIndex(taken);
    popup.RunMenuItem(popup.CommandId("mnuTerminateTask"));
    ASSERT_TRUE(bar.PassWord().IsLoaded());

    // While the prompt is open a window before it goes and the table is
    // rebuilt: the other program now holds the index that was right-clicked.
    first.reset();
    Refresh();
    ASSERT_EQ(indexOf(programs[1]), taken);
    TypePassword("Secret");
    bar.PassWord().OK();
    EXPECT_EQ(WaitForSingleObject(programs[0].process.get(), 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(e2e::IsRunning(programs[1].id));
    EXPECT_FALSE(bar.PassWord().IsLoaded());
    e2e::EndProcess(programs[1].id);
}

TEST_F(TaskBarTest, TheTaskMenusShowTheLanguageFilesCaptionsFromTheStart) {
    // A language file of the test's own, chosen for the program folder.
    CreateDirectoryA((TestFolder() + "\\Language").c_str(), nullptr);
    const std::string file = TestFolder() + "\\Language\\TaskMenuTest.txt";
    e2e::WriteText(file,
                   "[frmTaskPopup]\r\nmnuTerminateTask=    Prozess beenden    \r\n"
                   "mnuClose=    Vallora beenden\r\n");
    SettingValue previous = std::string();
    const bool hadPrevious = storage.settings.ReadSetting(kLanguageHive, kLanguageKey,
                                                          kLanguageValue, "S", previous) == 0;
    std::string name = file;
    ASSERT_EQ(language.SetLanguage(name), 0);

    // The first refresh loads the bar and its hidden menu form, which is
    // never activated.
    Refresh();
    const std::string terminate = bar.Popup().Caption("mnuTerminateTask");
    const std::string close = bar.Popup().Caption("mnuClose");
    const std::string restore = bar.Popup().Caption("mnuRestore");

    if (hadPrevious) {
        storage.settings.WriteSetting(kLanguageHive, kLanguageKey, kLanguageValue, "S", previous);
    } else {
        storage.registry.DeleteValue(Hive::LocalMachine, kLanguageKey, kLanguageValue);
    }
    DeleteFileA(file.c_str());
    EXPECT_EQ(terminate, "    Prozess beenden    ");
    EXPECT_EQ(close, "    Vallora beenden");
    EXPECT_EQ(restore, "    Restore    ");  // not in the file: the built-in caption
}

TEST_F(TaskBarTest, TheCountDownClosesThePromptWithoutAnAction) {
    Refresh();
    StartGuardedAction(bar.PassWord(), kActionClose);
    // The prompt's own timer counts once a second.
    ASSERT_TRUE(e2e::WaitFor([&] { return bar.PassWord().RemainingSeconds() == 29; }, 2500));
    EXPECT_EQ(bar.PassWord().FormCaption(), "Closing in 29");
    for (int seconds = 28; seconds >= 0; --seconds) {
        Tick(bar.PassWord().Hwnd(), kTimerPassWordCountdown);
        ASSERT_TRUE(bar.PassWord().IsLoaded());
    }
    EXPECT_EQ(bar.PassWord().FormCaption(), "Closing in 0");
    Tick(bar.PassWord().Hwnd(), kTimerPassWordCountdown);
    EXPECT_FALSE(bar.PassWord().IsLoaded());
    EXPECT_FALSE(session.Called("EndSession"));

    // The next starter loads it afresh.
    StartGuardedAction(bar.PassWord(), kActionClose);
    EXPECT_EQ(bar.PassWord().RemainingSeconds(), 30);
    EXPECT_EQ(bar.PassWord().Text("txtPassword"), "");
}

TEST_F(TaskBarTest, ASecondStarterReplacesTheActionButNotTheCountDown) {
    Refresh();
    StartGuardedAction(bar.PassWord(), kActionTerminateProcess, 7);
    for (int i = 0; i < 5; ++i) Tick(bar.PassWord().Hwnd(), kTimerPassWordCountdown);
    const int remaining = bar.PassWord().RemainingSeconds();
    StartGuardedAction(bar.PassWord(), kActionClose);
    EXPECT_EQ(bar.PassWord().Action(), kActionClose);
    EXPECT_EQ(bar.PassWord().RemainingSeconds(), remaining);
    TypePassword("Secret");
    bar.PassWord().OK();
    EXPECT_EQ(session.actions, std::vector<std::string>{"EndSession"});
}

TEST_F(TaskBarTest, TimersDriveTheSession) {
    Refresh();
    session.calls.clear();
    Tick(bar.Hwnd(), kTimerTaskBarMain);
    ASSERT_GE(session.calls.size(), 2u);
    EXPECT_EQ(session.calls.front(), "RestartPageIfGone");
    EXPECT_EQ(session.calls.back(), "SetBrowserStartPage");
    session.calls.clear();
    Tick(bar.Hwnd(), kTimerTaskBarGuard);
    EXPECT_EQ(session.calls, std::vector<std::string>{"WatchDialogs"});
}

TEST_F(TaskBarTest, ThePageInFrontGoesBackToTheBottom) {
    UniqueHWND task = MakeTaskWindow("Task");
    UniqueHWND page = MakeTaskWindow("Page");
    session.page = ToWindowId(page.get());
    Refresh();
    bar.Show();
    SetForegroundWindow(page.get());
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::IsAtBottom(page.get()); }, 1000));
    EXPECT_TRUE(e2e::IsAbove(task.get(), page.get()));
    EXPECT_TRUE(GetWindowLongA(bar.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
}  // namespace vallora::runtime_test
