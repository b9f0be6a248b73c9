// The form framework on real windows: named controls, captions by name,
// message dispatch, modal loops and the window's lifetime.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/form_win32.h"
#include "platform/window_messages.h"

namespace vallora {
namespace {

constexpr UINT kMsgEcho = kMsgTestBase + 0;      // returns lParam + 1
constexpr UINT kMsgEndModal = kMsgTestBase + 1;  // EndModal(wParam)
constexpr UINT kMsgDestroySelf = kMsgTestBase + 2;

class TestForm : public Form {
  public:
    TestForm() : Form("frmTest") {}

    bool Load(HWND owner = nullptr) {
        FormWindowSpec params;
        params.className = "ValloraTestForm";
        params.caption = "Test form";
        params.owner = owner;
        params.x = 10;
        params.y = 10;
        params.width = 400;
        params.height = 300;
        params.menuBar = CreateMenu();
        params.dialogKeys = true;
        if (!Create(params)) return false;
        HMENU bar = GetMenu(Hwnd());
        HMENU file = AddMenu(bar, "mnuFile", "&File");
        AddMenuItem(file, "mnuFileSave", "&Save\tCtrl+S");
        AddMenuSeparator(file);
        AddMenuItem(file, "mnuFileExit", "E&xit");
        AddControl({.name = "frameOptions",
                    .kind = ControlKind::Frame,
                    .x = 5,
                    .y = 5,
                    .width = 200,
                    .height = 100,
                    .caption = "Options"});
        AddControl({.name = "cmdOK",
                    .kind = ControlKind::Button,
                    .x = 10,
                    .y = 20,
                    .width = 60,
                    .height = 22,
                    .caption = "OK"});
        AddControl({.name = "chkNoRun",
                    .kind = ControlKind::CheckBox,
                    .x = 10,
                    .y = 45,
                    .width = 100,
                    .height = 20,
                    .caption = "No run"});
        AddControl({.name = "optLeft",
                    .kind = ControlKind::OptionButton,
                    .x = 10,
                    .y = 70,
                    .width = 100,
                    .height = 20,
                    .caption = "Left"});
        AddControl({.name = "lblAdminPassword",
                    .kind = ControlKind::Label,
                    .x = 210,
                    .y = 5,
                    .width = 100,
                    .height = 20,
                    .caption = "Password"});
        AddControl({.name = "txtAdminPassword",
                    .kind = ControlKind::TextBox,
                    .x = 210,
                    .y = 30,
                    .width = 100,
                    .height = 22,
                    .caption = "secret"});
        AddControl({.name = "cboAlign",
                    .kind = ControlKind::ComboBox,
                    .x = 210,
                    .y = 60,
                    .width = 100,
                    .height = 100});
        AddControl({.name = "picLogo",
                    .kind = ControlKind::PictureBox,
                    .x = 320,
                    .y = 5,
                    .width = 32,
                    .height = 32});
        RegisterControl("TimerSeconds", ControlKind::Timer, nullptr);
        AddControl({.name = "TabStrip",
                    .kind = ControlKind::TabStrip,
                    .x = 5,
                    .y = 120,
                    .width = 300,
                    .height = 100});
        AddTab("TabStrip", "General");
        AddTab("TabStrip", "Applications");
        return true;
    }

    int destroyMessages = 0;
    bool ownerEnabledAtEcho = true;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case kMsgEcho:
                ownerEnabledAtEcho = IsWindowEnabled(GetWindow(Hwnd(), GW_OWNER)) != FALSE;
                return lParam + 1;
            case kMsgEndModal:
                return EndModal(static_cast<int>(wParam)), 0;
            case kMsgDestroySelf:
                return Destroy(), 0;
            case WM_DESTROY:
                return ++destroyMessages, 0;
            default:
                return Form::HandleMessage(msg, wParam, lParam);
        }
    }
};

bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

