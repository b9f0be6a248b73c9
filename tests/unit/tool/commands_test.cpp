#include "tool/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "storage/password_hash.h"

namespace vallora::tool {
namespace {

namespace fs = std::filesystem;

const std::string kSmallFixture = VALLORA_FIXTURES "/definition/small.vla";

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun Tool(const Arguments& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunTool(args, out, err);
    return {status, out.str(), err.str()};
}

class ToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vallora-tool-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

TEST_F(ToolTest, ResaveWritesTheSameBytes) {
    const ToolRun run = Tool({"resave", kSmallFixture, Path("out.vla")});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(FileBytes(Path("out.vla")), FileBytes(kSmallFixture));
}

TEST_F(ToolTest, ResaveOfAPartialFileWritesEveryValue) {
    std::ofstream(Path("in.vla"), std::ios::binary) << "[Security]\r\nNoRun=1\r\n";
    ASSERT_EQ(Tool({"resave", Path("in.vla"), Path("out.vla")}).status, kExitOk);
    const std::string text = FileBytes(Path("out.vla"));
    EXPECT_EQ(text.rfind("[Desktop]\r\nBackColor=15382088\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nNoRun=1\r\n"), std::string::npos);
    EXPECT_EQ(FileBytes(Path("in.vla")), "[Security]\r\nNoRun=1\r\n");
}

TEST_F(ToolTest, ShowPrintsEveryValueAsLoaded) {
    const ToolRun run = Tool({"show", kSmallFixture});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    std::istringstream lines(run.out);
    std::string first;
    std::getline(lines, first);
    EXPECT_EQ(first, "Desktop.BackColor=255");
    for (const char* line : {
             "\nDesktop.StartUp=C:\\windows\\notepad.exe$vbcrlf$C:"
             "\\users\\Public\\Documents\\Welcome.txt\n",
             // The password as stored, never decoded.
             "\nSecurity.AdminPassword=4934475-6908265-7303023-7566195-7039851-3223857\n",
             "\nSecurity.IEHomePage=about:blank\n",
             "\nProgram36.URL=http://example.com/\nProgram36.Picture=C:\\Pictures\\web.ico\n",
             "\nProgram126.Transparency=1\n",
         }) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 26 + 91 * 6);
}

TEST_F(ToolTest, PasswordEncodesAndDecodes) {
    EXPECT_EQ(Tool({"password", "encode", "abc"}).out, "6381921-6447714-6513507\n");
    EXPECT_EQ(Tool({"password", "decode", "6381921-6447714-6513507"}).out, "abc\n");
    EXPECT_EQ(Tool({"password", "encode", ""}).out, "\n");
    const ToolRun hash = Tool({"password", "hash", "Kiosk1"});
    ASSERT_EQ(hash.status, kExitOk);
    ASSERT_EQ(hash.out.back(), '\n');
    EXPECT_TRUE(VerifyPassword("Kiosk1", hash.out.substr(0, hash.out.size() - 1))) << hash.out;
}

TEST_F(ToolTest, CheckPrintsALinePerFindingAndFailsOnlyWhenOneIsSevere) {
    const std::string sound = "[Security]\r\nAdminPasswordHash=" + HashPassword("Kiosk1", 1) +
                              "\r\nNoRun=1\r\nIOStartFolder=C:\\Kiosk\r\nIdleReset=300\r\n";
    const struct {
        const char* name;
        std::string text;
        int status;
        std::vector<std::string> lines;  // that must be there
    } cases[] = {
        {"sound", sound, kExitOk, {"ok password: set", "ok idle reset: after 300 seconds"}},
        {"warnings only",
         sound + "[Program44]\r\nDisplayName=Help\r\nURL=C:\\Help\\\r\n",
         kExitOk,
         {"warning folder entries Program44: \"Help\" (C:\\Help\\) opens a folder"}},
        {"no password",
         "[Security]\r\nIdleReset=300\r\n",
         kExitFailed,
         {"severe password: no administrator password"}},
        {"reversible password",
         "[Security]\r\nAdminPassword=6381921-6447714-6513507\r\nIdleReset=300\r\n",
         kExitFailed,
         {"severe password storage: stored reversibly"}},
    };
    for (const auto& c : cases) {
        std::ofstream(Path("in.vla"), std::ios::binary) << c.text;
        const ToolRun run = Tool({"check", Path("in.vla")});
        EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.out;
        EXPECT_EQ(run.err, "") << c.name;
        EXPECT_GE(std::count(run.out.begin(), run.out.end(), '\n'), 7) << c.name;
        for (const std::string& line : c.lines) {
            EXPECT_NE(("\n" + run.out).find("\n" + line), std::string::npos)
                << c.name << ": " << line << "\n"
                << run.out;
        }
    }
}

TEST_F(ToolTest, BadInputGivesOneErrorLineAndNoOutput) {
    fs::create_directory(Path("folder.vla"));
    const struct {
        Arguments args;
        int status;
    } cases[] = {
        {{}, kExitUsage},
        {{"bogus"}, kExitUsage},
        {{"show"}, kExitUsage},
        {{"show", kSmallFixture, "extra"}, kExitUsage},
        {{"check"}, kExitUsage},
        {{"check", Path("none.vla")}, kExitFailed},
        {{"show", Path("none.vla")}, kExitFailed},
        {{"show", Path("folder.vla")}, kExitFailed},
        {{"resave", Path("none.vla"), Path("out.vla")}, kExitFailed},
        {{"resave", kSmallFixture, Path("none/out.vla")}, kExitFailed},
        {{"resave", kSmallFixture}, kExitUsage},
        {{"password", "encode"}, kExitUsage},
        {{"password", "scramble", "x"}, kExitUsage},
        {{"password", "decode", "6381921-x"}, kExitFailed},
    };
    for (const auto& c : cases) {
        const ToolRun run = Tool(c.args);
        const std::string shown = ::testing::PrintToString(c.args);
        EXPECT_EQ(run.status, c.status) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(run.err.rfind("vallora-tool: ", 0), 0u) << shown;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << shown << run.err;
    }
    EXPECT_FALSE(fs::exists(Path("out.vla")));
}

}  // namespace
}  // namespace vallora::tool
