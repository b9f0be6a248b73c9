#pragma once
// The window searches: depth-first walks over all descendants of a window
// that collect the windows matching a title and class pattern, or a class
// name. One WindowSearch is shared by the dialog watcher and the restricted
// file dialogs, because each search kind keeps one nesting counter for all of
// its calls, including calls made from timer events that run while a walk
// lets pending messages run.
#include <string_view>

#include "guard/window_handle_list.h"
#include "guard/window_tree_port.h"

namespace vallora {

// The class of a pop-up menu.
inline constexpr std::string_view kPopupMenuClass = "#32768";

class WindowSearch {
  public:
    explicit WindowSearch(WindowTreePort& tree) : tree_(tree) {}

    // Walks every descendant of `start` (0: the desktop, unless called from
    // inside another walk of this kind); each window whose title matches
    // `textPattern` and whose class matches `classPattern` (wildcards, case
    // counts) is appended to `list` and counted. Returns the last match among
    // the direct children of `start`, 0 when none. When it meets a pop-up
    // menu it lets pending messages run before going on.
    WindowId FindChildWindows(WindowId start, std::string_view textPattern,
                              std::string_view classPattern, WindowHandleList& list, int& count);
    // The same walk; a window matches when its class name equals `className`
    // without regard to ASCII letter case. Titles are not read.
    WindowId FindWindowsByClass(WindowId start, std::string_view className, WindowHandleList& list,
                                int& count);

    // Depth of the walks of each kind in progress; 0 between walks.
    int ChildWindowsNesting() const { return childWindowsNesting_; }
    int WindowsByClassNesting() const { return windowsByClassNesting_; }

  private:
    template <typename Matches>
    WindowId Walk(int& nesting, WindowId start, bool letMenusRun, WindowHandleList& list,
                  int& count, const Matches& matches);

    WindowTreePort& tree_;
    int childWindowsNesting_ = 0;
    int windowsByClassNesting_ = 0;
};

}  // namespace vallora
