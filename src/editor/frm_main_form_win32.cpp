#include "editor/frm_main_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "language/form_captions_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/definition_load.h"
#include "runtime/program_files_win32.h"
#include "storage/idle_values.h"

namespace vallora {

namespace {

constexpr int kClientWidth = 780;
constexpr int kClientHeight = 660;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

const char* const kFrames[3] = {"FrameSize", "frameApplications", "frameComputerSecurity"};

// The digits of a seconds box; an empty box is 0, a number too long for
// any allowed value is the most that fits.
int SecondsIn(const std::string& text) {
    std::int64_t seconds = 0;
    for (char c : text) {
        if (c < '0' || c > '9') continue;
        seconds = std::min<std::int64_t>(seconds * 10 + (c - '0'), INT32_MAX);
    }
    return static_cast<int>(seconds);
}

}  // namespace

frmMain::frmMain(MainWindowServices services)
    : Form(kMainFormName),
      services_(std::move(services)),
      definition_(services_.state.definition),
      textFields_{{"txtBGImage", &Definition::BackgroundPicture},
                  {"txtWidth", &Definition::Width},
                  {"txtHeight", &Definition::Height},
                  {"txtTop", &Definition::Top},
                  {"txtLeft", &Definition::Left},
                  {"txtAppsToStart", &Definition::StartUp},
                  {"txtAdminPassword", &Definition::AdminPassword},
                  {"txtHideDrives", &Definition::HideDrives},
                  {"txtStartFolder", &Definition::IOStartFolder},
                  {"txtIEHomePage", &Definition::IEHomePage}},
      checkFields_{{"chkFullScreen", &Definition::FullScreen},
                   {"chkWindowLess", &Definition::WindowLess},
                   {"chkReplaceDesktop", &Definition::ReplaceDesktop},
                   {"chkNoAdministrativeTasks", &Definition::NoAdministrativeTasks},
                   {"chkNoShutDown", &Definition::NoShutDown},
                   {"chkNoLogoff", &Definition::NoLogoff},
                   {"chkNoLockComputer", &Definition::NoLockComputer},
                   {"chkNoChangePwd", &Definition::NoChangePwd},
                   {"chkNoNet", &Definition::NoNetWork},
                   {"chkNoRun", &Definition::NoRun},
                   {"chkDisableDownload", &Definition::IEDisableFileDownload},
                   {"chkDisableIEPrograms", &Definition::IEPrograms},
                   {"chkIENoAdvancedTasks", &Definition::NoIEAdvancedTasks},
                   {"chkIENoAdminstrativeTasks", &Definition::NoIEAdministrativeTasks},
                   {"chkClearStartFolder", &Definition::ClearStartFolder}},
      secondsFields_{{"txtIdleReset", {&Definition::IdleReset, NormalIdleReset}},
                     {"txtIdleWarning", {&Definition::IdleWarning, NormalIdleWarning}}} {}

frmMain::~frmMain() {
    // The grid's window goes with the form's; drop the grid object first.
    grid_.reset();
}

bool frmMain::Load() {
    if (Hwnd()) return true;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, TRUE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    FormWindowSpec params;
    params.className = "ValloraEditor";
    params.caption = "Vallora Editor";
    params.style = kStyle;
    params.x = work.left + std::max(0, static_cast<int>(work.right - work.left - width) / 2);
    params.y = work.top + std::max(0, static_cast<int>(work.bottom - work.top - height) / 2);
    params.width = width;
    params.height = height;
    params.menuBar = BuildMenuBar();
    params.dialogKeys = true;
    if (!Create(params)) return false;
    BuildAcceleratorTable();
    BuildHeader();
    if (!BuildTabs()) return false;
    Initialize();
    return true;
}

bool frmMain::Show() {
    if (!Load()) return false;
    SetLocked(false);
    ShowDefinition();
    setChanged(false);
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(Hwnd());
    // Activation gives the focus to the window itself; the tab names the control.
    FocusSelectedTab();
    return true;
}

bool frmMain::ShowLocked(HWND owner) {
    if (!Load()) return false;
    ShowDefinition();
    setChanged(false);
    SetLocked(true);
    // Owned by the task bar and modal to it: the bar stays below it and its
    // guarded menu cannot be reached until the editor closes.
    SetWindowLongPtrA(Hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    ShowModal(owner);
    if (Hwnd()) {
        SetWindowLongPtrA(Hwnd(), GWLP_HWNDPARENT, 0);
        SetLocked(false);
    }
    return true;
}

void frmMain::Initialize() {
    if (grid_) grid_->InitializeGrid();
    ShowDefinition();
    SelectTab(1);
}

bool frmMain::LoadDefinition(const std::string& path) {
    std::string error;
    if (LoadDefinitionInto(services_.state, path, &error) == FileReadStatus::Unreadable) {
        ReportFailure(error);
        return false;
    }
    ShowDefinition();
    setChanged(false);
    return true;
}

void frmMain::ShowDefinition() {
    if (!Hwnd()) return;
    filling_ = true;
    for (const auto& [name, field] : textFields_) {
        const std::string& value = definition_.*field;
        if (Text(name) != value) SetText(name, value);
    }
    for (const auto& [name, field] : secondsFields_) {
        const std::string value = std::to_string(definition_.*field.member);
        if (Text(name) != value) SetText(name, value);
    }
    for (const auto& [name, field] : checkFields_) {
        const int value = definition_.*field;
        const WPARAM state = value == 1 ? BST_CHECKED : BST_UNCHECKED;
        SendMessageA(ControlHwnd(name), BM_SETCHECK, state, 0);
    }
    SendMessageA(ControlHwnd("chkBuiltInPage"), BM_SETCHECK,
                 definition_.PageHost == kPageHostVallora ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(ControlHwnd("chkProtectPassword"), BM_SETCHECK,
                 definition_.AdminPasswordHash.empty() ? BST_UNCHECKED : BST_CHECKED, 0);
    filling_ = false;
    ShowColors();
    if (grid_) {
        grid_->InitializeGrid();
        grid_->RefreshDesktop(definition_.BackColor, definition_.TextColor);
    }
}

void frmMain::ShowColors() {
    backBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(definition_.BackColor)));
    textBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(definition_.TextColor)));
    for (const char* name : {"picBackColor", "picTextColor", "lblColorInfo"}) {
        if (HWND control = ControlHwnd(name)) InvalidateRect(control, nullptr, TRUE);
    }
}

