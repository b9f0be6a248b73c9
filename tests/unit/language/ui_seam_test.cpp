// The portable side of the modal-question seam: the scripted answers that
// tests drive forms with, and the texts a system file dialog is prepared with.
#include <gtest/gtest.h>

#include "platform/file_dialog_text.h"
#include "platform/scripted_ui.h"
#include "platform/twips.h"

namespace vallora {
namespace {

TEST(ScriptedUi, AnswersInOrderAndRecordsEveryQuestion) {
    ScriptedUi ui;
    ui.AnswerOpenFile("C:\\a.vla");
    ui.AnswerMessage(MessageResult::Yes);
    ui.AnswerSaveFile(std::nullopt);
    ui.AnswerColor(255);
    ui.AnswerFolder("C:\\Start");

    EXPECT_EQ(ui.OpenFile({.owner = 7, .filter = "Vallora |*.vla"}), "C:\\a.vla");
    EXPECT_EQ(ui.ShowMessage({.text = "Save?", .buttons = MessageButtons::YesNoCancel}),
              MessageResult::Yes);
    EXPECT_EQ(ui.SaveFile({}), std::nullopt);
    EXPECT_EQ(ui.PickColor(0, 15382088), 255);
    EXPECT_EQ(ui.ChooseFolder({}), "C:\\Start");

    ASSERT_EQ(ui.Asked().size(), 5u);
    EXPECT_EQ(ui.Asked()[0].kind, Question::OpenFile);
    EXPECT_EQ(ui.Asked()[0].owner, 7u);
    EXPECT_EQ(ui.Asked()[0].file.filter, "Vallora |*.vla");
    EXPECT_EQ(ui.Asked()[1].message.text, "Save?");
    EXPECT_EQ(ui.Asked()[3].initialColor, 15382088);
    EXPECT_EQ(ui.Unscripted(), 0u);
    EXPECT_EQ(ui.Unanswered(), 0u);
}

TEST(ScriptedUi, UnscriptedQuestionsChangeNothing) {
    ScriptedUi ui;
    ui.AnswerOpenFile("C:\\kept-for-later.vla");
    // A message box comes first: the open-file answer waits for its question.
    struct Case {
        MessageButtons buttons;
        MessageResult expected;
    };
    const Case cases[] = {
        {MessageButtons::Ok, MessageResult::Ok},
        {MessageButtons::OkCancel, MessageResult::Cancel},
        {MessageButtons::YesNo, MessageResult::No},
        {MessageButtons::YesNoCancel, MessageResult::Cancel},
        {MessageButtons::RetryCancel, MessageResult::Cancel},
        {MessageButtons::AbortRetryIgnore, MessageResult::Abort},
    };
    for (const Case& c : cases) EXPECT_EQ(ui.ShowMessage({.buttons = c.buttons}), c.expected);
    EXPECT_EQ(ui.SaveFile({}), std::nullopt);
    EXPECT_EQ(ui.PickColor(0, 1), std::nullopt);
    EXPECT_EQ(ui.ChooseFolder({}), std::nullopt);
    EXPECT_EQ(ui.Unscripted(), std::size(cases) + 3);
    EXPECT_EQ(ui.OpenFile({}), "C:\\kept-for-later.vla");
    EXPECT_EQ(ui.OpenFile({}), std::nullopt);
    EXPECT_EQ(ui.Unscripted(), std::size(cases) + 4);
}

TEST(ScriptedUi, TheHookSeesEachQuestionBeforeItsAnswerAndMayAskAgain) {
    ScriptedUi ui;
    ui.AnswerMessage(MessageResult::Ok);
    ui.AnswerMessage(MessageResult::Retry);
    std::vector<std::string> seen;
    ui.OnQuestion([&](const AskedQuestion& q) {
        seen.push_back(q.message.text);
        if (q.message.text == "outer") ui.ShowMessage({.text = "inner"});
    });
    EXPECT_EQ(ui.ShowMessage({.text = "outer"}), MessageResult::Ok);
    EXPECT_EQ(seen, (std::vector<std::string>{"outer", "inner"}));
    EXPECT_EQ(ui.Asked().size(), 2u);
    EXPECT_EQ(ui.Unanswered(), 0u);
}

TEST(FileDialogText, FilterBecomesTheSystemList) {
    using namespace std::string_literals;
    struct Case {
        std::string filter;
        std::string expected;
    };
    const Case cases[] = {
        {"*.txt |*.txt", "*.txt \0*.txt\0\0"s},
        {"Vallora |*.vla", "Vallora \0*.vla\0\0"s},
        {"*.exe, *.dll, *.cpl ,*.msc  | *.exe; *.dll; *.cpl; *.msc",
         "*.exe, *.dll, *.cpl ,*.msc  \0*.exe; *.dll; *.cpl; *.msc\0\0"s},
        {"Text|*.txt|All|*.*", "Text\0*.txt\0All\0*.*\0\0"s},
        {"*.bmp", "*.bmp\0*.bmp\0\0"s},
        {"Bitmap | *.bmp|Odd", "Bitmap \0*.bmp\0Odd\0Odd\0\0"s},
        {"", "\0\0"s},
    };
    for (const Case& c : cases) EXPECT_EQ(SystemFilterList(c.filter), c.expected) << c.filter;
}

TEST(FileDialogText, TrailingDotsNameTheFolderOnly) {
    struct Case {
        const char* fileName;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\Vallora\\Language\\...", "C:\\Vallora\\Language\\", ""},
        {"C:\\Program Files\\...", "C:\\Program Files\\", ""},
        {"C:\\Vallora\\Desktops\\Desktop", "", "C:\\Vallora\\Desktops\\Desktop"},
        {"...", "", "..."},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        InitialFile initial = SplitInitialFileName(c.fileName);
        EXPECT_EQ(initial.folder, c.folder) << c.fileName;
        EXPECT_EQ(initial.name, c.name) << c.fileName;
    }
}

TEST(Twips, ConvertAtTheScreensTwipsPerPixel) {
    struct Case {
        int twips;
        int twipsPerPixel;
        int pixels;
    };
    const Case cases[] = {
        {1440, 15, 96}, {450, 15, 30},   {7, 15, 0},    {8, 15, 1},
        {-8, 15, -1},   {1440, 12, 120}, {100, 0, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.twipsPerPixel), c.pixels)
            << c.twips << "/" << c.twipsPerPixel;
    }
    EXPECT_EQ(PixelsToTwips(30, 15), 450);
}

}  // namespace
}  // namespace vallora
