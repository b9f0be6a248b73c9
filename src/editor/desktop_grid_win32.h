#pragma once
// The editor's grid "Desktop": a 13 x 7 owner-drawn child window that shows
// the applications and links of the definition it is given, one entry per
// cell, on the desktop's background and text colours. The entry table is the
// definition's own table: every store writes through to it at once.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/ui_seam.h"
#include "platform/win32_handles_win32.h"
#include "storage/definition.h"

namespace vallora {

class Language;
class IconPort;

// What the grid needs from the window that holds it.
struct DesktopGridHost {
    // Opens the add/edit dialog for the current cell. byDoubleClick is true
    // when a double click started it (the editor then sets its changed flag).
    std::function<void(bool byDoubleClick)> editCurrentCell{};
    // Runs after a store or a delete changed an entry of the table (an edit,
    // a paste, a move, a delete), not when it stored what was there already.
    std::function<void()> entriesChanged{};
};

class DesktopGrid {
  public:
    DesktopGrid(Definition& definition, IconPort& icons, const Language& language,
                DesktopGridHost host);
    ~DesktopGrid();
    DesktopGrid(const DesktopGrid&) = delete;
    DesktopGrid& operator=(const DesktopGrid&) = delete;

    // Creates the grid window as a child of parent at the given client rectangle.
    bool Create(HWND parent, int controlId, const RECT& bounds);
    HWND Hwnd() const;

    // Empties every cell (text and picture), not the table, and sizes the cells.
    void InitializeGrid();
    // Stores the six values into the entry and draws its cell; the cell
    // becomes the current cell. An empty url leaves the cell without picture.
    void SetApplicationAndLink(std::string name, std::string url, std::string picture,
                               std::string align, int16_t hyperlink, int16_t transparency, int row,
                               int column);
    // Empties the entry and its cell; the cell becomes the current cell.
    void ApplicationsAndLinksDelete(int row, int column);
    // Takes the colours and redraws every cell from the table.
    void RefreshDesktop(int32_t backColor, int32_t textColor);

    int CurrentRow() const;
    int CurrentColumn() const;
    void SetCurrentCell(int row, int column);

    // The row;column;flag clipboard commands on the current cell. Paste
    // takes nothing from an empty place, and a cut moves its entry once: a
    // second paste of it does nothing until the clipboard changes.
    void Copy();
    void Cut();
    void Paste();
    void DeleteCurrent();
    // Shows the context menu at the mouse pointer and runs the chosen command.
    void renderPopupMenu();

    // The picture drawn for a cell (for tests and screenshots); null when none.
    HBITMAP CellPicture(int row, int column) const;
    // The text the cell shows.
    std::string CellText(int row, int column) const;
    // A copy of the table's entry; an empty entry for a place outside the grid.
    ApplicationAndLink EntryAt(int row, int column) const;
    // The context menu (Cut, Copy, Paste, Edit, Delete at positions 0 to 4).
    HMENU ContextMenu() const;
    // Runs the context menu's command at that position, as choosing it does.
    void RunMenuCommand(int position);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vallora
