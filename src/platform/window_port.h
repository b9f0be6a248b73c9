#pragma once
// The window system as the portable core sees it: top-level windows in
// Z-order, their properties, messages sent with a time limit, and the few
// operations the task bar performs on them. Windows and icons are opaque ids
// owned by the system; the core never creates or destroys them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vallora {

// A window handle as a number; 0 is no window.
using WindowId = std::uintptr_t;
// An icon handle as a number; 0 is no icon. Icons reached through this port
// are borrowed from windows, classes or the system and are never destroyed.
using IconId = std::uintptr_t;

// Extended-style bit of a tool window (floating toolbar, hidden helper window).
inline constexpr std::uint32_t kExStyleToolWindow = 0x80;

enum class IconSize { Small, Big };
enum class SystemIcon { Application, WinLogo };
enum class ShowCommand { Restore, Minimize, Maximize };
enum class ZOrder { TopMost, NoTopMost, Bottom };
enum class PostedMessage { Activate, Close };

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const ScreenRect&) const = default;
};

class WindowPort {
  public:
    virtual ~WindowPort() = default;

    // Z-order walk over the top-level windows, top first; 0 ends the walk.
    virtual WindowId TopWindow() = 0;
    virtual WindowId NextWindow(WindowId window) = 0;

    virtual bool Exists(WindowId window) = 0;
    virtual bool IsVisible(WindowId window) = 0;
    virtual bool IsMinimized(WindowId window) = 0;
    // The system's parent query: the parent of a child window and, for an
    // owned top-level popup, its owner; 0 for other top-level windows.
    virtual WindowId Parent(WindowId window) = 0;
    // The owner of a top-level window; 0 when it has none.
    virtual WindowId Owner(WindowId window) = 0;
    // Extended style bits; 0 for window 0.
    virtual std::uint32_t ExtendedStyle(WindowId window) = 0;
    // Class name, at most 255 characters; empty when it cannot be read.
    virtual std::string ClassName(WindowId window) = 0;
    // Reads the window's own title (at most 254 characters) into `title`,
    // reusing its storage; an unreadable title reads as empty.
    virtual void Title(WindowId window, std::string& title) = 0;
    virtual std::uint32_t ProcessId(WindowId window) = 0;

    // Messages sent to another program's window: each call gives up after
    // timeoutMs, or at once when the system already counts the window's
    // thread as hung. std::nullopt / false: the call failed.
    virtual std::optional<std::size_t> SendTextLength(WindowId window, std::uint32_t timeoutMs) = 0;
    // Asks for the text into a buffer of length + 1 characters and drops it.
    virtual bool SendGetText(WindowId window, std::size_t length, std::uint32_t timeoutMs) = 0;
    virtual std::optional<IconId> SendGetIcon(WindowId window, IconSize size,
                                              std::uint32_t timeoutMs) = 0;
    // An empty message: true when the window's thread answered in time.
    virtual bool SendNull(WindowId window, std::uint32_t timeoutMs) = 0;

    virtual IconId ClassIcon(WindowId window, IconSize size) = 0;
    virtual IconId LoadSystemIcon(SystemIcon icon) = 0;

    virtual void Show(WindowId window, ShowCommand command) = 0;
    virtual bool SetForeground(WindowId window) = 0;
    virtual WindowId Foreground() = 0;
    virtual bool Post(WindowId window, PostedMessage message) = 0;
    // Moves the window in the Z-order without moving or resizing it; Bottom
    // also leaves the activation alone.
    virtual bool SetZOrder(WindowId window, ZOrder order) = 0;
    // Lets the calling thread's pending window messages run.
    virtual void ProcessPendingMessages() = 0;

    // Size of the primary screen in pixels.
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    // Sets the area that maximised windows use, without telling other programs.
    virtual bool SetWorkArea(const ScreenRect& area) = 0;
};

}  // namespace vallora
