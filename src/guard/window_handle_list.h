#pragma once
// A list of windows as text: each window handle in decimal followed by ";"
// ("1234;5678;"). Membership and removal work on whole entries, so 123 is
// not in "5123;".
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_port.h"

namespace vallora {

class WindowHandleList {
  public:
    const std::string& Text() const { return text_; }
    bool Contains(WindowId window) const;
    void Append(WindowId window);
    // The entries in list order; entries that are not numbers are skipped.
    std::vector<WindowId> Windows() const;
    // Drops every non-empty entry for which `drop` is true; the others stay in order.
    void RemoveIf(const std::function<bool(WindowId)>& drop);

  private:
    std::string text_;
};

}  // namespace vallora
