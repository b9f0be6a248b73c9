#include <gtest/gtest.h>

#include <map>

#include "taskbar/frm_task_bar_program_files.h"

namespace vallora {
namespace {

// Answers with the program of each process id and counts the questions.
class CountingProcesses : public TaskProcessPort {
  public:
    std::map<std::uint32_t, std::string> programs;
    int asked = 0;

    std::unique_ptr<HeldProcess> Hold(std::uint32_t) override { return nullptr; }
    std::string ProcessProgramFile(std::uint32_t processId) override {
        ++asked;
        return programs[processId];
    }
};

TEST(ProgramFileCache, AsksOncePerProcessWhileItKeepsItsWindows) {
    CountingProcesses processes;
    processes.programs = {{10, "C:\\A\\notepad.exe"}, {20, "C:\\B\\write.exe"}};
    ProgramFileCache cache(processes);
    for (int refresh = 0; refresh < 3; ++refresh) {
        cache.Keep({{10, 0x100}, {10, 0x101}, {20, 0x200}});
        EXPECT_EQ(cache.ProcessProgramFile(10), "C:\\A\\notepad.exe");
        EXPECT_EQ(cache.ProcessProgramFile(20), "C:\\B\\write.exe");
    }
    EXPECT_EQ(processes.asked, 2);

    // One of its windows is enough; a new window joins the known ones.
    cache.Keep({{10, 0x101}, {10, 0x102}});
    EXPECT_EQ(cache.ProcessProgramFile(10), "C:\\A\\notepad.exe");
    cache.Keep({{10, 0x102}});
    EXPECT_EQ(cache.ProcessProgramFile(10), "C:\\A\\notepad.exe");
    EXPECT_EQ(processes.asked, 2);
}

TEST(ProgramFileCache, AReusedProcessIdWithOtherWindowsIsAskedAgain) {
    CountingProcesses processes;
    processes.programs = {{10, "C:\\A\\notepad.exe"}};
    ProgramFileCache cache(processes);
    cache.Keep({{10, 0x100}});
    cache.ProcessProgramFile(10);
    processes.programs[10] = "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
    cache.Keep({{10, 0x300}});
    EXPECT_EQ(cache.ProcessProgramFile(10), "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");

    // Gone from the tasks: forgotten; unreadable: asked again next time.
    cache.Keep({});
    processes.programs[10] = "";
    cache.Keep({{10, 0x300}});
    EXPECT_EQ(cache.ProcessProgramFile(10), "");
    processes.programs[10] = "C:\\A\\notepad.exe";
    cache.Keep({{10, 0x300}});
    EXPECT_EQ(cache.ProcessProgramFile(10), "C:\\A\\notepad.exe");
    EXPECT_EQ(processes.asked, 4);
}

}  // namespace
}  // namespace vallora
