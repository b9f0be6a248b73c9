#include "guard/frm_function_blocked_win32.h"

#include "guard/guard_pictures_win32.h"
#include "language/form_captions_win32.h"
#include "language/messages.h"
#include "platform/window_port_win32.h"
#include "taskbar/window_operations_win32.h"

namespace vallora {

namespace {

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 120;

}  // namespace

frmFunctionBlocked::frmFunctionBlocked(const Language& language)
    : Form("frmFunctionBlocked"), language_(language) {}

void frmFunctionBlocked::Show() {
    if (!IsOpen() && !Load()) return;
    ShowWindow(Hwnd(), SW_SHOW);
    TakeForeground(Hwnd());
}

void frmFunctionBlocked::Initialize() {
    countDown_ = PasswordCountdown();
}

bool frmFunctionBlocked::Load() {
    FormWindowSpec params;
    params.className = "ValloraFunctionBlocked";
    params.caption = "Vallora";
    params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    params.exStyle = WS_EX_DLGMODALFRAME;
    params.dialogKeys = true;
    CenterDialog(params, kClientWidth, kClientHeight);
    if (!Create(params)) return false;
    AddNoticeHeader(*this, kClientWidth, ProgramIcon());
    AddControl({.name = "lblInfo",
                .kind = ControlKind::Label,
                .x = 64,
                .y = 20,
                .width = kClientWidth - 80,
                .height = 32,
                .caption = "Vallora Warning: This operation is not allowed"});
    AddControl({.name = "cmdOK",
                .kind = ControlKind::Button,
                .x = (kClientWidth - 88) / 2,
                .y = 82,
                .width = 88,
                .height = 26,
                .caption = "&OK",
                .style = BS_DEFPUSHBUTTON});
    RegisterControl("Timer", ControlKind::Timer, nullptr);
    Initialize();
    SetTimer(Hwnd(), kTimer, kTimerMs, nullptr);
    return true;
}

void frmFunctionBlocked::Unload() {
    if (!IsOpen()) return;
    ShowWindow(Hwnd(), SW_HIDE);
    Destroy();
}

LRESULT frmFunctionBlocked::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            return OnActivate(wParam, lParam);
        case WM_TIMER:
            if (wParam == kTimer) OnTimer();
            return 0;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam));
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT frmFunctionBlocked::OnActivate(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Form::HandleMessage(WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) != WA_INACTIVE) {
        FormCaptions captions(*this);
        language_.ApplyCaptions(captions);
        SetTopMost(Hwnd(), true);
    }
    return result;
}

void frmFunctionBlocked::OnTimer() {
    if (countDown_.Tick()) {
        Unload();
        return;
    }
    SetFormCaption(
        CountdownCaption(language_.Message(std::string(kMsgClosing)), countDown_.Remaining()));
}

LRESULT frmFunctionBlocked::OnCommand(UINT id) {
    // The Enter and Escape keys arrive as IDOK and IDCANCEL.
    if (id == CommandId("cmdOK") || id == IDOK || id == IDCANCEL) Unload();
    return 0;
}

}  // namespace vallora
