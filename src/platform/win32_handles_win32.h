#pragma once
// Owners for the Win32 handles the programs create, and two scope guards for
// device contexts. Header-only so that every Win32 module can use them.
#include <windows.h>

#include "platform/unique_handle.h"

namespace vallora {

namespace handle_deleters {

struct RegKey {
    void operator()(HKEY key) const noexcept { RegCloseKey(key); }
};
// Kernel objects that report failure as NULL (processes, threads, events).
struct Kernel {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
// Kernel objects that report failure as INVALID_HANDLE_VALUE (CreateFile,
// CreateToolhelp32Snapshot).
struct File {
    static HANDLE Null() noexcept { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
struct Find {
    static HANDLE Null() noexcept { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const noexcept { FindClose(handle); }
};
struct Icon {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
template <typename T>
struct GdiObject {
    void operator()(T object) const noexcept { DeleteObject(object); }
};
struct MemoryDC {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
struct Menu {
    void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
struct Window {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
struct Module {
    void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
struct Global {
    void operator()(HGLOBAL memory) const noexcept { GlobalFree(memory); }
};
struct WinEventHook {
    void operator()(HWINEVENTHOOK hook) const noexcept { UnhookWinEvent(hook); }
};
struct EventSource {
    void operator()(HANDLE source) const noexcept { DeregisterEventSource(source); }
};

}  // namespace handle_deleters

using UniqueHKEY = UniqueHandle<HKEY, handle_deleters::RegKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, handle_deleters::Kernel>;
using UniqueFileHandle = UniqueHandle<HANDLE, handle_deleters::File>;
using UniqueFindHandle = UniqueHandle<HANDLE, handle_deleters::Find>;
using UniqueHICON = UniqueHandle<HICON, handle_deleters::Icon>;
using UniqueHBITMAP = UniqueHandle<HBITMAP, handle_deleters::GdiObject<HBITMAP>>;
using UniqueHFONT = UniqueHandle<HFONT, handle_deleters::GdiObject<HFONT>>;
using UniqueHBRUSH = UniqueHandle<HBRUSH, handle_deleters::GdiObject<HBRUSH>>;
using UniqueHPEN = UniqueHandle<HPEN, handle_deleters::GdiObject<HPEN>>;
using UniqueHRGN = UniqueHandle<HRGN, handle_deleters::GdiObject<HRGN>>;
// A device context from CreateCompatibleDC or CreateDC (released with DeleteDC).
using UniqueHDC = UniqueHandle<HDC, handle_deleters::MemoryDC>;
using UniqueHMENU = UniqueHandle<HMENU, handle_deleters::Menu>;
using UniqueHWND = UniqueHandle<HWND, handle_deleters::Window>;
using UniqueHMODULE = UniqueHandle<HMODULE, handle_deleters::Module>;
using UniqueHGLOBAL = UniqueHandle<HGLOBAL, handle_deleters::Global>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, handle_deleters::WinEventHook>;
using UniqueEventSource = UniqueHandle<HANDLE, handle_deleters::EventSource>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDC {
  public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and selects the previous one back
// when the scope ends, so the object can be deleted afterwards.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    explicit operator bool() const noexcept { return previous_ && previous_ != HGDI_ERROR; }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace vallora
