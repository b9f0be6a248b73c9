#pragma once
// frmAddEditAppAndLink: the dialog that adds or edits one application or
// link of the editor's grid. It exists only while an edit is open; OK stores
// its fields into the entry through the grid, Cancel leaves the entry as it was.
//
// The editor opens it with ApplicationsAndLinksEdit (below) for the grid's
// current cell, also when that cell is empty (adding is editing an empty cell).
#include <windows.h>

#include <cstdint>
#include <string>

#include "editor/desktop_grid_win32.h"
#include "language/language.h"
#include "page/icon_picker_host.h"
#include "platform/form_win32.h"
#include "platform/ui_seam.h"
#include "platform/win32_handles_win32.h"

namespace vallora {

class frmAddEditAppAndLink : public Form, public IconPickerHost {
  public:
    // backColor: the editor's background colour (picBackColor), for the icon picker.
    frmAddEditAppAndLink(DesktopGrid& grid, UiSeam& ui, const Language& language,
                         int32_t backColor);

    // Creates the hidden dialog with its controls over owner.
    bool Load(HWND owner);
    // The entry the dialog edits.
    void SetRow(int row) { row_ = row; }
    void SetCol(int column) { column_ = column; }
    int Row() const { return row_; }
    int Col() const { return column_; }
    // Fills the fields from the recorded entry.
    void ShowEntry();
    // OK: an empty "Program, Document or URL" shows MSG_SPECIFY_URL and keeps
    // the dialog open; otherwise stores every field as typed and unloads.
    // Returns whether the entry was stored.
    bool Save();
    // Shows the loaded dialog modally and unloads it afterwards; true when
    // OK stored the entry.
    bool Show(HWND owner);
    bool IsUnloaded() const { return Hwnd() == nullptr; }

    // The icon picker's view of the dialog.
    bool UseTransparency() const override;
    int32_t BackColor() const override { return backColor_; }
    void SetProgramPicture(const std::string& path) override;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    static LRESULT CALLBACK CheckBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self) noexcept;
    LRESULT OnCommand(UINT id, UINT code, HWND control);
    void OnActivate();
    void OnShowAsTextMouseUp();
    void BrowseProgramFile();
    void BrowseFolder();
    void BrowseProgramImage();
    void CreatePicture();
    void Unload(bool saved);
    void Inform(std::string_view messageKey);

    DesktopGrid& grid_;
    UiSeam& ui_;
    const Language& language_;
    int32_t backColor_;
    int row_ = 0;
    int column_ = 0;
    bool saved_ = false;
    UniqueHBRUSH headerBrush_;
    UniqueHICON folderIcon_;
};

// ApplicationsAndLinksEdit: opens the dialog modally over owner for the
// grid's current cell, filled from its entry, and waits until it is closed.
// Returns true when OK stored the entry.
bool ApplicationsAndLinksEdit(DesktopGrid& grid, UiSeam& ui, const Language& language,
                              int32_t backColor, HWND owner);

}  // namespace vallora
