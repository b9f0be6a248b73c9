// The language files and the help page shipped in the install tree: complete,
// in the format the program reads (ANSI, CR LF), and consistent with the
// built-in texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "language/messages.h"
#include "storage/ini_text.h"
#include "storage/profile_file.h"
#include "storage/whole_file.h"

namespace vallora {
namespace {

const std::string kData = std::string(VALLORA_FIXTURES) + "/../../data";
const std::string kEnglish = kData + "/Language/English.txt";
const std::string kGerman = kData + "/Language/German.txt";

std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, &bytes, nullptr), FileReadStatus::Read) << path;
    return bytes;
}

// Sections with their keys, in file order; comment and blank lines skipped.
std::vector<std::pair<std::string, std::vector<std::string>>> Layout(const std::string& text) {
    std::vector<std::pair<std::string, std::vector<std::string>>> layout;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 2;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            layout.push_back({line.substr(1, line.find(']') - 1), {}});
        } else if (!layout.empty()) {
            layout.back().second.push_back(line.substr(0, line.find('=')));
        }
    }
    return layout;
}

TEST(ShippedLanguageFiles, AreAnsiTextWithCrLfLineEnds) {
    for (const std::string& path : {kEnglish, kGerman}) {
        SCOPED_TRACE(path);
        std::string text = Read(path);
        ASSERT_FALSE(text.empty());
        EXPECT_FALSE(text.starts_with("\xEF\xBB\xBF"));
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
            }
            if (text[i] == '\r') {
                ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
            }
            // Bytes that Windows-1252 leaves undefined, and the lead byte of
            // UTF-8 umlauts: the file must be in the ANSI code page.
            const auto byte = static_cast<unsigned char>(text[i]);
            EXPECT_TRUE(byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 &&
                        byte != 0x9D && byte != 0xC3)
                << "byte " << int(byte) << " at " << i;
        }
        EXPECT_TRUE(text.ends_with("\r\n"));
    }
    EXPECT_NE(Read(kGerman).find("Schlie\xDF"), std::string::npos);
}

TEST(ShippedLanguageFiles, CarryTheSameSectionsAndKeys) {
    auto english = Layout(Read(kEnglish));
    auto german = Layout(Read(kGerman));
    EXPECT_EQ(english, german);
    std::set<std::string> sections;
    for (const auto& [section, keys] : german) {
        EXPECT_TRUE(sections.insert(section).second) << "section twice: " << section;
        std::set<std::string> unique(keys.begin(), keys.end());
        EXPECT_EQ(unique.size(), keys.size()) << "a key twice in " << section;
    }
    for (const char* form : {"frmMain", "frmAddEditAppAndLink", "frmIcons", "frmSplash",
                             "frmTaskBar", "frmTaskPopup", "frmPassWord", "frmCommonDialog",
                             "frmFunctionBlocked", "frmIdleWarning", "frmLockDownCheck"}) {
        auto it = std::find_if(german.begin(), german.end(),
                               [&](const auto& s) { return s.first == form; });
        ASSERT_NE(it, german.end()) << form;
        EXPECT_NE(std::find(it->second.begin(), it->second.end(), "FORM_CAPTION"), it->second.end())
            << form;
    }
}

TEST(ShippedLanguageFiles, GermanTranslatesEveryMessage) {
    ProfileFile profile;  // messages are read the way the program reads them
    for (const BuiltInMessageText& entry : BuiltInMessages()) {
        const std::string key(entry.key);
        SCOPED_TRACE(key);
        const std::string builtIn(entry.text);
        std::string english = profile.GetString(kEnglish, "Messages", key, "");
        std::string german = profile.GetString(kGerman, "Messages", key, "");
        std::string oneLine = builtIn;
        if (size_t crlf = oneLine.find("\r\n"); crlf != std::string::npos) {
            oneLine.replace(crlf, 2, " ");
        }
        EXPECT_EQ(english, oneLine);
        ASSERT_FALSE(german.empty());
        EXPECT_NE(german, english);
        EXPECT_EQ(std::count(german.begin(), german.end(), '$'),
                  std::count(builtIn.begin(), builtIn.end(), '$'));
        // Texts that a caller continues (a path, a folder) keep their final blank.
        EXPECT_EQ(german.ends_with(' '), builtIn.ends_with(' '));
    }
}

TEST(ShippedLanguageFiles, LeaveRunTimeCaptionsAloneAndNameAShippedHelpPage) {
    const std::string german = Read(kGerman);
    // These captions are set while the program runs (the location of the
    // restricted file dialog, the version line, the task buttons); a language
    // entry would overwrite them on every activation.
    EXPECT_EQ(IniSectionValue(IniSectionText(german, "frmCommonDialog"), "frameFileName"), "");
    EXPECT_EQ(IniSectionValue(IniSectionText(german, "frmSplash"), "lblInfo"), "");
    EXPECT_EQ(IniSectionValue(IniSectionText(german, "frmTaskBar"), "cmdTask"), "");
    EXPECT_EQ(IniSectionValue(IniSectionText(german, "frmIdleWarning"), "lblInfo"), "");
    for (int tab = 1; tab <= 3; ++tab) {
        std::string key = "TabStrip.Tabs(" + std::to_string(tab) + ")";
        EXPECT_NE(ReadIniTextValue(german, "frmMain", key, ""), "") << key;
    }
    for (const std::string& path : {kEnglish, kGerman}) {
        std::string help = ReadIniTextValue(Read(path), "Settings", "HelpFile", "");
        ASSERT_FALSE(help.empty()) << path;
        std::string page;
        EXPECT_EQ(ReadWholeFile(kData + "/Help/" + help, &page, nullptr), FileReadStatus::Read)
            << help;
    }
}

TEST(ShippedHelpPage, IsAsciiWithCrLfAndEveryLinkHasItsTarget) {
    const std::string page = Read(kData + "/Help/ValloraHelpEN.htm");
    ASSERT_FALSE(page.empty());
    for (size_t i = 0; i < page.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(page[i]), 0x80) << "at " << i;
        if (page[i] == '\n') {
            ASSERT_EQ(page[i - 1], '\r') << "at " << i;
        }
    }
    std::set<std::string> ids;
    const std::regex id(R"re(id="([^"]+)")re");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), id); it != std::sregex_iterator();
         ++it) {
        EXPECT_TRUE(ids.insert((*it)[1]).second) << "id twice: " << (*it)[1];
    }
    const std::regex link(R"re(href="#([^"]+)")re");
    int links = 0;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), link);
         it != std::sregex_iterator(); ++it, ++links) {
        EXPECT_TRUE(ids.count((*it)[1])) << "no target for #" << (*it)[1];
    }
    EXPECT_GT(links, 0);
}

}  // namespace
}  // namespace vallora
