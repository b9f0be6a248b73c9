#include "taskbar/frm_task_bar_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>

#include "language/form_captions_win32.h"
#include "platform/twips.h"
#include "platform/window_messages.h"
#include "platform/window_port_win32.h"
#include "taskbar/frm_program_icon_win32.h"
#include "taskbar/process_operations_win32.h"
#include "taskbar/window_operations.h"
#include "taskbar/window_operations_win32.h"

namespace vallora {

namespace {

constexpr int kLogoSizePixels = 16;
// Control ids of the task buttons made at run time; button 0 is the form's own.
constexpr UINT kFirstRunTimeButtonId = 0x4000;
constexpr UINT kMainTickMs = 1000;
constexpr UINT kGuardTickMs = 100;
constexpr UINT kBottomKeeperTickMs = 10;
constexpr UINT kMsgKeepPageDown = kMsgTaskBarBase + 8;
constexpr const char* kTaskBarClass = "ValloraTaskBar";

// The event arrives on the bar's own thread; the bar is that thread's window
// of the bar's class.
BOOL CALLBACK PostToTaskBar(HWND window, LPARAM) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string_view(name) != kTaskBarClass) return TRUE;
    PostMessageA(window, kMsgKeepPageDown, 0, 0);
    return FALSE;
}

void CALLBACK OnForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), PostToTaskBar, 0);
}

std::string LongTime(const SYSTEMTIME* time) {
    char text[128] = {};
    const int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, time, nullptr, text, sizeof(text));
    return length > 0 ? std::string(text) : std::string();
}

std::string LongDate() {
    char text[128] = {};
    const int length =
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, text, sizeof(text));
    return length > 0 ? std::string(text) : std::string();
}

// Paints into a memory surface and copies it in one step, so that faces and
// the clock never flicker.
class BufferedPaint {
  public:
    BufferedPaint(HDC target, const RECT& area)
        : target_(target),
          area_(area),
          dc_(CreateCompatibleDC(target)),
          bitmap_(CreateCompatibleBitmap(target, std::max<LONG>(1, area.right - area.left),
                                         std::max<LONG>(1, area.bottom - area.top))),
          select_(dc_.get(), bitmap_.get()) {
        SetViewportOrgEx(dc_.get(), -area.left, -area.top, nullptr);
    }
    ~BufferedPaint() {
        BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
               dc_.get(), area_.left, area_.top, SRCCOPY);
    }
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    HDC dc() const { return dc_.get(); }

  private:
    HDC target_;
    RECT area_;
    UniqueHDC dc_;
    UniqueHBITMAP bitmap_;
    SelectedObject select_;
};

}  // namespace

std::unique_ptr<CTaskList> CreateTaskList(WindowPort& windows) {
    auto tasks = std::make_unique<CTaskList>(windows);
    tasks->SetMode(0);
    tasks->SetHungTimeout(CTaskList::kDefaultHungTimeout);
    return tasks;
}

frmTaskBar::frmTaskBar(TaskBarSession& session, const Language& language, CTaskList& tasks,
                       WindowPort& windows, TaskProcessPort& processes)
    : Form("frmTaskBar"),
      session_(session),
      language_(language),
      tasks_(tasks),
      windows_(windows),
      processes_(processes),
      programFiles_(processes),
      password_(
          session, language, [this](const TaskTarget& task) { TerminateTask(Context(), task); },
          [this] { return Hwnd(); }),
      popup_(language, password_, [this] { return Context(); }),
      idleReset_(session, language) {}

frmTaskBar::~frmTaskBar() = default;

TaskContext frmTaskBar::Context() {
    return TaskContext{windows_, processes_, table_, ToWindowId(Hwnd())};
}

