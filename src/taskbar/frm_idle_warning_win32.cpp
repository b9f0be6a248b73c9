#include "taskbar/frm_idle_warning_win32.h"

#include "language/form_captions_win32.h"
#include "language/messages.h"
#include "taskbar/frm_program_icon_win32.h"

namespace vallora {

namespace {

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 120;
constexpr int kLogoSize = 32;

}  // namespace

frmIdleWarning::frmIdleWarning(const Language& language, std::function<void()> continued)
    : Form("frmIdleWarning"), language_(language), continued_(std::move(continued)) {}

bool frmIdleWarning::Load() {
    FormWindowSpec params;
    params.className = "ValloraIdleWarning";
    params.caption = "Vallora";
    params.style = WS_POPUP | WS_CAPTION;
    // Not a task of the bar, and above every program.
    params.exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    CenterDialog(params, kClientWidth, kClientHeight);
    if (!Create(params)) return false;
    AddNoticeHeader(*this, kClientWidth, ProgramIcon(kLogoSize));
    AddControl({.name = "lblInfo",
                .kind = ControlKind::Label,
                .x = 64,
                .y = 20,
                .width = kClientWidth - 80,
                .height = 32});
    AddControl({.name = "cmdContinue",
                .kind = ControlKind::Button,
                .x = (kClientWidth - 88) / 2,
                .y = 82,
                .width = 88,
                .height = 26,
                .caption = "&Continue",
                .style = BS_DEFPUSHBUTTON});
    FormCaptions captions(*this);
    language_.ApplyCaptions(captions);
    return true;
}

void frmIdleWarning::Show(int secondsLeft) {
    if (!IsOpen() && !Load()) return;
    SetCaption("lblInfo", FillPlaceholder(language_.Message(std::string(kMsgIdleWarning)),
                                          std::to_string(secondsLeft)));
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void frmIdleWarning::Unload() {
    if (!IsOpen()) return;
    ShowWindow(Hwnd(), SW_HIDE);
    Destroy();
}

LRESULT frmIdleWarning::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            // Enter and Escape arrive as IDOK and IDCANCEL.
            if (LOWORD(wParam) == CommandId("cmdContinue") || LOWORD(wParam) == IDOK ||
                LOWORD(wParam) == IDCANCEL) {
                Unload();
                if (continued_) continued_();
            }
            return 0;
        case WM_CLOSE:
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace vallora
