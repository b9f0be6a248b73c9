#pragma once
// The system's own dialogs and message boxes behind UiSeam.
#include <windows.h>

#include <array>

#include "platform/ui_seam.h"

namespace vallora {

class Win32Ui : public UiSeam {
  public:
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const FolderRequest& request) override;
    std::optional<int32_t> PickColor(OwnerWindow owner, int32_t initial) override;
    MessageResult ShowMessage(const MessageRequest& request) override;

  private:
    // The colour dialog's sixteen custom colours last as long as this object.
    std::array<COLORREF, 16> customColors_{};
};

}  // namespace vallora
