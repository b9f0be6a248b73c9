// A desktop session as the kiosk user meets it: Vallora.exe started with a
// definition in a temporary install folder, watched and driven from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>

#include "audit/session_check_win32.h"
#include "e2e/e2e_support_win32.h"
#include "page/bitmap_file.h"
#include "page/desktop_page.h"
#include "page/desktop_page_window_win32.h"
#include "page/html_color.h"
#include "page/page_layout.h"
#include "platform/version.h"
#include "runtime/command_line.h"
#include "runtime/version_text.h"
#include "storage/definition_file.h"
#include "win/taskbar/test_processes_win32.h"

namespace vallora::e2e {
namespace {

constexpr const char* kRecordKey = "Software\\Brenmark\\Vallora\\";
constexpr const char* kExplorerPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kSystemPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const char* kJournalKey = "Software\\Brenmark\\Vallora\\Backup\\Values";
// Longer than the watchdog's four probes with their waits.
constexpr DWORD kProbeCycleMs = 14000;
// The lock-down check starts a probe program for each of three dialogs and
// waits for each; a loaded machine starts programs slowly.
constexpr DWORD kCheckTimeoutMs = 150000;
// Start-up includes the splash, which the tests click away.
constexpr DWORD kStartTimeoutMs = 30000;

void SetDword(HKEY hive, const char* key, const char* name, DWORD value) {
    RegSetKeyValueA(hive, key, name, REG_DWORD, &value, sizeof value);
}
void SetText(HKEY hive, const char* key, const char* name, const std::string& text) {
    RegSetKeyValueA(hive, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// Where the last good definition is kept: the program-data folder.
std::string LastGoodFolder() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Brenmark\\Vallora\\LastGood";
}

std::string Quoted(const std::string& text) {
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

class DesktopSessionE2E : public ::testing::Test {
  protected:
    // Writes the definition and, as the editor's save does, its page.
    std::string WriteDesktop(const Definition& definition, const std::string& name) {
        const std::string folder = install.path() + "\\My Desks";
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string path = folder + "\\" + name + ".vla";
        SaveDefinition(definition, path, nullptr);
        WriteText(folder + "\\" + name + ".hta",
                  ComposeDesktopPage(definition, folder + "\\" + name + ".hta").text);
        return path;
    }

    // Starts Vallora with the path as its whole, unquoted command tail.
    void Start(const std::string& definitionPath) {
        vallora = StartProgram(Quoted(install.path() + "\\Vallora.exe") + " " + definitionPath);
        ASSERT_NE(vallora.id, 0u);
    }

    // Clicks the splash away as soon as it shows, answering the missing-file
    // message when asked, and waits for the bar.
    HWND WaitForBar(HWND* message = nullptr) {
        HWND bar = nullptr;
        WaitFor(
            [&] {
                if (HWND splash = FindWindowOf(vallora.id, "ValloraSplash")) {
                    if (HWND info = FindChild(splash, "Static")) splashText = TitleOf(info);
                    PostMessageA(splash, WM_KEYUP, VK_ESCAPE, 0);
                }
                if (HWND box = FindWindowOf(vallora.id, "#32770"); box && message) {
                    *message = box;
                    return true;
                }
                bar = FindWindowOf(vallora.id, "ValloraTaskBar");
                return bar != nullptr;
            },
            kStartTimeoutMs);
        return bar;
    }

    HWND PageWindow() {
        for (DWORD id : ProcessesOf(install.path(), "mshta.exe")) {
            if (HWND page = FindWindowOf(id, "ValloraPageHostStandIn")) {
                if (TitleOf(page) == "Vallora") return page;
            }
        }
        return nullptr;
    }

    // Opens a menu of the bar as a right-click does and chooses its item at
    // `position` with the keyboard.
    void ChooseMenuItem(HWND bar, HWND source, int position) {
        PostMessageA(bar, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(source), MAKELPARAM(20, 750));
        HWND menu = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                menu = FindWindowOf(vallora.id, "#32768");
                return menu != nullptr;
            },
            5000));
        for (int i = 0; i <= position; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 5000));
    }

    HWND WaitForPrompt() {
        HWND prompt = nullptr;
        WaitFor(
            [&] {
                prompt = FindWindowOf(vallora.id, "ValloraPassWord");
                return prompt != nullptr;
            },
            5000);
        return prompt;
    }

    void Answer(HWND prompt, const std::string& password) {
        SendMessageTimeoutA(FindChild(prompt, "Edit"), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(password.c_str()), SMTO_ABORTIFHUNG, 2000,
                            nullptr);
        PostMessageA(FindChild(prompt, "Button", "&OK"), BM_CLICK, 0, 0);
    }

