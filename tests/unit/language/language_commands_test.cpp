// The editor's language commands, answered by a scripted file dialog.
#include "language/language_commands.h"

#include <gtest/gtest.h>

#include "platform/scripted_ui.h"
#include "unit/language/fake_form.h"
#include "unit/language/program_folder.h"

namespace vallora::testing {
namespace {

FakeForm MainForm() {
    return FakeForm("frmMain", {{"mnuLanguageSelect", true, "Select"}}, 3);
}

TEST(SelectLanguage, StoresTheChosenNameAndAppliesCaptionsToTheMainForm) {
    LanguageRig rig;
    rig.folder.Write("C:\\Vallora\\Language\\German.txt",
                     "[frmMain]\r\nmnuLanguageSelect=Sprache w\xE4hlen\r\nFORM_CAPTION=Editor\r\n");
    ScriptedUi ui;
    ui.AnswerOpenFile("C:\\Vallora\\Language\\German.txt");
    FakeForm main = MainForm();
    EXPECT_TRUE(SelectLanguage(rig.language, ui, 0x1234, main));

    ASSERT_EQ(ui.Asked().size(), 1u);
    const AskedQuestion& asked = ui.Asked()[0];
    EXPECT_EQ(asked.kind, Question::OpenFile);
    EXPECT_EQ(asked.file.filter, "*.txt |*.txt");
    EXPECT_EQ(asked.file.fileName, "C:\\Vallora\\Language\\...");
    EXPECT_EQ(asked.owner, 0x1234u);
    EXPECT_EQ(rig.StoredLanguage(), "German.txt");
    EXPECT_EQ(main.Caption("mnuLanguageSelect"), "Sprache w\xE4hlen");
    EXPECT_EQ(main.caption, "Editor");
}

TEST(SelectLanguage, CancellingChangesNothing) {
    LanguageRig rig;
    rig.UseLanguageFile("French.txt", "[frmMain]\r\nFORM_CAPTION=Editeur\r\n");
    ScriptedUi ui;
    ui.AnswerOpenFile(std::nullopt);
    FakeForm main = MainForm();
    EXPECT_FALSE(SelectLanguage(rig.language, ui, 0, main));
    EXPECT_EQ(rig.StoredLanguage(), "French.txt");
    EXPECT_EQ(main.caption, "Design caption");
    EXPECT_EQ(ui.Unscripted(), 0u);
}

TEST(RestoreLanguageDefault, StoresAnEmptyName) {
    LanguageRig rig;
    rig.UseLanguageFile("German.txt", "[frmMain]\r\nFORM_CAPTION=Editor\r\n");
    FakeForm main = MainForm();
    RestoreLanguageDefault(rig.language, main);
    EXPECT_EQ(rig.StoredLanguage(), "");
    EXPECT_EQ(main.caption, "Design caption");
    EXPECT_EQ(rig.language.Message("MSG_CLOSING"), "Closing in");
}

}  // namespace
}  // namespace vallora::testing
