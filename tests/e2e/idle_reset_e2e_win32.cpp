// A desktop left alone is reset for the next visitor: Vallora.exe with a
// short idle time, two programs of a visitor (one that closes when asked,
// one that will not), a file in the start folder and text on the clipboard.
// Input comes from the X server through xdotool, as a person's would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/e2e_support_win32.h"
#include "page/desktop_page.h"
#include "platform/event_log_win32.h"
#include "storage/definition_file.h"
#include "win/taskbar/test_processes_win32.h"

namespace vallora::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr int kIdleReset = 30;
constexpr int kIdleWarning = 10;
constexpr int kRestX = 100;  // where the pointer rests: on the page, beside every window
constexpr int kRestY = 500;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Moves the X pointer over the desktop, as a person does, and waits until
// the system sees the pointer there.
bool MoveMouse(int x, int y) {
    const bool moved =
        testing::PressKeys("mousemove " + std::to_string(x) + " " + std::to_string(y),
                           [](auto done) { return WaitFor(done, 5000); });
    return moved && WaitFor(
                        [&] {
                            POINT at{};
                            return GetCursorPos(&at) && at.x == x && at.y == y;
                        },
                        5000);
}

// The clipboard takes data only from a window that owns it.
bool SetClipboardText(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool placed = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!placed) GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

bool ClipboardEmpty() {
    return CountClipboardFormats() == 0;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class IdleResetE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteFileA(EventLogPath().c_str());
        startFolder = install.path() + "\\Visitors";
        std::filesystem::create_directories(startFolder + "\\Kept");
        WriteText(startFolder + "\\boarding-pass.txt", "Seat 12A");
        WriteText(startFolder + "\\Kept\\inside.txt", "a folder of the start folder");
        WriteText(desks + "\\Welcome.hta", TaskPageText("Welcome", 420, 60));

        Definition definition;
        definition.IdleReset = kIdleReset;
        definition.IdleWarning = kIdleWarning;
        definition.ClearStartFolder = 1;
        definition.IOStartFolder = startFolder;
        definition.StartUp =
            Quoted(install.path() + "\\mshta.exe") + " " + Quoted(desks + "\\Welcome.hta");
        const std::string path = desks + "\\Kiosk.vla";
        ASSERT_TRUE(SaveDefinition(definition, path, nullptr));
        WriteText(desks + "\\Kiosk.hta",
                  ComposeDesktopPage(definition, desks + "\\Kiosk.hta").text);

        vallora = StartProgram(Quoted(install.path() + "\\Vallora.exe") + " " + path);
        ASSERT_NE(vallora.id, 0u);
        ASSERT_TRUE(WaitFor(
            [&] {
                if (HWND splash = FindWindowOf(vallora.id, "ValloraSplash")) {
                    PostMessageA(splash, WM_KEYUP, VK_ESCAPE, 0);
                }
                bar = FindWindowOf(vallora.id, "ValloraTaskBar");
                return bar && PageProcess() != 0 && WelcomeProcess() != 0;
            },
            kStartTimeoutMs));
        firstPage = PageProcess();
        firstWelcome = WelcomeProcess();

        // The visitor's programs: notes that close when asked, and a program
        // that only notes the request and stays.
        WriteText(desks + "\\Notes.hta", TaskPageText("Visitor notes", 120, 120));
        notes = StartProgram(Quoted(install.path() + "\\mshta.exe") + " " +
                             Quoted(desks + "\\Notes.hta"));
        stubborn = StartProgram(Quoted(WinePath(VALLORA_TASK_HELPER)) + " window Stubborn");
        ASSERT_TRUE(notes.id && stubborn.id);
        ASSERT_TRUE(WaitFor(
            [&] { return FindWindowOf(notes.id, "") && FindWindowOf(stubborn.id, ""); }, 10000));
        ASSERT_TRUE(SetClipboardText(clipboardOwner.get(), "card number 4111"));
        // The quiet time starts here. The pointer rests on the page where no
        // window comes or goes: Wine counts a window that appears or vanishes
        // under the pointer as input.
        ASSERT_TRUE(MoveMouse(90, 490));
        ASSERT_TRUE(MoveMouse(kRestX, kRestY));
        quietSince = GetTickCount64();
    }

    void TearDown() override {
        for (const StartedProgram* program : {&notes, &stubborn}) {
            if (program->id && IsRunning(program->id)) EndProcess(program->id);
        }
    }

    // The page host showing the desktop page, and the one showing the
    // start-up page; 0 when none.
    DWORD HostOf(const std::string& title) {
        for (DWORD id : ProcessesOf(install.path(), "mshta.exe")) {
            if (HWND window = FindWindowOf(id, "ValloraPageHostStandIn")) {
                if (TitleOf(window) == title) return id;
            }
        }
        return 0;
    }
    DWORD PageProcess() { return HostOf("Vallora"); }
    DWORD WelcomeProcess() { return HostOf("Welcome"); }

    HWND Warning() { return FindWindowOf(vallora.id, "ValloraIdleWarning"); }
    // Text of the warning's message label (the one that is not the band).
    std::string WarningMessage() {
        HWND warning = Warning();
        std::string text;
        if (!warning) return text;
        for (HWND child = GetWindow(warning, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (TitleOf(child).starts_with("Are you")) text = TitleOf(child);
        }
        return text;
    }
    double SecondsQuiet() const {
        return static_cast<double>(GetTickCount64() - quietSince) / 1000.0;
    }

    InstallFolder install{WinePath(VALLORA_INSTALL_TREE), WinePath(VALLORA_PAGEHOST)};
    std::string desks = install.path();
    std::string startFolder;
    UniqueHWND clipboardOwner{
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)};
    StartedProgram vallora;
    StartedProgram notes;
    StartedProgram stubborn;
    HWND bar = nullptr;
    DWORD firstPage = 0;
    DWORD firstWelcome = 0;
    ULONGLONG quietSince = 0;
};

