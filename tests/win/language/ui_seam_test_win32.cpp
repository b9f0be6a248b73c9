// The system dialogs behind the UI seam, answered by a timer that works the
// dialog the way a person would.
#include <gtest/gtest.h>
#include <windows.h>
// commdlg.h needs windows.h first
#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>

#include "platform/ui_seam_win32.h"

namespace vallora {
namespace {

// The one dialog driver of the running test: a thread timer looks for the
// dialog this thread shows and hands it to `act` once.
std::function<void(HWND)> g_act;

HWND ThreadDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            char name[16] = {};
            GetClassNameA(hwnd, name, sizeof(name));
            if (IsWindowVisible(hwnd) && std::string(name) == "#32770") {
                *reinterpret_cast<HWND*>(lParam) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = ThreadDialog();
    if (!dialog || !g_act) return;
    KillTimer(nullptr, timer);
    auto act = std::move(g_act);
    g_act = nullptr;
    act(dialog);
}

// Runs `ask` with `act` answering the dialog it opens.
template <typename Ask>
auto WithDialog(std::function<void(HWND)> act, Ask ask) {
    g_act = std::move(act);
    UINT_PTR timer = SetTimer(nullptr, 0, 100, DriveDialog);
    auto result = ask();
    KillTimer(nullptr, timer);
    g_act = nullptr;
    return result;
}

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder =
        std::string(temp) + "vallora-seam-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

TEST(Win32Ui, FileOpenStartsInTheNamedFolderAndReturnsTheChoice) {
    const std::string folder = TempFolder();
    const std::string file = folder + "\\German.txt";
    CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Win32Ui ui;
    std::string shownFolder;
    auto chosen = WithDialog(
        [&](HWND dialog) {
            char path[MAX_PATH] = {};
            SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
            shownFolder = path;
            SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>("German.txt"));
            SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>("German.txt"));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        },
        [&] { return ui.OpenFile({.filter = "*.txt |*.txt", .fileName = folder + "\\..."}); });
    EXPECT_EQ(shownFolder, folder);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, file);

    auto cancelled = WithDialog([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); },
                                [&] { return ui.SaveFile({.filter = "Bitmap | *.bmp"}); });
    EXPECT_FALSE(cancelled.has_value());
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(Win32Ui, MessageBoxReportsTheButtonPressed) {
    Win32Ui ui;
    struct Case {
        MessageButtons buttons;
        int button;
        MessageResult expected;
    };
    const Case cases[] = {
        {MessageButtons::YesNo, IDNO, MessageResult::No},
        {MessageButtons::YesNoCancel, IDYES, MessageResult::Yes},
        {MessageButtons::YesNoCancel, IDCANCEL, MessageResult::Cancel},
        {MessageButtons::Ok, IDOK, MessageResult::Ok},
    };
    for (const Case& c : cases) {
        int button = c.button;
        auto result = WithDialog([button](HWND box) { PostMessageA(box, WM_COMMAND, button, 0); },
                                 [&] {
                                     return ui.ShowMessage({.text = "Save?",
                                                            .title = "Vallora",
                                                            .buttons = c.buttons,
                                                            .icon = MessageIcon::Exclamation});
                                 });
        EXPECT_EQ(result, c.expected) << button;
    }
}

}  // namespace
}  // namespace vallora