bool frmTaskBar::Load() {
    if (Hwnd()) return true;
    twipsPerPixelX_ = TwipsPerPixelX();
    twipsPerPixelY_ = TwipsPerPixelY();
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    FormWindowSpec params;
    params.className = kTaskBarClass;
    params.caption = "Vallora";
    // A dialog frame without a caption, and a tool window: no title bar and
    // no button in the system's own task bar.
    params.style = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
    params.exStyle = WS_EX_TOOLWINDOW;
    params.x = 0;
    params.y = 0;
    params.width = 0;
    params.height = 0;
    if (!Create(params)) return false;

    HWND first = AddControl(
        {.name = "cmdTask", .kind = ControlKind::Button, .style = BS_OWNERDRAW | WS_CLIPSIBLINGS});
    if (first) ShowWindow(first, SW_HIDE);
    buttons_.push_back({.hwnd = first});
    sysTray_ = AddControl({.name = "SysTray",
                           .kind = ControlKind::PictureBox,
                           .style = SS_OWNERDRAW | WS_CLIPSIBLINGS});
    picLogo_ = AddControl({.name = "PicLogo",
                           .kind = ControlKind::PictureBox,
                           .width = kLogoSizePixels,
                           .height = kLogoSizePixels,
                           .style = SS_ICON | SS_REALSIZECONTROL});
    if (picLogo_) {
        SendMessageA(picLogo_, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon(kLogoSizePixels)),
                     0);
        // In front of the tray it lies in.
        SetWindowPos(picLogo_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    RegisterControl("PicIcon", ControlKind::PictureBox, nullptr);
    RegisterControl("Timer", ControlKind::Timer, nullptr);
    RegisterControl("Timer100Msecs", ControlKind::Timer, nullptr);
    RegisterControl("TimerMilliseconds", ControlKind::Timer, nullptr);

    // Not owned by the bar: an owned topmost tooltip keeps the bar itself
    // from staying on top on some systems.
    toolTip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
    for (HWND tool : {sysTray_, picLogo_}) {
        if (!toolTip_ || !tool) continue;
        TOOLINFOA info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = Hwnd();
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        std::string text = tool == picLogo_ ? "Show Desktop" : "";
        info.lpszText = text.data();
        SendMessageA(toolTip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }

    Initialize();
    // The main tick starts at the next full second so that the clock turns
    // with the seconds; later ticks come every second.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SetTimer(Hwnd(), kTimerTaskBarMain, std::max<UINT>(1, kMainTickMs - now.wMilliseconds),
             nullptr);
    SetTimer(Hwnd(), kTimerTaskBarGuard, kGuardTickMs, nullptr);
    // With the foreground watched, the guard's tick backs up the event and the
    // keeper needs no timer of its own: a hundred wake-ups a second were the
    // bar's largest idle cost.
    keeperOnGuardTick_ = WatchForegroundChanges();
    if (!keeperOnGuardTick_) {
        SetTimer(Hwnd(), kTimerTaskBarBottomKeeper, kBottomKeeperTickMs, nullptr);
    }
    return true;
}

void frmTaskBar::Initialize() {
    session_.ReserveWorkArea();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(Hwnd(), nullptr, 0, screenHeight - kTaskBarHeightPixels, screenWidth,
                 kTaskBarHeightPixels, SWP_NOZORDER | SWP_NOACTIVATE);
    formWidth_ = PixelsToTwips(screenWidth, twipsPerPixelX_);

    SYSTEMTIME midnight{};
    midnight.wYear = 2000;
    midnight.wMonth = 1;
    midnight.wDay = 1;
    trayWidth_ = TrayWidth(PixelsToTwips(kLogoSizePixels, twipsPerPixelX_),
                           TextWidthTwips(LongTime(&midnight)));

    session_.ApplyComputerSecurity();
    SetProcessPriority(0, Hwnd(), HIGH_PRIORITY_CLASS);
    SetTopMost(Hwnd(), true);
    popup_.Load();
}

void frmTaskBar::Show() {
    if (Hwnd()) ShowWindow(Hwnd(), SW_SHOW);
}

int frmTaskBar::TextWidthTwips(const std::string& text) const {
    WindowDC screen(Hwnd());
    if (!screen) return 0;
    SelectedObject useFont(screen.get(), font_);
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), text.data(), static_cast<int>(text.size()), &size);
    return PixelsToTwips(size.cx, twipsPerPixelX_);
}

void frmTaskBar::RefreshTaskBar() {
    if (!Load()) return;
    tasks_.Refresh();
    const std::int32_t count = tasks_.Count();
    const std::int32_t comparison = table_.rebuildCounter >= 1 ? table_.TaskCount() + 1 : count;
    if (comparison != table_.TaskCount()) {
        std::vector<std::pair<std::uint32_t, WindowId>> owners;
        for (std::int32_t position = 1; position <= count; ++position) {
            owners.emplace_back(tasks_.ProcessID(position), tasks_.hwnd(position));
        }
        programFiles_.Keep(owners);
        RebuildTaskTable(table_, tasks_, programFiles_);
        LayoutTray();
        DrawTaskButtons();
        table_.rebuildCounter = 0;
    }
    SetSWChecked(true);
    for (std::size_t i = 0; i < table_.records.size() && i < buttons_.size(); ++i) {
        SetPressed(i, windows_.Foreground() == table_.records[i].window);
    }
    SetSWChecked(false);
    table_.rebuildCounter += 1;
}

