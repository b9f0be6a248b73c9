#pragma once
// The windows of the desktop that deserve a task button: found in Z-order,
// kept in a stable order across refreshes, each with its title, icons and
// owning process. Positions are 1-based for callers.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_port.h"

namespace vallora {

class CTaskList {
  public:
    static constexpr std::int32_t kDefaultHungTimeout = 500;
    static constexpr std::int32_t kGrowthStep = 20;
    // Titles keep at most this many characters.
    static constexpr std::size_t kMaxTitle = 254;

    explicit CTaskList(WindowPort& windows);

    // Limit of every message sent to another program's window, in ms; values
    // of 0 or less are ignored.
    std::int32_t HungTimeout() const { return hungTimeout_; }
    void SetHungTimeout(std::int32_t milliseconds);
    // 0: the task bar's rule; 1: unowned windows including tool windows.
    // Other values are ignored.
    std::int32_t Mode() const { return mode_; }
    void SetMode(std::int32_t mode);

    // Getters of one entry; outside 1..Count they return 0 or an empty string.
    std::string Caption(std::int32_t position) const;
    std::int32_t Count() const { return count_; }
    WindowId hwnd(std::int32_t position) const;
    IconId hIcon(std::int32_t position) const;
    IconId hIconSm(std::int32_t position) const;
    std::uint32_t ProcessID(std::int32_t position) const;
    // 1 when the entry's window does not answer within the hung timeout.
    std::int32_t Status(std::int32_t position) const;
    // A non-zero window selects its own entry in place of `position`. True
    // when the entry still passes the task rule; otherwise the entry is
    // removed and false returned.
    bool Valid(std::int32_t position, WindowId window);
    // Restores and brings to the front the entry's window; true when it
    // became the foreground window. Entries with an empty title are left alone.
    bool Activate(std::int32_t position, WindowId window);
    // Position of the window's entry, 0 when it has none.
    std::int32_t GetIndex(WindowId window) const;
    void Refresh();

    // Number of entry slots held; grows in steps of kGrowthStep, never shrinks.
    std::int32_t Capacity() const { return static_cast<std::int32_t>(entries_.size()); }

  private:
    struct TaskEntry {
        WindowId window = 0;  // 0 marks an entry to be removed
        IconId largeIcon = 0;
        IconId smallIcon = 0;
        std::uint32_t processId = 0;
        std::string title;
    };

    const TaskEntry* EntryAt(std::int32_t position) const;
    std::int32_t FindTaskIndex(WindowId window) const;
    bool IsTaskWindow(WindowId window);
    bool IsToolWindow(WindowId window);
    std::string GetWindowClassName(WindowId window);
    void AddOrUpdateTask(WindowId window);
    std::int32_t CompactTaskList();
    IconId AskIcon(WindowId speaker, IconSize size);

    WindowPort& windows_;
    std::vector<TaskEntry> entries_;
    std::int32_t count_ = 0;
    IconId defaultLargeIcon_ = 0;
    IconId defaultApplicationIcon_ = 0;
    std::int32_t mode_ = 0;
    std::int32_t hungTimeout_ = kDefaultHungTimeout;
};

}  // namespace vallora
