#include "taskbar/task_operations.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "taskbar/task_list.h"
#include "taskbar/window_operations.h"
#include "unit/taskbar/fake_window_port.h"

namespace vallora {
namespace {

using testing::FakeWindow;
using testing::FakeWindowPort;

// Held processes record their ends in `killed`.
class FakeProcesses final : public TaskProcessPort {
  public:
    std::vector<std::uint32_t> killed;
    std::string ProcessProgramFile(std::uint32_t processId) override {
        return "C:\\Programs\\p" + std::to_string(processId) + ".exe";
    }
    std::unique_ptr<HeldProcess> Hold(std::uint32_t processId) override {
        return std::make_unique<Held>(killed, processId);
    }

  private:
    class Held final : public HeldProcess {
      public:
        Held(std::vector<std::uint32_t>& killed, std::uint32_t id) : killed_(killed), id_(id) {}
        bool Kill() override {
            killed_.push_back(id_);
            return true;
        }

      private:
        std::vector<std::uint32_t>& killed_;
        std::uint32_t id_;
    };
};

// A table of three tasks, the task bar's own window in the middle.
class TaskOperationsTest : public ::testing::Test {
  protected:
    TaskOperationsTest() {
        for (const char* title : {"Editor", "Bar", "Browser"}) {
            FakeWindow window;
            window.title = title;
            window.processId = static_cast<std::uint32_t>(11 + ids.size());
            ids.push_back(windows.Add(window));
        }
        table.records = {
            {11, ids[0], "Editor", "C:\\Windows\\notepad.exe"},
            {12, ids[1], "Bar", "C:\\Vallora\\Vallora.exe"},
            {13, ids[2], "Browser", "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"},
        };
    }

    TaskContext Context() { return {windows, processes, table, ids[1]}; }
    std::string Id(int i) const { return std::to_string(ids[static_cast<std::size_t>(i)]); }

