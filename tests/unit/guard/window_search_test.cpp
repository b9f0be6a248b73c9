#include "guard/window_search.h"

#include <gtest/gtest.h>

#include "unit/guard/fake_desktop.h"

namespace vallora {
namespace {

using testing::FakeDesktop;

class WindowSearchTest : public ::testing::Test {
  protected:
    FakeDesktop desktop;
    WindowSearch search{desktop};
};

TEST_F(WindowSearchTest, WalksDescendantsFirstAndReturnsLastDirectMatch) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770");
    const WindowId first = desktop.Add(dialog, "Edit", "one");
    const WindowId inner = desktop.Add(first, "RichEdit20W", "inner");
    desktop.Add(dialog, "Static", "label");
    const WindowId second = desktop.Add(dialog, "Edit", "two");
    const WindowId deepest = desktop.Add(desktop.Add(second, "Panel"), "Edit", "deep");

    WindowHandleList list;
    int count = 0;
    EXPECT_EQ(search.FindChildWindows(dialog, "*", "*Edit*", list, count), second);
    EXPECT_EQ(list.Windows(), (std::vector<WindowId>{inner, first, deepest, second}));
    EXPECT_EQ(count, 4);

    // The title pattern counts too; list and count go on from where they were.
    EXPECT_EQ(search.FindChildWindows(dialog, "o*", "*Edit*", list, count), first);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(list.Windows().back(), first);

    // A match found only further down is listed and counted but not returned.
    WindowHandleList deepOnly;
    int deepCount = 0;
    EXPECT_EQ(search.FindChildWindows(dialog, "deep", "*", deepOnly, deepCount), 0u);
    EXPECT_EQ(deepOnly.Windows(), (std::vector<WindowId>{deepest}));
    EXPECT_EQ(deepCount, 1);
}

TEST_F(WindowSearchTest, StartZeroMeansTheDesktop) {
    const WindowId app = desktop.Add(FakeDesktop::kDesktop, "Notepad");
    const WindowId menu = desktop.Add(FakeDesktop::kDesktop, "#32768");
    desktop.Add(app, "Edit");

    WindowHandleList list;
    int count = 0;
    EXPECT_EQ(search.FindWindowsByClass(0, "#32768", list, count), menu);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(search.FindChildWindows(0, "*", "Edit", list, count), 0u);
    EXPECT_EQ(count, 2);
}

TEST_F(WindowSearchTest, ClassSearchIgnoresLetterCaseAndReadsNoTitles) {
    const WindowId parent = desktop.Add(FakeDesktop::kDesktop, "Host");
    const WindowId lower = desktop.Add(parent, "combobox");
    const WindowId upper = desktop.Add(parent, "COMBOBOX");
    desktop.Add(parent, "ComboBoxEx32");

    WindowHandleList list;
    int count = 0;
    EXPECT_EQ(search.FindWindowsByClass(parent, "ComboBox", list, count), upper);
    EXPECT_EQ(list.Windows(), (std::vector<WindowId>{lower, upper}));
    EXPECT_EQ(desktop.titleReads, 0);
}

TEST_F(WindowSearchTest, MenusLetPendingMessagesRunAndCountersStayBalanced) {
    const WindowId app = desktop.Add(FakeDesktop::kDesktop, "App");
    desktop.Add(app, "#32768");
    const WindowId topMenu = desktop.Add(FakeDesktop::kDesktop, "#32768");

    // A timer event that runs while the walk lets messages run: its search
    // of the other kind still starts at the desktop.
    int innerCount = 0;
    WindowId innerResult = 0;
    desktop.onPendingMessages = [&] {
        EXPECT_EQ(search.ChildWindowsNesting(), 1);
        WindowHandleList innerList;
        innerResult = search.FindWindowsByClass(0, "#32768", innerList, innerCount);
    };
    WindowHandleList list;
    int count = 0;
    search.FindChildWindows(app, "*", "*", list, count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(innerResult, topMenu);
    EXPECT_EQ(innerCount, 2);
    EXPECT_EQ(search.ChildWindowsNesting(), 0);
    EXPECT_EQ(search.WindowsByClassNesting(), 0);

    // The class search itself never lets messages run.
    desktop.log.clear();
    search.FindWindowsByClass(0, "#32768", list, count);
    EXPECT_TRUE(desktop.log.empty());
}

}  // namespace
}  // namespace vallora
