#include "guard/dialog_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "guard/dialog_classification.h"
#include "unit/guard/dialog_shapes.h"
#include "unit/guard/fake_desktop.h"

namespace vallora {
namespace {

using testing::BuiltDialog;
using ::testing::ElementsAre;
using testing::FakeDesktop;
using ::testing::IsEmpty;

std::string Id(WindowId window) {
    return std::to_string(window);
}

class DialogGuardTest : public ::testing::Test {
  protected:
    DialogGuardTest() {
        definition.NoRun = 1;
        definition.IOStartFolder = "C:\\Kiosk";
    }

    // One tick with `window` in front; returns the log of that tick.
    std::vector<std::string> Tick(WindowId window) {
        desktop.foreground = window;
        desktop.log.clear();
        guard.WatchDialogs(definition);
        return desktop.log;
    }
    std::vector<std::string> TakenOver(const BuiltDialog& built, const std::string& editClass) {
        return {"foreground", "create folder C:\\Kiosk\\", "pending messages",
                "type " + Id(built.dialog) + " " + Id(built.fileNameBox) + " C:\\Kiosk\\",
                "restricted dialog C:\\Kiosk\\ " + Id(built.dialog) + " " + Id(built.fileNameBox) +
                    " " + editClass};
    }

    Definition definition;
    FakeDesktop desktop;
    WindowSearch search{desktop};
    DialogGuard guard{desktop, search};
};

TEST(DialogClassification, KindsAndShapes) {
    EXPECT_EQ(KindOfDialogClass("#32770"), DialogKind::Standard);
    EXPECT_EQ(KindOfDialogClass("#32770 "), DialogKind::None);
    EXPECT_EQ(KindOfDialogClass("bosa_sdm_Mso96"), DialogKind::OfficeStyle);
    EXPECT_EQ(KindOfDialogClass("BOSA_SDM_XL9"), DialogKind::None);
    EXPECT_EQ(KindOfDialogClass("Notepad"), DialogKind::None);

    for (int combos = 0; combos <= 5; ++combos) {
        for (int buttons = 0; buttons <= 6; ++buttons) {
            const bool expected = combos >= 1 && combos <= 3 && buttons >= 2 && buttons <= 4;
            EXPECT_EQ(IsStandardFileDialogShape(combos, buttons), expected)
                << combos << " " << buttons;
        }
    }
    for (int edits = 0; edits <= 4; ++edits) {
        for (int bars = 0; bars <= 3; ++bars) {
            EXPECT_EQ(IsOfficeFileDialogShape(edits, bars), edits == 3 && bars == 2)
                << edits << " " << bars;
        }
    }
}

TEST_F(DialogGuardTest, StandardDialogShapes) {
    struct Case {
        const char* name;
        std::function<BuiltDialog(FakeDesktop&)> build;
    };
    const Case cases[] = {
        {"message box", testing::MessageBoxShape},
        {"explorer-style open dialog", testing::ExplorerOpenShape},
        {"edit box only inside a combo box", testing::NestedEditShape},
        {"4 combo boxes",
         [](FakeDesktop& d) {
             return BuiltDialog{testing::StandardShape(d, 4, 3).dialog, 0};
         }},
        {"1 button",
         [](FakeDesktop& d) {
             return BuiltDialog{testing::StandardShape(d, 2, 1).dialog, 0};
         }},
        {"5 buttons",
         [](FakeDesktop& d) {
             return BuiltDialog{testing::StandardShape(d, 2, 5).dialog, 0};
         }},
        {"classic open dialog", testing::ClassicOpenShape},
        {"item dialog", testing::ItemDialogShape},
        {"item dialog of current systems",
         [](FakeDesktop& d) { return testing::CurrentItemDialogShape(d); }},
        {"find dialog", testing::FindShape},
        {"1 combo box, 2 buttons", [](FakeDesktop& d) { return testing::StandardShape(d, 1, 2); }},
        {"3 combo boxes, 4 buttons",
         [](FakeDesktop& d) { return testing::StandardShape(d, 3, 4); }},
    };
    for (const Case& c : cases) {
        const BuiltDialog built = c.build(desktop);
        const auto log = Tick(built.dialog);
        if (built.fileNameBox == 0) {
            EXPECT_THAT(log, ElementsAre("foreground")) << c.name;
            EXPECT_FALSE(guard.HandledDialogs().Contains(built.dialog)) << c.name;
        } else {
            EXPECT_EQ(log, TakenOver(built, "*Edit*")) << c.name;
            EXPECT_TRUE(guard.HandledDialogs().Contains(built.dialog)) << c.name;
        }
        desktop.Remove(built.dialog);
    }
}

TEST_F(DialogGuardTest, OfficeStyleDialogLosesItsCommandBarsOnEveryTick) {
    const auto built = testing::OfficeShape(desktop, 3, 2);
    const std::string hide =
        "hide " + Id(built.commandBars[0]) + ";" + Id(built.commandBars[1]) + ";";
    std::vector<std::string> expected = {"foreground", hide, "pending messages", "wait 50"};
    const auto takeOver = TakenOver({built.dialog, built.fileNameBox}, "*RichEdit20W*");
    expected.insert(expected.end(), takeOver.begin() + 1, takeOver.end());
    EXPECT_EQ(Tick(built.dialog), expected);

    EXPECT_THAT(Tick(built.dialog), ElementsAre("foreground", hide, "pending messages", "wait 50"));
}

TEST_F(DialogGuardTest, OfficeStyleDialogOfOtherShapeIsLeftAlone) {
    for (const auto& [edits, bars] : {std::pair{2, 2}, std::pair{3, 1}, std::pair{4, 2}}) {
        const auto built = testing::OfficeShape(desktop, edits, bars);
        EXPECT_THAT(Tick(built.dialog), ElementsAre("foreground")) << edits << " " << bars;
        desktop.Remove(built.dialog);
    }
}

TEST_F(DialogGuardTest, WithoutStartFolderEveryTickClosesAndNotifies) {
    definition.IOStartFolder.clear();
    const BuiltDialog built = testing::ClassicOpenShape(desktop);
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_THAT(Tick(built.dialog),
                    ElementsAre("foreground", "notice", "close " + Id(built.dialog)));
    }
    EXPECT_EQ(guard.HandledDialogs().Text(), "");
}

TEST_F(DialogGuardTest, StartFolderEndingWithBackslashIsKept) {
    definition.IOStartFolder = "C:\\Kiosk\\";
    const BuiltDialog built = testing::ClassicOpenShape(desktop);
    EXPECT_EQ(Tick(built.dialog), TakenOver(built, "*Edit*"));
    EXPECT_EQ(definition.IOStartFolder, "C:\\Kiosk\\");
}

TEST_F(DialogGuardTest, HandledDialogIsNeverTakenOverAgainAndGoneOnesAreTidied) {
    const BuiltDialog first = testing::ClassicOpenShape(desktop);
    const BuiltDialog second = testing::ClassicOpenShape(desktop);
    Tick(first.dialog);
    Tick(second.dialog);
    EXPECT_EQ(guard.HandledDialogs().Text(), Id(first.dialog) + ";" + Id(second.dialog) + ";");

    desktop.Remove(first.dialog);
    EXPECT_THAT(Tick(second.dialog), ElementsAre("foreground"));
    EXPECT_EQ(guard.HandledDialogs().Text(), Id(second.dialog) + ";");
}

TEST_F(DialogGuardTest, FolderThatCannotBeMadeBlocksTheDialog) {
    desktop.folderCanBeMade = false;
    const BuiltDialog built = testing::ClassicOpenShape(desktop);
    EXPECT_THAT(Tick(built.dialog), ElementsAre("foreground", "create folder C:\\Kiosk\\", "notice",
                                                "close " + Id(built.dialog)));
    EXPECT_EQ(guard.HandledDialogs().Text(), "");
}

TEST_F(DialogGuardTest, DialogThatDidNotTakeTheFolderIsClosed) {
    const BuiltDialog built = testing::ClassicOpenShape(desktop);
    desktop.dialogTakesKeys = false;
    const auto log = Tick(built.dialog);
    EXPECT_THAT(std::vector(log.end() - 3, log.end()),
                ElementsAre("pending messages", "notice", "close " + Id(built.dialog)));
    EXPECT_EQ(guard.HandledDialogs().Text(), "");
}

TEST_F(DialogGuardTest, FolderPickersFileBrowsersAndUntypableFileDialogsAreClosed) {
    struct Case {
        const char* name;
        std::function<WindowId(FakeDesktop&)> build;
    };
    const Case cases[] = {
        {"folder picker", [](FakeDesktop& d) { return testing::FolderPickerShape(d).dialog; }},
        {"item dialog without a known file-name box",
         [](FakeDesktop& d) { return testing::CurrentItemDialogShape(d, false).dialog; }},
        {"file dialog whose file-name combo box has no edit",
         [](FakeDesktop& d) {
             const WindowId dialog = d.Add(FakeDesktop::kDesktop, "#32770", "Save");
             d.AddControl(dialog, "ComboBox", 1148);
             return dialog;
         }},
        {"CabinetWClass",
         [](FakeDesktop& d) { return d.Add(FakeDesktop::kDesktop, "CabinetWClass"); }},
        {"ExploreWClass",
         [](FakeDesktop& d) { return d.Add(FakeDesktop::kDesktop, "ExploreWClass"); }},
        {"ExplorerWClass",
         [](FakeDesktop& d) { return d.Add(FakeDesktop::kDesktop, "ExplorerWClass"); }},
    };
    for (const std::string startFolder : {"C:\\Kiosk", ""}) {
        definition.IOStartFolder = startFolder;
        for (const Case& c : cases) {
            const WindowId window = c.build(desktop);
            EXPECT_THAT(Tick(window), ElementsAre("foreground", "notice", "close " + Id(window)))
                << c.name << " " << startFolder;
            desktop.Remove(window);
        }
    }
    EXPECT_EQ(guard.HandledDialogs().Text(), "");
}

TEST_F(DialogGuardTest, EachDialogBlockedOrTakenOverIsAuditedOnceWithItsReason) {
    const struct {
        const char* name;
        std::function<WindowId(FakeDesktop&, Definition&)> build;
        std::string line;
    } cases[] = {
        {"taken over",
         [](FakeDesktop& d, Definition&) { return testing::ClassicOpenShape(d).dialog; },
         "Dialog taken over: \"Open\" (#32770), restricted to C:\\Kiosk\\"},
        {"no start folder",
         [](FakeDesktop& d, Definition& definition) {
             definition.IOStartFolder.clear();
             return testing::ClassicOpenShape(d).dialog;
         },
         "Dialog blocked: \"Open\" (#32770), no start folder is set"},
        {"folder picker",
         [](FakeDesktop& d, Definition&) { return testing::FolderPickerShape(d).dialog; },
         "Dialog blocked: \"Browse for Folder\" (#32770), a folder picker"},
        {"file browser",
         [](FakeDesktop& d, Definition&) {
             return d.Add(FakeDesktop::kDesktop, "CabinetWClass", "Documents");
         },
         "Dialog blocked: \"Documents\" (CabinetWClass), a file browser window"},
        {"no file-name box",
         [](FakeDesktop& d, Definition&) {
             return testing::CurrentItemDialogShape(d, false).dialog;
         },
         "Dialog blocked: \"Open\" (#32770), a file dialog without a file-name box"},
        {"folder not made",
         [](FakeDesktop& d, Definition&) {
             d.folderCanBeMade = false;
             return testing::ClassicOpenShape(d).dialog;
         },
         "Dialog blocked: \"Open\" (#32770), the start folder C:\\Kiosk\\ cannot be made"},
        {"folder not taken",
         [](FakeDesktop& d, Definition&) {
             d.dialogTakesKeys = false;
             return testing::ClassicOpenShape(d).dialog;
         },
         "Dialog blocked: \"Open\" (#32770), it did not take the start folder"},
    };
    for (const auto& c : cases) {
        FakeDesktop fresh;
        WindowSearch freshSearch{fresh};
        DialogGuard freshGuard{fresh, freshSearch};
        Definition guarded = definition;
        const WindowId dialog = c.build(fresh, guarded);
        fresh.foreground = dialog;
        for (int tick = 0; tick < 3; ++tick) freshGuard.WatchDialogs(guarded);
        EXPECT_THAT(fresh.audits, ElementsAre(c.line)) << c.name;
        // The next dialog is an event of its own.
        fresh.Remove(dialog);
        fresh.foreground = fresh.Add(FakeDesktop::kDesktop, "ExplorerWClass", "Again");
        freshGuard.WatchDialogs(guarded);
        EXPECT_EQ(fresh.audits.size(), 2u) << c.name;
    }
}

TEST_F(DialogGuardTest, ThisProgramsOwnDialogsAreLeftAlone) {
    for (const WindowId window :
         {testing::ExplorerOpenShape(desktop).dialog, testing::FolderPickerShape(desktop).dialog,
          desktop.Add(FakeDesktop::kDesktop, "ExplorerWClass")}) {
        desktop.ownWindows.push_back(window);
        EXPECT_THAT(Tick(window), ElementsAre("foreground")) << window;
    }
}

TEST_F(DialogGuardTest, GoneDialogsLeaveTheListWhateverIsInFront) {
    const BuiltDialog first = testing::ExplorerOpenShape(desktop);
    Tick(first.dialog);
    ASSERT_TRUE(guard.HandledDialogs().Contains(first.dialog));
    desktop.Remove(first.dialog);
    Tick(desktop.Add(FakeDesktop::kDesktop, "Notepad"));
    EXPECT_EQ(guard.HandledDialogs().Text(), "");
}

TEST_F(DialogGuardTest, TickDeliveredWhileATickRunsDoesNothing) {
    const BuiltDialog built = testing::ClassicOpenShape(desktop);
    int innerTicks = 0;
    desktop.onPendingMessages = [&] {
        ++innerTicks;
        guard.WatchDialogs(definition);
    };
    EXPECT_EQ(Tick(built.dialog), TakenOver(built, "*Edit*"));
    EXPECT_EQ(innerTicks, 1);
}

TEST_F(DialogGuardTest, GuardSwitchAndCostOfAnOrdinaryWindow) {
    const BuiltDialog built = testing::ClassicOpenShape(desktop);
    for (const int noRun : {0, 2}) {
        definition.NoRun = noRun;
        EXPECT_THAT(Tick(built.dialog), IsEmpty()) << noRun;
    }

    definition.NoRun = 1;
    const WindowId editor = desktop.Add(FakeDesktop::kDesktop, "Notepad");
    desktop.Add(editor, "Edit");
    desktop.classNameReads = 0;
    EXPECT_THAT(Tick(editor), ElementsAre("foreground"));
    EXPECT_EQ(desktop.classNameReads, 1);
    EXPECT_THAT(Tick(0), ElementsAre("foreground"));
}

}  // namespace
}  // namespace vallora
