#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "storage/definition_file.h"
#include "tool/commands.h"

namespace vallora::tool {
namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun Policy(const Arguments& args) {
    std::ostringstream out;
    std::ostringstream err;
    Arguments all{"policy"};
    all.insert(all.end(), args.begin(), args.end());
    const int status = RunTool(all, out, err);
    return {status, out.str(), err.str()};
}

TEST(ToolPolicy, RefusesWrongArgumentsAndMissingFiles) {
    for (const Arguments& args : {Arguments{}, Arguments{"apply"}, Arguments{"undo", "a.vla"},
                                  Arguments{"apply", "a.vla", "b.vla"}}) {
        const ToolRun run = Policy(args);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("policy apply|reset FILE.vla"), std::string::npos);
    }
    const ToolRun missing = Policy({"apply", "/nonexistent/kiosk.vla"});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err, "");
}

TEST(ToolPolicy, PrintsTheChangesOfTheLoadedDefinition) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "vallora_tool_policy_test.vla";
    Definition definition;
    definition.HideDrives = "C";
    definition.IEHomePage = "http://kiosk.example/";
    ASSERT_TRUE(SaveDefinition(definition, file.string(), nullptr));

    const ToolRun apply = Policy({"apply", file.string()});
    const ToolRun reset = Policy({"reset", file.string()});
    std::filesystem::remove(file);

    EXPECT_EQ(apply.status, kExitOk);
    EXPECT_EQ(apply.out.rfind("REGEDIT4\n\n; ", 0), 0u) << apply.out;
    EXPECT_NE(apply.out.find("\"NoDrives\"=dword:00000004\n"), std::string::npos);
    EXPECT_EQ(apply.out.find('\r'), std::string::npos);
    EXPECT_EQ(reset.status, kExitOk);
    EXPECT_NE(reset.out.find("\"Start Page\"=\"http://kiosk.example/\"\n"), std::string::npos);
}

}  // namespace
}  // namespace vallora::tool