int frmMain::SelectedTab() const {
    return tabStrip_ ? static_cast<int>(SendMessageA(tabStrip_, TCM_GETCURSEL, 0, 0)) + 1 : 0;
}

void frmMain::SelectTab(int tab) {
    if (!tabStrip_ || tab < 1 || tab > 3) return;
    SendMessageA(tabStrip_, TCM_SETCURSEL, static_cast<WPARAM>(tab - 1), 0);
    for (int i = 0; i < 3; ++i) ShowWindow(pages_[i], i == tab - 1 ? SW_SHOW : SW_HIDE);
    if (tab == 2 && grid_) grid_->SetCurrentCell(0, 0);
    FocusSelectedTab();
}

void frmMain::FocusSelectedTab() {
    switch (SelectedTab()) {
        case 1:
            SetFocus(ControlHwnd("txtLeft"));
            break;
        case 2:
            if (grid_) SetFocus(grid_->Hwnd());
            break;
        default:
            SetFocus(ControlHwnd("txtAdminPassword"));
            break;
    }
}

void frmMain::SetLocked(bool locked) {
    locked_ = locked;
    HMENU bar = GetMenu(Hwnd());
    if (bar) {
        EnableMenuItem(bar, 0, MF_BYPOSITION | (locked ? MF_GRAYED : MF_ENABLED));
        DrawMenuBar(Hwnd());
    }
    for (const char* frame : kFrames) EnableWindow(ControlHwnd(frame), locked ? FALSE : TRUE);
    for (HWND page : pages_) EnableWindow(page, locked ? FALSE : TRUE);
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
            return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam));
            return Form::HandleMessage(msg, wParam, lParam);
        case WM_SETCURSOR:
            if (locked_) {
                // The locked editor shows that nothing can be changed.
                SetCursor(LoadCursor(nullptr, IDC_NO));
                return TRUE;
            }
            return Form::HandleMessage(msg, wParam, lParam);
        case WM_CLOSE:
            return OnClose();
        case WM_DESTROY:
            grid_.reset();
            if (!IsModal() && services_.closed) services_.closed();
            return Form::HandleMessage(msg, wParam, lParam);
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT frmMain::OnCommand(UINT id, UINT code, HWND control) {
    const FormControl* source = FindControlById(id);
    if (!source) return 0;
    const std::string name = source->name;
    switch (source->kind) {
        case ControlKind::MenuItem:
            RunCommand(name);
            break;
        case ControlKind::Button:
            if (code == BN_CLICKED) RunCommand(name);
            break;
        case ControlKind::CheckBox:
            if (code != BN_CLICKED) break;
            if (name == "chkPwdInfo") {
                TogglePasswordDisplay();
            } else if (name == "chkBuiltInPage") {
                definition_.PageHost = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED
                                           ? kPageHostVallora
                                           : kPageHostHta;
                setChanged(true);
            } else if (name == "chkProtectPassword") {
                // Unticked, the password is again what the box holds.
                if (!IsPasswordProtected()) definition_.AdminPasswordHash.clear();
                setChanged(true);
            } else if (auto field = checkFields_.find(name); field != checkFields_.end()) {
                definition_.*(field->second) =
                    SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
                setChanged(true);
            }
            break;
        case ControlKind::TextBox:
            if (code == EN_SETFOCUS) {
                SendMessageA(control, EM_SETSEL, 0, -1);
            } else if (code == EN_CHANGE && !filling_) {
                if (auto field = textFields_.find(name); field != textFields_.end()) {
                    definition_.*(field->second) = Text(name);
                    setChanged(true);
                } else if (auto seconds = secondsFields_.find(name);
                           seconds != secondsFields_.end()) {
                    definition_.*(seconds->second.member) = SecondsIn(Text(name));
                    setChanged(true);
                }
            } else if (code == EN_KILLFOCUS) {
                if (auto seconds = secondsFields_.find(name); seconds != secondsFields_.end()) {
                    int& value = definition_.*(seconds->second.member);
                    value = seconds->second.range(value);
                    filling_ = true;
                    SetText(name, std::to_string(value));
                    filling_ = false;
                }
            }
            break;
        case ControlKind::PictureBox:
        case ControlKind::Label:
            if (code != STN_DBLCLK) break;
            if (name == "picBackColor" || name == "lblColorInfo") {
                PickColor(&Definition::BackColor);
            } else if (name == "picTextColor") {
                PickColor(&Definition::TextColor);
            }
            break;
        default:
            break;
    }
    return 0;
}

