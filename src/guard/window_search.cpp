#include "guard/window_search.h"

#include "guard/wildcard_match.h"
#include "storage/ascii_case.h"

namespace vallora {

namespace {

// Keeps a nesting counter balanced however the walk leaves.
class NestingScope {
  public:
    explicit NestingScope(int& nesting) : nesting_(nesting) { ++nesting_; }
    ~NestingScope() { --nesting_; }
    NestingScope(const NestingScope&) = delete;
    NestingScope& operator=(const NestingScope&) = delete;

  private:
    int& nesting_;
};

}  // namespace

template <typename Matches>
WindowId WindowSearch::Walk(int& nesting, WindowId start, bool letMenusRun, WindowHandleList& list,
                            int& count, const Matches& matches) {
    if (nesting == 0 && start == 0) start = tree_.DesktopWindow();
    const NestingScope scope(nesting);
    WindowId result = 0;
    for (WindowId child = tree_.FirstChild(start); child != 0; child = tree_.NextSibling(child)) {
        // Descendants first; their matches join the same list and count.
        Walk(nesting, child, letMenusRun, list, count, matches);
        const std::string className = tree_.ClassName(child);
        if (letMenusRun && className == kPopupMenuClass) tree_.ProcessPendingMessages();
        if (matches(child, className)) {
            result = child;
            list.Append(child);
            ++count;
        }
    }
    return result;
}

WindowId WindowSearch::FindChildWindows(WindowId start, std::string_view textPattern,
                                        std::string_view classPattern, WindowHandleList& list,
                                        int& count) {
    return Walk(childWindowsNesting_, start, true, list, count,
                [&](WindowId window, const std::string& className) {
                    return MatchesWildcard(className, classPattern) &&
                           MatchesWildcard(tree_.Title(window), textPattern);
                });
}

WindowId WindowSearch::FindWindowsByClass(WindowId start, std::string_view className,
                                          WindowHandleList& list, int& count) {
    return Walk(windowsByClassNesting_, start, false, list, count,
                [&](WindowId, const std::string& name) { return EqualsNoCase(name, className); });
}

}  // namespace vallora
