#include "editor/frm_splash_win32.h"

#include <shellapi.h>

#include "platform/fonts_win32.h"
#include "platform/window_messages.h"
#include "platform/window_port_win32.h"
#include "taskbar/window_operations_win32.h"

namespace vallora {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 240;
constexpr COLORREF kTop = RGB(24, 62, 140);
constexpr COLORREF kBottom = RGB(72, 182, 234);
constexpr COLORREF kLabelColor = RGB(255, 255, 255);

}  // namespace

frmSplash::frmSplash(std::string versionText)
    : Form("frmSplash"), versionText_(std::move(versionText)) {}

frmSplash::~frmSplash() = default;

bool frmSplash::Load(HWND owner) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    background_.reset(CreateSolidBrush(kTop));
    FormWindowSpec params;
    params.className = "ValloraSplash";
    params.caption = "Vallora";
    params.style = WS_POPUP | WS_BORDER;
    params.exStyle = WS_EX_TOOLWINDOW;
    params.x = work.left + (work.right - work.left - kWidth) / 2;
    params.y = work.top + (work.bottom - work.top - kHeight) / 2;
    params.width = kWidth;
    params.height = kHeight;
    params.owner = owner;
    params.background = nullptr;  // the picture fills the window
    if (!Create(params)) return false;
    titleFont_ = MakeFont("Arial Black", 44, FW_HEAVY);
    labelFont_ = MakeFont("Arial Black", 13, FW_HEAVY);
    HWND info = AddControl({.name = "lblInfo",
                            .kind = ControlKind::Label,
                            .x = 24,
                            .y = 150,
                            .width = kWidth - 48,
                            .height = 22,
                            .caption = "Info"});
    HWND url = AddControl({.name = "lblURL",
                           .kind = ControlKind::Label,
                           .x = 24,
                           .y = 200,
                           .width = kWidth - 48,
                           .height = 20,
                           .caption = kSplashAddress});
    for (HWND label : {info, url}) {
        if (label && labelFont_) {
            SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
        }
    }
    RegisterControl("TimerClose", ControlKind::Timer, nullptr);
    Initialize();
    // The close timer starts anew once the window has loaded.
    SetTimer(Hwnd(), kTimerSplashClose, kSplashCloseMs, nullptr);
    return true;
}

void frmSplash::Initialize() {
    SetCaption("lblInfo", versionText_);
    ProcessPendingMessages();
}

void frmSplash::ShowSplash(HWND owner) {
    owner_ = owner;
    if (!Load(owner)) return;
    ShowModal(owner);
    Destroy();
}

void frmSplash::CloseSplash() {
    if (!Hwnd()) return;
    KillTimer(Hwnd(), kTimerSplashClose);
    // Unloading takes the window off the screen at once and ends the modal
    // show; hiding it first can keep some window systems waiting for seconds.
    if (owner_) EnableWindow(owner_, TRUE);
    Destroy();
}

void frmSplash::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    RECT client{};
    GetClientRect(Hwnd(), &client);
    // A vertical gradient from deep blue to the desktop's sky blue.
    for (int y = 0; y < client.bottom; y += 4) {
        const int share = client.bottom > 0 ? y * 255 / client.bottom : 0;
        const auto mix = [share](int top, int bottom) {
            return static_cast<BYTE>(top + (bottom - top) * share / 255);
        };
        UniqueHBRUSH band(CreateSolidBrush(RGB(mix(GetRValue(kTop), GetRValue(kBottom)),
                                               mix(GetGValue(kTop), GetGValue(kBottom)),
                                               mix(GetBValue(kTop), GetBValue(kBottom)))));
        RECT strip{0, y, client.right, y + 4};
        FillRect(dc, &strip, band.get());
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabelColor);
    if (titleFont_) {
        SelectedObject useFont(dc, titleFont_.get());
        RECT title{24, 40, client.right - 24, 120};
        DrawTextA(dc, "Vallora", -1, &title, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    }
    EndPaint(Hwnd(), &ps);
}

LRESULT frmSplash::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CTLCOLORSTATIC: {
            // Labels draw on the picture with no box of their own.
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, kLabelColor);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) SetTopMost(Hwnd(), true);
            return Form::HandleMessage(msg, wParam, lParam);
        case WM_TIMER:
            if (wParam == kTimerSplashClose) CloseSplash();
            return 0;
        case WM_LBUTTONUP:
            CloseSplash();
            return 0;
        case WM_KEYUP:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) CloseSplash();
            return 0;
        case WM_COMMAND:
            // The web address is plain text: in a desktop session nothing
            // may open a browser past the restrictions. A click on it closes
            // the window like a click anywhere else.
            if (HIWORD(wParam) == STN_CLICKED) CloseSplash();
            return 0;
        case WM_CLOSE:
            CloseSplash();
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace vallora
