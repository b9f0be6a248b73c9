#include "taskbar/task_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/taskbar/fake_window_port.h"

namespace vallora {
namespace {

using testing::FakeWindow;
using testing::FakeWindowPort;
using testing::kFakeApplicationIcon;
using testing::kFakeWinLogoIcon;

FakeWindow Titled(std::string title, std::uint32_t processId = 1) {
    FakeWindow window;
    window.title = std::move(title);
    window.processId = processId;
    return window;
}

std::vector<std::string> Captions(const CTaskList& tasks) {
    std::vector<std::string> captions;
    for (std::int32_t i = 1; i <= tasks.Count(); ++i) captions.push_back(tasks.Caption(i));
    return captions;
}

TEST(TaskListTest, FreshListIsEmptyAndIgnoresBadSettings) {
    FakeWindowPort windows;
    CTaskList tasks(windows);
    EXPECT_EQ(tasks.Count(), 0);
    EXPECT_EQ(tasks.Mode(), 0);
    EXPECT_EQ(tasks.HungTimeout(), 500);
    EXPECT_EQ(tasks.Capacity(), 20);
    EXPECT_EQ(tasks.Caption(1), "");
    EXPECT_EQ(tasks.hwnd(1), 0u);
    EXPECT_EQ(tasks.hIcon(1), 0u);
    EXPECT_EQ(tasks.hIconSm(1), 0u);
    EXPECT_EQ(tasks.ProcessID(1), 0u);
    EXPECT_EQ(tasks.Status(1), 0);
    EXPECT_EQ(tasks.GetIndex(0x100), 0);

    for (int bad : {0, -5}) tasks.SetHungTimeout(bad);
    EXPECT_EQ(tasks.HungTimeout(), 500);
    tasks.SetHungTimeout(1);
    EXPECT_EQ(tasks.HungTimeout(), 1);

    tasks.SetMode(1);
    for (int bad : {2, -1}) tasks.SetMode(bad);
    EXPECT_EQ(tasks.Mode(), 1);
}

// Which windows are tasks, in each mode. The owner, when there is one, is a
// hidden window with a title, so only the window under test can be listed.
struct RuleCase {
    const char* name;
    bool visible;
    bool hasParent;
    enum { NoOwner, ToolOwner, PlainOwner } owner;
    bool tool;
    const char* className;
    bool taskInMode0;
    bool taskInMode1;
};

class TaskRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(TaskRuleTest, DecidesByVisibilityParentOwnerAndStyle) {
    const RuleCase& c = GetParam();
    for (int mode : {0, 1}) {
        FakeWindowPort windows;
        WindowId owner = 0;
        if (c.owner != RuleCase::NoOwner) {
            FakeWindow ownerWindow = Titled("Owner");
            ownerWindow.visible = false;
            if (c.owner == RuleCase::ToolOwner) ownerWindow.exStyle = kExStyleToolWindow;
            owner = windows.Add(ownerWindow);
        }
        FakeWindow window = Titled("Window");
        window.visible = c.visible;
        window.parent = c.hasParent ? 0x999 : 0;
        window.owner = owner;
        window.exStyle = c.tool ? kExStyleToolWindow | 0x100 : 0x100;
        window.className = c.className;
        const WindowId id = windows.Add(window);

        CTaskList tasks(windows);
        tasks.SetMode(mode);
        tasks.Refresh();
        const bool expected = mode == 0 ? c.taskInMode0 : c.taskInMode1;
        EXPECT_EQ(tasks.GetIndex(id) != 0, expected) << c.name << " in mode " << mode;
        EXPECT_EQ(tasks.Count(), expected ? 1 : 0) << c.name << " in mode " << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TaskRuleTest,
    ::testing::Values(
        RuleCase{"plain", true, false, RuleCase::NoOwner, false, "Window", true, true},
        RuleCase{"hidden", false, false, RuleCase::NoOwner, false, "Window", false, false},
        RuleCase{"child", true, true, RuleCase::NoOwner, false, "Window", false, false},
        RuleCase{"unowned tool", true, false, RuleCase::NoOwner, true, "Window", false, true},
        RuleCase{"unowned tool Progman", true, false, RuleCase::NoOwner, true, "Progman", false,
                 false},
        RuleCase{"unowned tool progman", true, false, RuleCase::NoOwner, true, "progman", false,
                 true},
        RuleCase{"plain Progman", true, false, RuleCase::NoOwner, false, "Progman", true, true},
        RuleCase{"owned by tool", true, false, RuleCase::ToolOwner, false, "Window", true, false},
        RuleCase{"tool owned by tool", true, false, RuleCase::ToolOwner, true, "Window", false,
                 false},
        RuleCase{"owned by plain", true, false, RuleCase::PlainOwner, false, "Window", false,
                 false}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (ch == ' ') ch = '_';
        }
        return name;
    });

TEST(TaskListTest, OwnedTaskSpeaksThroughItsOwner) {
    FakeWindowPort windows;
    FakeWindow owner = Titled("Hidden owner", 7);
    owner.visible = false;
    owner.exStyle = kExStyleToolWindow;
    owner.bigIcon = 0x11;
    owner.smallIcon = 0x12;
    const WindowId ownerId = windows.Add(owner);
    FakeWindow form = Titled("Form title", 8);
    form.owner = ownerId;
    form.bigIcon = 0x21;
    form.smallIcon = 0x22;
    const WindowId formId = windows.Add(form);

    CTaskList tasks(windows);
    tasks.Refresh();
    ASSERT_EQ(tasks.Count(), 1);
    EXPECT_EQ(tasks.hwnd(1), formId);
    EXPECT_EQ(tasks.Caption(1), "Form title");
    EXPECT_EQ(tasks.hIcon(1), 0x11u);
    EXPECT_EQ(tasks.hIconSm(1), 0x12u);
    EXPECT_EQ(tasks.ProcessID(1), 8u);

    // The owner's empty title keeps the form out, whatever its own title.
    windows[ownerId].title.clear();
    CTaskList fresh(windows);
    fresh.Refresh();
    EXPECT_EQ(fresh.Count(), 0);
}

TEST(TaskListTest, UnlistableWindowsAreSkipped) {
    struct Case {
        const char* name;
        void (*shape)(FakeWindow&);
    };
    const Case cases[] = {
        {"empty title", [](FakeWindow& w) { w.title.clear(); }},
        {"hung", [](FakeWindow& w) { w.hung = true; }},
        {"text not delivered", [](FakeWindow& w) { w.failGetText = true; }},
        {"destroyed after the walk found it", [](FakeWindow& w) { w.vanishOnSend = true; }},
    };
    for (const Case& c : cases) {
        FakeWindowPort windows;
        windows.Add(Titled("Before"));
        FakeWindow odd = Titled("Odd");
        c.shape(odd);
        windows.Add(odd);
        windows.Add(Titled("After"));
        CTaskList tasks(windows);
        tasks.Refresh();
        EXPECT_EQ(Captions(tasks), (std::vector<std::string>{"Before", "After"})) << c.name;
    }
}

TEST(TaskListTest, IconsFallBackToClassIconsThenDefaults) {
    struct Case {
        IconId sentBig, classBig, sentSmall, classSmall;
        int mode;
        IconId expectBig, expectSmall;
    };
    const Case cases[] = {
        {0x1, 0x2, 0x3, 0x4, 0, 0x1, 0x3},
        {0, 0x2, 0, 0x4, 0, 0x2, 0x4},
        {0x1, 0, 0, 0, 0, 0x1, 0x1},  // no small icon: the large one
        {0, 0, 0, 0, 0, kFakeWinLogoIcon, kFakeWinLogoIcon},
        {0, 0, 0, 0, 1, kFakeApplicationIcon, kFakeApplicationIcon},
        {0, 0, 0x3, 0, 0, kFakeWinLogoIcon, 0x3},
    };
    for (const Case& c : cases) {
        FakeWindowPort windows;
        FakeWindow window = Titled("Icons");
        window.bigIcon = c.sentBig;
        window.classBigIcon = c.classBig;
        window.smallIcon = c.sentSmall;
        window.classSmallIcon = c.classSmall;
        windows.Add(window);
        CTaskList tasks(windows);
        tasks.SetMode(c.mode);
        tasks.Refresh();
        ASSERT_EQ(tasks.Count(), 1);
        EXPECT_EQ(tasks.hIcon(1), c.expectBig) << "case " << (&c - cases);
        EXPECT_EQ(tasks.hIconSm(1), c.expectSmall) << "case " << (&c - cases);
    }
}

TEST(TaskListTest, EveryMessageIsBoundedByTheHungTimeout) {
    FakeWindowPort windows;
    const WindowId id = windows.Add(Titled("A"));
    CTaskList tasks(windows);
    tasks.SetHungTimeout(120);
    tasks.Refresh();
    tasks.Status(1);
    ASSERT_FALSE(windows.sendTimeouts.empty());
    for (std::uint32_t timeout : windows.sendTimeouts) EXPECT_EQ(timeout, 120u);

    EXPECT_EQ(tasks.Status(1), 0);
    windows[id].hung = true;
    EXPECT_EQ(tasks.Status(1), 1);
    EXPECT_EQ(tasks.Status(2), 0);
}

TEST(TaskListTest, HungTaskKeepsItsLastData) {
    FakeWindowPort windows;
    FakeWindow window = Titled("Old title", 4);
    window.bigIcon = 0x31;
    const WindowId id = windows.Add(window);
    CTaskList tasks(windows);
    tasks.Refresh();

    windows[id].title = "New title";
    windows[id].bigIcon = 0x32;
    windows[id].hung = true;
    tasks.Refresh();
    ASSERT_EQ(tasks.Count(), 1);
    EXPECT_EQ(tasks.Caption(1), "Old title");
    EXPECT_EQ(tasks.hIcon(1), 0x31u);

    windows[id].hung = false;
    tasks.Refresh();
    EXPECT_EQ(tasks.Caption(1), "New title");
    EXPECT_EQ(tasks.hIcon(1), 0x32u);
}

TEST(TaskListTest, SurvivorsKeepTheirOrderAndNewTasksAreAppended) {
    FakeWindowPort windows;
    const WindowId a = windows.Add(Titled("A"));
    const WindowId b = windows.Add(Titled("B"));
    const WindowId c = windows.Add(Titled("C"));
    CTaskList tasks(windows);
    tasks.Refresh();
    EXPECT_EQ(Captions(tasks), (std::vector<std::string>{"A", "B", "C"}));

    windows.Destroy(a);
    windows.Destroy(b);
    windows.AddOnTop(Titled("D"));
    windows.MoveToTop(c);
    windows.Add(Titled("E"));
    tasks.Refresh();
    EXPECT_EQ(Captions(tasks), (std::vector<std::string>{"C", "D", "E"}));
    EXPECT_EQ(tasks.GetIndex(c), 1);
    EXPECT_EQ(tasks.GetIndex(a), 0);

    tasks.Refresh();
    EXPECT_EQ(Captions(tasks), (std::vector<std::string>{"C", "D", "E"}));
}

TEST(TaskListTest, GrowsInStepsOfTwentyAndNeverShrinks) {
    FakeWindowPort windows;
    std::vector<WindowId> ids;
    for (int i = 0; i < 21; ++i) ids.push_back(windows.Add(Titled("T" + std::to_string(i), i)));
    CTaskList tasks(windows);
    tasks.Refresh();
    ASSERT_EQ(tasks.Count(), 21);
    EXPECT_EQ(tasks.Capacity(), 40);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(tasks.hwnd(i + 1), ids[i]);
        EXPECT_EQ(tasks.Caption(i + 1), "T" + std::to_string(i));
        EXPECT_EQ(tasks.ProcessID(i + 1), static_cast<std::uint32_t>(i));
    }
    EXPECT_EQ(tasks.hwnd(22), 0u);

