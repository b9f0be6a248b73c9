#pragma once
// Window trees shaped like the dialogs the watcher meets, built into a
// FakeDesktop under its desktop window.
#include <vector>

#include "unit/guard/fake_desktop.h"

namespace vallora::testing {

struct BuiltDialog {
    WindowId dialog = 0;
    WindowId fileNameBox = 0;  // the box the watcher should hand over, 0 for none
};

// A message box: text and one button.
inline BuiltDialog MessageBoxShape(FakeDesktop& desktop) {
    const WindowId box = desktop.Add(FakeDesktop::kDesktop, "#32770", "Note");
    desktop.Add(box, "Static", "Saved.");
    desktop.Add(box, "Button", "OK");
    return {box, 0};
}

// A standard dialog with the given numbers of combo boxes and buttons and a
// file-name box that is a direct child.
inline BuiltDialog StandardShape(FakeDesktop& desktop, int comboBoxes, int buttons) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Open");
    desktop.Add(dialog, "Static", "File name:");
    const WindowId edit = desktop.Add(dialog, "Edit");
    for (int i = 0; i < comboBoxes; ++i) desktop.Add(dialog, "ComboBox");
    for (int i = 0; i < buttons; ++i) desktop.Add(dialog, "Button");
    return {dialog, edit};
}

// The classic file-open dialog of this platform's common dialogs (the one a
// program gets when it asks for a hook without the explorer style): two
// combo boxes, four buttons, the file-name box a direct child.
inline BuiltDialog ClassicOpenShape(FakeDesktop& desktop) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Open");
    desktop.Add(dialog, "Static", "File &Name:");
    const WindowId edit = desktop.Add(dialog, "Edit", "*.txt");
    desktop.Add(dialog, "ListBox");
    desktop.Add(dialog, "Static", "&Directories:");
    desktop.Add(dialog, "Static", "c:\\users");
    desktop.Add(dialog, "ListBox");
    desktop.Add(dialog, "Static", "List Files of &Type:");
    desktop.Add(dialog, "ComboBox", "Text");
    desktop.Add(dialog, "Static", "Dri&ves:");
    desktop.Add(dialog, "ComboBox", "[-c-]");
    desktop.Add(dialog, "Button", "Open");
    desktop.Add(dialog, "Button", "Cancel");
    desktop.Add(dialog, "Button", "&Help");
    desktop.Add(dialog, "Button", "&Read Only");
    return {dialog, edit};
}

// The explorer-style file-open dialog of this platform's common dialogs: four
// windows whose class holds "ComboBox", four buttons, and the file-name box
// nested inside the file-name combo box.
inline BuiltDialog ExplorerOpenShape(FakeDesktop& desktop) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Open");
    desktop.Add(dialog, "Static", "Look &in:");
    desktop.Add(dialog, "ComboBox", "Documents");
    const WindowId view = desktop.Add(dialog, "SHELLDLL_DefView");
    const WindowId list = desktop.Add(view, "SysListView32");
    desktop.Add(list, "SysHeader32");
    desktop.Add(dialog, "Static");
    desktop.Add(dialog, "ToolbarWindow32");
    desktop.Add(dialog, "ListBox");
    desktop.Add(dialog, "Static", "File &name:");
    const WindowId comboEx = desktop.Add(dialog, "ComboBoxEx32");
    const WindowId combo = desktop.Add(comboEx, "ComboBox");
    desktop.Add(combo, "Edit");
    desktop.Add(dialog, "Static", "Files of &type:");
    desktop.Add(dialog, "ComboBox", "Text");
    desktop.Add(dialog, "Button", "Open as &read-only");
    desktop.Add(dialog, "Button", "&Open");
    desktop.Add(dialog, "Button", "Cancel");
    desktop.Add(dialog, "Button", "&Help");
    desktop.Add(dialog, "ToolbarWindow32");
    desktop.Add(dialog, "ScrollBar");
    return {dialog, 0};
}

// A standard dialog with the right counts whose only edit box sits inside a
// combo box, so it has no file-name box of its own.
inline BuiltDialog NestedEditShape(FakeDesktop& desktop) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Open");
    const WindowId combo = desktop.Add(dialog, "ComboBox");
    desktop.Add(combo, "Edit");
    desktop.Add(dialog, "Button", "&Open");
    desktop.Add(dialog, "Button", "Cancel");
    return {dialog, 0};
}

struct BuiltOfficeDialog {
    WindowId dialog = 0;
    WindowId fileNameBox = 0;
    std::vector<WindowId> commandBars;
};

// An office-style dialog: command bars (places and tools) and rich-edit
// boxes, the last rich-edit box a direct child.
inline BuiltOfficeDialog OfficeShape(FakeDesktop& desktop, int richEdits, int commandBars) {
    BuiltOfficeDialog built;
    built.dialog = desktop.Add(FakeDesktop::kDesktop, "bosa_sdm_Mso96", "Open");
    for (int i = 0; i < commandBars; ++i)
        built.commandBars.push_back(desktop.Add(built.dialog, "MsoCommandBar"));
    for (int i = 0; i < richEdits; ++i)
        built.fileNameBox = desktop.Add(built.dialog, "RichEdit20W");
    return built;
}

}  // namespace vallora::testing
