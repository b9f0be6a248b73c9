#include <gtest/gtest.h>

#include "guard/file_name_entry.h"
#include "guard/wildcard_match.h"
#include "guard/window_handle_list.h"

namespace vallora {
namespace {

TEST(WildcardMatch, Table) {
    struct Case {
        const char* text;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"ComboBox", "*ComboBox*", true},
        {"ComboBoxEx32", "*ComboBox*", true},
        {"WindowsForms10.COMBOBOX.app", "*ComboBox*", false},  // letter case counts
        {"Edit", "*Edit*", true},
        {"RichEdit20W", "*Edit*", true},
        {"RichEdit20A", "*RichEdit20W*", false},
        {"bosa_sdm_Mso96", "*bosa_sdm_*", true},
        {"bosa_sdm", "*bosa_sdm_*", false},
        {"", "*", true},
        {"", "?", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"a7", "a#", true},
        {"ax", "a#", false},
        {"b", "[abc]", true},
        {"d", "[abc]", false},
        {"q", "[a-z]", true},
        {"Q", "[a-z]", false},
        {"d", "[!abc]", true},
        {"a", "[!abc]", false},
        {"*", "[*]", true},  // inside brackets the wildcards are plain characters
        {"x", "[*]", false},
        {"[x", "[x", true},  // an unclosed bracket is a plain character
        {"aXbXc", "a*b*c", true},
        {"abcbd", "*b?", true},  // the star must give back what it took
        {"abcbdx", "*b?", false},
        {"mississippi", "m*iss*ppi", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern;
    }
}

TEST(WindowHandleList, MembershipIsByWholeEntry) {
    WindowHandleList list;
    list.Append(5123);
    list.Append(77);
    EXPECT_EQ(list.Text(), "5123;77;");
    EXPECT_TRUE(list.Contains(5123));
    EXPECT_TRUE(list.Contains(77));
    for (const WindowId absent : {123u, 512u, 7u, 0u, 51237u}) {
        EXPECT_FALSE(list.Contains(absent)) << absent;
    }
}

TEST(WindowHandleList, RemoveIfKeepsOrderOfTheRest) {
    WindowHandleList list;
    for (const WindowId window : {10u, 20u, 30u, 40u}) list.Append(window);
    list.RemoveIf([](WindowId window) { return window == 20 || window == 40; });
    EXPECT_EQ(list.Text(), "10;30;");
    EXPECT_EQ(list.Windows(), (std::vector<WindowId>{10, 30}));
    list.RemoveIf([](WindowId) { return true; });
    EXPECT_EQ(list.Text(), "");
    EXPECT_FALSE(list.Contains(10));
}

TEST(FileNameEntry, PathCharactersAreRemoved) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"report.txt", "report.txt"},
        {"C:\\Temp\\a.txt", "CTempa.txt"},
        {"..\\x", "..x"},
        {"../x", "..x"},
        {"C:x", "Cx"},
        {"/x", "x"},
        {"\\\\server\\share\\x", "serversharex"},
        {"a b (1).txt", "a b (1).txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RemovePathCharacters(c.typed), c.kept) << c.typed;
        EXPECT_EQ(HasPathCharacters(c.typed), std::string(c.typed) != c.kept) << c.typed;
    }
}

TEST(FileNameEntry, OnlyRealNamesPass) {
    for (const char* name : {"a", "report.txt", ".profile", "..x", "a b", " x", "CONSOLE.txt",
                             "con1", "COM10", "LPT0", "NULL", "x.con",
                             "caf\xe9 \xfc"
                             "ber.txt",
                             "\xe6\x96\x87\xe6\xa1\xa3.txt"}) {
        EXPECT_TRUE(IsPassableFileName(name)) << name;
    }
    // Empty, this folder, the folder above, and what the system trims to them.
    for (const char* name : {"", ".", "..", "...", ".. ", " ..", ". .", " "}) {
        EXPECT_FALSE(IsPassableFileName(name)) << '"' << name << '"';
    }
    // Wildcards, quotes, redirection, variables, control characters, names
    // the system trims, and device names with or without an extension.
    for (const char* name :
         {"*.txt", "a?",       "\"x\"", "a<b",      "a>b",  "a|b",  "%TEMP%",  "a\tb",
          "a\x01", "x.",       "x..",   "x ",       "CON",  "con",  "Prn.txt", "AUX.tar.gz",
          "nul",   "NUL .txt", "COM1",  "com9.log", "LPT1", "lpt9", "CONIN$",  "conout$.x"}) {
        EXPECT_FALSE(IsPassableFileName(name)) << '"' << name << '"';
    }
}

}  // namespace
}  // namespace vallora
