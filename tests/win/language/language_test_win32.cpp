// The language files on the real system: the shipped German file read
// through the system's profile calls and applied to forms built with the
// form framework, and the language commands answered by ScriptedUi.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "language/form_captions_win32.h"
#include "language/language.h"
#include "language/language_commands.h"
#include "language/language_files_win32.h"
#include "language/messages.h"
#include "platform/form_win32.h"
#include "platform/scripted_ui.h"
#include "platform/system_storage_win32.h"
#include "storage/ini_text.h"
#include "storage/profile_file.h"
#include "storage/whole_file.h"

namespace vallora {
namespace {

// Unix paths of the build are on drive Z: inside Wine.
std::string WinePath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

const std::string kGermanSource =
    WinePath(std::string(VALLORA_FIXTURES) + "/../../data/Language/German.txt");

// A program folder in the temporary folder with the shipped German file in
// its language folder; the stored language is put back afterwards.
class LanguageOnSystem : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "vallora-lang-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        CreateDirectoryA((folder_ + "\\Language").c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\Help").c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileA(kGermanSource.c_str(), (folder_ + "\\Language\\German.txt").c_str(), FALSE))
            << kGermanSource;
        ASSERT_EQ(ReadWholeFile(kGermanSource, &german_, nullptr), FileReadStatus::Read);
        language_.emplace(storage_.settings, files_, folder_);
        previous_ = std::string();
        hadPrevious_ = storage_.settings.ReadSetting(kLanguageHive, kLanguageKey, kLanguageValue,
                                                     "S", previous_) == 0;
    }
    void TearDown() override {
        if (hadPrevious_) {
            storage_.settings.WriteSetting(kLanguageHive, kLanguageKey, kLanguageValue, "S",
                                           previous_);
        } else {
            storage_.registry.DeleteValue(Hive::LocalMachine, kLanguageKey, kLanguageValue);
        }
        DeleteFileA((folder_ + "\\Language\\German.txt").c_str());
        RemoveDirectoryA((folder_ + "\\Language").c_str());
        RemoveDirectoryA((folder_ + "\\Help").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    void ChooseGerman() {
        std::string name = "German.txt";
        ASSERT_EQ(language_->SetLanguage(name), 0);
    }

    SystemStorage storage_;
    Win32LanguageFiles files_;
    std::string folder_;
    std::optional<Language> language_;
    std::string german_;
    SettingValue previous_;
    bool hadPrevious_ = false;
};

// An editor-like window: menus, a tab strip, captioned controls and controls
// without a caption, in the product's names.
class MainLikeForm : public Form {
  public:
    MainLikeForm() : Form("frmMain") {}
    bool Load() {
        FormWindowSpec params;
        params.className = "ValloraTestMainLike";
        params.caption = "Vallora Editor";
        params.width = 640;
        params.height = 480;
        params.menuBar = CreateMenu();
        if (!Create(params)) return false;
        HMENU file = AddMenu(GetMenu(Hwnd()), "mnuFile", "&File");
        AddMenuItem(file, "mnuFileNew", "New\tCtrl+N");
        AddMenuItem(file, "mnuFileSave", "&Save\tCtrl+S");
        HMENU tools = AddMenu(GetMenu(Hwnd()), "mnuTools", "Tools");
        HMENU languages = AddMenu(tools, "mnuLanguage", "Languages");
        AddMenuItem(languages, "mnuLanguageSelect", "Select Language\tCtrl+L");
        AddControl(
            {.name = "TabStrip", .kind = ControlKind::TabStrip, .width = 600, .height = 400});
        for (const char* tab :
             {"Appearance and Behaviour", "Applications and Links", "Computer Security"}) {
            AddTab("TabStrip", tab);
        }
        AddControl({.name = "FrameSecurityWindows",
                    .kind = ControlKind::Frame,
                    .x = 10,
                    .y = 30,
                    .width = 300,
                    .height = 200,
                    .caption = "Windows Security Restrictions"});
        AddControl({.name = "chkNoShutDown",
                    .kind = ControlKind::CheckBox,
                    .x = 20,
                    .y = 50,
                    .width = 250,
                    .height = 20,
                    .caption = "Disable Shut Down"});
        AddControl({.name = "lblAdminPassword",
                    .kind = ControlKind::Label,
                    .x = 20,
                    .y = 80,
                    .width = 250,
                    .height = 20,
                    .caption = "Password"});
        AddControl({.name = "txtAdminPassword",
                    .kind = ControlKind::TextBox,
                    .x = 20,
                    .y = 100,
                    .width = 250,
                    .height = 22,
                    .caption = "secret"});
        AddControl({.name = "cmdPreview",
                    .kind = ControlKind::Button,
                    .x = 20,
                    .y = 130,
                    .width = 32,
                    .height = 32});
        AddControl({.name = "picBackColor",
                    .kind = ControlKind::PictureBox,
                    .x = 60,
                    .y = 130,
                    .width = 32,
                    .height = 32});
        RegisterControl("TimerNone", ControlKind::Timer, nullptr);
        return true;
    }
};

TEST_F(LanguageOnSystem, CaptionsOfTheShippedGermanFileReachARealForm) {
    MainLikeForm form;
    ASSERT_TRUE(form.Load());
    FormCaptions captions(form);

    language_->ApplyCaptions(captions);  // no language chosen yet: nothing changes
    EXPECT_EQ(form.Caption("chkNoShutDown"), "Disable Shut Down");

    std::vector<std::pair<std::string, std::string>> design;
    for (const FormControl& control : form.Controls()) {
        if (HasCaption(control.kind)) design.push_back({control.name, form.Caption(control.name)});
    }
    ChooseGerman();
    language_->ApplyCaptions(captions);
    for (const auto& [name, designCaption] : design) {
        // Picture buttons have no caption in the file and keep their own.
        std::string expected = ReadIniTextValue(german_, "frmMain", name, designCaption);
        EXPECT_EQ(form.Caption(name), expected) << name;
    }
    EXPECT_EQ(form.FormCaption(), ReadIniTextValue(german_, "frmMain", "FORM_CAPTION", ""));
    for (int tab = 1; tab <= 3; ++tab) {
        EXPECT_EQ(
            form.TabCaption("TabStrip", tab),
            ReadIniTextValue(german_, "frmMain", "TabStrip.Tabs(" + std::to_string(tab) + ")", ""));
    }
    EXPECT_EQ(form.Caption("mnuFileSave"), "&Speichern");
    char item[64] = {};
    GetMenuStringA(GetMenu(form.Hwnd()), form.CommandId("mnuFileSave"), item, sizeof(item),
                   MF_BYCOMMAND);
    EXPECT_STREQ(item, "&Speichern\tCtrl+S");
    EXPECT_EQ(form.Text("txtAdminPassword"), "secret");
    EXPECT_EQ(form.Text("cmdPreview"), "");
}

TEST_F(LanguageOnSystem, SystemProfileCallsReadEveryGermanMessageAsThePortableReaderDoes) {
    ChooseGerman();
    ProfileFile portable;
    const std::string file = folder_ + "\\Language\\German.txt";
    for (const BuiltInMessageText& entry : BuiltInMessages()) {
        const std::string key(entry.key);
        std::string text = language_->Message(key);
        EXPECT_FALSE(text.empty()) << key;
        EXPECT_NE(text, entry.text) << key;
        EXPECT_EQ(text, portable.GetString(file, "Messages", key, "")) << key;
    }
    EXPECT_EQ(language_->Message("CAPTION_LOCATION"), "Ort: ");
    EXPECT_EQ(language_->HelpPagePath(), folder_ + "\\Help\\ValloraHelpEN.htm");
}

TEST_F(LanguageOnSystem, LanguageCommandsWithScriptedAnswersNeedNoSystemDialog) {
    MainLikeForm form;
    ASSERT_TRUE(form.Load());
    FormCaptions captions(form);
    ScriptedUi ui;
    ui.AnswerOpenFile("D:\\Elsewhere\\German.txt");
    bool dialogOnScreen = true;
    ui.OnQuestion([&](const AskedQuestion&) {
        // While the question is "open" no system dialog exists.
        dialogOnScreen = FindWindowA("#32770", nullptr) != nullptr;
    });
    ASSERT_TRUE(
        SelectLanguage(*language_, ui, reinterpret_cast<OwnerWindow>(form.Hwnd()), captions));
    EXPECT_FALSE(dialogOnScreen);
    EXPECT_EQ(ui.Asked().at(0).file.fileName, folder_ + "\\Language\\...");
    EXPECT_EQ(language_->CurrentLanguageFile(), "German.txt");
    EXPECT_EQ(form.Caption("chkNoShutDown"), "Herunterfahren sperren");

    RestoreLanguageDefault(*language_, captions);
    EXPECT_EQ(language_->CurrentLanguageFile(), "");
    EXPECT_EQ(form.Caption("chkNoShutDown"), "Herunterfahren sperren");  // kept until reloaded
    EXPECT_EQ(language_->Message("MSG_CLOSING"), "Closing in");
}

}  // namespace
}  // namespace vallora
