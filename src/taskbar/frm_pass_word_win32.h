#pragma once
// frmPassWord: the administrator-password prompt of the guarded actions. Not
// modal; it closes itself about 31 seconds after it was loaded, by Cancel,
// or after the right password has run its action.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "language/language.h"
#include "platform/form_win32.h"
#include "platform/win32_handles_win32.h"
#include "taskbar/frm_pass_word_countdown.h"
#include "taskbar/frm_task_bar_session.h"
#include "taskbar/task_operations.h"

namespace vallora {

class frmPassWord : public Form {
  public:
    // terminateTask ends a task taken at its button's right-click (the
    // "TerminateProcess" action); owner is the task bar, which owns the page
    // choice's file dialog and the running definition's editor.
    frmPassWord(TaskBarSession& session, const Language& language,
                std::function<void(const TaskTarget&)> terminateTask, std::function<HWND()> owner);
    ~frmPassWord() override;

    void setTaskIndex(std::int16_t index) { taskIndex_ = index; }
    // The task "TerminateProcess" ends, as taken at the right-click.
    void SetTaskTarget(TaskTarget target) { taskTarget_ = std::move(target); }
    // Stores the action, loading the prompt when it is not loaded.
    void SetAction(const std::string& name);
    // Runs the action when the entry is the administrator password; else
    // empties the entry and keeps the prompt. During the pause that repeated
    // wrong entries earn, entries are refused unread.
    void OK();
    // Starts the count-down (a new one at every load).
    void Initialize();

    // Shows the loaded prompt, not modally, with the focus in the entry field.
    void ShowPrompt();
    // Unloads the prompt, which takes it off the screen; no action runs.
    void Unload();

    bool IsLoaded() const { return Hwnd() != nullptr; }
    const std::string& Action() const { return action_; }
    std::int16_t TaskIndex() const { return taskIndex_; }
    int RemainingSeconds() const { return countdown_.Remaining(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Load();
    void ShowCountdown();
    // Shows the pause in the password frame with the entry disabled, or the
    // frame's own caption with the entry enabled when there is none.
    void ShowPause();
    LRESULT OnCommand(UINT id, UINT code);
    LRESULT OnTimer();
    LRESULT OnActivate(UINT state);

    TaskBarSession& session_;
    const Language& language_;
    std::function<void(const TaskTarget&)> terminateTask_;
    std::function<HWND()> owner_;
    PasswordCountdown countdown_;
    // Outlives the prompt's window, so the pause holds across prompts.
    PasswordAttempts attempts_;
    bool pausing_ = false;
    // The frame's caption while a pause stands in its place.
    std::string frameCaption_;
    std::string action_;
    std::int16_t taskIndex_ = 0;
    TaskTarget taskTarget_;
    UniqueHFONT headerFont_;
};

// The guarded-action starters: make the prompt ready for the action (and,
// for "TerminateProcess", the task index and the task taken at the
// right-click) and show it. While the prompt is open this only replaces the
// action; its count-down goes on.
void StartGuardedAction(frmPassWord& prompt, const std::string& action, std::int16_t taskIndex = 0,
                        TaskTarget target = {});

}  // namespace vallora
