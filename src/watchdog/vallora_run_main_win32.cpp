// ValloraRun: restarts the desktop session when its task bar stops answering.
#include <windows.h>

#include "platform/library_search_win32.h"
#include "platform/system_event_log_win32.h"
#include "platform/system_storage_win32.h"
#include "platform/win32_handles_win32.h"
#include "watchdog/watchdog_form_win32.h"
#include "watchdog/watchdog_system_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace vallora;
    LimitLibrarySearch();
    // One watchdog per session: a second one ends at once. A mutex held in
    // another security context reports access denied, which also means taken.
    UniqueKernelHandle instance(CreateMutexA(nullptr, FALSE, "ValloraRun.SingleInstance"));
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) return 0;

    SystemStorage storage;
    Win32WatchdogSystem system(RunningProgramFolder());
    Win32SystemEventLog events;
    const AuditLog audit(events);
    watchdog::frmMain form(storage.settings, system, audit);
    if (!form.Load()) return 1;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