    // The session's visible windows, class and title, for a wait that failed.
    std::string VisibleWindows() const {
        std::string list;
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            if (!IsWindowVisible(w)) continue;
            list +=
                std::to_string(WindowProcess(w)) + " " + ClassOf(w) + " \"" + TitleOf(w) + "\"\n";
        }
        return "Vallora is " + std::to_string(vallora.id) + "; windows:\n" + list;
    }

    // The task bar menu's first item is "Close Vallora".
    void CloseWith(HWND bar, const std::string& password) {
        ChooseMenuItem(bar, bar, 0);
        HWND prompt = WaitForPrompt();
        ASSERT_TRUE(prompt);
        Answer(prompt, password);
    }

    // Saves the screen as screenshots/<name>.bmp in the build folder.
    static void Screenshot(const std::string& name) {
        const std::string folder = WinePath(VALLORA_SCREENSHOTS);
        CreateDirectoryA(folder.c_str(), nullptr);
        SaveScreenshot(folder + "\\" + name + ".bmp");
    }

    bool Ended(DWORD timeoutMs = 15000) {
        return WaitForSingleObject(vallora.process.get(), timeoutMs) == WAIT_OBJECT_0;
    }

    // Earlier tests' sessions leave records and kept values in this prefix:
    // each of these tests starts from a PC where no session ran.
    static void ForgetEarlierSessions() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Brenmark\\Vallora\\Backup");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brenmark\\Vallora\\Backup");
        SetText(HKEY_LOCAL_MACHINE, kRecordKey, "Hwnd", "0");
    }

    // The built-in page's window, of a ValloraPage process of the install folder.
    HWND BuiltInPage() {
        for (DWORD id : ProcessesOf(install.path(), "ValloraPage.exe")) {
            if (HWND page = FindWindowOf(id, kDesktopPageClass)) return page;
        }
        return nullptr;
    }

    // Runs xdotool on the host with the arguments; true when it succeeded.
    static bool Xdotool(const std::string& arguments) {
        return testing::PressKeys(
            arguments, [](const std::function<bool()>& done) { return WaitFor(done, 10000); });
    }

    InstallFolder install{WinePath(VALLORA_INSTALL_TREE), WinePath(VALLORA_PAGEHOST)};
    StartedProgram vallora;
    std::string splashText;  // the version line the splash showed
};

// A 32 x 32 icon bitmap: a four-pixel magenta ring around a red left half
// and a green right half, as colour values of the definition.
constexpr int32_t kRed = 255;
constexpr int32_t kGreen = 255 * 256;
std::vector<int32_t> RingedPattern() {
    std::vector<int32_t> pixels;
    for (int y = 0; y < kIconBitmapSize; ++y) {
        for (int x = 0; x < kIconBitmapSize; ++x) {
            const bool ring = x < 4 || y < 4 || x >= 28 || y >= 28;
            pixels.push_back(ring ? kChromaKeyColor : x < 16 ? kRed : kGreen);
        }
    }
    return pixels;
}

// Where the pointer is and what lies under it, for a click that did nothing.
std::string PointerReport(HWND page, int x, int y) {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT place{};
    GetWindowRect(page, &place);
    return "aimed at " + std::to_string(x) + "," + std::to_string(y) + "; pointer at " +
           std::to_string(cursor.x) + "," + std::to_string(cursor.y) + "; under it " +
           ClassOf(WindowFromPoint(cursor)) + "; foreground " + ClassOf(GetForegroundWindow()) +
           "; page at " + std::to_string(place.left) + "," + std::to_string(place.top);
}

bool NearMagenta(COLORREF color) {
    return GetRValue(color) > 200 && GetGValue(color) < 80 && GetBValue(color) > 200;
}