    for (WindowId id : ids) windows.Destroy(id);
    tasks.Refresh();
    EXPECT_EQ(tasks.Count(), 0);
    EXPECT_EQ(tasks.Capacity(), 40);
}

TEST(TaskListTest, HiddenTaskStaysUntilDestroyedOrFoundInvalid) {
    FakeWindowPort windows;
    const WindowId a = windows.Add(Titled("A"));
    const WindowId b = windows.Add(Titled("B"));
    const WindowId c = windows.Add(Titled("C"));
    CTaskList tasks(windows);
    tasks.Refresh();

    windows[a].visible = false;
    windows[a].title = "A renamed";
    tasks.Refresh();
    EXPECT_EQ(Captions(tasks), (std::vector<std::string>{"A", "B", "C"}));

    EXPECT_TRUE(tasks.Valid(2, 0));
    EXPECT_TRUE(tasks.Valid(99, b));  // the window argument wins over the position
    EXPECT_FALSE(tasks.Valid(0, 0));
    EXPECT_FALSE(tasks.Valid(4, 0));
    EXPECT_FALSE(tasks.Valid(3, 0x999));  // not listed: no entry is touched
    EXPECT_EQ(tasks.Count(), 3);

    EXPECT_FALSE(tasks.Valid(3, a));
    EXPECT_EQ(Captions(tasks), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(tasks.GetIndex(c), 2);

    windows.Destroy(b);
    tasks.Refresh();
    EXPECT_EQ(Captions(tasks), (std::vector<std::string>{"C"}));
}

TEST(TaskListTest, ActivateRestoresAndReportsTheForegroundWindow) {
    FakeWindowPort windows;
    FakeWindow owner = Titled("Owner");
    owner.visible = false;
    owner.exStyle = kExStyleToolWindow;
    const WindowId ownerId = windows.Add(owner);
    FakeWindow untitled = Titled("");
    untitled.owner = ownerId;
    const WindowId untitledId = windows.Add(untitled);
    FakeWindow minimized = Titled("Minimized");
    minimized.minimized = true;
    const WindowId minimizedId = windows.Add(minimized);
    CTaskList tasks(windows);
    tasks.Refresh();
    ASSERT_EQ(tasks.Count(), 2);
    ASSERT_EQ(tasks.GetIndex(untitledId), 1);

    EXPECT_FALSE(tasks.Activate(1, 0));
    EXPECT_TRUE(windows.log.empty());

    EXPECT_TRUE(tasks.Activate(0, minimizedId));
    const std::vector<std::string> expected = {"Show " + std::to_string(minimizedId) + " Restore",
                                               "Foreground " + std::to_string(minimizedId)};
    EXPECT_EQ(windows.log, expected);

    windows.foreground = 0;
    windows.refuseForeground = true;
    EXPECT_FALSE(tasks.Activate(2, 0));
    EXPECT_FALSE(tasks.Activate(3, 0));
}

}  // namespace
}  // namespace vallora
