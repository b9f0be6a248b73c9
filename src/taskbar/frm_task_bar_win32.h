#pragma once
// frmTaskBar: the desktop session's task bar, a strip 30 pixels high along
// the bottom of the screen, always on top: one toggle button per task on the
// left, the tray with the logo and the clock on the right. Its three timers
// drive the session: once a second the page check, the task buttons, the
// clock and the browser start page; every 100 ms the dialog guard; every
// 10 ms the desktop page is kept at the bottom.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "language/language.h"
#include "platform/form_win32.h"
#include "platform/win32_handles_win32.h"
#include "platform/window_port.h"
#include "taskbar/frm_pass_word_win32.h"
#include "taskbar/frm_task_bar_layout.h"
#include "taskbar/frm_task_bar_program_files.h"
#include "taskbar/frm_task_bar_session.h"
#include "taskbar/frm_task_popup_win32.h"
#include "taskbar/idle_reset_win32.h"
#include "taskbar/task_list.h"
#include "taskbar/task_operations.h"
#include "taskbar/task_process_port.h"
#include "taskbar/task_table.h"

namespace vallora {

// Create task list: the one task list of a desktop session, with the task
// bar's rule (mode 0) and a hung timeout of 500 ms.
std::unique_ptr<CTaskList> CreateTaskList(WindowPort& windows);

// How a task button looks at the moment (for tests and screenshots).
struct TaskButtonView {
    HWND hwnd = nullptr;
    bool visible = false;
    bool pressed = false;
    std::string face;  // the fitted title
    RECT place{};      // in the bar's client area, pixels
};

class frmTaskBar : public Form {
  public:
    frmTaskBar(TaskBarSession& session, const Language& language, CTaskList& tasks,
               WindowPort& windows, TaskProcessPort& processes);
    ~frmTaskBar() override;

    // Sizes and places the bar and prepares the session; runs when the form loads.
    void Initialize();
    // While set, clicks on task buttons are ignored.
    void SetSWChecked(bool flag) { switching_ = flag; }
    // Releases every task button except the one with the given index.
    void UncheckAll(std::int16_t index);

    // Refresh task bar: loads the form on first use, refreshes the task list
    // and, when needed, the task table and the buttons.
    void RefreshTaskBar();
    // Shows the loaded bar, not modally.
    void Show();

    // What the task operations act on: the current task table and this bar.
    TaskContext Context();
    const TaskTable& Table() const { return table_; }
    frmTaskPopup& Popup() { return popup_; }
    frmPassWord& PassWord() { return password_; }

    std::vector<TaskButtonView> Buttons() const;
    std::string ClockText() const { return clockText_; }
    std::string DateText() const { return dateText_; }
    // Tray width and left edge, twips.
    int TrayWidthTwips() const { return trayWidth_; }
    HWND SysTray() const { return sysTray_; }
    HWND PicLogo() const { return picLogo_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    struct TaskButton {
        HWND hwnd = nullptr;
        bool pressed = false;
        bool visible = false;
        std::string title{};  // the record's title the face was fitted from
        int titleSpace = 0;
        std::string face{};
        IconId icon = 0;
        TaskButtonPlace place{};
    };

    bool Load();
    void LayoutTray();
    void DrawTaskButtons();
    void UpdateClock();
    void SetPressed(std::size_t index, bool pressed);
    HWND CreateTaskButton(std::size_t index);
    void MainTick();
    void KeepPageAtBottom();
    // Runs the bottom keeper as soon as any window comes to the front, so
    // that its timer can tick slowly.
    bool WatchForegroundChanges();
    // Puts the bar back over a page that may have been drawn over it.
    void RaiseOverPage();
    // No visible top-level window lies below it.
    bool IsAtBottom(WindowId window);
    int TextWidthTwips(const std::string& text) const;

    LRESULT OnCommand(UINT id, UINT code, HWND control);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnContextMenu(HWND source);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnButtonClick(std::size_t index);
    void DrawButtonFace(const DRAWITEMSTRUCT& item, const TaskButton& button);
    void DrawTray(const DRAWITEMSTRUCT& item);

    TaskBarSession& session_;
    const Language& language_;
    CTaskList& tasks_;
    WindowPort& windows_;
    TaskProcessPort& processes_;
    ProgramFileCache programFiles_;
    UniqueWinEventHook foregroundHook_;
    bool keeperOnGuardTick_ = false;
    frmPassWord password_;
    frmTaskPopup popup_;
    IdleResetter idleReset_;

    TaskTable table_;
    std::vector<TaskButton> buttons_;
    bool switching_ = false;
    bool keepingPageDown_ = false;
    bool pageWasForeground_ = false;
    WindowId lastPage_ = 0;
    bool mainTimerAligned_ = false;
    int twipsPerPixelX_ = 15;
    int twipsPerPixelY_ = 15;
    int formWidth_ = 0;  // twips
    int trayWidth_ = 0;  // twips
    HWND sysTray_ = nullptr;
    HWND picLogo_ = nullptr;
    UniqueHWND toolTip_;
    HFONT font_ = nullptr;  // a stock font
    std::string clockText_;
    std::string dateText_;
};

}  // namespace vallora
