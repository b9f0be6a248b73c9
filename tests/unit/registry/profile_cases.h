#pragma once
// Profile-file cases that every ProfilePort must answer as the system's
// profile-string calls do. Included by exactly one test file of each test
// program, which defines MakeProfilePort(): natively it is ProfileFile, under
// Wine the system's calls, so both are held to the same table.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_port.h"
#include "scratch_folder.h"

namespace vallora {

std::unique_ptr<ProfilePort> MakeProfilePort();

namespace profile_cases {

// Where the profile path points: a file with given bytes, nothing in an
// existing folder, nothing in a missing folder, or a folder.
enum class Place { File, NoFile, NoFolder, Folder };

struct ReadCase {
    const char* name;
    Place place;
    std::string content;  // file bytes when place is File
    std::string section;
    std::string key;
    std::string defaultValue;
    std::string expected;
};

inline std::string Repeat(char c, size_t n) {
    return std::string(n, c);
}

inline const std::vector<ReadCase>& ReadCases() {
    static const std::vector<ReadCase> cases = {
        {"Exact", Place::File, "[Desktop]\r\nColor=42\r\n", "Desktop", "Color", "d", "42"},
        {"LetterCase", Place::File, "[Desktop]\r\nColor=42\r\n", "dESKTOP", "COLOR", "d", "42"},
        {"MissingKey", Place::File, "[Desktop]\r\nColor=42\r\n", "Desktop", "Size", "d", "d"},
        {"MissingSection", Place::File, "[Desktop]\r\nColor=42\r\n", "Other", "Color", "d", "d"},
        {"MissingFile", Place::NoFile, "", "Desktop", "Color", "d", "d"},
        {"MissingFolder", Place::NoFolder, "", "Desktop", "Color", "d", "d"},
        {"EmptyValueIsNotDefault", Place::File, "[S]\r\nK=\r\n", "S", "K", "d", ""},
        {"LineWithoutEqualsGivesDefault", Place::File, "[S]\r\nK\r\n", "S", "K", "d", "d"},
        {"BlanksAroundEntry", Place::File, "[S]\r\n  Key \t=  some value  \r\n", "S", "Key", "d",
         "some value"},
        {"BlanksAroundAskedNames", Place::File, "[S]\r\nKey=v\r\n", "  S ", " Key\t", "d", "v"},
        {"BlanksInsideBracketsIgnored", Place::File, "[ S ]\r\nK=v\r\n", "S", "K", "d", "v"},
        {"BlanksInsideKeyName", Place::File, "[S]\r\nMy Key=v\r\n", "S", "my key", "d", "v"},
        {"EqualsInsideValue", Place::File, "[S]\r\nURL=a=b\r\n", "S", "URL", "d", "a=b"},
        {"DoubleQuotesRemoved", Place::File, "[S]\r\nK=\"in quotes\"\r\n", "S", "K", "d",
         "in quotes"},
        {"SingleQuotesRemoved", Place::File, "[S]\r\nK='x'\r\n", "S", "K", "d", "x"},
        {"UnmatchedQuotesKept", Place::File, "[S]\r\nK=\"x'\r\n", "S", "K", "d", "\"x'"},
        {"InnerQuotesKept", Place::File, "[S]\r\nK=a \"b\" c\r\n", "S", "K", "d", "a \"b\" c"},
        {"LoneQuoteKept", Place::File, "[S]\r\nK=\"\r\n", "S", "K", "d", "\""},
        {"LongValueCutTo254", Place::File, "[S]\r\nK=" + Repeat('x', 300) + "\r\n", "S", "K", "d",
         Repeat('x', 254)},
        {"Value254Kept", Place::File, "[S]\r\nK=" + Repeat('x', 254) + "\r\n", "S", "K", "d",
         Repeat('x', 254)},
        {"QuotedValueThatFits", Place::File, "[S]\r\nK=\"" + Repeat('x', 253) + "\"\r\n", "S", "K",
         "d", Repeat('x', 253)},
        {"QuotedValueAtTheLimit", Place::File, "[S]\r\nK=\"" + Repeat('x', 254) + "\"\r\n", "S",
         "K", "d", Repeat('x', 253)},
        {"DefaultTrailingBlanksDropped", Place::File, "[S]\r\n", "S", "K", "abc  ", "abc"},
        {"DefaultQuotesRemoved", Place::File, "[S]\r\n", "S", "K", "\"abc\"", "abc"},
        {"DefaultQuotesKeptWithoutFolder", Place::NoFolder, "", "S", "K", "\"abc\"", "\"abc\""},
        {"LongDefaultCut", Place::NoFile, "", "S", "K", Repeat('d', 300), Repeat('d', 254)},
        {"LineFeedsOnly", Place::File, "[S]\nA=1\nK=v\n", "S", "K", "d", "v"},
        {"CarriageReturnsOnly", Place::File, "[S]\rA=1\rK=v\r", "S", "K", "d", "v"},
        {"NoFinalLineEnd", Place::File, "[S]\r\nK=v", "S", "K", "d", "v"},
        {"BlankLinesAndTabs", Place::File, "\r\n\t[S]\t\r\n\r\n\tK\t=\tv\t\r\n\r\n", "S", "K", "d",
         "v"},
        {"FirstOfDuplicateKeys", Place::File, "[S]\r\nK=1\r\nK=2\r\n", "S", "K", "d", "1"},
        {"OnlyFirstOfDuplicateSections", Place::File, "[S]\r\nA=1\r\n[T]\r\nB=2\r\n[S]\r\nC=3\r\n",
         "S", "C", "d", "d"},
        {"LinesBeforeFirstSectionBelongToNone", Place::File, "K=0\r\n[S]\r\nA=1\r\n", "S", "K", "d",
         "d"},
        {"KeyOfNextSectionNotSeen", Place::File, "[S]\r\nA=1\r\n[T]\r\nK=2\r\n", "S", "K", "d",
         "d"},
        {"CommentIsNotTheKey", Place::File, "[S]\r\n;K=1\r\n", "S", "K", "d", "d"},
        {"TextAfterHeaderIgnored", Place::File, "[S] ; note\r\nK=v\r\n", "S", "K", "d", "v"},
        {"HeaderWithoutClosingBracket", Place::File, "[S\r\nK=v\r\n", "S", "K", "d", "d"},
        {"Utf8MarkerSkipped", Place::File, "\xEF\xBB\xBF[S]\r\nK=v\r\n", "S", "K", "d", "v"},
        {"EmptyFile", Place::File, "", "S", "K", "d", "d"},
        {"FolderInsteadOfFile", Place::Folder, "", "S", "K", "\"d\"", "\"d\""},
    };
    return cases;
}

struct Write {
    std::string section;
    std::string key;
    std::string value;
};

struct WriteCase {
    const char* name;
    Place place;
    std::string initial;  // file bytes before the writes when place is File
    std::vector<Write> writes;
    bool succeeds;
    std::optional<std::string> expected;  // file bytes afterwards; nullopt: no file
};

inline const std::vector<WriteCase>& WriteCases() {
    static const std::vector<WriteCase> cases = {
        {"NewFile", Place::NoFile, "", {{"S", "K", "v"}}, true, "[S]\r\nK=v\r\n"},
        {"EmptyValue", Place::NoFile, "", {{"S", "K", ""}}, true, "[S]\r\nK=\r\n"},
        {"NewKeyAtEndOfItsSectionNewSectionAtEnd",
         Place::NoFile,
         "",
         {{"App1", "key1", "a"},
          {"App1", "key2", "b"},
          {"App2", "key3", "c"},
          {"app1", "key4", "d"}},
         true,
         "[App1]\r\nkey1=a\r\nkey2=b\r\nkey4=d\r\n[App2]\r\nkey3=c\r\n"},
        {"ReplaceKeepsSpellingAndPlace",
         Place::File,
         "[S]\r\nKey=1\r\nOther=2\r\n",
         {{"s", "KEY", "3"}},
         true,
         "[S]\r\nKey=3\r\nOther=2\r\n"},
        {"LeadingBlanksOfValueDropped",
         Place::NoFile,
         "",
         {{"S", "K", "  v  "}},
         true,
         "[S]\r\nK=v  \r\n"},
        {"RewriteDropsBlankLinesAndSpacing",
         Place::File,
         "[S]\r\n\r\n  K = 1 \r\n\r\n[ T ]\r\nX=2\r\n",
         {{"S", "N", "3"}},
         true,
         "[S]\r\nK=1\r\nN=3\r\n[T]\r\nX=2\r\n"},
        {"SameValueLeavesFileAlone",
         Place::File,
         "[S]\r\n  K = 1 \r\n\r\n",
         {{"S", "K", "1"}},
         true,
         "[S]\r\n  K = 1 \r\n\r\n"},
        {"LineFeedFileComesBackWithCrLf",
         Place::File,
         "[S]\nK=1\n",
         {{"S", "N", "2"}},
         true,
         "[S]\r\nK=1\r\nN=2\r\n"},
        {"NoFinalLineEnd",
         Place::File,
         "[S]\r\nK=1",
         {{"S", "N", "2"}},
         true,
         "[S]\r\nK=1\r\nN=2\r\n"},
        {"CommentsKept",
         Place::File,
         "; note\r\n[S]\r\n;c\r\nK=1\r\n",
         {{"S", "K", "2"}},
         true,
         "; note\r\n[S]\r\n;c\r\nK=2\r\n"},
        {"LineWithoutEqualsTakesValue",
         Place::File,
         "[S]\r\nK\r\n",
         {{"S", "K", "v"}},
         true,
         "[S]\r\nK=v\r\n"},
        {"DuplicateSectionFirstOneGrows",
         Place::File,
         "[S]\r\nA=1\r\n[S]\r\nB=2\r\n",
         {{"S", "B", "3"}},
         true,
         "[S]\r\nA=1\r\nB=3\r\n[S]\r\nB=2\r\n"},
        {"Utf8MarkerKept",
         Place::File,
         "\xEF\xBB\xBF[S]\r\nK=1\r\n",
         {{"S", "K", "2"}},
         true,
         "\xEF\xBB\xBF[S]\r\nK=2\r\n"},
        {"MissingFolderFails", Place::NoFolder, "", {{"S", "K", "v"}}, false, std::nullopt},
        {"FolderInsteadOfFileFails", Place::Folder, "", {{"S", "K", "v"}}, false, ""},
    };
    return cases;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class ProfileCaseTest : public ::testing::Test {
  protected:
    std::filesystem::path PathFor(Place place, const std::string& content) {
        if (place == Place::NoFolder) return folder_.path() / "missing" / "x.ini";
        const auto path = folder_.path() / "x.ini";
        if (place == Place::Folder) std::filesystem::create_directory(path);
        if (place == Place::File) WriteBytes(path, content);
        return path;
    }

    ScratchFolder folder_;
    std::unique_ptr<ProfilePort> port_ = MakeProfilePort();
};

class ProfileReadTest : public ProfileCaseTest, public ::testing::WithParamInterface<ReadCase> {};
class ProfileWriteTest : public ProfileCaseTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ProfileReadTest, ReadsAsTheSystemDoes) {
    const ReadCase& c = GetParam();
    const auto path = PathFor(c.place, c.content);
    EXPECT_EQ(port_->GetString(path.string(), c.section, c.key, c.defaultValue), c.expected);
}

TEST_P(ProfileWriteTest, WritesAsTheSystemDoes) {
    const WriteCase& c = GetParam();
    const auto path = PathFor(c.place, c.initial);
    for (const Write& w : c.writes) {
        EXPECT_EQ(port_->WriteString(path.string(), w.section, w.key, w.value), c.succeeds)
            << w.section << "/" << w.key;
    }
    if (c.place == Place::Folder) {
        EXPECT_TRUE(std::filesystem::is_directory(path));
    } else if (c.expected) {
        EXPECT_EQ(ReadBytes(path), *c.expected);
    } else {
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

// What is written reads back as written, whatever the characters.
TEST_F(ProfileCaseTest, WrittenValuesReadBack) {
    const auto path = PathFor(Place::NoFile, "").string();
    const std::vector<std::string> values = {"C:\\Program Files\\x.exe /a", "a=b;c",
                                             "[NotASection]", "tab\there", "\xE4\xF6\xFC"};
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string key = "Key" + std::to_string(i);
        ASSERT_TRUE(port_->WriteString(path, "Section", key, values[i]));
    }
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(port_->GetString(path, "Section", "Key" + std::to_string(i), "d"), values[i]);
    }
}

inline std::string CaseName(const ::testing::TestParamInfo<ReadCase>& info) {
    return info.param.name;
}
inline std::string WriteCaseName(const ::testing::TestParamInfo<WriteCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Profile, ProfileReadTest, ::testing::ValuesIn(ReadCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Profile, ProfileWriteTest, ::testing::ValuesIn(WriteCases()),
                         WriteCaseName);

}  // namespace profile_cases
}  // namespace vallora
