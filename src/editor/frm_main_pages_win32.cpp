// The editor window's header strip, tab strip and the controls of its three
// tabs. Each tab's controls sit on a page window of their own, so that a tab
// switch shows or hides one window, and locking disables one window.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "editor/frm_main_win32.h"
#include "platform/fonts_win32.h"
#include "taskbar/frm_program_icon_win32.h"

namespace vallora {

namespace {

constexpr const char* kPageClass = "ValloraEditorPage";
// The grid "Desktop" is created by its own class; its id stays below the
// range the form hands out.
constexpr int kGridControlId = 90;
constexpr int kHeaderHeight = 56;
constexpr int kCellWidth = 64;
constexpr int kCellHeight = 36;

// A page passes its children's notifications on to the form, which handles
// every control of the window in one place.
LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            return SendMessageA(GetParent(hwnd), msg, wParam, lParam);
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool RegisterPageClass() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(instance, kPageClass, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &PageProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPageClass;
    return RegisterClassExA(&wc) != 0;
}

UniqueHICON ShellIcon(int index) {
    HICON icon = nullptr;
    if (ExtractIconExA("shell32.dll", index, nullptr, &icon, 1) == 0) return {};
    return UniqueHICON(icon);
}

}  // namespace

void frmMain::BuildHeader() {
    const HWND band = AddControl({.name = "picInfo",
                                  .kind = ControlKind::PictureBox,
                                  .x = 0,
                                  .y = 0,
                                  .width = 780,
                                  .height = kHeaderHeight,
                                  .style = SS_ETCHEDFRAME});
    EnableWindow(band, FALSE);
    const HWND logo = AddControl({.name = "PicLogo",
                                  .kind = ControlKind::PictureBox,
                                  .x = 12,
                                  .y = 12,
                                  .width = 32,
                                  .height = 32,
                                  .style = SS_ICON});
    if (logo) SendMessageA(logo, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon(32)), 0);
    const HWND info = AddControl({.name = "lblInfo",
                                  .kind = ControlKind::Label,
                                  .x = 56,
                                  .y = 16,
                                  .width = 500,
                                  .height = 26,
                                  .caption = "Vallora Editor"});
    headerFont_ = MakeFont("Arial", 20, FW_BOLD);
    if (info && headerFont_) {
        SendMessageA(info, WM_SETFONT, reinterpret_cast<WPARAM>(headerFont_.get()), FALSE);
    }
}

