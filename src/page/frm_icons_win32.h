#pragma once
// frmIcons, the icon picker: shows the large icons of a program file (first
// those of the system's shell32.dll), previews the one clicked, and saves it
// as a 32 x 32 bitmap whose path becomes the add/edit dialog's picture.
// Icons are drawn on magenta when the entry's icon background is to be
// transparent on the page, otherwise on the editor's background colour.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "language/language.h"
#include "page/icon_picker_host.h"
#include "platform/form_win32.h"
#include "platform/ui_seam.h"
#include "platform/unique_handle.h"
#include "platform/win32_handles_win32.h"

namespace vallora {

class frmIcons : public Form {
  public:
    frmIcons(UiSeam& ui, const Language& language, IconPickerHost& host);

    // Shows the picker modally over owner with the icons of shell32.dll and
    // returns when it is closed: true when an icon was saved.
    bool Show(HWND owner);

    // Saves the previewed icon through the save dialog, asking before a file
    // is replaced; on success fills the host's picture field and unloads.
    void OK();
    // Fills the image list with every icon of the file drawn on `color`; the
    // preview shows the last one drawn (the bare colour for a file without icons).
    void LoadFileIcon(const std::string& file, int32_t color);
    // Loads the picker with the icons of the file.
    void Initialize(const std::string& file);

    // Creates the hidden window with its controls; Show does it when needed.
    bool Load(HWND owner);
    bool IsUnloaded() const { return Hwnd() == nullptr; }
    int IconCount() const { return static_cast<int>(pictures_.size()); }
    // The preview's picture, colour values top row first.
    const std::vector<int32_t>& PreviewPixels() const { return preview_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    struct ImageListDeleter {
        void operator()(HIMAGELIST list) const noexcept { ImageList_Destroy(list); }
    };
    using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListDeleter>;

    LRESULT OnCommand(UINT id);
    LRESULT OnNotify(const NMHDR& header);
    void OnActivate();
    void SelectFile();
    void ShowPreview(std::vector<int32_t> pixels);
    void Unload(bool saved);

    UiSeam& ui_;
    const Language& language_;
    IconPickerHost& host_;
    std::vector<std::vector<int32_t>> pictures_;  // picture i of the image list
    std::vector<int32_t> preview_;
    UniqueImageList imageList_;
    UniqueHBITMAP previewBitmap_;
    UniqueHBRUSH headerBrush_;
    bool saved_ = false;
};

}  // namespace vallora
