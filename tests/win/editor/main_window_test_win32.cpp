// frmMain driven in-process through its menu commands and controls, with a
// scripted UI, an in-memory registry and a temporary folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "editor/frm_main_win32.h"
#include "language/language_files_win32.h"
#include "language/messages.h"
#include "page/desktop_page.h"
#include "page/icon_bitmap_win32.h"
#include "platform/profile_win32.h"
#include "platform/scripted_ui.h"
#include "platform/shell_folders_win32.h"
#include "platform/ui_seam_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/definition_load.h"
#include "storage/definition_file.h"
#include "storage/memory_registry.h"
#include "storage/password_hash.h"

namespace vallora {
namespace {

class QuietSystem : public SecuritySystemPort {
  public:
    void SetScreenSaverRunning(bool) override {}
    void EndExplorerDesktop() override {}
    bool IsExplorerRunning() override { return true; }
    void StartExplorer() override {}
};

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A 24-bit bitmap file of the given size, all grey.
void WriteBitmap(const std::string& path, int width, int height) {
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = rowBytes * static_cast<uint32_t>(height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    const std::vector<char> pixels(info.biSizeImage, static_cast<char>(0x80));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

// Answers the add/edit dialog from inside its modal loop: OK after the
// "Program, Document or URL" box (the box showing `url`) got `newUrl`, or
// Cancel when newUrl is empty.
struct EditDialogAnswer {
    static inline std::string url;
    static inline std::string newUrl;
    static inline bool seen = false;
    static void Arm(std::string shown, std::string typed) {
        url = std::move(shown);
        newUrl = std::move(typed);
        seen = false;
        SetTimer(nullptr, 0, 50, &Answer);
    }
    static BOOL CALLBACK TypeInto(HWND child, LPARAM) {
        char text[MAX_PATH] = {};
        GetWindowTextA(child, text, MAX_PATH);
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "Edit" && text == url) SetWindowTextA(child, newUrl.c_str());
        return TRUE;
    }
    static void CALLBACK Answer(HWND, UINT, UINT_PTR id, DWORD) {
        const HWND dialog = FindWindowA("ValloraAddEditAppAndLink", nullptr);
        if (!dialog || !IsWindowVisible(dialog)) return;
        KillTimer(nullptr, id);
        seen = true;
        if (!newUrl.empty()) EnumChildWindows(dialog, &TypeInto, 0);
        PostMessageA(dialog, WM_COMMAND, newUrl.empty() ? IDCANCEL : IDOK, 0);
    }
};

// Closes the window of the given class once it shows: a modal window the
// test cannot reach otherwise (a message box "#32770", the About window).
struct CloseWhenShown {
    static inline std::string windowClass;
    static inline bool seen = false;
    static void Arm(std::string className) {
        windowClass = std::move(className);
        seen = false;
        SetTimer(nullptr, 0, 50, &Close);
    }
    static void CALLBACK Close(HWND, UINT, UINT_PTR id, DWORD) {
        const HWND shown = FindWindowA(windowClass.c_str(), nullptr);
        if (!shown || !IsWindowVisible(shown)) return;
        KillTimer(nullptr, id);
        seen = true;
        PostMessageA(shown, WM_CLOSE, 0, 0);
    }
};

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "vallora-main-" + std::to_string(GetTickCount64());
        std::filesystem::create_directories(folder);
        // Not shown: under a display without a window manager, hiding a shown
        // window waits for it, which would make every test slow.
        ASSERT_TRUE(main.Load());
        main.LoadDefinition("");
    }
    void TearDown() override {
        main.Destroy();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    void Command(const std::string& name) {
        const UINT id = main.CommandId(name);
        ASSERT_NE(id, 0u) << name;
        SendMessageA(main.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    void Type(const std::string& control, const std::string& text) {
        SetWindowTextA(main.ControlHwnd(control), text.c_str());
    }
    void Click(const std::string& control) {
        SendMessageA(main.ControlHwnd(control), BM_CLICK, 0, 0);
    }
    // A double click on a colour box, as the box reports it to its page.
    void DoubleClick(const std::string& control) {
        const HWND hwnd = main.ControlHwnd(control);
        SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_DBLCLK),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    std::string SavedDefinition(const std::string& name) {
        const std::string path = folder + "\\" + name;
        WriteWholeText(path, Definition{});
        return path;
    }
    void WriteWholeText(const std::string& path, const Definition& definition) {
        ASSERT_TRUE(SaveDefinition(definition, path, nullptr));
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const AskedQuestion& asked : ui.Asked()) {
            if (asked.kind == Question::ShowMessage) texts.push_back(asked.message.text);
        }
        return texts;
    }

    std::string folder;
    ProgramState state;
    MemoryRegistry registry;
    ProfileWin32 profile;
    Settings settings{registry, profile};
    Win32LanguageFiles files;
    Language language{settings, files, "C:\\nowhere"};
    ScriptedUi ui;
    Win32WindowPort windows;
    QuietSystem system;
    DesktopSession session{{state, settings, language, ui, windows, system, "C:\\nowhere"}};
    IconPortWin32 icons{settings};
    int sessionEnds = 0;
    std::vector<std::pair<std::string, WORD>> started;
    frmMain main{{.state = state,
                  .settings = settings,
                  .language = language,
                  .ui = ui,
                  .session = session,
                  .icons = icons,
                  .system = system,
                  .programFolder = "C:\\Program Files\\Vallora",
                  .endSession = [this] { ++sessionEnds; },
                  .startProgram = [this](const std::string& line,
                                         WORD show) { started.emplace_back(line, show); }}};
};

enum class Answer { Cancel, No, YesDialogCancelled, YesSaved };
enum class Command { New, Open, Exit, Close };

struct PromptCase {
    Command command;
    Answer answer;
    bool goesOn;
};

class SavePromptTest : public MainWindowTest, public testing::WithParamInterface<PromptCase> {};

TEST_P(SavePromptTest, TheCommandGoesOnOnlyWhenTheEditsAreSavedOrDropped) {
    const PromptCase& c = GetParam();
    const std::string opened = SavedDefinition("Opened.vla");
    main.LoadDefinition(opened);
    state.currentDefinitionPath.clear();  // never saved: Yes asks for a file name
    Type("txtHideDrives", "C;D");
    ASSERT_TRUE(main.Changed());

    const std::string savedPath = folder + "\\Saved.vla";
    switch (c.answer) {
        case Answer::Cancel:
            ui.AnswerMessage(MessageResult::Cancel);
            break;
        case Answer::No:
            ui.AnswerMessage(MessageResult::No);
            break;
        case Answer::YesDialogCancelled:
            ui.AnswerMessage(MessageResult::Yes);
            ui.AnswerSaveFile(std::nullopt);
            break;
        case Answer::YesSaved:
            ui.AnswerMessage(MessageResult::Yes);
            ui.AnswerSaveFile(savedPath);
            break;
    }
    if (c.goesOn && c.command == Command::Open) ui.AnswerOpenFile(opened);

    switch (c.command) {
        case Command::New:
            Command("mnuFileNew");
            break;
        case Command::Open:
            Command("mnuFileOpen");
            break;
        case Command::Exit:
            Command("mnuFileExit");
            break;
        case Command::Close:
            SendMessageA(main.Hwnd(), WM_CLOSE, 0, 0);
            break;
    }

    ASSERT_GE(ui.Asked().size(), 1u);
    const AskedQuestion& prompt = ui.Asked().front();
    EXPECT_EQ(prompt.message.text, BuiltInMessage(kMsgSettingsChanged));
    EXPECT_EQ(prompt.message.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(prompt.message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui.Unscripted(), 0u);
    EXPECT_EQ(ui.Unanswered(), 0u);
    EXPECT_EQ(std::filesystem::exists(savedPath), c.answer == Answer::YesSaved);
    if (c.answer == Answer::YesSaved) {
        EXPECT_EQ(LoadDefinition(savedPath).Record.HideDrives, "C;D");
    }
    if (!c.goesOn) {
        EXPECT_TRUE(main.Changed());
        EXPECT_EQ(state.definition.HideDrives, "C;D");
        EXPECT_EQ(main.Text("txtHideDrives"), "C;D");
        EXPECT_TRUE(IsWindow(main.Hwnd()));
        EXPECT_EQ(sessionEnds, 0);
        return;
    }
    switch (c.command) {
        case Command::New:
        case Command::Open:
            EXPECT_FALSE(main.Changed());
            EXPECT_EQ(state.definition.HideDrives, "");
            EXPECT_EQ(main.Text("txtHideDrives"), "");
            break;
        case Command::Exit:
            EXPECT_EQ(sessionEnds, 1);
            break;
        case Command::Close:
            EXPECT_EQ(main.Hwnd(), nullptr);
            EXPECT_EQ(sessionEnds, 0);
            // The definition last opened is back in the record.
            EXPECT_EQ(state.definition, Definition{});
            EXPECT_EQ(state.lastOpenedPath, opened);
            break;
    }
}

std::vector<PromptCase> PromptCases() {
    std::vector<PromptCase> cases;
    for (Command command : {Command::New, Command::Open, Command::Exit, Command::Close}) {
        cases.push_back({command, Answer::Cancel, false});
        cases.push_back({command, Answer::No, true});
        cases.push_back({command, Answer::YesDialogCancelled, false});
        cases.push_back({command, Answer::YesSaved, true});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryCommandAndAnswer, SavePromptTest, testing::ValuesIn(PromptCases()));

TEST_F(MainWindowTest, NothingChangedMeansNoQuestion) {
    ui.AnswerOpenFile(std::nullopt);
    Command("mnuFileNew");
    Command("mnuFileOpen");
    Command("mnuFileExit");
    ASSERT_EQ(ui.Asked().size(), 1u);
    EXPECT_EQ(ui.Asked()[0].kind, Question::OpenFile);
    EXPECT_EQ(sessionEnds, 1);
    SendMessageA(main.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(main.Hwnd(), nullptr);
}

TEST_F(MainWindowTest, SaveWithoutPathAsksThenWritesPageAndDefinitionAndLaterSavesInPlace) {
    Type("txtWidth", "1024");
    Type("txtIEHomePage", "http://example.com/");
    const std::string path = folder + "\\Kiosk.vla";
    ui.AnswerSaveFile(path);
    Command("mnuFileSave");

    ASSERT_EQ(ui.Asked().size(), 1u);
    const FileDialogRequest& dialog = ui.Asked()[0].file;
    EXPECT_EQ(ui.Asked()[0].kind, Question::SaveFile);
    EXPECT_TRUE(dialog.overwritePrompt);
    EXPECT_EQ(dialog.filter, "Vallora |*.vla");
    EXPECT_EQ(dialog.fileName, "C:\\Program Files\\Vallora\\Desktops\\Desktop");
    EXPECT_FALSE(main.Changed());
    EXPECT_EQ(state.currentDefinitionPath, path);
    EXPECT_EQ(ReadAll(path), DefinitionText(state.definition));
    const std::string page = folder + "\\Kiosk.hta";
    EXPECT_EQ(ReadAll(page), ComposeDesktopPage(state.definition, page).text);
    EXPECT_EQ(LoadDefinition(path).Record.Width, "1024");

    // A second Save goes to the same file without a dialog.
    Type("txtHeight", "700");
    Command("mnuFileSave");
    EXPECT_EQ(ui.Asked().size(), 1u);
    EXPECT_EQ(LoadDefinition(path).Record.Height, "700");
    EXPECT_NE(ReadAll(page).find("700"), std::string::npos);
}

TEST_F(MainWindowTest, AFailedSaveSaysSoKeepsTheFlagAndWritesNoDefinitionWithoutItsPage) {
    // A folder that does not exist, then a page path taken by a folder.
    const std::string missing = folder + "\\Missing\\Kiosk.vla";
    std::filesystem::create_directories(folder + "\\Blocked.hta");
    const std::string blocked = folder + "\\Blocked.vla";
    for (const std::string& path : {missing, blocked}) {
        SCOPED_TRACE(path);
        Type("txtHideDrives", path);
        ui.AnswerSaveFile(path);
        EXPECT_FALSE(main.SaveFile(true));
        EXPECT_TRUE(main.Changed());
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_TRUE(state.currentDefinitionPath.empty());
        const std::vector<std::string> texts = MessageTexts();
        ASSERT_FALSE(texts.empty());
        const std::string expected = std::string(BuiltInMessage(kMsgErrorsOccoured)) + "\r\n";
        EXPECT_EQ(texts.back().rfind(expected, 0), 0u) << texts.back();
        EXPECT_GT(texts.back().size(), expected.size());  // the system's own words follow
        EXPECT_EQ(ui.Asked().back().message.icon, MessageIcon::Critical);
    }

    // Exit after answering Yes to a save that fails stops as after a cancel.
    ui.AnswerMessage(MessageResult::Yes);
    ui.AnswerSaveFile(missing);
    Command("mnuFileExit");
    EXPECT_EQ(sessionEnds, 0);
    EXPECT_TRUE(main.Changed());
}

TEST_F(MainWindowTest, ApplyRestrictionsUsesTheUnsavedTicksAndConfirms) {
    Click("chkNoLogoff");
    ASSERT_EQ(state.definition.NoLogoff, 1);
    Command("mnuComputerSecurityApply");

    SettingValue value = int32_t{0};
    EXPECT_EQ(settings.ReadSetting(
                  "HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                  "NoLogoff", "D", value),
              0);
    EXPECT_EQ(value, SettingValue(int32_t{1}));
    ASSERT_EQ(MessageTexts(),
              std::vector<std::string>{std::string(BuiltInMessage(kMsgSecuritySet))});
    EXPECT_EQ(ui.Asked()[0].message.icon, MessageIcon::Information);
}

TEST_F(MainWindowTest, ChangedFlagRules) {
    struct Case {
        const char* what;
        std::function<void()> act;
        bool sets;
    };
    const Case cases[] = {
        {"typing", [&] { Type("txtBGImage", "back.jpg"); }, true},
        {"ticking", [&] { Click("chkNoRun"); }, true},
        {"page host", [&] { Click("chkBuiltInPage"); }, true},
        {"password display", [&] { Click("chkPwdInfo"); }, false},
        {"colour cancelled",
         [&] {
             ui.AnswerColor(std::nullopt);
             DoubleClick("picBackColor");
         },
         false},
        {"colour confirmed unchanged",
         [&] {
             ui.AnswerColor(state.definition.TextColor);
             DoubleClick("picTextColor");
         },
         true},
        {"sample colour",
         [&] {
             ui.AnswerColor(255);
             DoubleClick("lblColorInfo");
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        main.LoadDefinition("");
        ASSERT_FALSE(main.Changed());
        c.act();
        EXPECT_EQ(main.Changed(), c.sets);
    }
    EXPECT_EQ(state.definition.BackColor, 255);  // the sample edits the background colour
    EXPECT_EQ(ui.Unscripted(), 0u);
}

TEST_F(MainWindowTest, EveryEditOfTheGridSetsTheChangedFlag) {
    Definition definition;
    definition.SetApplicationAndLink("Notepad", "C:\\windows\\notepad.exe", "", "Center", 0, 0, 0,
                                     0);
    const std::string path = folder + "\\Grid.vla";
    WriteWholeText(path, definition);
    DesktopGrid& grid = *main.Grid();
    const HWND hwnd = grid.Hwnd();
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right / kGridColumns;
    const int height = client.bottom / kGridRows;
    const auto at = [&](int row, int column) {
        return MAKELPARAM(column * width + width / 2, row * height + height / 2);
    };
    struct Case {
        const char* what;
        std::function<void()> act;
        bool sets;
    };
    const Case cases[] = {
        {"Enter, then OK with a new program",
         [&] {
             EditDialogAnswer::Arm("C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe");
             SendMessageA(hwnd, WM_CHAR, '\r', 1);
             EXPECT_TRUE(EditDialogAnswer::seen);
         },
         true},
        {"the menu's Edit, then Cancel",
         [&] {
             EditDialogAnswer::Arm("C:\\windows\\notepad.exe", "");
             grid.RunMenuCommand(3);
             EXPECT_TRUE(EditDialogAnswer::seen);
         },
         false},
        {"copy", [&] { grid.Copy(); }, false},
        {"cut", [&] { grid.Cut(); }, false},
        {"cut and paste",
         [&] {
             grid.Cut();
             grid.SetCurrentCell(3, 3);
             grid.Paste();
         },
         true},
        {"delete", [&] { grid.DeleteCurrent(); }, true},
        {"drag",
         [&] {
             SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 0));
             SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at(5, 5));
             SendMessageA(hwnd, WM_LBUTTONUP, 0, at(5, 5));
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        main.LoadDefinition(path);
        grid.SetCurrentCell(0, 0);
        ASSERT_FALSE(main.Changed());
        c.act();
        EXPECT_EQ(main.Changed(), c.sets);
        EXPECT_EQ(state.definition != definition, c.sets);
    }
}

TEST_F(MainWindowTest, AFileThatCannotBeReadIsReportedAndTheDocumentStays) {
    Definition opened;
    opened.HideDrives = "X";
    const std::string openedPath = folder + "\\Opened.vla";
    WriteWholeText(openedPath, opened);
    main.LoadDefinition(openedPath);
    Type("txtHideDrives", "C;D");
    // Another program holds the file open and shares it with no one.
    const std::string locked = SavedDefinition("Locked.vla");
    const HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ui.AnswerMessage(MessageResult::No);  // the save prompt: drop the edits
    ui.AnswerOpenFile(locked);
    Command("mnuFileOpen");
    CloseHandle(holder);

    ASSERT_EQ(ui.Asked().size(), 3u);
    const MessageRequest& report = ui.Asked()[2].message;
    EXPECT_EQ(ui.Asked()[2].kind, Question::ShowMessage);
    EXPECT_EQ(report.icon, MessageIcon::Critical);
    EXPECT_EQ(report.text.rfind(locked, 0), 0u) << report.text;
    EXPECT_GT(report.text.size(), locked.size() + 2) << "the system's words follow the path";
    EXPECT_EQ(state.currentDefinitionPath, openedPath);
    EXPECT_EQ(state.lastOpenedPath, openedPath);
    EXPECT_EQ(state.definition.HideDrives, "C;D");
    EXPECT_EQ(main.Text("txtHideDrives"), "C;D");
    EXPECT_TRUE(main.Changed());

    // Save goes on writing the document's own file, never the one that failed.
    Command("mnuFileSave");
    EXPECT_EQ(LoadDefinition(openedPath).Record.HideDrives, "C;D");
    EXPECT_EQ(ReadAll(locked), DefinitionText(Definition{}));
}

TEST_F(MainWindowTest, SaveAsAddsTheExtensionAndThePageLiesBesideTheFileInADottedFolder) {
    const std::string dotted = folder + "\\My.Desks";
    std::filesystem::create_directories(dotted);
    ui.AnswerSaveFile(dotted + "\\Kiosk");
    ASSERT_TRUE(main.SaveFile(true));
    EXPECT_EQ(ui.Asked()[0].file.defaultExtension, "vla");
    EXPECT_EQ(state.currentDefinitionPath, dotted + "\\Kiosk.vla");
    EXPECT_EQ(ReadAll(dotted + "\\Kiosk.vla"), DefinitionText(state.definition));
    EXPECT_TRUE(std::filesystem::exists(dotted + "\\Kiosk.hta"));
    EXPECT_FALSE(std::filesystem::exists(dotted + "\\Kiosk"));
    EXPECT_FALSE(std::filesystem::exists(folder + "\\My.hta"));
}

TEST_F(MainWindowTest, FocusStartsWhereTheTabSaysAndComesBackAfterEveryModalWindow) {
    // The hidden window's start cannot be relied on to hold the focus (the
    // splash, or a system that focuses no control of a hidden window).
    SetFocus(nullptr);
    ASSERT_TRUE(main.Show());
    EXPECT_EQ(GetFocus(), main.ControlHwnd("txtLeft"));
    main.SelectTab(2);
    const HWND grid = main.Grid()->Hwnd();
    ASSERT_EQ(GetFocus(), grid);

    // A real message box over the editor, as the system shows it.
    Win32Ui system;
    ui.OnQuestion([&](const AskedQuestion& asked) {
        if (asked.kind != Question::ShowMessage) return;
        CloseWhenShown::Arm("#32770");
        system.ShowMessage(asked.message);
    });
    Command("mnuComputerSecurityReset");
    EXPECT_TRUE(CloseWhenShown::seen);
    EXPECT_EQ(GetFocus(), grid) << "after a message box";

    EditDialogAnswer::Arm("", "");
    SendMessageA(grid, WM_CHAR, '\r', 1);
    EXPECT_TRUE(EditDialogAnswer::seen);
    EXPECT_EQ(GetFocus(), grid) << "after the add/edit dialog";

    CloseWhenShown::Arm("ValloraSplash");
    Command("mnuHelpAbout");
    EXPECT_TRUE(CloseWhenShown::seen);
    EXPECT_EQ(GetFocus(), grid) << "after About";
}

TEST_F(MainWindowTest, PasswordDisplayTogglesMaskingWithoutTouchingThePassword) {
    Type("txtAdminPassword", "Secret");
    const HWND box = main.ControlHwnd("txtAdminPassword");
    EXPECT_EQ(SendMessageA(box, EM_GETPASSWORDCHAR, 0, 0), '*');
    Click("chkPwdInfo");
    EXPECT_EQ(SendMessageA(box, EM_GETPASSWORDCHAR, 0, 0), 0);
    Click("chkPwdInfo");
    EXPECT_EQ(SendMessageA(box, EM_GETPASSWORDCHAR, 0, 0), '*');
    EXPECT_EQ(state.definition.AdminPassword, "Secret");
}

TEST_F(MainWindowTest, AProtectedPasswordIsSavedAsAHashOnlyAndReplacedByTyping) {
    const std::string path = folder + "\\Protected.vla";
    Type("txtAdminPassword", "Secret");
    Click("chkProtectPassword");
    ui.AnswerSaveFile(path);
    Command("mnuFileSave");
    const Definition saved = LoadDefinition(path).Record;
    EXPECT_EQ(saved.AdminPassword, "");
    EXPECT_TRUE(VerifyPassword("Secret", saved.AdminPasswordHash)) << saved.AdminPasswordHash;
    EXPECT_EQ(ReadAll(path).find("AdminPassword=\r\nAdminPasswordHash=pbkdf2-sha256$"),
              ReadAll(path).find("AdminPassword="));
    EXPECT_EQ(main.Text("txtAdminPassword"), "");

    // Opened again: the box is ticked and shows nothing; a save keeps the hash.
    main.LoadDefinition(path);
    EXPECT_EQ(SendMessageA(main.ControlHwnd("chkProtectPassword"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(main.Text("txtAdminPassword"), "");
    Command("mnuFileSave");
    EXPECT_EQ(LoadDefinition(path).Record.AdminPasswordHash, saved.AdminPasswordHash);

    // A new password typed in replaces the old one; unticked, the password is readable again.
    Type("txtAdminPassword", "Other");
    Command("mnuFileSave");
    EXPECT_TRUE(VerifyPassword("Other", LoadDefinition(path).Record.AdminPasswordHash));
    Click("chkProtectPassword");
    Type("txtAdminPassword", "Plain");
    Command("mnuFileSave");
    EXPECT_EQ(LoadDefinition(path).Record.AdminPassword, "Plain");
    EXPECT_EQ(LoadDefinition(path).Record.AdminPasswordHash, "");
}

TEST_F(MainWindowTest, BackgroundPictureSetsThePageSizeFromThePicture) {
    const std::string picture = folder + "\\Back.bmp";
    WriteBitmap(picture, 1024, 768);
    Type("txtTop", "12");
    ui.AnswerOpenFile(picture);
    Click("cmdBrowseBGPicture");
    EXPECT_EQ(ui.Asked().back().file.filter,
              "*.jpg; *.gif; *.bmp; *.png | *.jpg; *.gif; *.bmp; *.png");
    EXPECT_EQ(state.definition.BackgroundPicture, picture);
    EXPECT_EQ(state.definition.Width, "1024");
    EXPECT_EQ(state.definition.Height, "768");
    EXPECT_EQ(state.definition.Top, "12");
    EXPECT_EQ(state.definition.Left, "0");

    // A picture that cannot be read leaves the size as it is.
    ui.AnswerOpenFile("http://example.com/back.png");
    Click("cmdBrowseBGPicture");
    EXPECT_EQ(state.definition.BackgroundPicture, "http://example.com/back.png");
    EXPECT_EQ(state.definition.Width, "1024");
    EXPECT_EQ(state.definition.Height, "768");
}

TEST_F(MainWindowTest, StartupFilesAndStartFolderChoosers) {
    ui.AnswerOpenFile("C:\\a.exe");
    ui.AnswerOpenFile("C:\\b b.doc");
    ui.AnswerOpenFile(std::nullopt);
    Click("cmdBrowseProgramFile");
    Click("cmdBrowseProgramFile");
    Click("cmdBrowseProgramFile");
    EXPECT_EQ(state.definition.StartUp, "C:\\a.exe\r\nC:\\b b.doc\r\n");
    EXPECT_EQ(ui.Asked()[0].file.filter, "*.* | *.*");
    EXPECT_EQ(ui.Asked()[0].file.fileName.substr(ui.Asked()[0].file.fileName.size() - 4), "\\...");

    Click("cmdInfo");
    EXPECT_EQ(MessageTexts().back(), "C:\\a.exe\r\nC:\\b b.doc\r\n\r\n");

    // A last line typed without its line end is not glued to the next file.
    Type("txtAppsToStart", "notepad.exe");
    ui.AnswerOpenFile("C:\\c.exe");
    Click("cmdBrowseProgramFile");
    EXPECT_EQ(state.definition.StartUp, "notepad.exe\r\nC:\\c.exe\r\n");

    Type("txtStartFolder", "C:\\Data");
    main.setChanged(false);
    ui.AnswerFolder(std::nullopt);
    Click("cmdBrowseDefaultLocation");
    EXPECT_EQ(state.definition.IOStartFolder, "C:\\Data");
    EXPECT_FALSE(main.Changed());
    ui.AnswerFolder("C:\\Other");
    Click("cmdBrowseDefaultLocation");
    EXPECT_EQ(state.definition.IOStartFolder, "C:\\Other");
}

TEST_F(MainWindowTest, IdleResetSettingsAreTypedInSecondsAndKeptInTheirRanges) {
    Definition definition;
    definition.IdleReset = 900;
    definition.ClearStartFolder = 1;
    const std::string path = folder + "\\Idle.vla";
    WriteWholeText(path, definition);
    main.LoadDefinition(path);
    EXPECT_EQ(main.Text("txtIdleReset"), "900");
    EXPECT_EQ(main.Text("txtIdleWarning"), "30");
    EXPECT_EQ(SendMessageA(main.ControlHwnd("chkClearStartFolder"), BM_GETCHECK, 0, 0),
              BST_CHECKED);

    // Leaving the box brings the value into its range, as the file would.
    const auto leave = [&](const char* name) {
        const HWND box = main.ControlHwnd(name);
        SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(box));
    };
    const struct {
        const char* box;
        const char* typed;
        int Definition::*field;
        int whileTyping;
        const char* left;
    } cases[] = {
        {"txtIdleReset", "10", &Definition::IdleReset, 10, "30"},
        {"txtIdleReset", "", &Definition::IdleReset, 0, "0"},
        {"txtIdleReset", "999999", &Definition::IdleReset, 999999, "86400"},
        {"txtIdleWarning", "0", &Definition::IdleWarning, 0, "0"},
        {"txtIdleWarning", "45", &Definition::IdleWarning, 45, "45"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box) + "=" + c.typed);
        main.setChanged(false);
        Type(c.box, c.typed);
        EXPECT_EQ(state.definition.*c.field, c.whileTyping);
        EXPECT_TRUE(main.Changed());
        leave(c.box);
        EXPECT_EQ(main.Text(c.box), c.left);
    }
    Click("chkClearStartFolder");
    EXPECT_EQ(state.definition.ClearStartFolder, 0);
}

TEST_F(MainWindowTest, StartAndInternetCommandsStartTheirProgramsByQuotedFullPaths) {
    ui.AnswerOpenFile("C:\\Desks\\My Kiosk.vla");
    Command("mnuFileStartTaskBarDesktop");
    ui.AnswerOpenFile(std::nullopt);
    Command("mnuFileStartDesktop");
    Click("cmdInternetSettings");
    Command("mnuToolsInternetSettings");
    // The program folder holds a blank; the definition path goes unquoted,
    // as desktop mode takes the whole tail as one path.
    const std::string options =
        "\"" + SystemFolder() + "\\rundll32.exe\" shell32.dll,Control_RunDLL inetcpl.cpl";
    const std::vector<std::pair<std::string, WORD>> expected = {
        {"\"C:\\Program Files\\Vallora\\Vallora.exe\" C:\\Desks\\My Kiosk.vla", SW_SHOWMINIMIZED},
        {options, SW_SHOWNORMAL},
        {options, SW_SHOWNORMAL},
    };
    EXPECT_EQ(started, expected);
    EXPECT_EQ(ui.Asked()[0].file.fileName, "");
}

TEST_F(MainWindowTest, TabsShowOneFrameAndLoadingShowsTheRecord) {
    ASSERT_TRUE(main.Show());
    const char* const frames[] = {"FrameSize", "frameApplications", "frameComputerSecurity"};
    for (int tab = 1; tab <= 3; ++tab) {
        main.SelectTab(tab);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(IsWindowVisible(main.ControlHwnd(frames[i])) != FALSE, i == tab - 1)
                << tab << " " << frames[i];
        }
    }
    EXPECT_EQ(GetFocus(), main.ControlHwnd("txtAdminPassword"));

    Definition definition;
    definition.Width = "1280";
    definition.NoRun = 1;
    definition.AdminPassword = "pw";
    definition.SetApplicationAndLink("Notepad", "C:\\windows\\notepad.exe", "", "Center", 0, 1, 4,
                                     6);
    const std::string path = folder + "\\Shown.vla";
    WriteWholeText(path, definition);
    main.LoadDefinition(path);
    EXPECT_FALSE(main.Changed());
    EXPECT_EQ(main.Text("txtWidth"), "1280");
    EXPECT_EQ(main.Text("txtAdminPassword"), "pw");
    EXPECT_EQ(SendMessageA(main.ControlHwnd("chkNoRun"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(state.definition, definition);
    EXPECT_EQ(state.lastOpenedPath, path);

    // The page host's box shows the key and writes it back.
    const HWND builtIn = main.ControlHwnd("chkBuiltInPage");
    EXPECT_EQ(SendMessageA(builtIn, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    definition.PageHost = kPageHostVallora;
    WriteWholeText(path, definition);
    main.LoadDefinition(path);
    EXPECT_EQ(SendMessageA(builtIn, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(builtIn, BM_CLICK, 0, 0);
    EXPECT_EQ(state.definition.PageHost, kPageHostHta);
    SendMessageA(builtIn, BM_CLICK, 0, 0);
    EXPECT_EQ(state.definition.PageHost, kPageHostVallora);
}

// The locked editor, looked at while its modal loop runs.
struct LockedView {
    static inline frmMain* main = nullptr;
    static inline bool fileEnabled = true;
    static inline bool framesEnabled = true;
    static inline HWND owner = nullptr;
    static inline bool ownerEnabled = true;
    static void CALLBACK Look(HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        owner = GetWindow(main->Hwnd(), GW_OWNER);
        ownerEnabled = owner && IsWindowEnabled(owner);
        const UINT state = GetMenuState(GetMenu(main->Hwnd()), 0, MF_BYPOSITION);
        fileEnabled = (state & (MF_GRAYED | MF_DISABLED)) == 0;
        framesEnabled = IsWindowEnabled(main->ControlHwnd("FrameSize")) ||
                        IsWindowEnabled(main->ControlHwnd("frameApplications")) ||
                        IsWindowEnabled(main->ControlHwnd("frameComputerSecurity"));
        // The File menu's shortcuts do nothing either.
        SendMessageA(main->Hwnd(), WM_COMMAND, MAKEWPARAM(main->CommandId("mnuFileNew"), 1), 0);
        PostMessageA(main->Hwnd(), WM_CLOSE, 0, 0);
    }
};

TEST_F(MainWindowTest, TheRunningDefinitionIsShownLockedAndModally) {
    Definition definition;
    definition.HideDrives = "E";
    const std::string path = folder + "\\Running.vla";
    WriteWholeText(path, definition);
    LoadDefinitionInto(state, path);
    LockedView::main = &main;
    // The task bar that shows it: the editor's owner, disabled meanwhile.
    UniqueHWND bar(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Bar", WS_POPUP | WS_VISIBLE, 0, 0,
                                   100, 30, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(main.Load());
    SetTimer(main.Hwnd(), 1, 50, &LockedView::Look);
    EXPECT_TRUE(main.ShowLocked(bar.get()));
    EXPECT_FALSE(LockedView::fileEnabled);
    EXPECT_FALSE(LockedView::framesEnabled);
    EXPECT_EQ(LockedView::owner, bar.get());
    EXPECT_FALSE(LockedView::ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(bar.get()));
    EXPECT_EQ(main.Hwnd(), nullptr);
    EXPECT_EQ(state.definition.HideDrives, "E");
    EXPECT_EQ(ui.Asked().size(), 0u);
}

}  // namespace
}  // namespace vallora
