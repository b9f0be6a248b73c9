#include "storage/definition_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>

#include "unit/storage/sample_definitions.h"

namespace vallora {
namespace {

namespace fs = std::filesystem;

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::string kSmallFixture = VALLORA_FIXTURES "/definition/small.vla";

TEST(DefinitionText, IsWhatTheSystemsProfileWritesGive) {
    EXPECT_EQ(DefinitionText(samples::SmallDefinition()), FileBytes(kSmallFixture));
    EXPECT_EQ(ParseDefinition(FileBytes(kSmallFixture)), samples::SmallDefinition());
}

TEST(DefinitionText, SavedFilesReadBackUnchanged) {
    Definition tricky = samples::FullDefinition();
    // Blanks at either end, bare line breaks and text that looks like the
    // file's own markers must all come back as they were.
    tricky.Top = " 7 ";
    tricky.StartUp = "\r\n a \n b\r $vbcr\r\n\r\n";
    tricky.AdminPassword = std::string("\0-\r\n", 4);
    tricky.SetApplicationAndLink("x\r[Program00]\nURL=evil", "URL=C:\\a.exe", "\t", "Center=", -2,
                                 300, 0, 0);
    tricky.SetApplicationAndLink("", "", "", "", 0, 1, 12, 6);
    for (const Definition& definition : {samples::FullDefinition(), tricky}) {
        const std::string text = DefinitionText(definition);
        EXPECT_EQ(ParseDefinition(text), definition);
        EXPECT_EQ(DefinitionText(ParseDefinition(text)), text);
    }
}

TEST(DefinitionText, APasswordHashIsKeptAndTheReadablePasswordIsNot) {
    Definition hashed = samples::SmallDefinition();
    hashed.AdminPasswordHash =
        "pbkdf2-sha256$200000$" + std::string(32, 'a') + "$" + std::string(64, 'b');
    const std::string text = DefinitionText(hashed);
    EXPECT_NE(text.find("\r\nAdminPassword=\r\nAdminPasswordHash=" + hashed.AdminPasswordHash +
                        "\r\nNoChangePwd="),
              std::string::npos);
    const Definition loaded = ParseDefinition(text);
    EXPECT_EQ(loaded.AdminPasswordHash, hashed.AdminPasswordHash);
    EXPECT_EQ(loaded.AdminPassword, "");
    EXPECT_EQ(DefinitionText(loaded), text);
}

TEST(DefinitionText, IdleResetKeysAreWrittenOnlyWhenNotTheDefault) {
    const std::string plain = DefinitionText(samples::SmallDefinition());
    EXPECT_EQ(plain.find("Idle"), std::string::npos);
    EXPECT_EQ(plain.find("ClearStartFolder"), std::string::npos);

    struct Case {
        std::function<void(Definition&)> change;
        std::string written;  // the lines after IEDisableFileDownload
    };
    const Case cases[] = {
        {[](Definition& d) { d.IdleReset = 900; }, "IdleReset=900\r\n"},
        {[](Definition& d) { d.IdleWarning = 0; }, "IdleWarning=0\r\n"},
        {[](Definition& d) { d.ClearStartFolder = 1; }, "ClearStartFolder=1\r\n"},
        {[](Definition& d) {
             d.IdleReset = 10;  // as typed in the editor: saved as the lowest allowed
             d.IdleWarning = -4;
         },
         "IdleReset=30\r\n"},
        {[](Definition& d) {
             d.IdleReset = 3600;
             d.IdleWarning = 60;
             d.ClearStartFolder = 1;
         },
         "IdleReset=3600\r\nIdleWarning=60\r\nClearStartFolder=1\r\n"},
    };
    const std::string marker = "IEDisableFileDownload=1\r\n";
    for (const Case& c : cases) {
        Definition definition = samples::SmallDefinition();
        c.change(definition);
        const std::string text = DefinitionText(definition);
        SCOPED_TRACE(c.written);
        const size_t at = text.find(marker);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(text.substr(at + marker.size(), c.written.size()), c.written);
        EXPECT_EQ(text.size(), plain.size() + c.written.size());
        EXPECT_EQ(DefinitionText(ParseDefinition(text)), text);
    }
}

TEST(ParseDefinition, EmptyTextGivesEveryDefault) {
    const Definition defaults = ParseDefinition("");
    EXPECT_EQ(defaults, Definition{});
    EXPECT_EQ(defaults.BackColor, 15382088);
    EXPECT_EQ(defaults.Width, "800");
    EXPECT_EQ(defaults.IEHomePage, "about:blank");
    EXPECT_EQ(defaults.Entry(12, 6).Transparency, 1);
}

struct ParseCase {
    const char* name;
    std::string text;
    std::function<void(Definition&)> expect;  // applied to the defaults
};

class ParseDefinitionTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDefinitionTest, ReadsTheFile) {
    Definition expected;
    GetParam().expect(expected);
    EXPECT_EQ(ParseDefinition(GetParam().text), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseDefinitionTest,
    ::testing::Values(
        ParseCase{"NoDesktopSection", "[Security]\r\nNoRun=1\r\n",
                  [](Definition& d) { d.NoRun = 1; }},
        ParseCase{"EmptyWidthIsMissing", "[Desktop]\r\nWidth=\r\nHeight=480",
                  [](Definition& d) { d.Height = "480"; }},
        ParseCase{"EmptyHomePage", "[Security]\r\nIEHomePage=\r\n", [](Definition&) {}},
        ParseCase{"StartUpLines", "[Desktop]\r\nStartUp=a.exe$vbcrlf$b.txt$vbcrlf$c\r\n",
                  [](Definition& d) { d.StartUp = "a.exe\r\nb.txt\r\nc"; }},
        ParseCase{"EmptyPassword", "[Security]\r\nAdminPassword=\r\n", [](Definition&) {}},
        ParseCase{"DamagedPassword", "[Security]\r\nAdminPassword=6381921-6447714-oops-6513507\r\n",
                  [](Definition& d) { d.AdminPassword = "ab"; }},
        ParseCase{"ColoursThatAreNotNumbers", "[Desktop]\r\nBackColor=red\r\nTextColor=1.5\r\n",
                  [](Definition&) {}},
        ParseCase{"CheckBoxesOutsideZeroToTwo",
                  "[Security]\r\nNoRun=3\r\nNoLogoff=-1\r\nNoShutDown=yes\r\nNoNetWork=2\r\n",
                  [](Definition& d) { d.NoNetWork = 2; }},
        ParseCase{"TransparencyMissing", "[Program00]\r\nURL=a.exe\r\nHyperLink=1\r\n",
                  [](Definition& d) { d.SetApplicationAndLink("", "a.exe", "", "", 1, 1, 0, 0); }},
        ParseCase{"EntryNumbersDoNotCarryOver",
                  "[Program00]\r\nURL=a\r\nHyperLink=1\r\nTransparency=0\r\n"
                  "[Program01]\r\nURL=b\r\nTransparency=x\r\n"
                  "[Program02]\r\nURL=c\r\nHyperLink=yes\r\nTransparency=40000\r\n",
                  [](Definition& d) {
                      d.SetApplicationAndLink("", "a", "", "", 1, 0, 0, 0);
                      d.SetApplicationAndLink("", "b", "", "", 0, 1, 0, 1);
                      d.SetApplicationAndLink("", "c", "", "", 0, 1, 0, 2);
                  }},
        ParseCase{"DisplayNameHoldingUrlKey",
                  "[Program35]\r\nDisplayName=Open URL=http://x/\r\nURL=C:\\app.exe\r\n",
                  [](Definition& d) {
                      d.SetApplicationAndLink("Open URL=http://x/", "C:\\app.exe", "", "", 0, 1, 3,
                                              5);
                  }},
        ParseCase{"SectionNamesSharingAStart", "[Program126]\r\nURL=z\r\n[Program12]\r\nURL=y\r\n",
                  [](Definition& d) {
                      d.Entry(12, 6).URL = "z";
                      d.Entry(1, 2).URL = "y";
                  }},
        ParseCase{"IdleResetKeys",
                  "[Security]\r\nIdleReset=900\r\nIdleWarning=0\r\nClearStartFolder=1\r\n",
                  [](Definition& d) {
                      d.IdleReset = 900;
                      d.IdleWarning = 0;
                      d.ClearStartFolder = 1;
                  }},
        ParseCase{"IdleTimesBeyondTheirRanges",
                  "[Security]\r\nIdleReset=5\r\nIdleWarning=100000\r\n",
                  [](Definition& d) {
                      d.IdleReset = 30;
                      d.IdleWarning = 86400;
                  }},
        ParseCase{"IdleTimesNegativeOrNoNumbers",
                  "[Security]\r\nIdleReset=-60\r\nIdleWarning=-1\r\nClearStartFolder=7\r\n",
                  [](Definition&) {}},
        ParseCase{"IdleResetBeyond32Bits", "[Security]\r\nIdleReset=99999999999\r\n",
                  [](Definition&) {}},
        ParseCase{"IdleResetAboveADay", "[Security]\r\nIdleReset=86401\r\nIdleWarning=x\r\n",
                  [](Definition& d) { d.IdleReset = 86400; }},
        ParseCase{
            "SectionHeaderInsideAValue",
            "[Desktop]\r\nBackgroundPicture=[Security]\r\nNoRun=1\r\n[Security]\r\nNoLogoff=1",
            [](Definition& d) {
                d.BackgroundPicture = "[Security]";
                d.NoLogoff = 1;
            }}),
    [](const auto& info) { return std::string(info.param.name); });

class DefinitionFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vallora-definition-" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& item : fs::directory_iterator(folder_))
            names.push_back(item.path().filename().string());
        return names;
    }

