// The language in use: message lookup, captions from the language file, the
// stored choice of file and the help page, over real files and a registry in
// memory.
#include "language/language.h"

#include <gtest/gtest.h>

#include "language/messages.h"
#include "unit/language/fake_form.h"
#include "unit/language/program_folder.h"

namespace vallora::testing {
namespace {

using Control = FakeForm::Control;

TEST(BuiltInMessages, KeepTheirExactWording) {
    EXPECT_EQ(BuiltInMessages().size(), 50u);
    for (const BuiltInMessageText& entry : BuiltInMessages()) {
        EXPECT_EQ(BuiltInMessage(entry.key), entry.text) << entry.key;
        EXPECT_FALSE(entry.text.empty()) << entry.key;
    }
    // Wording that a careful editor might "fix": language files match it.
    EXPECT_EQ(BuiltInMessage("MSG_ERRORS_OCCOURED"),
              "Unable to save File, follwing Error was encountered:");
    EXPECT_EQ(BuiltInMessage("MSG_SHELL_RESTORED"),
              "The Windows Shell has been sucessfully restored.");
    EXPECT_EQ(BuiltInMessage("MSG_SHELL_RESTORE_ASK"),
              "Vallora is currently running in Windows Shell mode.\r\n"
              "Would you like to restore the default Windows Shell?");
    EXPECT_EQ(BuiltInMessage("MSG_SHELL_CHANGED"),
              "The Windows Shell has been successfully changed to Vallora File: ");
    EXPECT_EQ(BuiltInMessage("CAPTION_LOCATION"), "Location: ");
    EXPECT_EQ(BuiltInMessage("MSG_CLOSING"), "Closing in");
    EXPECT_EQ(BuiltInMessage("msg_closing"), "");
    EXPECT_EQ(BuiltInMessage("MSG_NONE"), "");
}

TEST(FillPlaceholder, ReplacesEveryDollar) {
    struct Case {
        const char* text;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"The File $ already exists.", "C:\\a $b.vla", "The File C:\\a $b.vla already exists."},
        {"$ and $", "x", "x and x"},
        {"no placeholder", "x", "no placeholder"},
        {"$", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FillPlaceholder(c.text, c.value), c.expected) << c.text;
}

TEST(MessageLookup, WithoutALanguageGivesTheBuiltInTexts) {
    LanguageRig rig;
    EXPECT_EQ(rig.language.CurrentLanguageFile(), "");
    EXPECT_EQ(rig.language.Message("MSG_CLOSING"), "Closing in");
    EXPECT_EQ(rig.language.Message("MSG_NONE"), "");
}

TEST(MessageLookup, FallsBackEntryByEntry) {
    LanguageRig rig;
    rig.UseLanguageFile("German.txt",
                        "[Settings]\r\nHelpFile=Hilfe.htm\r\n"
                        "[Messages]\r\n"
                        "MSG_CLOSING=Schlie\xDF"
                        "en in\r\n"
                        "MSG_SECURITY_SET=\r\n"
                        "msg_security_reset=Sicherheit zur\xFC"
                        "ckgesetzt\r\n"
                        "MSG_SHELL_CHANGED=Shell: \\r\\n $\r\n"
                        "MSG_EXTRA=Nur hier\r\n"
                        "[Other]\r\nMSG_CONFIRM_ACTION=wrong section\r\n");
    struct Case {
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"MSG_CLOSING",
         "Schlie\xDF"
         "en in"},  // the file's ANSI text
        {"MSG_SECURITY_SET", "The Computer Security has been successfully applied."},  // empty
        {"MSG_SECURITY_RESET",
         "Sicherheit zur\xFC"
         "ckgesetzt"},                             // profile reads ignore case
        {"MSG_SHELL_CHANGED", "Shell: \\r\\n $"},  // no escapes, no filling
        {"MSG_CONFIRM_ACTION",
         "This operation cannot be undone. Are you sure you want to proceed?"},  // other section
        {"MSG_EXTRA", "Nur hier"},
        {"MSG_NONE", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(rig.language.Message(c.key), c.expected) << c.key;
}

TEST(MessageLookup, AMissingLanguageFileGivesTheBuiltInTexts) {
    LanguageRig rig;
    std::string name = "Missing.txt";
    rig.language.SetLanguage(name);
    EXPECT_EQ(rig.language.Message("MSG_CLOSING"), "Closing in");
    EXPECT_EQ(rig.language.HelpPagePath(), "C:\\Vallora\\Help\\ValloraHelpEN.htm");
}

TEST(SetLanguage, StoresTheFileNameOnly) {
    struct Case {
        const char* path;
        const char* stored;
    };
    const Case cases[] = {
        {"C:\\Elsewhere\\Lang\\German.txt", "German.txt"},
        {"German.txt", "German.txt"},
        {"\\\\server\\share\\French.txt", "French.txt"},
        {"C:\\Folder\\", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        LanguageRig rig;
        std::string path = c.path;
        EXPECT_EQ(rig.language.SetLanguage(path), 0) << c.path;
        EXPECT_EQ(path, c.stored) << c.path;
        EXPECT_EQ(rig.StoredLanguage(), c.stored) << c.path;
        EXPECT_EQ(rig.language.CurrentLanguageFile(), c.stored) << c.path;
    }
}

TEST(SetLanguage, AFileChosenElsewhereIsLookedUpInTheLanguageFolder) {
    LanguageRig rig;
    rig.folder.Write("C:\\Vallora\\Language\\German.txt",
                     "[Messages]\r\nMSG_CLOSING=aus dem Sprachordner\r\n");
    std::string chosen = "D:\\Downloads\\German.txt";
    rig.language.SetLanguage(chosen);
    EXPECT_EQ(rig.language.LanguageFolder(), "C:\\Vallora\\Language\\");
    EXPECT_EQ(rig.language.Message("MSG_CLOSING"), "aus dem Sprachordner");
}

FakeForm TaskBarForm() {
    return FakeForm("frmTaskBar", {{"cmdStart", true, "Start"},
                                   {"txtName", false},
                                   {"picLogo", false},
                                   {"lblClock", true, "00:00"},
                                   {"cmdOK", true, "OK"},
                                   {"lblEmpty", true, "Keep me"}});
}

TEST(ApplyCaptions, SetsTheNonEmptyCaptionsOfTheFormsOwnSection) {
    LanguageRig rig;
    rig.UseLanguageFile("German.txt",
                        "[frmOther]\r\ncmdStart=wrong form\r\n"
                        "[frmTaskBar]\r\n"
                        "cmdstart=wrong case\r\n"
                        "cmdStart=Starten\r\n"
                        "txtName=no caption to set\r\n"
                        "picLogo=nor here\r\n"
                        "lblClock=Uhr\r\n"
                        "lblEmpty=\r\n"
                        "FORM_CAPTION=Taskleiste\r\n"
                        "TabStrip.Tabs(1)=only on frmMain\r\n"
                        "cmdStart=second occurrence\r\n");
    FakeForm form = TaskBarForm();
    rig.language.ApplyCaptions(form);
    EXPECT_EQ(form.Caption("cmdStart"), "Starten");
    EXPECT_EQ(form.Caption("lblClock"), "Uhr");      // after two controls without captions
    EXPECT_EQ(form.Caption("cmdOK"), "OK");          // no key: design caption stays
    EXPECT_EQ(form.Caption("lblEmpty"), "Keep me");  // empty value: design caption stays
    EXPECT_EQ(form.caption, "Taskleiste");
    EXPECT_EQ(form.captionsSet, 2);
}

TEST(ApplyCaptions, LeavesEverythingWithoutAUsableFile) {
    struct Case {
        const char* what;
        const char* file;  // nullptr: no language chosen
        const char* bytes;
    };
    const Case cases[] = {
        {"no language chosen", nullptr, ""},
        {"file missing", "Missing.txt", nullptr},
        {"file empty", "Empty.txt", ""},
        {"no section", "Other.txt", "[frmMain]\r\ncmdStart=Starten\r\nFORM_CAPTION=x\r\n"},
    };
    for (const Case& c : cases) {
        LanguageRig rig;
        if (c.file && c.bytes) {
            rig.UseLanguageFile(c.file, c.bytes);
        } else if (c.file) {
            std::string name = c.file;
            rig.language.SetLanguage(name);
        }
        FakeForm form = TaskBarForm();
        rig.language.ApplyCaptions(form);
        EXPECT_EQ(form.captionsSet, 0) << c.what;
        EXPECT_EQ(form.caption, "Design caption") << c.what;
    }
}

TEST(ApplyCaptions, TabsOnlyOnTheMainForm) {
    const std::string tabs =
        "TabStrip.Tabs(1)=Allgemein\r\nTabStrip.Tabs(2)=\r\nTabStrip.Tabs(3)=Sicherheit\r\n";
    LanguageRig rig;
    rig.UseLanguageFile("German.txt", "[frmMain]\r\nFORM_CAPTION=Editor\r\n" + tabs +
                                          "[frmmain]\r\nTabStrip.Tabs(2)=wrong case\r\n"
                                          "[frmIcons]\r\n" +
                                          tabs);
    FakeForm main("frmMain", {{"TabStrip", false}}, 3);
    rig.language.ApplyCaptions(main);
    EXPECT_EQ(main.Tabs(), (std::vector<std::string>{"Allgemein", "", "Sicherheit"}));
    EXPECT_EQ(main.caption, "Editor");

    FakeForm icons("frmIcons", {{"TabStrip", false}}, 3);
    rig.language.ApplyCaptions(icons);
    EXPECT_EQ(icons.Tabs(), (std::vector<std::string>{"", "", ""}));
}

TEST(ApplyCaptions, RestoringTheDefaultKeepsCaptionsAlreadyReplaced) {
    LanguageRig rig;
    rig.UseLanguageFile("German.txt", "[frmTaskBar]\r\ncmdOK=Gut\r\n");
    FakeForm form = TaskBarForm();
    rig.language.ApplyCaptions(form);
    std::string none;
    rig.language.SetLanguage(none);
    rig.language.ApplyCaptions(form);
    EXPECT_EQ(form.Caption("cmdOK"), "Gut");
}

TEST(HelpPage, FollowsTheLanguageFileWhenThePageExists) {
    struct Case {
        const char* what;
        const char* settings;  // the language file's Settings section
        bool pageExists;
        const char* expected;
    };
    const Case cases[] = {
        {"page present", "HelpFile=ValloraHilfe.htm", true, "ValloraHilfe.htm"},
        {"page missing", "HelpFile=ValloraHilfe.htm", false, "ValloraHelpEN.htm"},
        {"empty entry", "HelpFile=", true, "ValloraHelpEN.htm"},
        {"no entry", "Other=1", true, "ValloraHelpEN.htm"},
        {"any letter case", "helpfile=ValloraHilfe.htm", true, "ValloraHilfe.htm"},
    };
    for (const Case& c : cases) {
        LanguageRig rig;
        rig.UseLanguageFile("German.txt", std::string("[Settings]\r\n") + c.settings + "\r\n");
        if (c.pageExists) rig.folder.Write("C:\\Vallora\\Help\\ValloraHilfe.htm", "<html>");
        EXPECT_EQ(rig.language.HelpPagePath(), std::string("C:\\Vallora\\Help\\") + c.expected)
            << c.what;
    }
}

}  // namespace
}  // namespace vallora::testing
