// The typical kiosk session from start to end, on the real programs with no
// seam: the editor opens a draft and saves it as Kiosk.vla; Vallora.exe runs
// that desktop; a program of its start-up list shows on the bar and its file
// dialog is taken over; the administrator closes the session through the
// bar's menu and password; the computer is left as it was found.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "e2e/e2e_support_win32.h"
#include "page/desktop_page.h"
#include "storage/definition_file.h"

namespace vallora::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr int kFileNameCombo = 0x47c;  // the file dialogs' file-name box
constexpr int kFileNameEdit = 0x480;   // the same in the classic dialogs
constexpr WPARAM kNotesOpenCommand = 101;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Keys typed on the keyboard, to whatever window is in front.
void Type(std::initializer_list<WORD> chord) {
    std::vector<INPUT> keys;
    for (WORD key : chord) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        keys.push_back(down);
    }
    for (auto key = chord.end(); key != chord.begin();) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *--key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        keys.push_back(up);
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

bool IsPasswordBox(HWND window) {
    return Lower(ClassOf(window)) == "edit" && (GetWindowLongA(window, GWL_STYLE) & ES_PASSWORD);
}

HWND FindDescendant(HWND parent, const std::function<bool(HWND)>& match) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (match(child)) return child;
        if (HWND found = FindDescendant(child, match)) return found;
    }
    return nullptr;
}

// The text of a control of another program, asked of the control itself.
std::string TextOf(HWND window) {
    char text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return std::string(text, std::min<std::size_t>(copied, sizeof(text) - 1));
}

long long FileTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

class TypicalSessionE2E : public testing::Test {
  protected:
    static void Screenshot(const std::string& name) {
        const std::string folder = WinePath(VALLORA_SCREENSHOTS);
        CreateDirectoryA(folder.c_str(), nullptr);
        SaveScreenshot(folder + "\\" + name + ".bmp");
    }

    // Starts Vallora.exe with the command tail and clicks its splash away.
    void Start(const std::string& tail) {
        std::string command = Quoted(install.path() + "\\Vallora.exe");
        if (!tail.empty()) command += " " + tail;
        vallora = StartProgram(command);
        ASSERT_NE(vallora.id, 0u);
    }
    HWND WaitForWindow(const std::string& className, DWORD timeoutMs = kStartTimeoutMs) {
        HWND window = nullptr;
        WaitFor(
            [&] {
                if (HWND splash = FindWindowOf(vallora.id, "ValloraSplash")) {
                    PostMessageA(splash, WM_KEYUP, VK_ESCAPE, 0);
                }
                window = FindWindowOf(vallora.id, className);
                return window != nullptr && IsWindowVisible(window);
            },
            timeoutMs);
        return window;
    }

