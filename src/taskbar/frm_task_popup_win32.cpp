#include "taskbar/frm_task_popup_win32.h"

#include <algorithm>

#include "language/form_captions_win32.h"
#include "taskbar/frm_pass_word_countdown.h"

namespace vallora {

namespace {

constexpr int kPictureSize = 16;

// The picture (1 to 6) each item of a menu shows, by position.
constexpr std::array<int, 5> kButtonMenuPictures{6, 1, 2, 3, 4};
constexpr std::array<int, 6> kTaskBarMenuPictures{5, 5, 5, 5, 6, 2};

void Frame(HDC dc, int left, int top, int right, int bottom, bool thickTop) {
    RECT frame{left, top, right, bottom};
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (thickTop) {
        RECT bar{left, top, right, top + 3};
        FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Draws picture `number` on a 16 x 16 surface filled with the menu colour.
void DrawPicture(HDC dc, int number) {
    RECT all{0, 0, kPictureSize, kPictureSize};
    FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
    UniqueHPEN pen(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
    SelectedObject usePen(dc, pen.get());
    switch (number) {
        case 1:  // restore: two windows
            Frame(dc, 5, 2, 14, 10, true);
            Frame(dc, 2, 6, 11, 14, true);
            break;
        case 2:  // minimise: a bar at the bottom
            Line(dc, 3, 12, 13, 12);
            break;
        case 3:  // maximise: one large window
            Frame(dc, 2, 2, 14, 14, true);
            break;
        case 4:  // close: a cross
            Line(dc, 4, 4, 12, 12);
            Line(dc, 12, 4, 4, 12);
            break;
        case 5: {  // guarded: a padlock
            UniqueHBRUSH gold(CreateSolidBrush(RGB(200, 150, 0)));
            RECT body{3, 7, 13, 15};
            FillRect(dc, &body, gold.get());
            SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
            Arc(dc, 5, 1, 12, 11, 12, 7, 5, 7);
            break;
        }
        case 6: {  // terminate: a red stop sign with a bar
            UniqueHBRUSH red(CreateSolidBrush(RGB(200, 0, 0)));
            UniqueHPEN redPen(CreatePen(PS_SOLID, 1, RGB(160, 0, 0)));
            SelectedObject useBrush(dc, red.get());
            SelectedObject useRedPen(dc, redPen.get());
            Ellipse(dc, 1, 1, 15, 15);
            RECT bar{4, 7, 12, 9};
            FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            break;
        }
        default:
            break;
    }
}

}  // namespace

frmTaskPopup::frmTaskPopup(const Language& language, frmPassWord& prompt,
                           std::function<TaskContext()> context)
    : Form("frmTaskPopup"), language_(language), prompt_(prompt), context_(std::move(context)) {}

frmTaskPopup::~frmTaskPopup() = default;

bool frmTaskPopup::Load() {
    if (Hwnd()) return true;
    FormWindowSpec params;
    params.className = "ValloraTaskPopup";
    params.style = WS_POPUP;
    params.exStyle = WS_EX_TOOLWINDOW;
    params.x = 0;
    params.y = 0;
    params.width = 0;
    params.height = 0;
    if (!Create(params)) return false;
    // The menus stay out of the window: it is never shown, and the two
    // parent menus only ever appear as popups.
    menuBar_.reset(CreateMenu());
    buttonMenu_ = AddMenu(menuBar_.get(), "mnutaskPopup", "taskPopup");
    AddMenuItem(buttonMenu_, "mnuTerminateTask", "    Terminate    ");
    AddMenuItem(buttonMenu_, "mnuRestore", "    Restore    ");
    AddMenuItem(buttonMenu_, "mnuMinimize", "    Minimize    ");
    const UINT maximize = AddMenuItem(buttonMenu_, "mnuMaximize", "    Maximize    ");
    AddMenuItem(buttonMenu_, "mnuCloseTask", "    Close    ");
    EnableMenuItem(buttonMenu_, maximize, MF_BYCOMMAND | MF_GRAYED);
    taskBarMenu_ = AddMenu(menuBar_.get(), "mnuPopup", "Popup");
    AddMenuItem(taskBarMenu_, "mnuClose", "    Close Vallora");
    AddMenuItem(taskBarMenu_, "mnuLoadDesktop", "    Load Desktop");
    AddMenuItem(taskBarMenu_, "mnuShowSettings", "    Show Settings");
    AddMenuItem(taskBarMenu_, "mnuCheckLockDown", "    Check Lock-down");
    AddMenuItem(taskBarMenu_, "mnuCloseAllWindows", "    Close all Windows");
    AddMenuItem(taskBarMenu_, "mnuMiminimzeAllWindows", "    Minimize All Windows");
    RegisterControl("WindowControl", ControlKind::Other, nullptr);
    MakePictures();
    // Never shown, so never activated: the captions come from the language
    // file now, not at an activation that may never come.
    ApplyCaptions();
    return true;
}

void frmTaskPopup::ApplyCaptions() {
    FormCaptions captions(*this);
    language_.ApplyCaptions(captions);
}

void frmTaskPopup::MakePictures() {
    // Menus show item pictures at the size of a check mark: each 16 x 16
    // picture is drawn once and scaled to that size.
    const int width = std::max(1, GetSystemMetrics(SM_CXMENUCHECK));
    const int height = std::max(1, GetSystemMetrics(SM_CYMENUCHECK));
    WindowDC screen(nullptr);
    UniqueHDC source(CreateCompatibleDC(screen.get()));
    UniqueHDC target(CreateCompatibleDC(screen.get()));
    UniqueHBITMAP drawing(CreateCompatibleBitmap(screen.get(), kPictureSize, kPictureSize));
    if (!source || !target || !drawing) return;
    SelectedObject useDrawing(source.get(), drawing.get());
    SetStretchBltMode(target.get(), HALFTONE);
    for (int i = 0; i < kPictureCount; ++i) {
        DrawPicture(source.get(), i + 1);
        pictures_[i].reset(CreateCompatibleBitmap(screen.get(), width, height));
        if (!pictures_[i]) continue;
        SelectedObject use(target.get(), pictures_[i].get());
        StretchBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, kPictureSize,
                   kPictureSize, SRCCOPY);
    }
}

void frmTaskPopup::SetButtonIndex(std::int16_t index) {
    buttonIndex_ = index;
    buttonTask_ = context_ ? TakeTask(context_(), index) : TaskTarget{};
}

void frmTaskPopup::RenderButtonMenu(std::int16_t) {
    Render(buttonMenu_, kButtonMenuPictures);
    // The prompt keeps its own copy; the held process need not outlive the menu.
    buttonTask_ = {};
}

void frmTaskPopup::RenderTaskBarMenu() {
    Render(taskBarMenu_, kTaskBarMenuPictures);
}

void frmTaskPopup::Render(HMENU menu, std::span<const int> pictures) {
    if (!Load() || !menu) return;
    // Again at each opening, so that a language chosen meanwhile shows.
    ApplyCaptions();
    for (UINT position = 0; position < pictures.size(); ++position) {
        HBITMAP picture = pictures_[pictures[position] - 1].get();
        SetMenuItemBitmaps(menu, position, MF_BYPOSITION, picture, picture);
    }
    POINT at{};
    GetCursorPos(&at);
    // The owner must be in front, or the menu stays open when the user
    // clicks elsewhere.
    SetForegroundWindow(Hwnd());
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, Hwnd(), nullptr));
    PostMessageA(Hwnd(), WM_NULL, 0, 0);
    if (chosen != 0) RunMenuItem(chosen);
}

void frmTaskPopup::RunMenuItem(UINT commandId) {
    const FormControl* item = FindControlById(commandId);
    if (!item || !context_) return;
    const std::string& name = item->name;
    if (name == "mnuTerminateTask") {
        StartGuardedAction(prompt_, kActionTerminateProcess, buttonIndex_, buttonTask_);
    } else if (name == "mnuRestore") {
        RestoreTask(context_(), buttonIndex_);
    } else if (name == "mnuMinimize") {
        MinimizeTask(context_(), buttonIndex_);
    } else if (name == "mnuMaximize") {
        MaximizeTask(context_(), buttonIndex_);
    } else if (name == "mnuCloseTask") {
        CloseTask(context_(), buttonTask_);
    } else if (name == "mnuClose") {
        StartGuardedAction(prompt_, kActionClose);
    } else if (name == "mnuLoadDesktop") {
        StartGuardedAction(prompt_, kActionLaunchDesktop);
    } else if (name == "mnuShowSettings") {
        StartGuardedAction(prompt_, kActionShowSettings);
    } else if (name == "mnuCheckLockDown") {
        StartGuardedAction(prompt_, kActionCheckLockDown);
    } else if (name == "mnuCloseAllWindows") {
        CloseAllTasks(context_());
    } else if (name == "mnuMiminimzeAllWindows") {
        MinimizeAllTasks(context_());
    }
}

}  // namespace vallora
