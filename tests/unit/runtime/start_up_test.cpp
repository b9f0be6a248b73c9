#include <gtest/gtest.h>

#include "runtime/command_line.h"
#include "runtime/page_path.h"
#include "runtime/startup_files.h"
#include "runtime/version_text.h"

namespace vallora {
namespace {

TEST(CommandTail, IsEverythingAfterTheProgramsOwnPathQuotedOrNot) {
    const char* const self = "C:\\Program Files\\Vallora\\Vallora.exe";
    const struct {
        const char* commandLine;
        const char* tail;
    } cases[] = {
        {"Vallora.exe", ""},
        {"\"C:\\Program Files\\Vallora\\Vallora.exe\"", ""},
        {"C:\\Vallora\\Vallora.exe C:\\Desks\\Kiosk.vla", "C:\\Desks\\Kiosk.vla"},
        {"\"C:\\Program Files\\Vallora\\Vallora.exe\" C:\\My Desks\\Kiosk.vla",
         "C:\\My Desks\\Kiosk.vla"},
        // The own path unquoted, blanks and all, in any letter case; the shell
        // value names the program without its extension.
        {"C:\\Program Files\\Vallora\\Vallora.exe C:\\My Desks\\Kiosk.vla",
         "C:\\My Desks\\Kiosk.vla"},
        {"c:\\program files\\vallora\\VALLORA.EXE C:\\Desks\\Kiosk.vla", "C:\\Desks\\Kiosk.vla"},
        {"C:\\Program Files\\Vallora\\Vallora C:\\Desks\\Kiosk.vla", "C:\\Desks\\Kiosk.vla"},
        {"C:\\Program Files\\Vallora\\Vallora.exe", ""},
        // A longer word that merely starts with the own path is no match.
        {"C:\\Program Files\\Vallora\\Vallora.exe2 x.vla", "Files\\Vallora\\Vallora.exe2 x.vla"},
        // A tail in one pair of quotes is the path inside them.
        {"Vallora.exe \"C:\\Desks\\Kiosk.vla\"", "C:\\Desks\\Kiosk.vla"},
        {"\"C:\\Program Files\\Vallora\\Vallora.exe\" \"C:\\My Desks\\Kiosk.vla\"  ",
         "C:\\My Desks\\Kiosk.vla"},
        {"Vallora.exe \"a\" \"b\"", "\"a\" \"b\""},
        {"Vallora.exe \"C:\\a.vla", "\"C:\\a.vla"},
        {"Vallora.exe \"", "\""},
        {"Vallora.exe   C:\\a.vla  ", "C:\\a.vla  "},
        {"Vallora.exe\tC:\\a.vla", "C:\\a.vla"},
        {"\"unterminated", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandTail(c.commandLine, self), c.tail) << c.commandLine;
    }
}

TEST(PagePath, ReplacesTheExtensionOfTheFileNameByHta) {
    const struct {
        const char* definition;
        const char* page;
    } cases[] = {
        {"C:\\Desks\\Kiosk.vla", "C:\\Desks\\Kiosk.hta"},
        // Without an extension the page lies beside the definition.
        {"C:\\Desks\\Kiosk", "C:\\Desks\\Kiosk.hta"},
        {"", ".hta"},
        // A dot in a folder name is no extension.
        {"C:\\My.Desks\\Kiosk", "C:\\My.Desks\\Kiosk.hta"},
        {"C:\\My.Desks\\Kiosk.vla", "C:\\My.Desks\\Kiosk.hta"},
        {"C:/My.Desks/Kiosk", "C:/My.Desks/Kiosk.hta"},
        {"Kiosk.backup.vla", "Kiosk.backup.hta"},
        {"\"C:\\Desks\\Kiosk.vla\"", "\"C:\\Desks\\Kiosk.hta"},
    };
    for (const auto& c : cases) EXPECT_EQ(PagePathFor(c.definition), c.page) << c.definition;
    EXPECT_EQ(PreviewPagePath("C:\\Vallora"), "C:\\Vallora\\ValloraPreview.hta");
}

TEST(WithDefinitionExtension, AddsVlaToAFileNameWithoutExtensionOnly) {
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {
        {"C:\\Desks\\Kiosk", "C:\\Desks\\Kiosk.vla"},
        {"C:\\My.Desks\\Kiosk", "C:\\My.Desks\\Kiosk.vla"},
        {"C:\\Desks\\Kiosk.vla", "C:\\Desks\\Kiosk.vla"},
        {"C:\\Desks\\Kiosk.VLA", "C:\\Desks\\Kiosk.VLA"},
        {"C:\\Desks\\Kiosk.backup", "C:\\Desks\\Kiosk.backup"},
        {"C:Kiosk", "C:Kiosk.vla"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithDefinitionExtension(c.typed), c.saved) << c.typed;
        // The page of the saved file lies beside it, whatever the folder's name.
        const std::string saved = c.saved;
        const std::string page = PagePathFor(saved);
        EXPECT_EQ(page.substr(0, saved.rfind('.')), saved.substr(0, saved.rfind('.'))) << c.typed;
    }
}

TEST(StartupFileLines, SplitsAtCrLfTrimsAndSkipsEmptyLines) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"notepad.exe", {"notepad.exe"}},
        {"notepad.exe\r\n\r\ncalc.exe", {"notepad.exe", "calc.exe"}},
        {"  C:\\Pictures\\sea.jpg  \r\n   \r\nhttp://example.com/\r\n",
         {"C:\\Pictures\\sea.jpg", "http://example.com/"}},
        // A bare LF does not end a line; tabs are not trimmed.
        {"a.exe\nb.exe\r\n\tc.exe", {"a.exe\nb.exe", "\tc.exe"}},
    };
    for (const auto& c : cases) EXPECT_EQ(StartupFileLines(c.text), c.lines) << c.text;
}

TEST(WithStartupFile, PutsTheNewPathOnALineOfItsOwn) {
    const struct {
        const char* text;
        const char* joined;
    } cases[] = {
        {"", "C:\\b.exe\r\n"},
        {"C:\\a.exe\r\n", "C:\\a.exe\r\nC:\\b.exe\r\n"},
        // A last line typed without its line end keeps its own line.
        {"C:\\a.exe", "C:\\a.exe\r\nC:\\b.exe\r\n"},
        {"C:\\a.exe\r\ncalc.exe", "C:\\a.exe\r\ncalc.exe\r\nC:\\b.exe\r\n"},
        // A lone CR or LF is no line end of the list.
        {"C:\\a.exe\r", "C:\\a.exe\r\r\nC:\\b.exe\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithStartupFile(c.text, "C:\\b.exe"), c.joined) << c.text;
        EXPECT_EQ(StartupFileLines(WithStartupFile(c.text, "C:\\b.exe")).back(), "C:\\b.exe");
    }
}

TEST(VersionText, NamesMajorMinorAndRevisionWithoutLeadingZeros) {
    EXPECT_EQ(VersionText({1, 5, 12}), "version 1.5 build 12");
    EXPECT_EQ(VersionText({0, 0, 0}), "version 0.0 build 0");
    EXPECT_EQ(VersionText({10, 05, 0007}), "version 10.5 build 7");
}

}  // namespace
}  // namespace vallora