TEST_F(DesktopSessionE2E, TheBuiltInPageShowsTheGridAndStartsItsEntries) {
    const COLORREF back = RGB(30, 60, 90);
    Definition definition;
    definition.PageHost = kPageHostVallora;
    definition.BackColor = 30 + 256 * 60 + 65536 * 90;
    // Cells tall enough for a picture, the gap and a caption.
    definition.Left = "40";
    definition.Top = "20";
    definition.Width = "700";
    definition.Height = "700";
    const std::string first = install.path() + "\\notes.exe";
    const std::string second = install.path() + "\\second.exe";
    CopyFileA(WinePath(VALLORA_NOTES).c_str(), first.c_str(), FALSE);
    CopyFileA(WinePath(VALLORA_NOTES).c_str(), second.c_str(), FALSE);
    definition.SetApplicationAndLink("First", first, "", "Center", 0, 1, 0, 0);
    definition.SetApplicationAndLink("Second", second, "", "Center", 0, 1, 0, 1);
    definition.SetApplicationAndLink("A link", "http://example.org/", "", "", 1, 1, 2, 3);
    const std::string path = WriteDesktop(definition, "Kiosk");
    // The icon bitmaps the editor's save leaves beside the page.
    const std::string icons = install.path() + "\\My Desks\\Kiosk_Icons";
    CreateDirectoryA(icons.c_str(), nullptr);
    for (const char* name : {"notes.exe.bmp", "second.exe.bmp"}) {
        WriteText(icons + "\\" + name,
                  EncodeBitmapFile(kIconBitmapSize, kIconBitmapSize, RingedPattern()));
    }
    Start(path);
    const HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    HWND page = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (page = BuiltInPage()) != nullptr; }, 10000));
    EXPECT_TRUE(ProcessesOf(install.path(), "mshta.exe").empty());
    EXPECT_TRUE(install.PageHostLog().empty());
    EXPECT_EQ(TitleOf(page), "Vallora");
    RECT place{};
    GetWindowRect(page, &place);
    EXPECT_EQ(place.left, 40);
    EXPECT_EQ(place.top, 20);
    EXPECT_EQ(place.right - place.left, 700);
    EXPECT_EQ(place.bottom - place.top, 700);
    EXPECT_TRUE(WaitFor([&] { return IsAtBottom(page); }, 3000));
    EXPECT_TRUE(WaitFor(
        [&] {
            return RegText(HKEY_LOCAL_MACHINE, kRecordKey, "DesktopPID") ==
                   std::to_string(WindowProcess(page));
        },
        5000));

    // The first cell: the ring keyed out to the page colour, the halves exact,
    // centred across the cell; no pixel anywhere near magenta.
    RECT client{};
    GetClientRect(page, &client);
    POINT origin{0, 0};
    ClientToScreen(page, &origin);
    const PageRect cell = CellRect(0, 0, client.right, client.bottom);
    const RECT cellOnScreen{origin.x + cell.left, origin.y + cell.top, origin.x + cell.right,
                            origin.y + cell.bottom};
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::vector<COLORREF> pixels;
    int boxLeft = -1, boxTop = -1, boxRight = -1, boxBottom = -1;
    ASSERT_TRUE(WaitFor(
        [&] {
            pixels = ScreenPixels(cellOnScreen);
            boxLeft = boxTop = boxRight = boxBottom = -1;
            for (int y = 0; y < cell.Height(); ++y) {
                for (int x = 0; x < cell.Width(); ++x) {
                    const COLORREF c = pixels[static_cast<size_t>(y * cell.Width() + x)];
                    if (c != RGB(255, 0, 0) && c != RGB(0, 255, 0)) continue;
                    if (boxLeft < 0 || x < boxLeft) boxLeft = x;
                    if (boxTop < 0) boxTop = y;
                    boxRight = std::max(boxRight, x + 1);
                    boxBottom = y + 1;
                }
            }
            return boxRight - boxLeft == 24 && boxBottom - boxTop == 24;
        },
        5000));
    Screenshot("builtin-page");
    ASSERT_TRUE(boxLeft >= 4 && boxTop >= 4 && boxRight + 4 <= cell.Width() &&
                boxBottom + 4 <= cell.Height());
    EXPECT_NEAR((boxLeft + boxRight) / 2.0, cell.Width() / 2.0, 1.0);
    const auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * cell.Width() + x)]; };
    for (int y = boxTop; y < boxBottom; ++y) {
        for (int x = boxLeft; x < boxRight; ++x) {
            ASSERT_EQ(at(x, y), x - boxLeft < 12 ? RGB(255, 0, 0) : RGB(0, 255, 0))
                << x << "," << y;
        }
    }
    for (int d = 1; d <= 4; ++d) {
        EXPECT_EQ(at(boxLeft - d, boxTop), back);
        EXPECT_EQ(at(boxRight - 1 + d, boxBottom - 1), back);
        EXPECT_EQ(at(boxLeft, boxTop - d), back);
    }
    EXPECT_EQ(at(0, 0), back);
    EXPECT_EQ(std::count_if(pixels.begin(), pixels.end(), NearMagenta), 0);

    // A click gives the page the keyboard (and the focus to the first entry)
    // and starts nothing; a double click on the picture then starts the entry,
    // well after the first click so that the two do not pair up.
    const int clickX = origin.x + cell.left + (boxLeft + boxRight) / 2;
    const int clickY = origin.y + cell.top + (boxTop + boxBottom) / 2;
    const std::string onPicture = std::to_string(clickX) + " " + std::to_string(clickY);
    const auto activate = [&] {
        return Xdotool("mousemove " + onPicture + " click 1") &&
               WaitFor([&] { return GetForegroundWindow() == page; }, 5000);
    };
    ASSERT_TRUE(activate());
    // The double click goes in as system input where the pointer rests: two
    // clicks from xdotool reach the page under Wine but are not paired into one.
    Sleep(700);
    std::vector<INPUT> clicks;
    for (DWORD flags :
         {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        INPUT click{};
        click.type = INPUT_MOUSE;
        click.mi.dwFlags = flags;
        clicks.push_back(click);
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(clicks.size()), clicks.data(), sizeof(INPUT)), 4u);
    EXPECT_TRUE(
        WaitFor([&] { return ProcessesOf(install.path(), "notes.exe").size() == 1; }, 10000))
        << PointerReport(page, clickX, clickY);
    EXPECT_TRUE(ProcessesOf(install.path(), "second.exe").empty());

    // Arrow keys move the focus through the entries and Enter starts the
    // focused one; other keys start nothing.
    for (DWORD id : ProcessesOf(install.path(), "notes.exe")) EndProcess(id);
    ASSERT_TRUE(activate());
    ASSERT_TRUE(Xdotool("key Down Up Left Right space Escape Tab F1 Return"));
    EXPECT_TRUE(
        WaitFor([&] { return ProcessesOf(install.path(), "second.exe").size() == 1; }, 10000));
    EXPECT_TRUE(ProcessesOf(install.path(), "notes.exe").empty());
    for (DWORD id : ProcessesOf(install.path(), "second.exe")) EndProcess(id);

    // The page ended comes back; the end of the session ends it.
    const DWORD pageProcess = WindowProcess(page);
    EndProcess(pageProcess);
    ASSERT_TRUE(WaitFor(
        [&] {
            page = BuiltInPage();
            return page && WindowProcess(page) != pageProcess;
        },
        5000));
    EXPECT_TRUE(install.PageHostLog().empty());
    CloseWith(bar, "");
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(
        WaitFor([&] { return ProcessesOf(install.path(), "ValloraPage.exe").empty(); }, 5000));
}

