#include "guard/frm_common_dialog_win32.h"

#include "guard/dialog_classification.h"
#include "guard/file_name_entry.h"
#include "guard/guard_pictures_win32.h"
#include "guard/guard_windows_win32.h"
#include "guard/keystrokes_win32.h"
#include "language/form_captions_win32.h"
#include "language/messages.h"
#include "platform/wait_cursor_win32.h"
#include "platform/window_port_win32.h"
#include "taskbar/window_operations_win32.h"

namespace vallora {

namespace {

constexpr int kClientWidth = 420;
constexpr int kClientHeight = 180;
// Time the program's dialog gets to show itself, or to act on the keystrokes.
constexpr DWORD kSettleMs = 100;

}  // namespace

frmCommonDialog::frmCommonDialog(const Language& language, WindowSearch& search)
    : Form("frmCommonDialog"), language_(language), search_(search) {}

bool frmCommonDialog::Load() {
    FormWindowSpec params;
    params.className = "ValloraCommonDialog";
    params.caption = "Vallora";
    params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    params.exStyle = WS_EX_DLGMODALFRAME;
    params.dialogKeys = true;
    CenterDialog(params, kClientWidth, kClientHeight);
    if (!Create(params)) return false;
    const HWND band = AddControl({.name = "picInfo",
                                  .kind = ControlKind::PictureBox,
                                  .x = 0,
                                  .y = 0,
                                  .width = kClientWidth,
                                  .height = 44,
                                  .style = SS_ETCHEDFRAME});
    EnableWindow(band, FALSE);
    ShowIconPicture(AddControl({.name = "PicLogo",
                                .kind = ControlKind::PictureBox,
                                .x = 10,
                                .y = 6,
                                .width = 32,
                                .height = 32,
                                .style = SS_ICON}),
                    ProgramIcon());
    AddControl({.name = "lblInfo",
                .kind = ControlKind::Label,
                .x = 54,
                .y = 14,
                .width = kClientWidth - 64,
                .height = 18,
                .caption = "Vallora File Access"});
    AddControl({.name = "frameFileName",
                .kind = ControlKind::Frame,
                .x = 10,
                .y = 52,
                .width = kClientWidth - 20,
                .height = 76});
    AddControl({.name = "lblFileName",
                .kind = ControlKind::Label,
                .x = 22,
                .y = 72,
                .width = kClientWidth - 44,
                .height = 16,
                .caption = "Enter File Name"});
    // The tab order follows the order of creation.
    AddControl({.name = "txtFileName",
                .kind = ControlKind::TextBox,
                .x = 22,
                .y = 92,
                .width = kClientWidth - 44,
                .height = 22});
    const HWND ok = AddControl({.name = "cmdOK",
                                .kind = ControlKind::Button,
                                .x = kClientWidth - 290,
                                .y = 142,
                                .width = 88,
                                .height = 26,
                                .caption = "&OK",
                                .style = BS_DEFPUSHBUTTON});
    EnableWindow(ok, FALSE);
    AddControl({.name = "cmdCancel",
                .kind = ControlKind::Button,
                .x = kClientWidth - 194,
                .y = 142,
                .width = 88,
                .height = 26,
                .caption = "&Cancel"});
    AddControl({.name = "cmdBrowse",
                .kind = ControlKind::Button,
                .x = kClientWidth - 98,
                .y = 142,
                .width = 88,
                .height = 26,
                .caption = "&Browse..."});
    RegisterControl("Timer", ControlKind::Timer, nullptr);
    RegisterControl("Timer100Msecs", ControlKind::Timer, nullptr);
    RegisterControl("TimerContextLock", ControlKind::Timer, nullptr);
    SetTimer(Hwnd(), kTimer, kTimerMs, nullptr);
    SetTimer(Hwnd(), kTimer100Msecs, kTimer100MsecsMs, nullptr);
    return true;
}

void frmCommonDialog::Unload() {
    if (IsUnloaded()) return;
    ShowWindow(Hwnd(), SW_HIDE);
    Destroy();
}

bool frmCommonDialog::Initialize(const std::string& startFolder) {
    if (IsUnloaded() && !Load()) return false;
    SetCaption("frameFileName", language_.Message(std::string(kCaptionLocation)) + startFolder);
    countDown_ = PasswordCountdown();
    SetFormCaption(
        CountdownCaption(language_.Message(std::string(kMsgClosing)), countDown_.Remaining()));
    SetTopMost(Hwnd(), true);
    ShowWindow(Hwnd(), SW_SHOW);
    TakeForeground(Hwnd());
    return true;
}

bool frmCommonDialog::IsStandardDialog() const {
    return targetEditClass_ == kEditPattern;
}

void frmCommonDialog::LockOfficeEdit() {
    if (!targetDialog_) return;
    WindowHandleList boxes;
    int count = 0;
    search_.FindChildWindows(ToWindowId(targetDialog_), "*", targetEditClass_, boxes, count);
    for (const WindowId box : boxes.Windows()) ShowWindowAsync(ToHwnd(box), SW_HIDE);
}

void frmCommonDialog::SetFocusToControl(HWND dialog, HWND control) {
    vallora::SetFocusToControl(dialog, control);
}

void frmCommonDialog::TypeIntoTarget(const std::string& text, bool pressEnter) {
    if (IsStandardDialog()) {
        SetFocusToControl(targetDialog_, targetEdit_);
        SelectAllText(targetEdit_);
    }
    ProcessPendingMessages();
    if (TypeText(targetEdit_, text) && pressEnter) PressEnter(targetDialog_);
}

void frmCommonDialog::OK() {
    if (finishing_) return;
    const std::string name = Text("txtFileName");
    if (!IsPassableFileName(name)) {
        MessageBeep(MB_OK);
        return;
    }
    finishing_ = true;
    SendMessageA(ControlHwnd("txtFileName"), EM_SETREADONLY, TRUE, 0);
    KillTimer(Hwnd(), kTimer100Msecs);
    // The count-down must not cancel the dialog while the name is on its way.
    KillTimer(Hwnd(), kTimer);
    ProcessPendingMessages();
    {
        const WaitCursor busy;
        ShowForeignWindow(targetDialog_, SW_SHOWNORMAL);
        ProcessPendingMessages();
        Sleep(kSettleMs);
        TypeIntoTarget(name, true);
        ProcessPendingMessages();
        Sleep(kSettleMs);
        if (IsStandardDialog()) {
            // A dialog that closed on Enter is not affected.
            PostCloseRequest(targetDialog_);
        } else {
            LockOfficeEdit();
        }
    }
    Unload();
}

void frmCommonDialog::Cancel(bool close) {
    if (finishing_) return;
    finishing_ = true;
    const WaitCursor busy;
    KillTimer(Hwnd(), kTimer100Msecs);
    if (close) {
        // The program sees its dialog cancelled.
        PostCloseRequest(targetDialog_);
        Unload();
        return;
    }
    // Browse: the program's dialog goes back to the user with the name typed
    // so far, its file-name box read-only.
    const std::string name = Text("txtFileName");
    ShowForeignWindow(targetDialog_, SW_SHOW);
    ProcessPendingMessages();
    Sleep(kSettleMs);
    TypeIntoTarget(name, false);
    if (IsStandardDialog()) {
        MakeReadOnly(targetEdit_);
    } else {
        LockOfficeEdit();
    }
    ShowWindow(Hwnd(), SW_HIDE);
    KillTimer(Hwnd(), kTimer);
    SetTimer(Hwnd(), kTimerContextLock, kTimerContextLockMs, nullptr);
}

LRESULT frmCommonDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            return OnActivate(wParam, lParam);
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return 0;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        // Closing the window by its title bar cancels like the Cancel button,
        // or the program's dialog would stay hidden for good.
        case WM_CLOSE:
            Cancel(true);
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT frmCommonDialog::OnActivate(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Form::HandleMessage(WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) != WA_INACTIVE) {
        FormCaptions captions(*this);
        language_.ApplyCaptions(captions);
        SetFocus(ControlHwnd("txtFileName"));
    }
    return result;
}