TEST_F(IdleResetE2E, ADesktopLeftAloneIsWarnedAboutThenCleared) {
    ASSERT_TRUE(WaitFor([&] { return Warning() != nullptr; }, (kIdleReset + 5) * 1000));
    const double warnedAfter = SecondsQuiet();
    // The bar looks once a second, on a machine shared with other work:
    // never early, and late by a few seconds at most.
    EXPECT_GE(warnedAfter, kIdleReset - kIdleWarning - 0.5);
    EXPECT_LE(warnedAfter, kIdleReset - kIdleWarning + 3.0);
    const HWND warning = Warning();
    EXPECT_TRUE(GetWindowLongA(warning, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::string text = WarningMessage();
            return text.starts_with("Are you still there? This desktop is reset in ") &&
                   text.ends_with(" seconds.");
        },
        2000))
        << WarningMessage();
    // The count goes down while it shows, second by second, and nothing is
    // closed before the time is up.
    const std::string prefix = "Are you still there? This desktop is reset in ";
    std::vector<int> counts;
    bool closedEarly = false;
    WaitFor(
        [&] {
            const std::string text = WarningMessage();
            if (text.empty()) return true;
            const int left = std::atoi(text.c_str() + prefix.size());
            if (counts.empty() || counts.back() != left) counts.push_back(left);
            closedEarly = closedEarly || !IsRunning(notes.id);
            return false;
        },
        (kIdleWarning + 5) * 1000);
    std::string shown;
    for (int left : counts) {
        shown += ' ';
        shown += std::to_string(left);
    }
    std::printf("the warning counted:%s\n", shown.c_str());
    ASSERT_GE(counts.size(), 5u);
    EXPECT_LE(counts.front(), kIdleWarning);
    EXPECT_LE(counts.back(), 2);
    EXPECT_TRUE(std::is_sorted(counts.rbegin(), counts.rend())) << shown;
    EXPECT_FALSE(closedEarly);

    // The reset: every task window is asked to close; the program that
    // closes when asked goes at once, the other one is ended after 5 s.
    const auto closeAsked = [&] {
        HWND window = FindWindowOf(stubborn.id, "");
        return window && TitleOf(window) == "Stubborn (close asked)";
    };
    ASSERT_TRUE(WaitFor(closeAsked, (kIdleWarning + 5) * 1000));
    const double askedAfter = SecondsQuiet();
    EXPECT_GE(askedAfter, kIdleReset - 0.5);
    EXPECT_LE(askedAfter, kIdleReset + 4.0);
    // Closed when asked, not ended with the other one.
    EXPECT_TRUE(WaitFor([&] { return !IsRunning(notes.id); }, 3500));
    const double notesGone = SecondsQuiet();
    EXPECT_FALSE(IsWindow(warning));
    EXPECT_TRUE(IsRunning(stubborn.id));
    ASSERT_TRUE(WaitFor([&] { return !IsRunning(stubborn.id); }, 8000));
    const double stubbornGone = SecondsQuiet();
    EXPECT_GE(stubbornGone - askedAfter, 4.0);
    EXPECT_LE(stubbornGone - askedAfter, 8.0);
    for (const std::string& line : ReadLines(EventLogPath())) {
        std::printf("log: %s\n", line.c_str());
    }
    std::printf(
        "quiet for %.1f s: warning; %.1f s: close asked; %.1f s: notes closed; %.1f s: "
        "the one that stayed ended\n",
        warnedAfter, askedAfter, notesGone, stubbornGone);

    // The clean desktop: no visitor's file, an empty clipboard, a new page
    // and the start-up program started again; the bar and the session stay.
    EXPECT_TRUE(WaitFor([&] { return !Exists(startFolder + "\\boarding-pass.txt"); }, 5000));
    EXPECT_TRUE(Exists(startFolder + "\\Kept\\inside.txt"));
    EXPECT_TRUE(WaitFor([&] { return ClipboardEmpty(); }, 5000));
    EXPECT_TRUE(WaitFor(
        [&] {
            const DWORD page = PageProcess();
            const DWORD welcome = WelcomeProcess();
            return page && page != firstPage && welcome && welcome != firstWelcome;
        },
        10000));
    EXPECT_TRUE(IsRunning(vallora.id));
    EXPECT_TRUE(IsWindow(bar));
    EXPECT_FALSE(ProcessesOf(install.path(), "ValloraRun.exe").empty());
    // Nobody came back: the clean desktop is not reset again.
    EXPECT_FALSE(WaitFor([&] { return Warning() != nullptr; }, 3000));
}

TEST_F(IdleResetE2E, InputDuringTheWarningKeepsEverything) {
    ASSERT_TRUE(WaitFor([&] { return Warning() != nullptr; }, (kIdleReset + 5) * 1000));
    ASSERT_TRUE(MoveMouse(kRestX + 10, kRestY + 10));
    EXPECT_TRUE(WaitFor([&] { return Warning() == nullptr; }, 2500));
    // Past the time the reset would have come, with its grace time.
    const double resetWouldBe = kIdleReset + 7.0;
    WaitFor([&] { return SecondsQuiet() >= resetWouldBe; }, 20000);
    EXPECT_TRUE(IsRunning(notes.id));
    EXPECT_TRUE(IsRunning(stubborn.id));
    EXPECT_EQ(TitleOf(FindWindowOf(stubborn.id, "")), "Stubborn");
    EXPECT_TRUE(Exists(startFolder + "\\boarding-pass.txt"));
    EXPECT_FALSE(ClipboardEmpty());
    EXPECT_EQ(PageProcess(), firstPage);
    EXPECT_EQ(WelcomeProcess(), firstWelcome);
    EXPECT_EQ(Warning(), nullptr);
}

}  // namespace
}  // namespace vallora::e2e