    // Answers the system file dialog that the program shows with a path.
    bool AnswerFileDialog(const std::string& path) {
        HWND dialog = WaitForWindow("#32770", 10000);
        if (!dialog) return false;
        const int box = GetDlgItem(dialog, kFileNameCombo) ? kFileNameCombo : kFileNameEdit;
        SendMessageTimeoutA(GetDlgItem(dialog, box), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return WaitFor([&] { return !IsWindow(dialog); }, 10000);
    }

    bool Ended() { return WaitForSingleObject(vallora.process.get(), 15000) == WAIT_OBJECT_0; }

    InstallFolder install{WinePath(VALLORA_INSTALL_TREE), WinePath(VALLORA_PAGEHOST)};
    StartedProgram vallora;
};

TEST_F(TypicalSessionE2E, FromTheEditorThroughTheSessionBackToTheComputerAsItWas) {
    const std::string desks = install.path() + "\\Desks";
    const std::string publicFolder = install.path() + "\\Public";
    const std::string notes = install.path() + "\\notes.exe";
    const std::string notesResult = install.path() + "\\notes-result.txt";
    CreateDirectoryA(desks.c_str(), nullptr);
    std::filesystem::copy_file(WinePath(VALLORA_NOTES), notes);

    // The draft the administrator works from.
    Definition draft;
    draft.AdminPassword = "draft";
    draft.NoRun = 1;
    draft.NoLogoff = 1;
    draft.IOStartFolder = publicFolder;
    draft.StartUp = Quoted(notes) + " " + Quoted(notesResult);
    draft.SetApplicationAndLink("Notes", notes, "", "Center", 0, 1, 0, 0);
    draft.SetApplicationAndLink("Library", "http://library.example.org/", "", "Left", 1, 0, 2, 3);
    const std::string draftPath = desks + "\\Draft.vla";
    ASSERT_TRUE(SaveDefinition(draft, draftPath, nullptr));

    const char* policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    const long long noRunBefore = RegDword(HKEY_LOCAL_MACHINE, policies, "NoRun");
    const long long noLogoffBefore = RegDword(HKEY_CURRENT_USER, policies, "NoLogoff");
    RECT workAreaBefore{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workAreaBefore, 0);

    // The editor: open the draft, give the desktop its password, save it as Kiosk.vla.
    Start("");
    HWND editor = WaitForWindow("ValloraEditor");
    ASSERT_TRUE(editor);
    SetForegroundWindow(editor);
    Type({VK_CONTROL, 'O'});
    ASSERT_TRUE(AnswerFileDialog(draftPath));
    HWND password = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            password = FindDescendant(editor, IsPasswordBox);
            return password && TextOf(password) == "draft";
        },
        10000));
    SendMessageTimeoutA(password, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Kiosk 24"),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    Screenshot("typical-editor");
    SetForegroundWindow(editor);
    Type({VK_MENU, 'F'});
    Type({'A'});
    const std::string kiosk = desks + "\\Kiosk.vla";
    ASSERT_TRUE(AnswerFileDialog(kiosk));
    ASSERT_TRUE(WaitFor([&] { return FileTime(kiosk) >= 0; }, 10000));

    // The page with its icon folder first, then the definition.
    const std::string page = desks + "\\Kiosk.hta";
    const std::string icons = desks + "\\Kiosk_Icons\\";
    const Definition saved = LoadDefinition(kiosk).Record;
    EXPECT_EQ(saved.AdminPassword, "Kiosk 24");
    EXPECT_EQ(saved.Entry(0, 0), draft.Entry(0, 0));
    std::string icon;
    for (const auto& entry : std::filesystem::directory_iterator(icons)) {
        icon = entry.path().string();
    }
    ASSERT_FALSE(icon.empty());
    EXPECT_LE(FileTime(icon), FileTime(kiosk));
    EXPECT_LE(FileTime(page), FileTime(kiosk));
    EXPECT_EQ(ReadLines(page), [&] {
        WriteText(install.path() + "\\expected.hta", ComposeDesktopPage(saved, page).text);
        return ReadLines(install.path() + "\\expected.hta");
    }());

    // Closing the saved editor asks nothing and ends the program.
    PostMessageA(editor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Ended());

    // The desktop: Vallora.exe with the definition as its whole command tail.
    Start(kiosk);
    HWND bar = WaitForWindow("ValloraTaskBar");
    ASSERT_TRUE(bar);
    EXPECT_TRUE(
        WaitFor([&] { return RegDword(HKEY_LOCAL_MACHINE, policies, "NoRun") == 1; }, 5000));
    EXPECT_EQ(RegDword(HKEY_CURRENT_USER, policies, "NoLogoff"), 1);
    HWND pageWindow = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (DWORD id : ProcessesOf(install.path(), "mshta.exe")) {
                pageWindow = FindWindowOf(id, "ValloraPageHostStandIn");
                if (pageWindow) return true;
            }
            return false;
        },
        10000));
    EXPECT_TRUE(WaitFor([&] { return IsAtBottom(pageWindow); }, 3000));
    EXPECT_TRUE(
        WaitFor([&] { return (GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 3000));

    // The start-up program is a task of the bar.
    HWND notesWindow = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (DWORD id : ProcessesOf(install.path(), "notes.exe")) {
                notesWindow = FindWindowOf(id, "ValloraTestNotes");
            }
            return notesWindow != nullptr;
        },
        10000));
    // Its button is the bar's only one (the page is no task).
    EXPECT_TRUE(WaitFor(
        [&] {
            int shown = 0;
            for (HWND child = GetWindow(bar, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (Lower(ClassOf(child)) == "button" && IsWindowVisible(child)) ++shown;
            }
            return shown == 1;
        },
        3000));
    Screenshot("typical-desktop");

    // With "NoRun" the program's file dialog is taken over by the restricted one.
    SetForegroundWindow(notesWindow);
    PostMessageA(notesWindow, WM_COMMAND, kNotesOpenCommand, 0);
    HWND restricted = WaitForWindow("ValloraCommonDialog", 10000);
    ASSERT_TRUE(restricted);
    // The program's own dialog is hidden once the restricted one stands in its place.
    EXPECT_TRUE(WaitFor(
        [&] { return FindWindowOf(WindowProcess(notesWindow), "#32770") == nullptr; }, 5000));
    RedrawWindow(restricted, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(500);
    Screenshot("typical-file-dialog");
    SendMessageTimeoutA(FindChild(restricted, "Edit"), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>("report.txt"), SMTO_ABORTIFHUNG, 5000, nullptr);
    PostMessageA(FindChild(restricted, "Button", "&OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !ReadLines(notesResult).empty(); }, 10000));
    EXPECT_EQ(Lower(ReadLines(notesResult).front()), Lower("OK " + publicFolder + "\\report.txt"));

    // The administrator ends the session from the bar's menu with the password.
    PostMessageA(bar, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar), MAKELPARAM(20, 750));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            menu = FindWindowOf(vallora.id, "#32768");
            return menu != nullptr;
        },
        5000));
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND prompt = WaitForWindow("ValloraPassWord", 5000);
    ASSERT_TRUE(prompt);
    SendMessageTimeoutA(FindChild(prompt, "Edit"), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>("Kiosk 24"), SMTO_ABORTIFHUNG, 2000, nullptr);
    PostMessageA(FindChild(prompt, "Button", "&OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(Ended());

    EXPECT_TRUE(WaitFor(
        [&] {
            return ProcessesOf(install.path(), "ValloraRun.exe").empty() &&
                   ProcessesOf(install.path(), "mshta.exe").empty();
        },
        5000));
    // Reset turns each restriction off: 0, or still absent where it never was.
    for (const auto& [hive, name, before] :
         {std::tuple{HKEY_LOCAL_MACHINE, "NoRun", noRunBefore},
          std::tuple{HKEY_CURRENT_USER, "NoLogoff", noLogoffBefore}}) {
        const long long after = RegDword(hive, policies, name);
        EXPECT_TRUE(after == before || (before <= 0 && after == 0)) << name << " " << after;
    }
    RECT workAreaAfter{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workAreaAfter, 0);
    EXPECT_TRUE(EqualRect(&workAreaBefore, &workAreaAfter));
}

}  // namespace
}  // namespace vallora::e2e