    FakeWindowPort windows;
    FakeProcesses processes;
    TaskTable table;
    std::vector<WindowId> ids;
};

TEST_F(TaskOperationsTest, EachOperationActsOnTheTaskAndSparesTheBar) {
    struct Case {
        const char* name;
        std::function<void(const TaskContext&, std::int16_t)> run;
        bool minimized;
        std::vector<std::string> onTask;  // "#" stands for the window id
        bool actsOnBar;
        bool kills;
    };
    const std::vector<Case> cases = {
        {"toggle pressed",
         [](auto& c, auto i) { ToggleTask(c, i, true); },
         false,
         {"Foreground #", "Post # Activate"},
         false,
         false},
        {"toggle pressed minimised",
         [](auto& c, auto i) { ToggleTask(c, i, true); },
         true,
         {"Show # Restore", "Foreground #", "Post # Activate"},
         false,
         false},
        {"toggle released",
         [](auto& c, auto i) { ToggleTask(c, i, false); },
         false,
         {"Show # Minimize"},
         false,
         false},
        {"restore", RestoreTask, false, {"Show # Restore", "Foreground #"}, true, false},
        {"minimize", MinimizeTask, false, {"Show # Minimize"}, false, false},
        {"maximize", MaximizeTask, false, {"Show # Maximize", "Foreground #"}, false, false},
        {"close",
         [](auto& c, auto i) { CloseTask(c, i); },
         false,
         {"Foreground #", "Pending", "Post # Close"},
         false,
         false},
        {"terminate",
         [](auto& c, auto i) { TerminateTask(c, TakeTask(c, i)); },
         false,
         {},
         false,
         true},
    };
    for (const Case& c : cases) {
        for (int index : {0, 1}) {
            windows.log.clear();
            processes.killed.clear();
            windows[ids[static_cast<std::size_t>(index)]].minimized = c.minimized;
            c.run(Context(), static_cast<std::int16_t>(index));

            const bool onBar = index == 1;
            std::vector<std::string> expected;
            if (!onBar || c.actsOnBar) {
                for (std::string step : c.onTask) {
                    if (const auto at = step.find('#'); at != std::string::npos) {
                        step.replace(at, 1, Id(index));
                    }
                    expected.push_back(step);
                }
            }
            EXPECT_EQ(windows.log, expected) << c.name << " on index " << index;
            const std::vector<std::uint32_t> killed =
                c.kills && !onBar ? std::vector<std::uint32_t>{11} : std::vector<std::uint32_t>{};
            EXPECT_EQ(processes.killed, killed) << c.name << " on index " << index;
        }
    }
}

TEST_F(TaskOperationsTest, IndexOutsideTheTableDoesNothing) {
    for (std::int16_t index : {-1, 3, 32767}) {
        ToggleTask(Context(), index, true);
        RestoreTask(Context(), index);
        MinimizeTask(Context(), index);
        MaximizeTask(Context(), index);
        CloseTask(Context(), index);
        TerminateTask(Context(), TakeTask(Context(), index));
    }
    EXPECT_TRUE(windows.log.empty());
    EXPECT_TRUE(processes.killed.empty());
}

TEST(BrowserProgramTest, OnlyTheBrowserFileNameCounts) {
    const struct {
        const char* path;
        bool browser;
    } cases[] = {
        {"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE", true},
        {"c:\\ie\\iexplore.exe", true},
        {"C:\\x\\IExplore.Exe", true},
        {"iexplore.exe", true},  // no backslash: the whole path is the name
        {"C:\\Windows\\notepad.exe", false},
        {"C:\\iexplore.exe\\notepad.exe", false},
        {"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe", true},
        {"C:\\Program Files\\Google\\Chrome\\Application\\CHROME.EXE", true},
        {"chrome.exe", true},
        {"C:\\Tools\\notchrome.exe", false},  // the whole name, unlike the old browser
        {"C:\\Edge\\msedge.exe.bak", false},
        {"C:\\chrome.exe\\notepad.exe", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsBrowserProgram(c.path), c.browser) << c.path;
}

TEST_F(TaskOperationsTest, ClosingTheBrowserAlsoEndsItsProcess) {
    CloseTask(Context(), 2);
    const std::vector<std::string> expected = {"Foreground " + Id(2), "Pending",
                                               "Post " + Id(2) + " Close"};
    EXPECT_EQ(windows.log, expected);
    EXPECT_EQ(processes.killed, (std::vector<std::uint32_t>{13}));
}

TEST_F(TaskOperationsTest, CloseUsesTheTaskTakenBeforePendingMessagesRun) {
    // A timer tick inside the pending messages rebuilds the table.
    windows.onPendingMessages = [this] {
        table.records.clear();
        table.records.push_back({99, 0x5555, "Other", "C:\\other.exe"});
    };
    CloseTask(Context(), 2);
    EXPECT_EQ(windows.log.back(), "Post " + Id(2) + " Close");
    EXPECT_EQ(processes.killed, (std::vector<std::uint32_t>{13}));
}

TEST_F(TaskOperationsTest, ATakenTaskIsTerminatedOnlyWhileItsWindowIsStillItsOwn) {
    const TaskTarget editor = TakeTask(Context(), 0);
    // The table shifts: another task now sits at the index that was taken.
    table.records.erase(table.records.begin());
    TerminateTask(Context(), editor);
    EXPECT_EQ(processes.killed, (std::vector<std::uint32_t>{11}));

    // The window has gone, or its handle now belongs to another process.
    processes.killed.clear();
    windows[ids[0]].processId = 99;
    TerminateTask(Context(), editor);
    windows.Destroy(ids[0]);
    TerminateTask(Context(), editor);
    EXPECT_TRUE(processes.killed.empty());
    // Nothing taken: outside the table, or the task bar itself (now first).
    TerminateTask(Context(), TakeTask(Context(), 7));
    TerminateTask(Context(), TakeTask(Context(), 0));
    EXPECT_TRUE(processes.killed.empty());
}

TEST_F(TaskOperationsTest, AllTasksOperationsReachEveryTaskButTheBar) {
    MinimizeAllTasks(Context());
    EXPECT_EQ(windows.log, (std::vector<std::string>{"Show " + Id(0) + " Minimize",
                                                     "Show " + Id(2) + " Minimize"}));

    windows.log.clear();
    windows.onPendingMessages = [this] { table.records.clear(); };
    CloseAllTasks(Context());
    std::vector<std::string> closed;
    for (const std::string& step : windows.log) {
        if (step.find("Close") != std::string::npos) closed.push_back(step);
    }
    EXPECT_EQ(closed,
              (std::vector<std::string>{"Post " + Id(0) + " Close", "Post " + Id(2) + " Close"}));
    EXPECT_EQ(processes.killed, (std::vector<std::uint32_t>{13}));
}

TEST(WindowOperationsTest, ZOrderChangesLetPendingMessagesRunAround) {
    FakeWindowPort windows;
    SetTopMost(windows, 7, true);
    SetTopMost(windows, 7, false);
    SendToBottom(windows, 8);
    EXPECT_EQ(windows.log, (std::vector<std::string>{"Pending", "ZOrder 7 TopMost", "Pending",
                                                     "Pending", "ZOrder 7 NoTopMost", "Pending",
                                                     "Pending", "ZOrder 8 Bottom", "Pending"}));
}

TEST(WindowOperationsTest, WorkAreaIsReservedAndGivenBack) {
    FakeWindowPort windows;
    int width = 0;
    int height = 0;
    ReleaseWorkArea(windows, width, height);  // nothing saved yet
    EXPECT_TRUE(windows.log.empty());

    ReserveWorkArea(windows, width, height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    ReleaseWorkArea(windows, width, height);
    EXPECT_EQ(windows.log,
              (std::vector<std::string>{"WorkArea 0,0,1024,738", "WorkArea 0,0,1024,768"}));
}

TEST(TaskTableTest, RebuildMirrorsTheTaskList) {
    FakeWindowPort windows;
    FakeWindow first;
    first.title = "First";
    first.processId = 5;
    first.bigIcon = 0x41;
    FakeWindow second;
    second.title = "Second";
    second.processId = 6;
    const WindowId a = windows.Add(first);
    const WindowId b = windows.Add(second);
    CTaskList tasks(windows);
    tasks.Refresh();
    FakeProcesses processes;

    TaskTable table;
    table.records.resize(5);
    table.rebuildCounter = 3;
    RebuildTaskTable(table, tasks, processes);
    ASSERT_EQ(table.TaskCount(), 2);
    EXPECT_EQ(table.rebuildCounter, 3);
    const TaskRecord& r0 = table.records[0];
    EXPECT_EQ(r0.processId, 5u);
    EXPECT_EQ(r0.window, a);
    EXPECT_EQ(r0.title, "First");
    EXPECT_EQ(r0.programPath, "C:\\Programs\\p5.exe");
    EXPECT_EQ(r0.largeIcon, 0x41u);
    EXPECT_EQ(r0.smallIcon, 0x41u);
    EXPECT_EQ(table.records[1].window, b);
    EXPECT_EQ(table.records[1].largeIcon, testing::kFakeWinLogoIcon);
}

}  // namespace
}  // namespace vallora
