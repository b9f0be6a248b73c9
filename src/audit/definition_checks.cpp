#include "audit/definition_checks.h"

#include <algorithm>

#include "security/process_name.h"
#include "security/security_target.h"
#include "storage/ascii_case.h"
#include "storage/definition_file.h"
#include "storage/idle_values.h"
#include "storage/password_hash.h"

namespace vallora {

namespace {

constexpr std::string_view kBlanks = " \t";

// The URL as the page runs it: blanks and enclosing quotes do not count.
std::string_view Bare(std::string_view url) {
    const size_t first = url.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    url = url.substr(first, url.find_last_not_of(kBlanks) - first + 1);
    if (url.size() >= 2 && url.front() == '"' && url.back() == '"')
        url = url.substr(1, url.size() - 2);
    return url;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    quoted.append(text);
    quoted.append("\"");
    return quoted;
}

std::string EntryText(const ApplicationAndLink& entry) {
    return Quoted(entry.DisplayName) + " (" + entry.URL + ")";
}

bool AnyBrowserRestriction(const Definition& definition) {
    return IsChecked(definition.NoIEAdministrativeTasks) ||
           IsChecked(definition.NoIEAdvancedTasks) || IsChecked(definition.IEPrograms) ||
           IsChecked(definition.IEDisableFileDownload);
}

// One finding per entry the test picks, or one Ok finding with `held`.
void CheckEntries(const Definition& definition, DefinitionCheck check, bool applies,
                  bool (*concerned)(const ApplicationAndLink&), std::string_view problem,
                  std::string_view held, std::vector<DefinitionFinding>& findings) {
    const size_t before = findings.size();
    if (applies) {
        for (int row = 0; row < kGridRows; ++row) {
            for (int column = 0; column < kGridColumns; ++column) {
                const ApplicationAndLink& entry = definition.Entry(row, column);
                if (entry.IsEmpty() || !concerned(entry)) continue;
                findings.push_back({check, CheckSeverity::Warning, EntrySectionName(row, column),
                                    EntryText(entry) + " " + std::string(problem)});
            }
        }
    }
    if (findings.size() == before)
        findings.push_back({check, CheckSeverity::Ok, "", std::string(held)});
}

}  // namespace

bool OpensFolder(std::string_view url) {
    const std::string_view bare = Bare(url);
    if (bare.empty()) return false;
    if (bare.back() == '\\' || bare.back() == '/') return !IsWebAddress(bare);
    if (bare.size() == 2 && bare[1] == ':') return true;  // "C:"
    // The file browser started by name, with or without a folder after it.
    const std::string_view program = bare.substr(0, bare.find(' '));
    const std::string_view name = ExecutableFileName(program);
    return EqualsNoCase(name, "explorer") || EqualsNoCase(name, "explorer.exe");
}

bool IsWebAddress(std::string_view url) {
    const std::string_view bare = Bare(url);
    for (std::string_view prefix : {"http://", "https://", "ftp://", "www."}) {
        if (StartsWithNoCase(bare, prefix)) return true;
    }
    return false;
}

std::vector<DefinitionFinding> CheckDefinition(const Definition& definition) {
    std::vector<DefinitionFinding> findings;
    const bool hashed = !definition.AdminPasswordHash.empty();
    const bool plain = !definition.AdminPassword.empty();

    if (!hashed && !plain) {
        findings.push_back({DefinitionCheck::Password, CheckSeverity::Severe, "",
                            "no administrator password: anyone can end the desktop and reach "
                            "Windows; set a password"});
    } else {
        findings.push_back({DefinitionCheck::Password, CheckSeverity::Ok, "", "set"});
    }

    if (!hashed && plain) {
        findings.push_back({DefinitionCheck::PasswordStored, CheckSeverity::Severe, "",
                            "stored reversibly: whoever reads the file can decode it; store it "
                            "as a hash (\"vallora-tool password hash\", \"AdminPasswordHash\")"});
    } else if (hashed && plain) {
        findings.push_back({DefinitionCheck::PasswordStored, CheckSeverity::Warning, "",
                            "a reversible \"AdminPassword\" is stored beside the hash; only the "
                            "hash counts, remove the other"});
    } else if (hashed && !ParsePasswordHash(definition.AdminPasswordHash)) {
        findings.push_back({DefinitionCheck::PasswordStored, CheckSeverity::Warning, "",
                            "\"AdminPasswordHash\" is no valid hash: no password opens the guarded "
                            "actions; make it anew"});
    } else if (hashed) {
        findings.push_back({DefinitionCheck::PasswordStored, CheckSeverity::Ok, "", "as a hash"});
    } else {
        findings.push_back(
            {DefinitionCheck::PasswordStored, CheckSeverity::Ok, "", "nothing stored"});
    }

    const bool noRun = IsChecked(definition.NoRun);
    if (noRun && Bare(definition.IOStartFolder).empty()) {
        findings.push_back({DefinitionCheck::StartFolder, CheckSeverity::Warning, "",
                            "\"NoRun\" without \"IOStartFolder\": every file dialog is closed, "
                            "no program can open or save a file; name a start folder"});
    } else {
        findings.push_back({DefinitionCheck::StartFolder, CheckSeverity::Ok, "",
                            noRun ? "\"" + definition.IOStartFolder + "\"" : "\"NoRun\" is off"});
    }

    CheckEntries(
        definition, DefinitionCheck::FolderEntries, noRun,
        [](const ApplicationAndLink& entry) { return OpensFolder(entry.URL); },
        "opens a folder, which the dialog guard closes at once while \"NoRun\" is set; remove it "
        "or make it a program",
        noRun ? "no entry opens a folder" : "\"NoRun\" is off", findings);
    CheckEntries(
        definition, DefinitionCheck::TextLinks, noRun,
        [](const ApplicationAndLink& entry) { return entry.HyperLink != 0; },
        "is a text link, which opens outside the page in a window of its own; show it as an "
        "icon",
        noRun ? "no entry is a text link" : "\"NoRun\" is off", findings);
    const bool browserOpen = !AnyBrowserRestriction(definition);
    CheckEntries(
        definition, DefinitionCheck::BrowserEntries, browserOpen,
        [](const ApplicationAndLink& entry) { return IsWebAddress(entry.URL); },
        "opens the browser with no browser restriction set: downloads, options and the "
        "browser's own ways to files and programs stay open; set a browser restriction",
        browserOpen ? "no entry is a web address" : "a browser restriction is set", findings);

    const int idle = NormalIdleReset(definition.IdleReset);
    if (idle == 0) {
        findings.push_back({DefinitionCheck::IdleReset, CheckSeverity::Warning, "",
                            "off: what a visitor leaves open stays for the next; set "
                            "\"IdleReset\""});
    } else {
        findings.push_back({DefinitionCheck::IdleReset, CheckSeverity::Ok, "",
                            "after " + std::to_string(idle) + " seconds without input"});
    }
    return findings;
}

std::string_view SeverityName(CheckSeverity severity) {
    switch (severity) {
        case CheckSeverity::Ok:
            return "ok";
        case CheckSeverity::Warning:
            return "warning";
        case CheckSeverity::Severe:
            return "severe";
    }
    return "severe";
}

std::string_view CheckName(DefinitionCheck check) {
    switch (check) {
        case DefinitionCheck::Password:
            return "password";
        case DefinitionCheck::PasswordStored:
            return "password storage";
        case DefinitionCheck::StartFolder:
            return "start folder";
        case DefinitionCheck::FolderEntries:
            return "folder entries";
        case DefinitionCheck::TextLinks:
            return "text links";
        case DefinitionCheck::BrowserEntries:
            return "browser entries";
        case DefinitionCheck::IdleReset:
            return "idle reset";
    }
    return "";
}

bool AnySevere(const std::vector<DefinitionFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const DefinitionFinding& finding) {
        return finding.severity == CheckSeverity::Severe;
    });
}

}  // namespace vallora