LRESULT frmMain::OnNotify(const NMHDR& header) {
    if (header.hwndFrom == tabStrip_ && header.code == TCN_SELCHANGE) SelectTab(SelectedTab());
    return 0;
}

LRESULT frmMain::OnControlColor(HDC dc, HWND control) {
    if (control == ControlHwnd("picBackColor") && backBrush_) {
        return reinterpret_cast<LRESULT>(backBrush_.get());
    }
    if (control == ControlHwnd("picTextColor") && textBrush_) {
        return reinterpret_cast<LRESULT>(textBrush_.get());
    }
    if (control == ControlHwnd("lblColorInfo") && backBrush_) {
        // The sample shows the text colour on the page's background.
        SetTextColor(dc, static_cast<COLORREF>(definition_.TextColor));
        SetBkColor(dc, static_cast<COLORREF>(definition_.BackColor));
        return reinterpret_cast<LRESULT>(backBrush_.get());
    }
    return DefWindowProcA(Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

void frmMain::OnActivate(UINT state) {
    if (state == WA_INACTIVE) return;
    FormCaptions captions(*this);
    services_.language.ApplyCaptions(captions);
}

LRESULT frmMain::OnClose() {
    if (!SavePrompt()) return 0;
    LoadDefinition(services_.state.lastOpenedPath);
    Destroy();
    return 0;
}

}  // namespace vallora
