#include "taskbar/task_list.h"

#include <utility>

namespace vallora {

namespace {

// The system documents that a GetWindow walk can loop while other programs
// reorder their windows; no desktop holds more top-level windows than this.
constexpr int kMaxWalk = 65536;

}  // namespace

CTaskList::CTaskList(WindowPort& windows)
    : windows_(windows),
      entries_(kGrowthStep),
      defaultLargeIcon_(windows.LoadSystemIcon(SystemIcon::WinLogo)),
      defaultApplicationIcon_(windows.LoadSystemIcon(SystemIcon::Application)) {}

void CTaskList::SetHungTimeout(std::int32_t milliseconds) {
    if (milliseconds > 0) hungTimeout_ = milliseconds;
}

void CTaskList::SetMode(std::int32_t mode) {
    if (mode == 0 || mode == 1) mode_ = mode;
}

const CTaskList::TaskEntry* CTaskList::EntryAt(std::int32_t position) const {
    if (position < 1 || position > count_) return nullptr;
    return &entries_[static_cast<std::size_t>(position - 1)];
}

std::string CTaskList::Caption(std::int32_t position) const {
    const TaskEntry* entry = EntryAt(position);
    return entry ? entry->title : std::string();
}

WindowId CTaskList::hwnd(std::int32_t position) const {
    const TaskEntry* entry = EntryAt(position);
    return entry ? entry->window : 0;
}

IconId CTaskList::hIcon(std::int32_t position) const {
    const TaskEntry* entry = EntryAt(position);
    if (!entry) return 0;
    if (entry->largeIcon != 0) return entry->largeIcon;
    return mode_ == 0 ? defaultLargeIcon_ : defaultApplicationIcon_;
}

IconId CTaskList::hIconSm(std::int32_t position) const {
    const TaskEntry* entry = EntryAt(position);
    if (!entry) return 0;
    return entry->smallIcon != 0 ? entry->smallIcon : hIcon(position);
}

std::uint32_t CTaskList::ProcessID(std::int32_t position) const {
    const TaskEntry* entry = EntryAt(position);
    return entry ? entry->processId : 0;
}

std::int32_t CTaskList::Status(std::int32_t position) const {
    const TaskEntry* entry = EntryAt(position);
    if (!entry) return 0;
    return windows_.SendNull(entry->window, static_cast<std::uint32_t>(hungTimeout_)) ? 0 : 1;
}

bool CTaskList::Valid(std::int32_t position, WindowId window) {
    if (window != 0) position = FindTaskIndex(window);
    if (!EntryAt(position)) return false;
    TaskEntry& entry = entries_[static_cast<std::size_t>(position - 1)];
    if (IsTaskWindow(entry.window)) return true;
    entry.window = 0;
    CompactTaskList();
    return false;
}

bool CTaskList::Activate(std::int32_t position, WindowId window) {
    if (window != 0) position = FindTaskIndex(window);
    const TaskEntry* entry = EntryAt(position);
    if (!entry || entry->title.empty()) return false;
    const WindowId target = entry->window;
    if (windows_.IsMinimized(target)) windows_.Show(target, ShowCommand::Restore);
    windows_.SetForeground(target);
    return windows_.Foreground() == target;
}

std::int32_t CTaskList::GetIndex(WindowId window) const {
    return FindTaskIndex(window);
}

void CTaskList::Refresh() {
    for (std::int32_t i = 0; i < count_; ++i) {
        TaskEntry& entry = entries_[static_cast<std::size_t>(i)];
        if (!windows_.Exists(entry.window)) entry.window = 0;
    }
    CompactTaskList();

    // The next window is taken first: a window destroyed while it is asked
    // for its title has no next window any more and would end the walk.
    WindowId window = windows_.TopWindow();
    for (int visited = 0; window != 0 && visited < kMaxWalk; ++visited) {
        const WindowId next = windows_.NextWindow(window);
        if (IsTaskWindow(window)) AddOrUpdateTask(window);
        window = next;
    }
}

std::int32_t CTaskList::FindTaskIndex(WindowId window) const {
    for (std::int32_t i = 0; i < count_; ++i) {
        if (entries_[static_cast<std::size_t>(i)].window == window) return i + 1;
    }
    return 0;
}

bool CTaskList::IsTaskWindow(WindowId window) {
    if (!windows_.IsVisible(window) || windows_.Parent(window) != 0) return false;
    const WindowId owner = windows_.Owner(window);
    if (mode_ == 0) {
        return (owner == 0 || IsToolWindow(owner)) && !IsToolWindow(window);
    }
    if (mode_ == 1) {
        return owner == 0 && (!IsToolWindow(window) || GetWindowClassName(window) != "Progman");
    }
    return false;
}

bool CTaskList::IsToolWindow(WindowId window) {
    return (windows_.ExtendedStyle(window) & kExStyleToolWindow) != 0;
}

std::string CTaskList::GetWindowClassName(WindowId window) {
    return windows_.ClassName(window);
}

IconId CTaskList::AskIcon(WindowId speaker, IconSize size) {
    const auto icon = windows_.SendGetIcon(speaker, size, static_cast<std::uint32_t>(hungTimeout_));
    if (!icon) return 0;
    return *icon != 0 ? *icon : windows_.ClassIcon(speaker, size);
}

void CTaskList::AddOrUpdateTask(WindowId window) {
    std::int32_t position = FindTaskIndex(window);

    // An owned task speaks through its owner: the owner's title decides
    // whether it is listed, and the owner's icons are shown.
    const WindowId owner = windows_.Owner(window);
    const WindowId speaker = owner != 0 ? owner : window;
    const auto timeout = static_cast<std::uint32_t>(hungTimeout_);

    const auto length = windows_.SendTextLength(speaker, timeout);
    if (!length || *length == 0) return;
    if (!windows_.SendGetText(speaker, *length, timeout)) return;

    const IconId large = AskIcon(speaker, IconSize::Big);
    const IconId small = AskIcon(speaker, IconSize::Small);
    const std::uint32_t processId = windows_.ProcessId(window);

    if (position == 0) {
        ++count_;
        if (count_ > Capacity()) entries_.resize(entries_.size() + kGrowthStep);
        position = count_;
    }
    TaskEntry& entry = entries_[static_cast<std::size_t>(position - 1)];
    entry.window = window;
    entry.largeIcon = large;
    entry.smallIcon = small;
    entry.processId = processId;
    windows_.Title(window, entry.title);
    if (entry.title.size() > kMaxTitle) entry.title.resize(kMaxTitle);
}

std::int32_t CTaskList::CompactTaskList() {
    std::int32_t kept = 0;
    for (std::int32_t i = 0; i < count_; ++i) {
        auto& from = entries_[static_cast<std::size_t>(i)];
        if (from.window == 0) continue;
        // Swapping keeps every title buffer in the pool of slots.
        if (kept != i) std::swap(entries_[static_cast<std::size_t>(kept)], from);
        ++kept;
    }
    for (std::int32_t i = kept; i < count_; ++i) {
        TaskEntry& stale = entries_[static_cast<std::size_t>(i)];
        stale.window = 0;
        stale.largeIcon = 0;
        stale.smallIcon = 0;
        stale.processId = 0;
        stale.title.clear();
    }
    count_ = kept;
    return kept;
}

}  // namespace vallora