    fs::path folder_;
};

TEST_F(DefinitionFileTest, SaveReplacesTheFileAndLoadReadsItBack) {
    const std::string path = Path("Kiosk.vla");
    WriteBytes(path, std::string(50000, 'x'));
    std::string error;
    ASSERT_TRUE(SaveDefinition(samples::FullDefinition(), path, &error)) << error;
    EXPECT_EQ(FileBytes(path), DefinitionText(samples::FullDefinition()));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Kiosk.vla"});

    const LoadedDefinition loaded = LoadDefinition(path);
    EXPECT_EQ(loaded.Status, FileReadStatus::Read);
    EXPECT_TRUE(loaded.Found());
    EXPECT_EQ(loaded.Record, samples::FullDefinition());
}

TEST_F(DefinitionFileTest, FailedSaveChangesNothingAndSaysWhy) {
    std::string error;
    EXPECT_FALSE(SaveDefinition(samples::SmallDefinition(), Path("missing/Kiosk.vla"), &error));
    EXPECT_NE(error.find("missing/Kiosk.vla"), std::string::npos) << error;

    // A folder where the file should be: the rename fails after the
    // temporary file was written, which must not stay behind.
    fs::create_directory(Path("Taken.vla"));
    error.clear();
    EXPECT_FALSE(SaveDefinition(samples::SmallDefinition(), Path("Taken.vla"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(Path("Taken.vla")));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Taken.vla"});
}

TEST_F(DefinitionFileTest, LoadTellsMissingFromUnreadable) {
    const struct {
        std::string path;
        FileReadStatus status;
        bool hasError;
    } cases[] = {
        {"", FileReadStatus::Missing, false},
        {Path("none.vla"), FileReadStatus::Missing, true},
        {Path("none/x.vla"), FileReadStatus::Missing, true},
        {folder_.string(), FileReadStatus::Unreadable, true},
    };
    for (const auto& c : cases) {
        const LoadedDefinition loaded = LoadDefinition(c.path);
        EXPECT_EQ(loaded.Status, c.status) << c.path;
        EXPECT_EQ(loaded.Error.empty(), !c.hasError) << c.path;
        EXPECT_EQ(loaded.Record, Definition{}) << c.path;
    }
}

TEST(DefaultDefinitionPath, IsDesktopInTheDesktopsFolderBesideTheProgram) {
    EXPECT_EQ(DefaultDefinitionPath("C:\\Program Files\\Vallora"),
              "C:\\Program Files\\Vallora\\Desktops\\Desktop");
}

}  // namespace
}  // namespace vallora
