// The icon picker in-process under Wine: its windows are real, its file
// dialogs and questions are answered by a script.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "language/language_files_win32.h"
#include "page/bitmap_file.h"
#include "page/frm_icons_win32.h"
#include "page/html_color.h"
#include "page/icon_bitmap_win32.h"
#include "platform/scripted_ui.h"
#include "platform/shell_folders_win32.h"
#include "platform/system_storage_win32.h"
#include "win/page/bitmap_reader_win32.h"

namespace vallora {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kDesk = 72 + 256 * 182 + 65536 * 234;

class FakeHost : public IconPickerHost {
  public:
    bool UseTransparency() const override { return transparency; }
    int32_t BackColor() const override { return back; }
    void SetProgramPicture(const std::string& path) override { picture = path; }

    bool transparency = false;
    int32_t back = kDesk;
    std::string picture = "unchanged";
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TempFolderPath() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vallora_picker_" + std::to_string(GetCurrentProcessId());
}

class IconPicker : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder_);
        fs::create_directories(folder_ + "\\Language");
        shell32_ = WindowsFolder() + "\\system32\\shell32.dll";
        notepad_ = WindowsFolder() + "\\notepad.exe";
    }
    void TearDown() override {
        std::string none;
        language_.SetLanguage(none);
        fs::remove_all(folder_);
    }

    const std::vector<UniqueHICON>& ShellIcons() {
        if (shellIcons_.empty()) shellIcons_ = ExtractAllLargeIcons(shell32_);
        return shellIcons_;
    }
    std::vector<int32_t> ShellIcon(size_t index, int32_t color) {
        return DrawIconOnColor(ShellIcons().at(index).get(), color);
    }
    // Loads the picker with the icons of a file, without its modal loop.
    void Open(const std::string& file) {
        ASSERT_TRUE(form_.Load(nullptr));
        form_.Initialize(file);
    }
    void Click(const char* control) { SendMessageA(form_.ControlHwnd(control), BM_CLICK, 0, 0); }
    void SelectIcon(int index) {
        ListView_SetItemState(form_.ControlHwnd("Icons"), index, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    void DoubleClickIcons() {
        NMITEMACTIVATE activate{};
        activate.hdr.hwndFrom = form_.ControlHwnd("Icons");
        activate.hdr.idFrom = GetDlgCtrlID(activate.hdr.hwndFrom);
        activate.hdr.code = NM_DBLCLK;
        SendMessageA(form_.Hwnd(), WM_NOTIFY, activate.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&activate));
    }
    std::string BitmapOf(const std::vector<int32_t>& pixels) {
        return EncodeBitmapFile(kIconBitmapSize, kIconBitmapSize, pixels);
    }

    std::string folder_ = TempFolderPath();  // the program folder of the language files
    std::string shell32_;
    std::string notepad_;
    std::vector<UniqueHICON> shellIcons_;
    SystemStorage storage_;
    Win32LanguageFiles files_;
    Language language_{storage_.settings, files_, folder_};
    ScriptedUi ui_;
    FakeHost host_;
    frmIcons form_{ui_, language_, host_};
};

TEST_F(IconPicker, OpensModallyOnShell32AndSavesTheShownIcon) {
    {
        std::ofstream file(folder_ + "\\Language\\picker.txt", std::ios::binary);
        file << "[frmIcons]\r\nFORM_CAPTION=Symbol\r\ncmdOK=&Speichern\r\n";
    }
    std::string name = "picker.txt";
    ASSERT_EQ(language_.SetLanguage(name), 0);
    host_.transparency = true;
    const std::string path = folder_ + "\\picked.bmp";
    ui_.AnswerSaveFile(path);
    bool checkedWhileOpen = false;
    ui_.OnQuestion([&](const AskedQuestion& question) {
        EXPECT_EQ(question.kind, Question::SaveFile);
        EXPECT_EQ(question.file.filter, "Bitmap | *.bmp");
        EXPECT_EQ(question.file.fileName, "");
        EXPECT_TRUE(IsWindowVisible(form_.Hwnd()));
        EXPECT_EQ(form_.FormCaption(), "Symbol");
        EXPECT_EQ(form_.Caption("cmdOK"), "&Speichern");
        EXPECT_EQ(form_.Caption("cmdCancel"), "&Cancel");
        EXPECT_EQ(form_.IconCount(), static_cast<int>(ShellIcons().size()));
        checkedWhileOpen = true;
    });
    ASSERT_TRUE(form_.Load(nullptr));
    PostMessageA(form_.Hwnd(), WM_COMMAND, MAKEWPARAM(form_.CommandId("cmdOK"), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form_.ControlHwnd("cmdOK")));

    EXPECT_TRUE(form_.Show(nullptr));

    EXPECT_TRUE(checkedWhileOpen);
    EXPECT_TRUE(form_.IsUnloaded());
    EXPECT_EQ(host_.picture, path);
    // Without a click the preview shows the last icon drawn, on magenta.
    const std::vector<int32_t> last = ShellIcon(ShellIcons().size() - 1, kChromaKeyColor);
    EXPECT_EQ(ReadBytes(path), BitmapOf(last));
    EXPECT_EQ(test::ReadBitmapFile(path).pixels, last);
}