TEST(Form, CaptionsByNameFollowTheControlKind) {
    TestForm form;
    ASSERT_TRUE(form.Load());
    struct Case {
        const char* name;
        bool hasCaption;
    };
    const Case cases[] = {
        {"frameOptions", true},      {"cmdOK", true},
        {"chkNoRun", true},          {"optLeft", true},
        {"lblAdminPassword", true},  {"mnuFile", true},
        {"mnuFileSave", true},       {"mnuFileExit", true},
        {"txtAdminPassword", false}, {"cboAlign", false},
        {"picLogo", false},          {"TimerSeconds", false},
        {"TabStrip", false},         {"noSuchControl", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = std::string("Neu ") + c.name;
        EXPECT_EQ(form.SetCaption(c.name, text), c.hasCaption);
        if (c.hasCaption) {
            EXPECT_EQ(form.Caption(c.name), text);
        }
    }
    // A text box keeps its text: it has no caption to replace.
    EXPECT_EQ(form.Text("txtAdminPassword"), "secret");
    // A new caption keeps the item's shortcut text.
    char item[64] = {};
    GetMenuStringA(GetSubMenu(GetMenu(form.Hwnd()), 0), form.CommandId("mnuFileSave"), item,
                   sizeof(item), MF_BYCOMMAND);
    EXPECT_STREQ(item, "Neu mnuFileSave\tCtrl+S");
}

TEST(Form, ControlsAreListedInRegistrationOrderWithDistinctIds) {
    TestForm form;
    ASSERT_TRUE(form.Load());
    std::vector<std::string> names;
    for (const FormControl& control : form.Controls()) names.push_back(control.name);
    EXPECT_EQ(names, (std::vector<std::string>{"mnuFile", "mnuFileSave", "mnuFileExit",
                                               "frameOptions", "cmdOK", "chkNoRun", "optLeft",
                                               "lblAdminPassword", "txtAdminPassword", "cboAlign",
                                               "picLogo", "TimerSeconds", "TabStrip"}));
    for (const char* name : {"cmdOK", "mnuFileSave", "mnuFileExit", "chkNoRun"}) {
        UINT id = form.CommandId(name);
        ASSERT_NE(id, 0u) << name;
        ASSERT_NE(form.FindControlById(id), nullptr) << name;
        EXPECT_EQ(form.FindControlById(id)->name, name);
    }
    HWND ok = form.ControlHwnd("cmdOK");
    EXPECT_EQ(GetDlgCtrlID(ok), static_cast<int>(form.CommandId("cmdOK")));
    EXPECT_EQ(GetParent(ok), form.Hwnd());
}

TEST(Form, FormAndTabCaptions) {
    TestForm form;
    ASSERT_TRUE(form.Load());
    form.SetFormCaption("Einstellungen");
    EXPECT_EQ(form.FormCaption(), "Einstellungen");
    EXPECT_EQ(form.TabCaption("TabStrip", 1), "General");
    EXPECT_TRUE(form.SetTabCaption("TabStrip", 2, "Anwendungen"));
    EXPECT_EQ(form.TabCaption("TabStrip", 2), "Anwendungen");
    EXPECT_FALSE(form.SetTabCaption("TabStrip", 0, "x"));
    EXPECT_FALSE(form.SetTabCaption("TabStrip", 3, "x"));
    EXPECT_FALSE(form.SetTabCaption("cmdOK", 1, "x"));
}

TEST(Form, MessagesReachTheHandlerAndDestroyDoesNotEndTheProgram) {
    TestForm form;
    ASSERT_TRUE(form.Load());
    HWND hwnd = form.Hwnd();
    EXPECT_EQ(SendMessageA(hwnd, kMsgEcho, 0, 41), 42);
    // Closing through the system (WM_CLOSE -> DestroyWindow) unbinds the form.
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(form.Hwnd(), nullptr);
    EXPECT_TRUE(form.Controls().empty());
    EXPECT_EQ(form.destroyMessages, 1);
    EXPECT_FALSE(QuitPosted());
    // The object can make its window again.
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(SendMessageA(form.Hwnd(), kMsgEcho, 0, 1), 2);
}

TEST(Form, DestructorDestroysTheWindow) {
    HWND hwnd = nullptr;
    {
        TestForm form;
        ASSERT_TRUE(form.Load());
        hwnd = form.Hwnd();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(QuitPosted());
}

TEST(Form, ShowModalDisablesTheOwnerUntilEndModal) {
    TestForm owner;
    ASSERT_TRUE(owner.Load());
    TestForm dialog;
    ASSERT_TRUE(dialog.Load(owner.Hwnd()));
    PostMessageA(dialog.Hwnd(), kMsgEcho, 0, 0);
    PostMessageA(dialog.Hwnd(), kMsgEndModal, 7, 0);
    EXPECT_EQ(dialog.ShowModal(owner.Hwnd()), 7);
    EXPECT_FALSE(dialog.ownerEnabledAtEcho);
    EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
    EXPECT_FALSE(IsWindowVisible(dialog.Hwnd()));
    EXPECT_FALSE(dialog.IsModal());

    // A modal form whose window goes away ends its loop with 0.
    PostMessageA(dialog.Hwnd(), kMsgDestroySelf, 0, 0);
    EXPECT_EQ(dialog.ShowModal(owner.Hwnd()), 0);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
    EXPECT_FALSE(QuitPosted());
}

}  // namespace
}  // namespace vallora
