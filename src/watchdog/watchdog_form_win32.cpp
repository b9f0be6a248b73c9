#include "watchdog/watchdog_form_win32.h"

#include "platform/window_messages.h"
#include "storage/settings.h"
#include "watchdog/session_check.h"

namespace vallora::watchdog {

namespace {

constexpr UINT_PTR kTimerSecondsId = kTimerWatchdogBase + 1;

}  // namespace

frmMain::frmMain(Settings& settings, WatchdogSystem& system, const AuditLog& audit)
    : Form("frmMain"), settings_(settings), system_(system), audit_(audit) {}

bool frmMain::Load() {
    if (!Create({.className = "ValloraRunForm", .caption = "Form1"})) return false;
    RegisterControl("TimerSeconds", ControlKind::Timer, nullptr,
                    static_cast<UINT>(kTimerSecondsId));
    return SetTimer(Hwnd(), kTimerSecondsId, kCheckIntervalMs, nullptr) != 0;
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            return OnTimer(static_cast<UINT_PTR>(wParam));
        case WM_DESTROY:
            return OnDestroy();
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT frmMain::OnTimer(UINT_PTR timerId) {
    if (timerId == kTimerSecondsId) TimerSeconds();
    return 0;
}

LRESULT frmMain::OnDestroy() {
    KillTimer(Hwnd(), kTimerSecondsId);
    PostQuitMessage(0);
    return 0;
}

void frmMain::TimerSeconds() {
    if (checking_) return;
    checking_ = true;
    // Every tick reads the record anew: a restarted session rewrites it.
    const CheckOutcome outcome = watch_.Check(settings_, system_);
    checking_ = false;
    // The restarted session starts a watchdog of its own.
    if (outcome == CheckOutcome::Restarted) {
        audit_.Record(AuditEvent::WatchdogRestart,
                      "the task bar stopped answering; the desktop is started again from " +
                          watch_.RestartedFile());
        Destroy();
    }
}

}  // namespace vallora::watchdog