void frmTaskBar::LayoutTray() {
    const int left = TwipsToPixels(TrayLeft(formWidth_, trayWidth_), twipsPerPixelX_);
    const int width = TwipsToPixels(trayWidth_, twipsPerPixelX_);
    if (sysTray_) {
        SetWindowPos(sysTray_, nullptr, left, 0, width, kTaskButtonHeightPixels,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (picLogo_) {
        SetWindowPos(picLogo_, HWND_TOP, left + kLogoSizePixels,
                     (kTaskButtonHeightPixels - kLogoSizePixels) / 2, kLogoSizePixels,
                     kLogoSizePixels, SWP_NOACTIVATE);
    }
    UpdateClock();
}

void frmTaskBar::UpdateClock() {
    const std::string time = LongTime(nullptr);
    if (time != clockText_) {
        clockText_ = time;
        if (sysTray_) InvalidateRect(sysTray_, nullptr, FALSE);
    }
    const std::string date = LongDate();
    if (date != dateText_ && toolTip_ && sysTray_) {
        dateText_ = date;
        TOOLINFOA info{};
        info.cbSize = sizeof(info);
        info.hwnd = Hwnd();
        info.uId = reinterpret_cast<UINT_PTR>(sysTray_);
        info.lpszText = dateText_.data();
        SendMessageA(toolTip_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

HWND frmTaskBar::CreateTaskButton(std::size_t index) {
    HWND button = CreateWindowExA(
        0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW | WS_CLIPSIBLINGS, 0, 0, 0, 0, Hwnd(),
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kFirstRunTimeButtonId + index)),
        GetModuleHandleA(nullptr), nullptr);
    if (button) SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return button;
}

void frmTaskBar::DrawTaskButtons() {
    const std::size_t n = table_.records.size();
    // Buttons beyond the table go: run-time ones are destroyed, button 0 is hidden.
    while (buttons_.size() > std::max<std::size_t>(n, 1)) {
        if (buttons_.back().hwnd) DestroyWindow(buttons_.back().hwnd);
        buttons_.pop_back();
    }
    if (n == 0) {
        if (buttons_[0].hwnd && buttons_[0].visible) ShowWindow(buttons_[0].hwnd, SW_HIDE);
        buttons_[0].visible = false;
        return;
    }
    const int width = TaskButtonWidth(formWidth_, trayWidth_, static_cast<int>(n));
    std::vector<bool> ownWindow(n);
    for (std::size_t i = 0; i < n; ++i) {
        ownWindow[i] = table_.records[i].window == ToWindowId(Hwnd());
    }
    const std::vector<TaskButtonPlace> places = TaskButtonPlaces(width, ownWindow);
    const int space = TitleSpace(width, twipsPerPixelX_);

    WindowDC screen(Hwnd());
    SelectedObject useFont(screen.get(), font_);
    const auto measure = [&](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(screen.get(), text.data(), static_cast<int>(text.size()), &size);
        return PixelsToTwips(size.cx, twipsPerPixelX_);
    };

    // Only what changed is moved or redrawn, so an unchanged bar stays still.
    HDWP moves = BeginDeferWindowPos(static_cast<int>(n));
    std::vector<HWND> stale;
    for (std::size_t i = 0; i < n; ++i) {
        if (i >= buttons_.size()) buttons_.push_back({.hwnd = CreateTaskButton(i)});
        TaskButton& button = buttons_[i];
        const TaskRecord& record = table_.records[i];
        bool redraw = false;
        if (record.title != button.title || space != button.titleSpace || button.face.empty()) {
            std::string face = FitTitle(record.title, space, measure);
            redraw = redraw || face != button.face;
            button.face = std::move(face);
            button.title = record.title;
            button.titleSpace = space;
        }
        const IconId icon = record.smallIcon ? record.smallIcon : record.largeIcon;
        redraw = redraw || icon != button.icon;
        button.icon = icon;
        const TaskButtonPlace& place = places[i];
        const bool moved = place.left != button.place.left || place.width != button.place.width ||
                           place.visible != button.visible;
        if (moved && button.hwnd) {
            const UINT show = place.visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
            const int x = TwipsToPixels(place.left, twipsPerPixelX_);
            const int w = std::max(0, TwipsToPixels(place.width, twipsPerPixelX_));
            if (moves) {
                moves =
                    DeferWindowPos(moves, button.hwnd, nullptr, x, 0, w, kTaskButtonHeightPixels,
                                   SWP_NOZORDER | SWP_NOACTIVATE | show);
            } else {
                SetWindowPos(button.hwnd, nullptr, x, 0, w, kTaskButtonHeightPixels,
                             SWP_NOZORDER | SWP_NOACTIVATE | show);
            }
        }
        button.place = place;
        button.visible = place.visible;
        if (redraw && button.hwnd) stale.push_back(button.hwnd);
    }
    if (moves) EndDeferWindowPos(moves);
    for (HWND button : stale) InvalidateRect(button, nullptr, FALSE);
}

void frmTaskBar::SetPressed(std::size_t index, bool pressed) {
    if (index >= buttons_.size()) return;
    TaskButton& button = buttons_[index];
    if (button.pressed == pressed) return;
    button.pressed = pressed;
    if (button.hwnd) InvalidateRect(button.hwnd, nullptr, FALSE);
}

void frmTaskBar::UncheckAll(std::int16_t index) {
    SetSWChecked(true);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (static_cast<std::int16_t>(i) != index) SetPressed(i, false);
    }
    SetSWChecked(false);
    ProcessPendingMessages();
}

std::vector<TaskButtonView> frmTaskBar::Buttons() const {
    std::vector<TaskButtonView> views;
    for (const TaskButton& button : buttons_) {
        TaskButtonView view{button.hwnd, button.visible, button.pressed, button.face, {}};
        if (button.hwnd) {
            GetWindowRect(button.hwnd, &view.place);
            MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&view.place), 2);
        }
        views.push_back(std::move(view));
    }
    return views;
}