TEST_F(DesktopSessionE2E, AnHtaHostThatShowsNothingGivesTheBuiltInPage) {
    // Without the stand-in the system's own HTA host runs, which ends at once here.
    DeleteFileA((install.path() + "\\mshta.exe").c_str());
    Definition definition;
    Start(WriteDesktop(definition, "Kiosk"));
    const HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    HWND page = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (page = BuiltInPage()) != nullptr; }, 10000));
    EXPECT_TRUE(WaitFor([&] { return IsAtBottom(page); }, 3000));
    EXPECT_TRUE(WaitFor(
        [&] {
            return RegText(HKEY_LOCAL_MACHINE, kRecordKey, "DesktopPID") ==
                   std::to_string(WindowProcess(page));
        },
        5000));
    CloseWith(bar, "");
    EXPECT_TRUE(Ended());
}

TEST_F(DesktopSessionE2E, StartsTheWholeSessionAndOnlyTheRightPasswordEndsIt) {
    Definition definition;
    definition.AdminPassword = "Open Sesame";
    definition.NoLogoff = 1;
    // A start-up program sees the restrictions in force when it starts.
    const std::string seen = install.path() + "\\startup-saw.txt";
    definition.StartUp = "cmd.exe /c reg query \"HKCU\\" + std::string(kExplorerPolicies) +
                         "\" /v NoLogoff > \"" + seen + "\"";
    const std::string path = WriteDesktop(definition, "Kiosk");
    Start(path);
    const HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    // The version line comes from the program's version resource.
    EXPECT_EQ(splashText, VersionText({VALLORA_VERSION_MAJOR, VALLORA_VERSION_MINOR,
                                       VALLORA_VERSION_REVISION}));

    // The page beside the definition, in the host, at the bottom.
    const std::string page = install.path() + "\\My Desks\\Kiosk.hta";
    ASSERT_TRUE(WaitFor([&] { return PageWindow() != nullptr; }, 10000));
    const HWND pageWindow = PageWindow();
    EXPECT_EQ(install.PageHostLog(), std::vector<std::string>{Quoted(page)});
    EXPECT_TRUE(WaitFor([&] { return IsAtBottom(pageWindow); }, 3000));

    // The bar along the bottom, on top. (The work area it reserves is kept
    // per process by some systems, so it is checked where it is set.)
    RECT place{};
    GetWindowRect(bar, &place);
    EXPECT_EQ(place.top, GetSystemMetrics(SM_CYSCREEN) - 30);
    EXPECT_EQ(place.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(place.right - place.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_TRUE(
        WaitFor([&] { return (GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 1000));

    // The record, the watchdog, the restrictions and the file type.
    EXPECT_TRUE(
        WaitFor([&] { return !ProcessesOf(install.path(), "ValloraRun.exe").empty(); }, 5000));
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kRecordKey, "CurrentFile"), path);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kRecordKey, "Hwnd"),
              std::to_string(reinterpret_cast<std::uintptr_t>(bar)));
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kRecordKey, "PID"), std::to_string(vallora.id));
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kRecordKey, "DesktopPID"),
              std::to_string(WindowProcess(pageWindow)));
    EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoLogoff"), 1);
    const auto sawTheRestriction = [&] {
        for (const std::string& line : ReadLines(seen)) {
            if (line.find("NoLogoff") != std::string::npos && line.find("0x1") != std::string::npos)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(WaitFor(sawTheRestriction, 5000));
    EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, "Vallora.file\\Shell\\Open\\Command", ""),
              Quoted(install.path() + "\\Vallora.exe") + " %1");

    // Programs of the session appear on the bar.
    std::vector<StartedProgram> tasks;
    for (int i = 0; i < 3; ++i) {
        const std::string task = install.path() + "\\My Desks\\Task" + std::to_string(i) + ".hta";
        WriteText(task,
                  TaskPageText("Public notes " + std::to_string(i + 1), 60 + 140 * i, 60 + 90 * i));
        tasks.push_back(StartProgram(Quoted(install.path() + "\\mshta.exe") + " " + Quoted(task)));
    }
    EXPECT_TRUE(WaitFor(
        [&] {
            int shown = 0;
            for (HWND child = GetWindow(bar, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (Lower(ClassOf(child)) == "button" && IsWindowVisible(child)) ++shown;
            }
            return shown == 3;
        },
        5000));
    Screenshot("session-bar");

    // A wrong password (letter case) empties the entry and keeps the prompt.
    ChooseMenuItem(bar, bar, 0);
    HWND prompt = WaitForPrompt();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(TitleOf(prompt), "Closing in 30");
    // The picture waits for the prompt to have drawn its controls.
    WaitFor([&] { return IsWindowVisible(FindChild(prompt, "Edit")); }, 3000);
    RedrawWindow(prompt, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(500);
    Screenshot("password-prompt");
    Answer(prompt, "open sesame");
    EXPECT_TRUE(WaitFor([&] { return TitleOf(FindChild(prompt, "Edit")).empty(); }, 3000));
    EXPECT_TRUE(IsWindowVisible(prompt));
    EXPECT_TRUE(IsRunning(vallora.id));

    // Programs the session did not start are not its to end.
    for (const StartedProgram& task : tasks) EndProcess(task.id);
    Answer(prompt, "Open Sesame");
    ASSERT_TRUE(Ended());
    EXPECT_TRUE(WaitFor(
        [&] {
            return ProcessesOf(install.path(), "ValloraRun.exe").empty() &&
                   ProcessesOf(install.path(), "mshta.exe").empty();
        },
        5000));
    EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kExplorerPolicies, "NoLogoff"), 0);
}

