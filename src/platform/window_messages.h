#pragma once
// Private window messages and timer ids of every form, in one place so that
// no two of them collide. Messages live in the WM_APP range (0x8000-0xBFFF),
// one block of 16 per owner; add new ones to your block. Timer ids only need
// to be unique per window, but one list keeps them readable in a debugger.
// Kept free of <windows.h> so that portable code may name them too.

namespace vallora {

inline constexpr unsigned int kWmApp = 0x8000;  // WM_APP

// Message blocks.
inline constexpr unsigned int kMsgFormBase = kWmApp + 0x00;     // form framework
inline constexpr unsigned int kMsgRuntimeBase = kWmApp + 0x10;  // start-up and session
inline constexpr unsigned int kMsgEditorBase =
    kWmApp + 0x20;  // frmMain, frmAddEditAppAndLink, frmSplash
inline constexpr unsigned int kMsgPageBase = kWmApp + 0x30;  // frmIcons
inline constexpr unsigned int kMsgTaskBarBase =
    kWmApp + 0x40;  // frmTaskBar, frmTaskPopup, frmPassWord
inline constexpr unsigned int kMsgGuardBase = kWmApp + 0x50;  // frmCommonDialog, frmFunctionBlocked
inline constexpr unsigned int kMsgWatchdogBase = kWmApp + 0x60;  // ValloraRun
inline constexpr unsigned int kMsgTestBase = kWmApp + 0x70;      // test drivers

// Timer id blocks (per window; ids start at 1 because 0 means "no timer").
inline constexpr unsigned int kTimerRuntimeBase = 0x10;
inline constexpr unsigned int kTimerEditorBase = 0x20;
inline constexpr unsigned int kTimerPageBase = 0x30;
inline constexpr unsigned int kTimerTaskBarBase = 0x40;
inline constexpr unsigned int kTimerGuardBase = 0x50;
inline constexpr unsigned int kTimerWatchdogBase = 0x60;
inline constexpr unsigned int kTimerTestBase = 0x70;

// frmSplash
inline constexpr unsigned int kTimerSplashClose = kTimerEditorBase + 0;
// frmTaskBar: Timer, Timer100Msecs, TimerMilliseconds; frmPassWord: Timer
inline constexpr unsigned int kTimerTaskBarMain = kTimerTaskBarBase + 0;
inline constexpr unsigned int kTimerTaskBarGuard = kTimerTaskBarBase + 1;
inline constexpr unsigned int kTimerTaskBarBottomKeeper = kTimerTaskBarBase + 2;
inline constexpr unsigned int kTimerPassWordCountdown = kTimerTaskBarBase + 3;

}  // namespace vallora
