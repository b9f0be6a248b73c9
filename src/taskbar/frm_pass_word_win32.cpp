#include "taskbar/frm_pass_word_win32.h"

#include "language/form_captions_win32.h"
#include "language/messages.h"
#include "platform/window_messages.h"
#include "taskbar/frm_program_icon_win32.h"
#include "taskbar/window_operations_win32.h"

namespace vallora {

namespace {

constexpr int kClientWidth = 310;
constexpr int kClientHeight = 156;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// A tool window: the prompt does not become a task button of its own bar.
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

}  // namespace

frmPassWord::frmPassWord(TaskBarSession& session, const Language& language,
                         std::function<void(const TaskTarget&)> terminateTask,
                         std::function<HWND()> owner)
    : Form("frmPassWord"),
      session_(session),
      language_(language),
      terminateTask_(std::move(terminateTask)),
      owner_(std::move(owner)) {}

frmPassWord::~frmPassWord() = default;

bool frmPassWord::Load() {
    if (IsLoaded()) return true;
    FormWindowSpec params;
    params.className = "ValloraPassWord";
    params.style = kStyle;
    params.exStyle = kExStyle;
    CenterDialog(params, kClientWidth, kClientHeight);
    params.dialogKeys = true;
    if (!Create(params)) return false;

    HWND picInfo = AddControl({.name = "picInfo",
                               .kind = ControlKind::PictureBox,
                               .x = 10,
                               .y = 8,
                               .width = 32,
                               .height = 32,
                               .style = SS_ICON});
    if (picInfo)
        SendMessageA(picInfo, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_WARNING)),
                     0);
    HWND info = AddControl({.name = "lblInfo",
                            .kind = ControlKind::Label,
                            .x = 52,
                            .y = 15,
                            .width = 210,
                            .height = 20,
                            .caption = "Vallora Password"});
    LOGFONTA header{};
    header.lfHeight = -16;
    header.lfWeight = FW_BOLD;
    lstrcpynA(header.lfFaceName, "Arial", LF_FACESIZE);
    headerFont_.reset(CreateFontIndirectA(&header));
    if (info && headerFont_) {
        SendMessageA(info, WM_SETFONT, reinterpret_cast<WPARAM>(headerFont_.get()), FALSE);
    }
    HWND logo = AddControl({.name = "PicLogo",
                            .kind = ControlKind::PictureBox,
                            .x = 284,
                            .y = 16,
                            .width = 16,
                            .height = 16,
                            .style = SS_ICON});
    if (logo) {
        SendMessageA(logo, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon(16)), 0);
    }
    AddControl({.name = "framePassword",
                .kind = ControlKind::Frame,
                .x = 10,
                .y = 46,
                .width = 290,
                .height = 62,
                .caption = "Please enter the Desktop Password"});
    AddControl({.name = "lblPassword",
                .kind = ControlKind::Label,
                .x = 22,
                .y = 74,
                .width = 70,
                .height = 16,
                .caption = "Password"});
    HWND entry = AddControl({.name = "txtPassword",
                             .kind = ControlKind::TextBox,
                             .x = 95,
                             .y = 70,
                             .width = 193,
                             .height = 22,
                             .style = ES_PASSWORD});
    if (entry) SendMessageA(entry, EM_SETPASSWORDCHAR, '*', 0);
    AddControl({.name = "cmdOK",
                .kind = ControlKind::Button,
                .x = 120,
                .y = 120,
                .width = 85,
                .height = 26,
                .caption = "&OK",
                .style = BS_DEFPUSHBUTTON});
    AddControl({.name = "cmdCancel",
                .kind = ControlKind::Button,
                .x = 215,
                .y = 120,
                .width = 85,
                .height = 26,
                .caption = "&Cancel"});
    RegisterControl("Timer", ControlKind::Timer, nullptr);
    Initialize();
    return true;
}

void frmPassWord::Initialize() {
    countdown_ = PasswordCountdown{};
    ShowCountdown();
    SetTimer(Hwnd(), kTimerPassWordCountdown, 1000, nullptr);
    SetTopMost(Hwnd(), true);
    // A new window shows its own captions until a pause replaces one.
    pausing_ = false;
    ShowPause();
}

void frmPassWord::ShowPause() {
    const int wait = attempts_.SecondsToWait(GetTickCount64());
    if (wait > 0) {
        if (!pausing_) frameCaption_ = Caption("framePassword");
        SetCaption("framePassword",
                   FillPlaceholder(language_.Message(std::string(kMsgPasswordWait)),
                                   std::to_string(wait)));
    } else if (pausing_) {
        SetCaption("framePassword", frameCaption_);
    }
    const bool wasPausing = pausing_;
    pausing_ = wait > 0;
    const HWND entry = ControlHwnd("txtPassword");
    EnableWindow(ControlHwnd("cmdOK"), !pausing_);
    if (entry) EnableWindow(entry, !pausing_);
    if (wasPausing && !pausing_ && entry && GetForegroundWindow() == Hwnd()) SetFocus(entry);
}

