#pragma once
// A window tree in memory for the dialog watcher: windows are added under a
// parent in the system's child order, and every action the watcher takes is
// written to a log as one line of text.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "guard/dialog_guard_port.h"

namespace vallora::testing {

class FakeDesktop final : public DialogGuardPort {
  public:
    static constexpr WindowId kDesktop = 1;

    WindowId Add(WindowId parent, std::string className, std::string title = "") {
        return AddControl(parent, std::move(className), 0, std::move(title));
    }
    WindowId AddControl(WindowId parent, std::string className, int controlId,
                        std::string title = "") {
        const WindowId id = nextId_++;
        windows_[id] = {parent, std::move(className), std::move(title), controlId};
        children_[parent].push_back(id);
        return id;
    }
    void Remove(WindowId window) { windows_.erase(window); }

    WindowId foreground = 0;
    bool folderCanBeMade = true;
    bool dialogTakesKeys = true;
    std::function<void()> onPendingMessages;
    std::vector<std::string> log;
    std::vector<WindowId> ownWindows;
    int classNameReads = 0;
    // The audit trail's lines, apart from `log` so that its sequences stay as they are.
    std::vector<std::string> audits;
    int titleReads = 0;

    WindowId DesktopWindow() override { return kDesktop; }
    WindowId FirstChild(WindowId parent) override {
        const auto& children = children_[parent];
        for (const WindowId child : children) {
            if (windows_.contains(child)) return child;
        }
        return 0;
    }
    WindowId NextSibling(WindowId window) override {
        const auto found = windows_.find(window);
        if (found == windows_.end()) return 0;
        const auto& siblings = children_[found->second.parent];
        bool after = false;
        for (const WindowId sibling : siblings) {
            if (after && windows_.contains(sibling)) return sibling;
            after = after || sibling == window;
        }
        return 0;
    }
    std::string ClassName(WindowId window) override {
        ++classNameReads;
        const auto found = windows_.find(window);
        return found == windows_.end() ? std::string() : found->second.className;
    }
    std::string Title(WindowId window) override {
        ++titleReads;
        const auto found = windows_.find(window);
        return found == windows_.end() ? std::string() : found->second.title;
    }
    int ControlId(WindowId window) override {
        const auto found = windows_.find(window);
        return found == windows_.end() ? 0 : found->second.controlId;
    }
    void ProcessPendingMessages() override {
        log.push_back("pending messages");
        if (onPendingMessages) onPendingMessages();
    }

    WindowId Foreground() override {
        log.push_back("foreground");
        return foreground;
    }
    bool Exists(WindowId window) override { return windows_.contains(window); }
    bool IsOwnWindow(WindowId window) override {
        return std::find(ownWindows.begin(), ownWindows.end(), window) != ownWindows.end();
    }
    void HideWindows(const WindowHandleList& windows) override {
        log.push_back("hide " + windows.Text());
    }
    void CloseWindow(WindowId window) override { log.push_back("close " + std::to_string(window)); }
    void Wait(int milliseconds) override { log.push_back("wait " + std::to_string(milliseconds)); }
    void CreateFolder(const std::string& path) override {
        log.push_back("create folder " + path);
        if (folderCanBeMade) folders_.push_back(path);
    }
    bool FolderExists(const std::string& path) override {
        return std::find(folders_.begin(), folders_.end(), path) != folders_.end();
    }
    bool TypeIntoDialog(WindowId dialog, WindowId editBox, const std::string& text) override {
        if (!dialogTakesKeys) return false;
        log.push_back("type " + std::to_string(dialog) + " " + std::to_string(editBox) + " " +
                      text);
        return true;
    }
    void ShowFunctionBlocked() override { log.push_back("notice"); }
    void OpenRestrictedDialog(const std::string& startFolder, WindowId dialog, WindowId editBox,
                              const std::string& editClassPattern) override {
        log.push_back("restricted dialog " + startFolder + " " + std::to_string(dialog) + " " +
                      std::to_string(editBox) + " " + editClassPattern);
    }
    void Audit(AuditEvent event, std::string_view details) override {
        audits.push_back(AuditLine(event, details));
    }

  private:
    struct Window {
        WindowId parent = 0;
        std::string className;
        std::string title;
        int controlId = 0;
    };
    WindowId nextId_ = 100;
    std::map<WindowId, Window> windows_;
    std::map<WindowId, std::vector<WindowId>> children_;
    std::vector<std::string> folders_;
};

}  // namespace vallora::testing