// Installed in a folder with a blank (as under "Program Files"), the desktop
// starts from each command line that names it: the editor's Start command
// and the association as Vallora writes them, and the unquoted association
// of an earlier version.
TEST_F(DesktopSessionE2E, AProgramFolderWithABlankStartsTheDesktopFromItsCommandLines) {
    ForgetEarlierSessions();
    const InstallFolder spaced{WinePath(VALLORA_INSTALL_TREE), WinePath(VALLORA_PAGEHOST),
                               "Vallora Kiosk"};
    const std::string folder = spaced.path() + "\\My Desks";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\Kiosk One.vla";
    ASSERT_TRUE(SaveDefinition(Definition{}, path, nullptr));
    WriteText(folder + "\\Kiosk One.hta",
              ComposeDesktopPage(Definition{}, folder + "\\Kiosk One.hta").text);
    const std::string program = spaced.path() + "\\Vallora.exe";

    const auto startedWith = [&](const std::string& commandLine) {
        SCOPED_TRACE(commandLine);
        vallora = StartProgram(commandLine);
        ASSERT_NE(vallora.id, 0u);
        const HWND bar = WaitForBar();
        ASSERT_TRUE(bar);
        // The definition was found: its page shows, and the record names it.
        EXPECT_TRUE(WaitFor(
            [&] {
                const std::vector<std::string> log = spaced.PageHostLog();
                return !log.empty() && log.back() == Quoted(folder + "\\Kiosk One.hta");
            },
            10000));
        EXPECT_TRUE(WaitFor(
            [&] { return RegText(HKEY_LOCAL_MACHINE, kRecordKey, "CurrentFile") == path; }, 5000));
        CloseWith(bar, "");
        EXPECT_TRUE(Ended());
        spaced.EndPrograms();
    };
    startedWith(RuntimeCommandLine(spaced.path(), path));
    const std::string association =
        RegText(HKEY_CLASSES_ROOT, "Vallora.file\\Shell\\Open\\Command", "");
    EXPECT_EQ(association, Quoted(program) + " %1");
    startedWith(association.substr(0, association.find("%1")) + path);
    startedWith(program + " " + path);
}