void frmPassWord::ShowCountdown() {
    SetFormCaption(
        CountdownCaption(language_.Message(std::string(kMsgClosing)), countdown_.Remaining()));
}

void frmPassWord::SetAction(const std::string& name) {
    Load();
    action_ = name;
}

void frmPassWord::ShowPrompt() {
    if (!IsLoaded()) return;
    ShowWindow(Hwnd(), SW_SHOW);
    SetForegroundWindow(Hwnd());
    if (HWND entry = ControlHwnd("txtPassword")) SetFocus(entry);
}

void frmPassWord::Unload() {
    if (!IsLoaded()) return;
    KillTimer(Hwnd(), kTimerPassWordCountdown);
    taskTarget_ = {};  // the held process goes with the prompt
    // Unloading takes it off the screen; hiding it first can keep some
    // window systems waiting for seconds.
    Destroy();
}

void frmPassWord::OK() {
    if (!IsLoaded()) return;
    const std::uint64_t now = GetTickCount64();
    if (attempts_.SecondsToWait(now) > 0) {
        SetText("txtPassword", "");
        return;
    }
    if (!PasswordMatches(Text("txtPassword"), session_.AdminPassword(),
                         session_.AdminPasswordHash())) {
        attempts_.Wrong(now);
        // What was typed stays out of the trail: it may be a near miss.
        session_.Audit(
            AuditEvent::WrongPassword,
            "for \"" + action_ + "\", " + std::to_string(attempts_.WrongInARow()) + " in a row");
        SetText("txtPassword", "");
        if (HWND entry = ControlHwnd("txtPassword")) SetFocus(entry);
        ShowPause();
        return;
    }
    attempts_.Right();
    // The action may let messages run (a file dialog) and the count-down
    // may unload the prompt meanwhile; what was asked for still runs.
    const std::string action = action_;
    const TaskTarget target = taskTarget_;
    if (action == kActionClose) {
        session_.EndSession();
    } else if (action == kActionLaunchDesktop) {
        session_.LaunchChosenDesktop(ToWindowId(owner_ ? owner_() : Hwnd()));
    } else if (action == kActionShowSettings) {
        Unload();
        session_.ShowRunningDefinition(ToWindowId(owner_ ? owner_() : nullptr));
    } else if (action == kActionCheckLockDown) {
        Unload();
        session_.CheckLockDown(ToWindowId(owner_ ? owner_() : Hwnd()));
    } else if (action == kActionTerminateProcess) {
        if (terminateTask_) terminateTask_(target);
    }
    Unload();
}

LRESULT frmPassWord::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_TIMER:
            return wParam == kTimerPassWordCountdown ? OnTimer() : 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam));
            return Form::HandleMessage(msg, wParam, lParam);
        case WM_CLOSE:
            Unload();
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT frmPassWord::OnCommand(UINT id, UINT code) {
    // Enter anywhere in the prompt comes as IDOK from the dialog keys.
    if (id == IDOK || id == CommandId("cmdOK")) {
        if (code == BN_CLICKED) OK();
    } else if (id == CommandId("cmdCancel")) {
        if (code == BN_CLICKED) Unload();
    } else if (id == CommandId("txtPassword") && code == EN_SETFOCUS) {
        SendMessageA(ControlHwnd("txtPassword"), EM_SETSEL, 0, -1);
    }
    return 0;
}

LRESULT frmPassWord::OnTimer() {
    if (countdown_.Tick()) {
        Unload();
    } else {
        ShowCountdown();
        ShowPause();
    }
    return 0;
}

LRESULT frmPassWord::OnActivate(UINT state) {
    if (state != WA_INACTIVE) {
        FormCaptions captions(*this);
        language_.ApplyCaptions(captions);
        // The count-down stays in the title whatever the language file says,
        // and a pause in the frame.
        ShowCountdown();
        if (pausing_) {
            frameCaption_ = Caption("framePassword");
            pausing_ = false;
            ShowPause();
        }
    }
    return 0;
}

void StartGuardedAction(frmPassWord& prompt, const std::string& action, std::int16_t taskIndex,
                        TaskTarget target) {
    prompt.SetAction(action);
    if (action == kActionTerminateProcess) {
        prompt.setTaskIndex(taskIndex);
        prompt.SetTaskTarget(std::move(target));
    }
    prompt.ShowPrompt();
}

}  // namespace vallora