TEST_F(IconPicker, PreviewsTheClickedIconAndSavesItOnDoubleClick) {
    ASSERT_GT(ShellIcons().size(), 3u);
    Open(shell32_);
    HWND list = form_.ControlHwnd("Icons");
    EXPECT_EQ(ListView_GetItemCount(list), static_cast<int>(ShellIcons().size()));
    EXPECT_EQ(ListView_GetBkColor(list), static_cast<COLORREF>(kDesk));

    SelectIcon(3);
    EXPECT_EQ(form_.PreviewPixels(), ShellIcon(3, kDesk));

    const std::string path = folder_ + "\\third.bmp";
    ui_.AnswerSaveFile(path);
    DoubleClickIcons();
    EXPECT_EQ(ReadBytes(path), BitmapOf(ShellIcon(3, kDesk)));
    EXPECT_EQ(host_.picture, path);
    EXPECT_TRUE(form_.IsUnloaded());
}

TEST_F(IconPicker, ReplacingAnExistingBitmapAsksFirst) {
    const struct {
        const char* what;
        std::optional<MessageResult> answer;  // nullopt: the save dialog is cancelled
        bool replaced;
    } cases[] = {
        {"save dialog cancelled", std::nullopt, false},
        {"No keeps everything", MessageResult::No, false},
        {"Yes replaces the file", MessageResult::Yes, true},
    };
    for (const auto& c : cases) {
        const std::string path = folder_ + "\\existing.bmp";
        std::ofstream(path, std::ios::binary) << "old";
        ScriptedUi ui;
        FakeHost host;
        frmIcons form(ui, language_, host);
        ASSERT_TRUE(form.Load(nullptr));
        form.Initialize(notepad_);
        ui.AnswerSaveFile(c.answer ? std::optional<std::string>(path) : std::nullopt);
        if (c.answer) ui.AnswerMessage(*c.answer);

        SendMessageA(form.ControlHwnd("cmdOK"), BM_CLICK, 0, 0);

        EXPECT_EQ(ReadBytes(path) != "old", c.replaced) << c.what;
        EXPECT_EQ(host.picture, c.replaced ? path : "unchanged") << c.what;
        EXPECT_EQ(form.IsUnloaded(), c.replaced) << c.what;
        ASSERT_EQ(ui.Asked().size(), c.answer ? 2u : 1u) << c.what;
        if (c.answer) {
            const MessageRequest& question = ui.Asked()[1].message;
            EXPECT_EQ(question.text, "Warning! The File " + path + " already exists. Overwrite?");
            EXPECT_EQ(question.buttons, MessageButtons::YesNo);
            EXPECT_EQ(question.icon, MessageIcon::Exclamation);
            EXPECT_EQ(question.title, "Vallora");
        }
        EXPECT_EQ(ui.Unscripted(), 0u) << c.what;
    }
}

TEST_F(IconPicker, ABitmapThatCannotBeWrittenIsNotTakenAsThePicture) {
    Open(notepad_);
    const std::string path = folder_ + "\\no such folder\\x.bmp";
    ui_.AnswerSaveFile(path);
    ui_.AnswerMessage(MessageResult::Ok);
    Click("cmdOK");
    ASSERT_EQ(ui_.Asked().size(), 2u);
    EXPECT_EQ(ui_.Asked()[1].message.icon, MessageIcon::Critical);
    EXPECT_EQ(ui_.Asked()[1].message.text.rfind(
                  "Unable to save File, follwing Error was encountered:\r\n", 0),
              0u);
    EXPECT_EQ(host_.picture, "unchanged");
    EXPECT_FALSE(form_.IsUnloaded());
}

TEST_F(IconPicker, CancelEscapeAndCloseChangeNothing) {
    const struct {
        const char* what;
        UINT msg;
        WPARAM wParam;
    } cases[] = {
        {"cmdCancel", BM_CLICK, 0},
        {"Escape", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
        {"close box", WM_CLOSE, 0},
    };
    for (const auto& c : cases) {
        Open(notepad_);
        HWND target = c.msg == BM_CLICK ? form_.ControlHwnd("cmdCancel") : form_.Hwnd();
        SendMessageA(target, c.msg, c.wParam, 0);
        EXPECT_TRUE(form_.IsUnloaded()) << c.what;
    }
    EXPECT_TRUE(ui_.Asked().empty());
    EXPECT_EQ(host_.picture, "unchanged");
}

TEST_F(IconPicker, SelectFileLoadsTheIconsOfTheChosenFile) {
    const std::string plain = folder_ + "\\plain.exe";
    std::ofstream(plain) << "no icons in here";
    Open(shell32_);

    ui_.AnswerOpenFile(std::nullopt);
    Click("cmdSelectFile");
    EXPECT_EQ(form_.IconCount(), static_cast<int>(ShellIcons().size())) << "cancel changes nothing";
    ASSERT_EQ(ui_.Asked().size(), 1u);
    EXPECT_EQ(ui_.Asked()[0].file.filter,
              "*.exe, *.dll, *.cpl ,*.msc  | *.exe; *.dll; *.cpl; *.msc");

    ui_.AnswerOpenFile(notepad_);
    Click("cmdSelectFile");
    const std::vector<UniqueHICON> notepadIcons = ExtractAllLargeIcons(notepad_);
    ASSERT_FALSE(notepadIcons.empty());
    EXPECT_EQ(form_.IconCount(), static_cast<int>(notepadIcons.size()));
    EXPECT_EQ(ListView_GetItemCount(form_.ControlHwnd("Icons")), form_.IconCount());

    ui_.AnswerOpenFile(plain);
    Click("cmdSelectFile");
    EXPECT_EQ(form_.IconCount(), 0);
    EXPECT_EQ(ListView_GetItemCount(form_.ControlHwnd("Icons")), 0);
    EXPECT_EQ(form_.PreviewPixels(),
              std::vector<int32_t>(kIconBitmapSize * kIconBitmapSize, kDesk));
    EXPECT_EQ(ui_.Unscripted(), 0u);
}

}  // namespace
}  // namespace vallora