TEST_F(DesktopSessionE2E, CheckLockDownAfterThePasswordReportsTheRunningSessionAndSavesIt) {
    ForgetEarlierSessions();
    Definition definition;
    definition.PageHost = kPageHostVallora;
    definition.AdminPassword = "Open Sesame";
    definition.NoRun = 1;
    definition.IOStartFolder = install.path() + "\\Files";
    definition.NoAdministrativeTasks = 1;
    definition.NoChangePwd = 1;
    const std::string path = WriteDesktop(definition, "Checked");
    const std::string report = LockDownReportPath();
    DeleteFileA(report.c_str());
    Start(path);
    const HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    // The record names the bar once the page is up and the watchdog started.
    ASSERT_TRUE(WaitFor(
        [&] {
            return RegText(HKEY_LOCAL_MACHINE, kRecordKey, "Hwnd") ==
                       std::to_string(reinterpret_cast<std::uintptr_t>(bar)) &&
                   !ProcessesOf(install.path(), "ValloraRun.exe").empty();
        },
        15000));

    ChooseMenuItem(bar, bar, 3);  // Check Lock-down
    HWND prompt = WaitForPrompt();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES);
    Answer(prompt, "Open Sesame");
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            window = FindWindowOf(vallora.id, "ValloraLockDownCheck");
            DWORD_PTR rows = 0;
            return window != nullptr && IsWindowVisible(window) &&
                   SendMessageTimeoutA(FindChild(window, "SysListView32"), LVM_GETITEMCOUNT, 0, 0,
                                       SMTO_ABORTIFHUNG, 2000, &rows) &&
                   rows > 0;
        },
        kCheckTimeoutMs))
        << VisibleWindows();
    RECT place{};
    GetWindowRect(window, &place);
    EXPECT_GE(place.top, 0);
    EXPECT_LE(place.bottom, GetSystemMetrics(SM_CYSCREEN));
    // Painted now, by the window's own thread, before the picture is taken.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Screenshot("lock-down-check");

    // Saved before the window shows: the session's own rows as it found them.
    const std::vector<std::string> lines = ReadLines(report);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines[0].starts_with("Lock-down check: ")) << lines[0];
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (const char* held :
         {"[held] Keyboard lock: Windows key", "[held] Keyboard lock: Alt+Tab",
          "[held (taken over)] File dialog: open dialog (Explorer style)",
          "[held (blocked)] File dialog: folder picker", "[held] Watchdog (ValloraRun)",
          "[held] Session record", "[open] Administrator password"}) {
        EXPECT_TRUE(has(held)) << held;
    }
    EXPECT_TRUE(ProcessesOf(install.path(), "ValloraDialogProbe.exe").empty());

    // The window goes on OK; the session runs on and ends with the password.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(window); }, 5000));
    CloseWith(bar, "Open Sesame");
    EXPECT_TRUE(Ended());
}