void frmTaskBar::MainTick() {
    session_.RestartPageIfGone();
    RefreshTaskBar();
    UpdateClock();
    session_.SetBrowserStartPage();
    idleReset_.Tick(Context());
}

bool frmTaskBar::IsAtBottom(WindowId window) {
    for (WindowId below = windows_.NextWindow(window); below != 0;
         below = windows_.NextWindow(below)) {
        if (windows_.IsVisible(below)) return false;
    }
    return true;
}

void frmTaskBar::KeepPageAtBottom() {
    const WindowId page = session_.PageWindow();
    // Sending to the bottom lets messages run, and with them this tick again.
    if (keepingPageDown_) return;
    // A new page window is drawn over everything when it appears, also over
    // the bar on window systems that restack only on a raise.
    if (page != 0 && page != lastPage_) {
        lastPage_ = page;
        RaiseOverPage();
    }
    if (page == 0 || windows_.Foreground() != page) {
        pageWasForeground_ = false;
        return;
    }
    // The page stays the foreground window at the bottom; once it is there,
    // sending it down again would change nothing.
    if (pageWasForeground_ && IsAtBottom(page)) return;
    pageWasForeground_ = true;
    keepingPageDown_ = true;
    SendToBottom(windows_, page);
    RaiseOverPage();
    keepingPageDown_ = false;
}

bool frmTaskBar::WatchForegroundChanges() {
    foregroundHook_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                          OnForegroundChanged, 0, 0,
                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    return static_cast<bool>(foregroundHook_);
}

void frmTaskBar::RaiseOverPage() {
    // The bar leaves the topmost band for a moment and comes back on top of
    // it: a real move up, which every window system shows.
    constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, kKeep);
}

void frmTaskBar::OnButtonClick(std::size_t index) {
    if (switching_ || index >= buttons_.size()) return;
    const bool pressed = !buttons_[index].pressed;
    SetPressed(index, pressed);
    ProcessPendingMessages();
    ToggleTask(Context(), static_cast<std::int16_t>(index), pressed);
    ProcessPendingMessages();
    UncheckAll(static_cast<std::int16_t>(index));
}

