#pragma once
// frmLockDownCheck: the lock-down check's report window, one list row per
// check with what was checked, held or open, and what to do when open; open
// rows are drawn in red. Below the list the chosen row in full (the first
// open one at the start), and where the report text was saved.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "audit/lock_down_check.h"
#include "language/language.h"
#include "platform/form_win32.h"

namespace vallora {

class frmLockDownCheck : public Form {
  public:
    explicit frmLockDownCheck(const Language& language);

    // Makes the window with the rows, not yet shown; `savedAs` is the report
    // file, empty when it could not be written.
    bool Load(HWND owner, const std::vector<CheckRow>& rows, const std::string& savedAs);
    // Shows the loaded window modally; returns when it has closed.
    void Show(HWND owner);

    // The list's text at row and column (0: check, 1: state, 2: what to do).
    std::string Cell(int row, int column) const;
    int RowCount() const;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Close();
    void FillList();
    void ShowDetails(int row);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;

    const Language& language_;
    std::vector<CheckRow> rows_;
};

}  // namespace vallora
