// The add/edit dialog in-process under Wine: real windows, file dialogs and
// message boxes answered by a script.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "editor/frm_add_edit_app_and_link_win32.h"
#include "language/messages.h"
#include "platform/scripted_ui.h"
#include "win/editor/grid_fixture_win32.h"

namespace vallora::test {
namespace {

class AddEdit : public GridFixture {
  protected:
    void Open(int row, int column) {
        ASSERT_TRUE(dialog_.Load(frame_.get()));
        dialog_.SetCol(column);
        dialog_.SetRow(row);
        dialog_.ShowEntry();
    }
    void Click(const char* control) { SendMessageA(dialog_.ControlHwnd(control), BM_CLICK, 0, 0); }
    std::string MessageText(size_t question) const {
        return question < ui_.Asked().size() ? ui_.Asked()[question].message.text : std::string();
    }

    ScriptedUi ui_;
    frmAddEditAppAndLink dialog_{grid_, ui_, language_, kDeskColor};
};

TEST_F(AddEdit, OkWithoutUrlKeepsTheDialogOpenThenStoresEveryFieldAsTyped) {
    Open(4, 6);
    EXPECT_EQ(dialog_.Text("cboAlign"), "") << "an empty place shows an empty alignment";
    dialog_.SetText("txtProgramName", "Web");
    Click("cmdOK");
    ASSERT_EQ(ui_.Asked().size(), 1u);
    EXPECT_EQ(MessageText(0), language_.Message(kMsgSpecifyUrl));
    EXPECT_FALSE(dialog_.IsUnloaded());
    EXPECT_EQ(dialog_.Text("txtProgramName"), "Web");
    EXPECT_TRUE(definition_.Entry(4, 6).IsEmpty());

    dialog_.SetText("txtProgramFileName", "http://example.com/");
    dialog_.SetText("txtProgramPicture", "C:\\nowhere\\logo.gif");
    dialog_.SetText("cboAlign", "Middle");
    CheckDlgButton(dialog_.Hwnd(), dialog_.CommandId("chkUseTransparency"), BST_CHECKED);
    Click("cmdOK");
    EXPECT_TRUE(dialog_.IsUnloaded());
    EXPECT_EQ(definition_.Entry(4, 6),
              (ApplicationAndLink{"Web", "http://example.com/", "C:\\nowhere\\logo.gif", "Middle",
                                  0, 1}));
    EXPECT_EQ(grid_.CellText(4, 6), "Web");
}

TEST_F(AddEdit, CancelLeavesTheEntry) {
    grid_.SetApplicationAndLink("Editor", notepad_, "", "Right", 1, 0, 2, 2);
    const ApplicationAndLink before = definition_.Entry(2, 2);
    Open(2, 2);
    EXPECT_EQ(dialog_.Text("txtProgramName"), "Editor");
    EXPECT_EQ(dialog_.Text("txtProgramFileName"), notepad_);
    EXPECT_EQ(dialog_.Text("cboAlign"), "Right");
    EXPECT_EQ(IsDlgButtonChecked(dialog_.Hwnd(), dialog_.CommandId("chkShowAsText")), BST_CHECKED);
    dialog_.SetText("txtProgramFileName", "C:\\other.exe");
    Click("cmdCancel");
    EXPECT_TRUE(dialog_.IsUnloaded());
    EXPECT_EQ(definition_.Entry(2, 2), before);
    EXPECT_TRUE(ui_.Asked().empty());
}

TEST_F(AddEdit, BrowseButtonsFillTheirBoxAndCancelledChoicesChangeNothing) {
    Open(0, 0);
    dialog_.SetText("txtProgramFileName", "typed");
    ui_.AnswerOpenFile(std::nullopt);
    Click("cmdBrowseProgramFile");
    EXPECT_EQ(dialog_.Text("txtProgramFileName"), "typed");
    ui_.AnswerFolder(std::nullopt);
    Click("cmdBrowseFolder");
    EXPECT_EQ(dialog_.Text("txtProgramFileName"), "typed");
    ui_.AnswerOpenFile("C:\\Tools\\tool.exe");
    Click("cmdBrowseProgramFile");
    EXPECT_EQ(dialog_.Text("txtProgramFileName"), "C:\\Tools\\tool.exe");
    ui_.AnswerFolder("C:\\Shared");
    Click("cmdBrowseFolder");
    EXPECT_EQ(dialog_.Text("txtProgramFileName"), "C:\\Shared");
    ui_.AnswerOpenFile("C:\\Pictures\\logo.png");
    Click("cmdBrowseProgramImage");
    EXPECT_EQ(dialog_.Text("txtProgramPicture"), "C:\\Pictures\\logo.png");

    const std::vector<AskedQuestion>& asked = ui_.Asked();
    ASSERT_EQ(asked.size(), 5u);
    std::string programFiles = ProgramFilesFolder(nullptr);
    if (programFiles.empty() || programFiles.back() != '\\') programFiles += '\\';
    EXPECT_EQ(asked[0].file.fileName, programFiles + "...");
    EXPECT_EQ(asked[0].file.filter, "*.* | *.*");
    EXPECT_EQ(asked[1].folder.title, "");
    EXPECT_EQ(asked[4].file.fileName, "");
    EXPECT_EQ(
        asked[4].file.filter,
        "*.jpg; *.gif; *.bmp; *.fla; *.png; *.ico | *.jpg; *.gif; *.bmp; *.fla; *.png; *.ico");
    EXPECT_EQ(ui_.Unscripted(), 0u);
}

TEST_F(AddEdit, TickingHyperlinkWithTheMouseWarnsAboutTheProtocol) {
    Open(0, 0);
    const HWND box = dialog_.ControlHwnd("chkShowAsText");
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    ASSERT_EQ(ui_.Asked().size(), 1u);
    EXPECT_EQ(MessageText(0), language_.Message(kMsgProtocolWarning));
    EXPECT_EQ(ui_.Asked()[0].message.icon, MessageIcon::Information);
    // Unticking says nothing, and neither does the keyboard.
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    SendMessageA(box, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(box, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog_.Hwnd(), dialog_.CommandId("chkShowAsText")), BST_CHECKED);
    EXPECT_EQ(ui_.Asked().size(), 1u);
}

TEST_F(AddEdit, TextBoxesSelectTheirWholeTextOnFocus) {
    Open(0, 0);
    dialog_.SetText("txtProgramPicture", "C:\\logo.bmp");
    SetFocus(dialog_.ControlHwnd("txtProgramPicture"));
    DWORD start = 1;
    DWORD end = 0;
    SendMessageA(dialog_.ControlHwnd("txtProgramPicture"), EM_GETSEL,
                 reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 11u);
}

// Runs inside the dialog's modal loop: finds the dialog and presses OK with a URL typed.
void CALLBACK TypeUrlAndPressOk(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindWindowA("ValloraAddEditAppAndLink", nullptr);
    if (!dialog) return;
    // The text boxes from the top: name, "Program, Document or URL", picture.
    std::vector<std::pair<LONG, HWND>> edits;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        RECT rect{};
        GetWindowRect(child, &rect);
        if (lstrcmpiA(name, "Edit") == 0) edits.emplace_back(rect.top, child);
    }
    std::sort(edits.begin(), edits.end());
    HWND edit = edits.size() == 3 ? edits[1].second : nullptr;
    if (edit) SetWindowTextA(edit, "C:\\Tools\\new.exe");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(AddEdit, ApplicationsAndLinksEditOpensModallyOnTheCurrentCell) {
    grid_.SetApplicationAndLink("Editor", "", "", "", 0, 0, 3, 5);
    grid_.SetCurrentCell(3, 5);
    SetTimer(nullptr, 0, 50, &TypeUrlAndPressOk);
    EXPECT_TRUE(ApplicationsAndLinksEdit(grid_, ui_, language_, kDeskColor, frame_.get()));
    EXPECT_EQ(definition_.Entry(3, 5).DisplayName, "Editor");
    EXPECT_EQ(definition_.Entry(3, 5).URL, "C:\\Tools\\new.exe");
    EXPECT_EQ(FindWindowA("ValloraAddEditAppAndLink", nullptr), nullptr);
}

}  // namespace
}  // namespace vallora::test
