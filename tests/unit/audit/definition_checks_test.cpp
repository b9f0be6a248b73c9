#include "audit/definition_checks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "storage/password_hash.h"

namespace vallora {
namespace {

// A definition a fleet could roll out: a hashed password, "NoRun" with a
// start folder, a program and a web page with a browser restriction, and
// the idle reset on.
Definition Sound() {
    Definition definition;
    definition.AdminPasswordHash = HashPassword("Kiosk1", 1);
    definition.NoRun = 1;
    definition.IOStartFolder = "C:\\Kiosk\\Files";
    definition.IEDisableFileDownload = 1;
    definition.IdleReset = 300;
    definition.SetApplicationAndLink("Notepad", "C:\\Windows\\notepad.exe", "", "", 0, 1, 0, 0);
    definition.SetApplicationAndLink("Library", "http://example.com/", "", "", 0, 1, 3, 6);
    return definition;
}

struct Found {
    DefinitionCheck check;
    CheckSeverity severity;
    std::string entry;
    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& found, std::ostream* out) {
    *out << CheckName(found.check) << ' ' << SeverityName(found.severity) << ' ' << found.entry;
}

// The findings that are not Ok, in order.
std::vector<Found> Open(const std::vector<DefinitionFinding>& findings) {
    std::vector<Found> open;
    for (const DefinitionFinding& finding : findings) {
        if (finding.severity != CheckSeverity::Ok)
            open.push_back({finding.check, finding.severity, finding.entry});
    }
    return open;
}

using enum DefinitionCheck;
constexpr CheckSeverity kWarning = CheckSeverity::Warning;
constexpr CheckSeverity kSevere = CheckSeverity::Severe;

TEST(DefinitionChecks, FindWhatLeavesTheDesktopOpenAndNothingElse) {
    const struct {
        const char* name;
        std::function<void(Definition&)> change;
        std::vector<Found> open;
    } cases[] = {
        {"sound", [](Definition&) {}, {}},
        {"no password",
         [](Definition& d) { d.AdminPasswordHash.clear(); },
         {{Password, kSevere, ""}}},
        {"reversible password",
         [](Definition& d) {
             d.AdminPasswordHash.clear();
             d.AdminPassword = "Kiosk1";
         },
         {{PasswordStored, kSevere, ""}}},
        {"reversible beside the hash",
         [](Definition& d) { d.AdminPassword = "Kiosk1"; },
         {{PasswordStored, kWarning, ""}}},
        {"damaged hash",
         [](Definition& d) { d.AdminPasswordHash = "pbkdf2-sha256$1$00"; },
         {{PasswordStored, kWarning, ""}}},
        {"NoRun without start folder",
         [](Definition& d) { d.IOStartFolder = "  "; },
         {{StartFolder, kWarning, ""}}},
        {"start folder without NoRun",
         [](Definition& d) {
             d.NoRun = 0;
             d.IOStartFolder.clear();
         },
         {}},
        {"folder entries while NoRun",
         [](Definition& d) {
             d.SetApplicationAndLink("Files", "C:\\MyFiles\\", "", "", 0, 1, 0, 1);
             d.SetApplicationAndLink("Quoted", " \"D:\\Docs\\\" ", "", "", 0, 1, 1, 0);
             d.SetApplicationAndLink("Drive", "E:", "", "", 0, 1, 2, 3);
             d.SetApplicationAndLink("Browser", "C:\\Windows\\EXPLORER.EXE C:\\", "", "", 0, 1, 12,
                                     6);
             d.SetApplicationAndLink("Share", "\\\\server\\share\\", "", "", 0, 1, 12, 5);
         },
         {{FolderEntries, kWarning, "Program01"},
          {FolderEntries, kWarning, "Program10"},
          {FolderEntries, kWarning, "Program23"},
          {FolderEntries, kWarning, "Program125"},
          {FolderEntries, kWarning, "Program126"}}},
        {"folder entries while NoRun is undetermined",
         [](Definition& d) {
             d.NoRun = 2;
             d.SetApplicationAndLink("Files", "C:\\MyFiles\\", "", "", 0, 1, 0, 1);
         },
         {}},
        {"text link while NoRun",
         [](Definition& d) {
             d.SetApplicationAndLink("Help", "C:\\Help\\a.txt", "", "", 1, 1, 4, 4);
         },
         {{TextLinks, kWarning, "Program44"}}},
        {"text link without NoRun",
         [](Definition& d) {
             d.NoRun = 0;
             d.SetApplicationAndLink("Help", "C:\\Help\\a.txt", "", "", 1, 1, 4, 4);
         },
         {}},
        {"web entries with no browser setting",
         [](Definition& d) {
             d.IEDisableFileDownload = 0;
             d.SetApplicationAndLink("News", "www.example.org", "", "", 0, 1, 5, 0);
             d.SetApplicationAndLink("Shop", "HTTPS://example.net", "", "", 0, 1, 5, 1);
         },
         {{BrowserEntries, kWarning, "Program36"},
          {BrowserEntries, kWarning, "Program50"},
          {BrowserEntries, kWarning, "Program51"}}},
        {"web entries with another browser setting",
         [](Definition& d) {
             d.IEDisableFileDownload = 0;
             d.IEPrograms = 1;
         },
         {}},
        {"no web entry and no browser setting",
         [](Definition& d) {
             d.IEDisableFileDownload = 0;
             d.Entry(3, 6) = {};
         },
         {}},
        {"idle reset off", [](Definition& d) { d.IdleReset = 0; }, {{IdleReset, kWarning, ""}}},
        {"everything at its default",
         [](Definition& d) { d = Definition{}; },
         {{Password, kSevere, ""}, {IdleReset, kWarning, ""}}},
    };
    for (const auto& c : cases) {
        Definition definition = Sound();
        c.change(definition);
        const std::vector<DefinitionFinding> findings = CheckDefinition(definition);
        EXPECT_EQ(Open(findings), c.open) << c.name;
        EXPECT_EQ(AnySevere(findings),
                  std::any_of(c.open.begin(), c.open.end(),
                              [](const Found& f) { return f.severity == kSevere; }))
            << c.name;
        // Every check speaks, in order, each with a line of text.
        std::vector<DefinitionCheck> checks;
        for (const DefinitionFinding& finding : findings) {
            EXPECT_FALSE(finding.text.empty()) << c.name;
            EXPECT_EQ(finding.text.find('\n'), std::string::npos) << c.name;
            if (checks.empty() || checks.back() != finding.check) checks.push_back(finding.check);
        }
        EXPECT_EQ(checks, (std::vector<DefinitionCheck>{Password, PasswordStored, StartFolder,
                                                        FolderEntries, TextLinks, BrowserEntries,
                                                        IdleReset}))
            << c.name;
    }
}

TEST(DefinitionChecks, TellFoldersAndWebAddressesFromPrograms) {
    for (const char* folder : {"C:\\", "C:\\My Files\\", "c:", "explorer", "\"C:\\A\\\"",
                               "\\\\pc\\share\\", "explorer.exe /e,C:\\"}) {
        EXPECT_TRUE(OpensFolder(folder)) << folder;
    }
    for (const char* other : {"", "C:\\Windows\\notepad.exe", "http://example.com/",
                              "C:\\explorer\\game.exe", "iexplore.exe", "C:\\Docs\\a.txt"}) {
        EXPECT_FALSE(OpensFolder(other)) << other;
    }
    for (const char* web : {"http://a", "HTTPS://a", "ftp://a", "www.a.org", " \"http://a\""}) {
        EXPECT_TRUE(IsWebAddress(web)) << web;
    }
    for (const char* other : {"", "C:\\www.exe", "mailto:a@b", "about:blank", "httpd.exe"}) {
        EXPECT_FALSE(IsWebAddress(other)) << other;
    }
}

}  // namespace
}  // namespace vallora