bool frmMain::BuildTabs() {
    if (!RegisterPageClass()) return false;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    RECT strip{8, kHeaderHeight + 6, client.right - 8, client.bottom - 8};
    tabStrip_ = AddControl({.name = kMainTabStrip,
                            .kind = ControlKind::TabStrip,
                            .x = strip.left,
                            .y = strip.top,
                            .width = strip.right - strip.left,
                            .height = strip.bottom - strip.top});
    if (!tabStrip_) return false;
    AddTab(kMainTabStrip, "Appearance and Behaviour");
    AddTab(kMainTabStrip, "Applications and Links");
    AddTab(kMainTabStrip, "Computer Security");
    // The pages cover the tab strip's display area and sit above it.
    RECT display = strip;
    SendMessageA(tabStrip_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND& page : pages_) {
        page = BuildPage(display);
        if (!page) return false;
    }
    const int width = display.right - display.left;
    const int height = display.bottom - display.top;
    BuildAppearancePage(pages_[0], width, height);
    BuildApplicationsPage(pages_[1], width, height);
    BuildSecurityPage(pages_[2], width, height);
    // Frames go to the bottom of their page, inner ones first: a frame above
    // the grid would be clipped out of the grid's window and hide it.
    for (const char* frame : {"FrameSecurityWindows", "FrameSecurityDrives", "frameIESecurity",
                              "FrameSize", "frameApplications", "frameComputerSecurity"}) {
        SetWindowPos(ControlHwnd(frame), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return true;
}

HWND frmMain::BuildPage(const RECT& bounds) {
    HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_CLIPSIBLINGS,
                                bounds.left, bounds.top, bounds.right - bounds.left,
                                bounds.bottom - bounds.top, Hwnd(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (page) SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return page;
}

HWND frmMain::AddIconButton(HWND page, const std::string& name, const RECT& bounds, HICON icon) {
    HWND button = AddControl({.name = name,
                              .kind = ControlKind::Button,
                              .x = bounds.left,
                              .y = bounds.top,
                              .width = bounds.right - bounds.left,
                              .height = bounds.bottom - bounds.top,
                              .style = BS_ICON,
                              .parent = page});
    if (button && icon)
        SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    return button;
}

void frmMain::BuildAppearancePage(HWND page, int width, int height) {
    auto label = [&](const char* name, int x, int y, int w, const char* caption) {
        AddControl({.name = name,
                    .kind = ControlKind::Label,
                    .x = x,
                    .y = y,
                    .width = w,
                    .height = 16,
                    .caption = caption,
                    .parent = page});
    };
    auto text = [&](const char* name, int x, int y, int w) {
        AddControl({.name = name,
                    .kind = ControlKind::TextBox,
                    .x = x,
                    .y = y,
                    .width = w,
                    .height = 22,
                    .parent = page});
    };
    AddControl({.name = "FrameSize",
                .kind = ControlKind::Frame,
                .x = 8,
                .y = 4,
                .width = width - 16,
                .height = height - 12,
                .caption = "Appearance and Behaviour",
                .parent = page});
    // Created first, so that the Tab key goes Left, Top, Width, Height.
    text("txtLeft", 24, 252, 140);
    text("txtTop", 200, 252, 140);
    text("txtWidth", 24, 196, 140);
    text("txtHeight", 200, 196, 140);
    label("lblWidth", 24, 178, 170, "Width [Pixels]");
    label("lblHeight", 200, 178, 170, "Height [Pixels]");
    label("lblLeft", 24, 234, 170, "Position from Left [Pixels]");
    label("lblTop", 200, 234, 170, "Position from Top [Pixels]");

    AddControl({.name = "picBackColor",
                .kind = ControlKind::PictureBox,
                .x = 24,
                .y = 30,
                .width = 44,
                .height = 26,
                .style = SS_SUNKEN,
                .parent = page});
    label("lblBackColor", 78, 35, 300, "Background Color (Double Click to Set)");
    AddControl({.name = "picTextColor",
                .kind = ControlKind::PictureBox,
                .x = 24,
                .y = 66,
                .width = 44,
                .height = 26,
                .style = SS_SUNKEN,
                .parent = page});
    label("lblTextColor", 78, 71, 300, "Text Color (Double Click to Set)");
    const HWND sample = AddControl({.name = "lblColorInfo",
                                    .kind = ControlKind::Label,
                                    .x = 420,
                                    .y = 30,
                                    .width = 200,
                                    .height = 62,
                                    .caption = "Vallora",
                                    .style = SS_CENTER | SS_CENTERIMAGE,
                                    .parent = page});
    sampleFont_ = MakeFont("Arial", 32, FW_BOLD);
    if (sample && sampleFont_) {
        SendMessageA(sample, WM_SETFONT, reinterpret_cast<WPARAM>(sampleFont_.get()), FALSE);
    }

    label("lblBGImage", 24, 112, 400, "Background Picture (Local File or URL)");
    text("txtBGImage", 24, 130, 560);
    AddControl({.name = "cmdBrowseBGPicture",
                .kind = ControlKind::Button,
                .x = 590,
                .y = 130,
                .width = 32,
                .height = 22,
                .caption = "...",
                .parent = page});

    AddControl({.name = "chkFullScreen",
                .kind = ControlKind::CheckBox,
                .x = 24,
                .y = 296,
                .width = 360,
                .height = 20,
                .caption = "Display Full Screen",
                .parent = page});
    AddControl({.name = "chkWindowLess",
                .kind = ControlKind::CheckBox,
                .x = 24,
                .y = 322,
                .width = 360,
                .height = 20,
                .caption = "Display Windowless (Press Alt+F4 to close)",
                .parent = page});
    AddControl({.name = "chkBuiltInPage",
                .kind = ControlKind::CheckBox,
                .x = 24,
                .y = 348,
                .width = 560,
                .height = 20,
                .caption = "Show the desktop with Vallora's own page instead of the HTA host",
                .parent = page});
    label("lblBuiltInPage", 44, 370, 600,
          "Needs neither mshta.exe nor VBScript; the .hta page is still written beside the "
          "definition.");
    AddIconButton(page, "cmdPreview", {width - 84, height - 84, width - 24, height - 24},
                  ProgramIcon(32));
}

void frmMain::BuildApplicationsPage(HWND page, int width, int height) {
    AddControl({.name = "frameApplications",
                .kind = ControlKind::Frame,
                .x = 8,
                .y = 4,
                .width = width - 16,
                .height = height - 12,
                .caption = "Add Applications  and Links",
                .parent = page});
    AddControl({.name = "lblYourDesktop",
                .kind = ControlKind::Label,
                .x = 20,
                .y = 24,
                .width = 200,
                .height = 16,
                .caption = "Your Desktop",
                .parent = page});
    grid_ = std::make_unique<DesktopGrid>(
        definition_, services_.icons, services_.language,
        DesktopGridHost{
            .editCurrentCell = [this](bool byDoubleClick) { EditCurrentCell(byDoubleClick); },
            .entriesChanged = [this] { setChanged(true); }});
    const RECT bounds{20, 42, 20 + kGridColumns * kCellWidth, 42 + kGridRows * kCellHeight};
    if (grid_->Create(page, kGridControlId, bounds)) {
        RegisterControl("Desktop", ControlKind::Other, grid_->Hwnd(), kGridControlId);
    }

    const int right = 20 + kGridColumns * kCellWidth + 20;
    const int boxWidth = width - right - 24;
    AddControl(
        {.name = "lblAppsToStart",
         .kind = ControlKind::Label,
         .x = right,
         .y = 24,
         .width = boxWidth,
         .height = 32,
         .caption = "Files to run on startup (Programs, Documents, Images- including full Path) ",
         .parent = page});
    AddControl({.name = "txtAppsToStart",
                .kind = ControlKind::TextBox,
                .x = right,
                .y = 60,
                .width = boxWidth,
                .height = 200,
                .style = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL,
                .parent = page});
    AddControl({.name = "cmdBrowseProgramFile",
                .kind = ControlKind::Button,
                .x = right,
                .y = 266,
                .width = 32,
                .height = 24,
                .caption = "...",
                .parent = page});
    AddControl({.name = "cmdInfo",
                .kind = ControlKind::Button,
                .x = right + 38,
                .y = 266,
                .width = 24,
                .height = 24,
                .caption = "i",
                .parent = page});
    AddIconButton(page, "cmdPreview", {width - 84, height - 84, width - 24, height - 24},
                  ProgramIcon(32));
}

void frmMain::BuildSecurityPage(HWND page, int width, int height) {
    auto frame = [&](const char* name, int x, int y, int w, int h, const char* caption) {
        AddControl({.name = name,
                    .kind = ControlKind::Frame,
                    .x = x,
                    .y = y,
                    .width = w,
                    .height = h,
                    .caption = caption,
                    .parent = page});
    };
    auto check = [&](const char* name, int x, int y, int w, int h, const char* caption) {
        AddControl({.name = name,
                    .kind = ControlKind::CheckBox,
                    .x = x,
                    .y = y,
                    .width = w,
                    .height = h,
                    .caption = caption,
                    .style = static_cast<DWORD>(h > 22 ? BS_MULTILINE : 0),
                    .parent = page});
    };
    auto label = [&](const char* name, int x, int y, int w, int h, const char* caption) {
        AddControl({.name = name,
                    .kind = ControlKind::Label,
                    .x = x,
                    .y = y,
                    .width = w,
                    .height = h,
                    .caption = caption,
                    .parent = page});
    };
    auto text = [&](const char* name, int x, int y, int w, DWORD style = 0) {
        AddControl({.name = name,
                    .kind = ControlKind::TextBox,
                    .x = x,
                    .y = y,
                    .width = w,
                    .height = 22,
                    .style = style,
                    .parent = page});
    };
    const int column = (width - 48) / 2;
    const int left = 20;
    const int right = left + column + 8;
    frame("frameComputerSecurity", 8, 4, width - 16, height - 12, "Computer Security Restrictions");
    // The password box comes first: it takes the focus and is first for the Tab key.
    text("txtAdminPassword", left + 12, 214, column - 70, ES_PASSWORD);
    SendMessageA(ControlHwnd("txtAdminPassword"), EM_SETPASSWORDCHAR, '*', 0);

    frame("FrameSecurityWindows", left, 24, column, 244, "Windows Security Restrictions");
    check("chkReplaceDesktop", left + 12, 44, column - 24, 20, "Completly Replace Windows Desktop");
    check("chkNoAdministrativeTasks", left + 12, 66, column - 24, 20, "No Administrative Tasks");
    check("chkNoShutDown", left + 12, 88, column - 24, 20, "Disable Shut Down");
    check("chkNoLogoff", left + 12, 110, column - 24, 20, "Disable Logoff");
    check("chkNoLockComputer", left + 12, 132, column - 24, 20, "Disable Lock Computer");
    check("chkNoChangePwd", left + 12, 154, column - 24, 20, "Disable Change Password");
    label("lblAdminPassword", left + 12, 180, column - 24, 32,
          "Password to access Vallora Desktop Functions (Case Sensitive)");
    check("chkProtectPassword", left + 12, 242, column - 24, 20,
          "Protect the password (it cannot be read back)");
    AddControl({.name = "chkPwdInfo",
                .kind = ControlKind::CheckBox,
                .x = left + column - 52,
                .y = 214,
                .width = 28,
                .height = 22,
                .caption = "i",
                .style = BS_PUSHLIKE,
                .parent = page});

    frame("FrameSecurityDrives", left, 276, column, height - 296,
          "Disk and Network Security Restrictions");
    check("chkNoNet", left + 12, 296, column - 24, 20, "Disable Network Access ");
    check("chkNoRun", left + 12, 320, column - 24, 20, "Disable Drive Access over Commandline");
    label("lblHideDrives", left + 12, 348, column - 24, 16, "Hide Drives: e.g. C;D;E");
    text("txtHideDrives", left + 12, 366, column - 24);
    label("lblStartFolder", left + 12, 396, column - 24, 16, "Save/Open Default Location");
    text("txtStartFolder", left + 12, 414, column - 64);
    folderIcon_ = ShellIcon(3);
    AddIconButton(page, "cmdBrowseDefaultLocation",
                  {left + column - 48, 413, left + column - 12, 437}, folderIcon_.get());
    check("chkClearStartFolder", left + 12, 442, column - 24, 20,
          "Delete its files at every reset and at session end");
    label("lblIdleReset", left + 12, 470, column - 96, 16, "Reset after seconds without input");
    text("txtIdleReset", left + column - 80, 466, 68, ES_NUMBER);
    label("lblIdleWarning", left + 12, 498, column - 96, 16, "Warning before the reset, seconds");
    text("txtIdleWarning", left + column - 80, 494, 68, ES_NUMBER);

    frame("frameIESecurity", right, 24, column, height - 44, "Internet Explorer Restrictions");
    check("chkDisableDownload", right + 12, 44, column - 24, 20, "Disable File Download");
    check("chkDisableIEPrograms", right + 12, 68, column - 24, 34,
          "Disable Internet Explorer Related Programs (Mailing, News, Editing)");
    check("chkIENoAdvancedTasks", right + 12, 106, column - 24, 20, "No Advanced Options");
    check("chkIENoAdminstrativeTasks", right + 12, 130, column - 24, 20,
          "No Administrative Options");
    label("lblHomePage", right + 12, 162, column - 24, 16, "Homepage");
    text("txtIEHomePage", right + 12, 180, column - 24);
    internetIcon_ = ShellIcon(13);
    AddIconButton(page, "cmdInternetSettings", {right + 12, 216, right + 52, 256},
                  internetIcon_.get());
    label("lblCurrentBrowsers", right + 12, 268, column - 24, 32,
          "These settings also apply to Microsoft Edge and Google Chrome.");
}

}  // namespace vallora