void frmCommonDialog::OnTimer(UINT_PTR id) {
    switch (id) {
        case kTimer:
            OnCountDownTick();
            break;
        case kTimer100Msecs:
            // Keeps the program's dialog hidden even when the program shows it again.
            if (targetDialog_) ShowWindowAsync(targetDialog_, SW_HIDE);
            break;
        case kTimerContextLock:
            OnContextLockTick();
            break;
        default:
            break;
    }
}

void frmCommonDialog::OnCountDownTick() {
    if (countDown_.Tick()) {
        Cancel(true);
        return;
    }
    SetFormCaption(
        CountdownCaption(language_.Message(std::string(kMsgClosing)), countDown_.Remaining()));
}

void frmCommonDialog::OnContextLockTick() {
    WindowHandleList menus;
    int count = 0;
    const WindowId menu = search_.FindWindowsByClass(0, kPopupMenuClass, menus, count);
    if (menu != 0) PostCloseRequest(ToHwnd(menu));
    if (!IsWindow(targetDialog_)) Unload();
}

LRESULT frmCommonDialog::OnCommand(UINT id, UINT code) {
    if (id == CommandId("txtFileName")) {
        if (code == EN_CHANGE) OnFileNameChanged();
    } else if (id == CommandId("cmdOK") || id == IDOK) {
        // IDOK: the Enter key in the file-name box.
        OK();
    } else if (id == CommandId("cmdCancel") || id == IDCANCEL) {
        Cancel(true);
    } else if (id == CommandId("cmdBrowse")) {
        Cancel(false);
    }
    return 0;
}

void frmCommonDialog::OnFileNameChanged() {
    const std::string text = Text("txtFileName");
    if (HasPathCharacters(text)) {
        const HWND box = ControlHwnd("txtFileName");
        const std::string name = RemovePathCharacters(text);
        // Setting the text changes it again; that pass finds nothing to remove.
        SetWindowTextA(box, name.c_str());
        const auto end = static_cast<WPARAM>(name.size());
        SendMessageA(box, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    EnableWindow(ControlHwnd("cmdOK"), TRUE);
}

}  // namespace vallora
