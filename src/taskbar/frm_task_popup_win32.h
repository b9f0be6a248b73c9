#pragma once
// frmTaskPopup: the hidden form that owns the task bar's two right-click
// menus, the task button menu and the task bar menu, with their item
// pictures. Plain window operations run at once; the others go through the
// password prompt.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "language/language.h"
#include "platform/form_win32.h"
#include "platform/win32_handles_win32.h"
#include "taskbar/frm_pass_word_win32.h"
#include "taskbar/task_operations.h"

namespace vallora {

class frmTaskPopup : public Form {
  public:
    // context gives the task operations the current task table.
    frmTaskPopup(const Language& language, frmPassWord& prompt,
                 std::function<TaskContext()> context);
    ~frmTaskPopup() override;

    // Creates the hidden window, its menus and the item pictures.
    bool Load();

    // Stores the button index and takes its task for "Terminate" and
    // "Close", which then reach that task whatever rebuilds come.
    void SetButtonIndex(std::int16_t index);
    std::int16_t ButtonIndex() const { return buttonIndex_; }
    // Opens the task button menu at the mouse position; its items act on the
    // stored button index.
    void RenderButtonMenu(std::int16_t index);
    // Opens the task bar menu at the mouse position.
    void RenderTaskBarMenu();

    // Runs the item's action, as choosing it in its menu does.
    void RunMenuItem(UINT commandId);

    HMENU ButtonMenu() const { return buttonMenu_; }
    HMENU TaskBarMenu() const { return taskBarMenu_; }

  private:
    // Pictures 1 to 6 of the items, the same for the checked and unchecked state.
    static constexpr int kPictureCount = 6;

    void Render(HMENU menu, std::span<const int> pictures);
    // The captions of the language file's section "frmTaskPopup".
    void ApplyCaptions();
    void MakePictures();

    const Language& language_;
    frmPassWord& prompt_;
    std::function<TaskContext()> context_;
    std::int16_t buttonIndex_ = 0;
    TaskTarget buttonTask_;
    UniqueHMENU menuBar_;
    HMENU buttonMenu_ = nullptr;
    HMENU taskBarMenu_ = nullptr;
    std::array<UniqueHBITMAP, kPictureCount> pictures_;
};

}  // namespace vallora
