#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "e2e/e2e_support_win32.h"
#include "editor/frm_splash_win32.h"

namespace vallora {
namespace {

// Keys or clicks given to the splash from inside its modal loop.
std::vector<std::pair<UINT, WPARAM>> script;
std::string seenVersion;
bool seenTopMost = false;

void CALLBACK Drive(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND splash = FindWindowA("ValloraSplash", nullptr);
    if (!splash || !IsWindowVisible(splash)) return;
    if (HWND info = e2e::FindChild(splash, "Static")) seenVersion = e2e::TitleOf(info);
    seenTopMost = (GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (script.empty()) {
        KillTimer(nullptr, timer);
        return;
    }
    // A command comes as a click on the web address.
    const LPARAM from =
        script.front().first == WM_COMMAND
            ? reinterpret_cast<LPARAM>(FindWindowExA(splash, nullptr, "Static", kSplashAddress))
            : 0;
    PostMessageA(splash, script.front().first, script.front().second, from);
    script.erase(script.begin());
}

// What taking a shown, active window off the screen costs here: some window
// systems wait for a window manager that is not there.
ULONGLONG CloseCost() {
    static const ULONGLONG cost = [] {
        HWND probe = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "probe", WS_POPUP | WS_BORDER, 10,
                                     10, 100, 100, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(probe, SW_SHOW);
        SetForegroundWindow(probe);
        const ULONGLONG start = GetTickCount64();
        DestroyWindow(probe);
        return GetTickCount64() - start;
    }();
    return cost;
}

int ProcessCount() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        ++count;
    CloseHandle(snapshot);
    return count;
}

// How long the splash stayed, in ms, with `keys` given one per 200 ms.
ULONGLONG ShowFor(std::vector<std::pair<UINT, WPARAM>> keys) {
    CloseCost();
    script = std::move(keys);
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, Drive);
    frmSplash splash("version 1.5 build 12");
    const ULONGLONG start = GetTickCount64();
    splash.ShowSplash(nullptr);
    const ULONGLONG shown = GetTickCount64() - start - CloseCost();
    KillTimer(nullptr, timer);
    EXPECT_FALSE(IsWindow(FindWindowA("ValloraSplash", nullptr)));
    return shown;
}

TEST(Splash, ShowsTheVersionAndClosesItselfAfterThreeSeconds) {
    const ULONGLONG shown = ShowFor({});
    EXPECT_GE(shown, 2900u);
    EXPECT_LT(shown, 4500u);
    EXPECT_EQ(seenVersion, "version 1.5 build 12");
    EXPECT_TRUE(seenTopMost);
}

TEST(Splash, EnterEscOrAClickAnywhereCloseItAndOtherKeysDoNot) {
    const struct {
        std::vector<std::pair<UINT, WPARAM>> keys;
        bool closesEarly;
    } cases[] = {
        {{{WM_KEYUP, VK_ESCAPE}}, true},
        {{{WM_KEYUP, VK_RETURN}}, true},
        {{{WM_LBUTTONUP, 0}}, true},
        // The web address is plain text that opens nothing.
        {{{WM_COMMAND, MAKEWPARAM(0, STN_CLICKED)}}, true},
        {{{WM_KEYUP, 'A'}, {WM_KEYDOWN, VK_ESCAPE}}, false},  // Esc counts when released
    };
    for (const auto& c : cases) {
        const int processes = ProcessCount();
        const ULONGLONG shown = ShowFor(c.keys);
        EXPECT_EQ(ProcessCount(), processes);
        if (c.closesEarly) {
            EXPECT_LT(shown, 1500u);
        } else {
            EXPECT_GE(shown, 2900u);
        }
    }
}

}  // namespace
}  // namespace vallora