TEST_F(DesktopSessionE2E, AnUnloadableDefinitionRunsTheLastGoodOneOrNone) {
    // No copy yet: the message, then no session at all.
    std::error_code error;
    std::filesystem::remove_all(LastGoodFolder(), error);
    const std::string path = install.path() + "\\My Desks\\Gone.vla";
    Start(path);
    HWND message = nullptr;
    WaitForBar(&message);
    ASSERT_TRUE(message);
    const HWND text = FindChild(message, "Static",
                                "Error Warning! The Vallora File " + path +
                                    " could not be found. Please contact the "
                                    "System Administrator.");
    EXPECT_TRUE(text);
    EXPECT_EQ(TitleOf(message), "Vallora");
    PostMessageA(GetDlgItem(message, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(Ended());
    EXPECT_TRUE(ProcessesOf(install.path(), "mshta.exe").empty());

    // A session that started keeps its definition, page and icons as the last
    // good copy, which a later start with a damaged file runs instead.
    Definition good;
    good.AdminPassword = "Kept";
    Start(WriteDesktop(good, "Good"));
    HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    ASSERT_TRUE(WaitFor(
        [&] { return std::filesystem::exists(LastGoodFolder() + "\\LastGood.hta"); }, 5000));
    CloseWith(bar, "Kept");
    ASSERT_TRUE(Ended());

    const std::string damaged = install.path() + "\\My Desks\\Damaged.vla";
    WriteText(damaged, "this is no definition\r\n");
    Start(damaged);
    message = nullptr;
    WaitForBar(&message);
    ASSERT_TRUE(message);
    PostMessageA(GetDlgItem(message, IDOK), BM_CLICK, 0, 0);
    bar = WaitForBar();
    ASSERT_TRUE(bar);
    const std::string keptPage = Quoted(LastGoodFolder() + "\\LastGood.hta");
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::vector<std::string> log = install.PageHostLog();
            return !log.empty() && log.back() == keptPage;
        },
        10000));
    // The copy's password, never an empty one.
    CloseWith(bar, "");
    EXPECT_FALSE(Ended(1000));
    HWND prompt = WaitForPrompt();
    ASSERT_TRUE(prompt);
    Answer(prompt, "Kept");
    EXPECT_TRUE(Ended());
}

TEST_F(DesktopSessionE2E, PreviousValuesComeBackAndAnEndedSessionIsNotRestarted) {
    ForgetEarlierSessions();
    SetDword(HKEY_LOCAL_MACHINE, kExplorerPolicies, "NoRun", 5);
    SetDword(HKEY_CURRENT_USER, kSystemPolicies, "DisableTaskMgr", 1);
    Definition definition;
    definition.AdminPassword = "pw";
    definition.NoRun = definition.NoAdministrativeTasks = 1;
    Start(WriteDesktop(definition, "Kiosk"));
    const HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    EXPECT_TRUE(WaitFor(
        [&] { return RegDword(HKEY_LOCAL_MACHINE, kExplorerPolicies, "NoRun") == 1; }, 5000));
    CloseWith(bar, "pw");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(RegDword(HKEY_LOCAL_MACHINE, kExplorerPolicies, "NoRun"), 5);
    EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSystemPolicies, "DisableTaskMgr"), 1);
    // Absent before: the reset's own value.
    EXPECT_EQ(RegDword(HKEY_LOCAL_MACHINE, kExplorerPolicies, "NoFind"), 0);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kRecordKey, "Hwnd"), "0");
    HKEY journal = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kJournalKey, 0, KEY_READ, &journal), ERROR_SUCCESS);

    // A watchdog started now, also over a stale record of a gone window,
    // finds nothing to watch: no Vallora starts within a whole probe cycle.
    SetText(HKEY_LOCAL_MACHINE, kRecordKey, "Hwnd",
            std::to_string(reinterpret_cast<std::uintptr_t>(bar)));
    StartedProgram watchdog = StartProgram(Quoted(install.path() + "\\ValloraRun.exe"));
    ASSERT_NE(watchdog.id, 0u);
    EXPECT_FALSE(WaitFor([&] { return !ProcessesOf(install.path(), "Vallora.exe").empty(); },
                         kProbeCycleMs));
    EXPECT_TRUE(IsRunning(watchdog.id));
}

