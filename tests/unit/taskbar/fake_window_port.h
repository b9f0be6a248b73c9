#pragma once
// A desktop of top-level windows in memory for the task list and the task
// operations: a Z-order, per-window properties, windows that do not answer,
// and a log of every operation performed on the windows.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window_port.h"

namespace vallora::testing {

struct FakeWindow {
    bool visible = true;
    bool minimized = false;
    WindowId parent = 0;
    WindowId owner = 0;
    std::uint32_t exStyle = 0;
    std::string className = "Window";
    std::string title;
    std::uint32_t processId = 0;
    bool hung = false;          // every sent message fails
    bool failGetText = false;   // only WM_GETTEXT fails
    bool vanishOnSend = false;  // destroyed when the first message reaches it
    IconId bigIcon = 0;         // answers to WM_GETICON
    IconId smallIcon = 0;
    IconId classBigIcon = 0;
    IconId classSmallIcon = 0;
};

inline constexpr IconId kFakeWinLogoIcon = 0x7001;
inline constexpr IconId kFakeApplicationIcon = 0x7002;

class FakeWindowPort final : public WindowPort {
  public:
    // Puts a new window at the bottom of the Z-order.
    WindowId Add(FakeWindow window) {
        const WindowId id = nextId_++;
        windows_[id] = std::move(window);
        zOrder_.push_back(id);
        next_.clear();
        return id;
    }
    WindowId AddOnTop(FakeWindow window) {
        const WindowId id = Add(std::move(window));
        MoveToTop(id);
        return id;
    }
    void Destroy(WindowId id) {
        windows_.erase(id);
        zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), id), zOrder_.end());
        next_.clear();
    }
    void MoveToTop(WindowId id) {
        zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), id), zOrder_.end());
        zOrder_.insert(zOrder_.begin(), id);
        next_.clear();
    }
    FakeWindow& operator[](WindowId id) { return windows_.at(id); }

    std::vector<std::string> log;
    std::vector<std::uint32_t> sendTimeouts;
    bool recordTimeouts = true;
    WindowId foreground = 0;
    bool refuseForeground = false;
    int screenWidth = 1024;
    int screenHeight = 768;
    std::function<void()> onPendingMessages;

    WindowId TopWindow() override { return zOrder_.empty() ? 0 : zOrder_.front(); }
    // A destroyed window has no next window, as in the system.
    WindowId NextWindow(WindowId window) override {
        if (next_.empty()) {
            for (std::size_t i = 0; i < zOrder_.size(); ++i) {
                next_[zOrder_[i]] = i + 1 < zOrder_.size() ? zOrder_[i + 1] : 0;
            }
        }
        const auto it = next_.find(window);
        return it == next_.end() ? 0 : it->second;
    }
    bool Exists(WindowId window) override { return windows_.count(window) != 0; }
    bool IsVisible(WindowId window) override { return Find(window) && Find(window)->visible; }
    bool IsMinimized(WindowId window) override { return Find(window) && Find(window)->minimized; }
    WindowId Parent(WindowId window) override { return Find(window) ? Find(window)->parent : 0; }
    WindowId Owner(WindowId window) override { return Find(window) ? Find(window)->owner : 0; }
    std::uint32_t ExtendedStyle(WindowId window) override {
        return Find(window) ? Find(window)->exStyle : 0;
    }
    std::string ClassName(WindowId window) override {
        return Find(window) ? Find(window)->className : std::string();
    }
    void Title(WindowId window, std::string& title) override {
        if (const FakeWindow* w = Find(window)) {
            title.assign(w->title);
        } else {
            title.clear();
        }
    }
    std::uint32_t ProcessId(WindowId window) override {
        return Find(window) ? Find(window)->processId : 0;
    }

    std::optional<std::size_t> SendTextLength(WindowId window, std::uint32_t timeoutMs) override {
        FakeWindow* w = Answering(window, timeoutMs);
        if (!w) return std::nullopt;
        return w->title.size();
    }
    bool SendGetText(WindowId window, std::size_t, std::uint32_t timeoutMs) override {
        FakeWindow* w = Answering(window, timeoutMs);
        return w && !w->failGetText;
    }
    std::optional<IconId> SendGetIcon(WindowId window, IconSize size,
                                      std::uint32_t timeoutMs) override {
        FakeWindow* w = Answering(window, timeoutMs);
        if (!w) return std::nullopt;
        return size == IconSize::Big ? w->bigIcon : w->smallIcon;
    }
    bool SendNull(WindowId window, std::uint32_t timeoutMs) override {
        return Answering(window, timeoutMs) != nullptr;
    }
    IconId ClassIcon(WindowId window, IconSize size) override {
        if (!Find(window)) return 0;
        return size == IconSize::Big ? Find(window)->classBigIcon : Find(window)->classSmallIcon;
    }
    IconId LoadSystemIcon(SystemIcon icon) override {
        return icon == SystemIcon::WinLogo ? kFakeWinLogoIcon : kFakeApplicationIcon;
    }

    void Show(WindowId window, ShowCommand command) override {
        static const char* const names[] = {"Restore", "Minimize", "Maximize"};
        log.push_back("Show " + std::to_string(window) + " " + names[static_cast<int>(command)]);
        if (FakeWindow* w = Find(window)) w->minimized = command == ShowCommand::Minimize;
    }
    bool SetForeground(WindowId window) override {
        log.push_back("Foreground " + std::to_string(window));
        if (refuseForeground || !Find(window)) return false;
        foreground = window;
        return true;
    }
    WindowId Foreground() override { return foreground; }
    bool Post(WindowId window, PostedMessage message) override {
        log.push_back("Post " + std::to_string(window) +
                      (message == PostedMessage::Close ? " Close" : " Activate"));
        return Find(window) != nullptr;
    }
    bool SetZOrder(WindowId window, ZOrder order) override {
        static const char* const names[] = {"TopMost", "NoTopMost", "Bottom"};
        log.push_back("ZOrder " + std::to_string(window) + " " + names[static_cast<int>(order)]);
        return true;
    }
    void ProcessPendingMessages() override {
        log.push_back("Pending");
        if (onPendingMessages) onPendingMessages();
    }
    int ScreenWidth() override { return screenWidth; }
    int ScreenHeight() override { return screenHeight; }
    bool SetWorkArea(const ScreenRect& area) override {
        log.push_back("WorkArea " + std::to_string(area.left) + "," + std::to_string(area.top) +
                      "," + std::to_string(area.right) + "," + std::to_string(area.bottom));
        return true;
    }

  private:
    FakeWindow* Find(WindowId window) {
        auto it = windows_.find(window);
        return it == windows_.end() ? nullptr : &it->second;
    }
    FakeWindow* Answering(WindowId window, std::uint32_t timeoutMs) {
        if (recordTimeouts) sendTimeouts.push_back(timeoutMs);
        FakeWindow* w = Find(window);
        if (w && w->vanishOnSend) {
            Destroy(window);
            return nullptr;
        }
        return w && !w->hung ? w : nullptr;
    }

    std::map<WindowId, FakeWindow> windows_;
    std::vector<WindowId> zOrder_;
    std::map<WindowId, WindowId> next_;  // rebuilt after every change of the Z-order
    WindowId nextId_ = 0x100;
};

}  // namespace vallora::testing