LRESULT frmTaskBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            return OnTimer(wParam);
        case kMsgKeepPageDown:
            KeepPageAtBottom();
            return 0;
        case WM_CONTEXTMENU:
            return OnContextMenu(reinterpret_cast<HWND>(wParam));
        case WM_DRAWITEM:
            return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                FormCaptions captions(*this);
                language_.ApplyCaptions(captions);
                SetTopMost(Hwnd(), true);
            }
            return Form::HandleMessage(msg, wParam, lParam);
        // The bar ends only with the session, never by a close request.
        case WM_CLOSE:
            return 0;
        // Log-off and shut-down end the process without the password: the
        // restrictions are reset first, so no other account inherits them.
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) session_.EndForWindowsLogOff();
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT frmTaskBar::OnCommand(UINT, UINT code, HWND control) {
    if (!control) return 0;
    if (control == picLogo_) {
        if (code == STN_CLICKED) MinimizeAllTasks(Context());
        if (code == STN_DBLCLK) session_.ShowAbout(ToWindowId(Hwnd()));
        return 0;
    }
    if (code != BN_CLICKED) return 0;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].hwnd == control) {
            OnButtonClick(i);
            break;
        }
    }
    return 0;
}

LRESULT frmTaskBar::OnTimer(UINT_PTR id) {
    switch (id) {
        case kTimerTaskBarMain:
            if (!mainTimerAligned_) {
                mainTimerAligned_ = true;
                SetTimer(Hwnd(), kTimerTaskBarMain, kMainTickMs, nullptr);
            }
            MainTick();
            return 0;
        case kTimerTaskBarGuard:
            session_.WatchDialogs();
            if (keeperOnGuardTick_) KeepPageAtBottom();
            return 0;
        case kTimerTaskBarBottomKeeper:
            KeepPageAtBottom();
            return 0;
        default:
            return 0;
    }
}

LRESULT frmTaskBar::OnContextMenu(HWND source) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].hwnd == source) {
            popup_.SetButtonIndex(static_cast<std::int16_t>(i));
            popup_.RenderButtonMenu(static_cast<std::int16_t>(i));
            return 0;
        }
    }
    if (source == Hwnd() || source == sysTray_ || source == picLogo_) popup_.RenderTaskBarMenu();
    return 0;
}

LRESULT frmTaskBar::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == sysTray_) {
        DrawTray(item);
        return TRUE;
    }
    for (const TaskButton& button : buttons_) {
        if (button.hwnd == item.hwndItem) {
            DrawButtonFace(item, button);
            return TRUE;
        }
    }
    return FALSE;
}

void frmTaskBar::DrawButtonFace(const DRAWITEMSTRUCT& item, const TaskButton& button) {
    BufferedPaint paint(item.hDC, item.rcItem);
    HDC dc = paint.dc();
    RECT area = item.rcItem;
    const bool down = button.pressed || (item.itemState & ODS_SELECTED);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (button.pressed) {
        // A pressed task shows a lighter face, like a checked push button.
        RECT inner = area;
        InflateRect(&inner, -2, -2);
        FillRect(dc, &inner, GetSysColorBrush(COLOR_3DLIGHT));
    }
    DrawEdge(dc, &area, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int shift = down ? 1 : 0;
    if (button.icon) {
        DrawIconEx(dc, area.left + kFaceIconLeftPixels + shift,
                   area.top + kFaceIconTopPixels + shift, ToHicon(button.icon), kFaceIconSizePixels,
                   kFaceIconSizePixels, 0, nullptr, DI_NORMAL);
    }
    SelectedObject useFont(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SIZE size{};
    GetTextExtentPoint32A(dc, button.face.data(), static_cast<int>(button.face.size()), &size);
    const int height = area.bottom - area.top;
    RECT text{area.left + kFaceTitleLeftPixels + shift, area.top, area.right - 2, area.bottom};
    ExtTextOutA(dc, text.left, area.top + height / 2 - size.cy / 2 + shift, ETO_CLIPPED, &text,
                button.face.data(), static_cast<UINT>(button.face.size()), nullptr);
}

void frmTaskBar::DrawTray(const DRAWITEMSTRUCT& item) {
    BufferedPaint paint(item.hDC, item.rcItem);
    HDC dc = paint.dc();
    RECT area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
    SelectedObject useFont(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SIZE size{};
    GetTextExtentPoint32A(dc, clockText_.data(), static_cast<int>(clockText_.size()), &size);
    const ClockPlace place = ClockPosition(
        trayWidth_, PixelsToTwips(kTaskButtonHeightPixels, twipsPerPixelY_),
        PixelsToTwips(size.cx, twipsPerPixelX_), PixelsToTwips(size.cy, twipsPerPixelY_));
    TextOutA(dc, area.left + TwipsToPixels(place.x, twipsPerPixelX_),
             area.top + TwipsToPixels(place.y, twipsPerPixelY_), clockText_.data(),
             static_cast<int>(clockText_.size()));
}

}  // namespace vallora