TEST_F(DesktopSessionE2E, AfterAPowerLossTheEditorOffersTheRestore) {
    ForgetEarlierSessions();
    SetDword(HKEY_LOCAL_MACHINE, kExplorerPolicies, "NoRun", 5);
    SetDword(HKEY_CURRENT_USER, kSystemPolicies, "DisableTaskMgr", 1);
    Definition definition;
    definition.NoRun = definition.NoAdministrativeTasks = 1;
    Start(WriteDesktop(definition, "Kiosk"));
    ASSERT_TRUE(WaitForBar());
    ASSERT_TRUE(
        WaitFor([&] { return !ProcessesOf(install.path(), "ValloraRun.exe").empty(); }, 5000));
    // Everything ends at once, the watchdog first: nothing resets anything.
    install.EndPrograms();
    ASSERT_TRUE(Ended());
    EXPECT_EQ(RegDword(HKEY_LOCAL_MACHINE, kExplorerPolicies, "NoRun"), 1);
    EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSystemPolicies, "DisableTaskMgr"), 1);

    vallora = StartProgram(Quoted(install.path() + "\\Vallora.exe"));
    ASSERT_NE(vallora.id, 0u);
    HWND question = nullptr;
    WaitForBar(&question);
    ASSERT_TRUE(question);
    EXPECT_TRUE(FindChild(question, "Static",
                          "The last desktop session did not end properly. Restore this "
                          "computer's settings now?"));
    PostMessageA(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor(
        [&] { return RegDword(HKEY_LOCAL_MACHINE, kExplorerPolicies, "NoRun") == 5; }, 10000));
    EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSystemPolicies, "DisableTaskMgr"), 1);
    EXPECT_EQ(RegDword(HKEY_LOCAL_MACHINE, kExplorerPolicies, "NoFind"), 0);
    EXPECT_TRUE(
        WaitFor([&] { return RegText(HKEY_LOCAL_MACHINE, kRecordKey, "Hwnd") == "0"; }, 5000));
}

TEST_F(DesktopSessionE2E, ThePageComesBackWhenEndedAndGoesBackDownWhenInFront) {
    Definition definition;
    Start(WriteDesktop(definition, "Kiosk"));
    const HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    ASSERT_TRUE(WaitFor([&] { return PageWindow() != nullptr; }, 10000));
    const DWORD first = WindowProcess(PageWindow());

    const std::string taskPage = install.path() + "\\Task.hta";
    WriteText(taskPage, TaskPageText("A task", 100, 100));
    StartedProgram task =
        StartProgram(Quoted(install.path() + "\\mshta.exe") + " " + Quoted(taskPage));
    HWND taskWindow = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            taskWindow = FindWindowOf(task.id, "");
            return taskWindow != nullptr;
        },
        5000));

    EndProcess(first);
    HWND page = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            page = PageWindow();
            return page && WindowProcess(page) != first;
        },
        3000));
    const std::vector<std::string> log = install.PageHostLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), log.front()), 2);

    ASSERT_TRUE(WaitFor([&] { return IsAtBottom(page); }, 3000));
    SetForegroundWindow(page);
    EXPECT_TRUE(WaitFor([&] { return IsAtBottom(page) && IsAbove(taskWindow, page); }, 1000));

    CloseWith(bar, "");
    EXPECT_TRUE(Ended());
    EndProcess(task.id);
}

TEST_F(DesktopSessionE2E, TheCountDownClosesThePromptAndTheSessionGoesOn) {
    Definition definition;
    definition.AdminPassword = "x";
    Start(WriteDesktop(definition, "Kiosk"));
    const HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    ChooseMenuItem(bar, bar, 0);
    const HWND prompt = WaitForPrompt();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(TitleOf(prompt), "Closing in 30");
    EXPECT_TRUE(WaitFor([&] { return TitleOf(prompt) == "Closing in 28"; }, 4000));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(prompt); }, 35000));
    EXPECT_TRUE(IsRunning(vallora.id));
    EXPECT_TRUE(IsWindow(bar));
}

TEST_F(DesktopSessionE2E, ASecondStarterReplacesTheGuardedAction) {
    Definition definition;
    definition.AdminPassword = "x";
    Start(WriteDesktop(definition, "Kiosk"));
    const HWND bar = WaitForBar();
    ASSERT_TRUE(bar);
    const std::string taskPage = install.path() + "\\Task.hta";
    WriteText(taskPage, TaskPageText("Keep me", 100, 100));
    StartedProgram task =
        StartProgram(Quoted(install.path() + "\\mshta.exe") + " " + Quoted(taskPage));
    HWND button = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            button = FindChild(bar, "Button");
            return button && IsWindowVisible(button);
        },
        5000));

    // Terminate for the task's button first, then Close from the bar.
    ChooseMenuItem(bar, button, 0);
    const HWND prompt = WaitForPrompt();
    ASSERT_TRUE(prompt);
    ChooseMenuItem(bar, bar, 0);
    EXPECT_EQ(WaitForPrompt(), prompt);
    Answer(prompt, "x");
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(IsRunning(task.id));
    EndProcess(task.id);
}

}  // namespace
}  // namespace vallora::e2e
