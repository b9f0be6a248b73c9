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

// The explorer-style file-open dialog of this platform's common dialogs, as
// a program gets it without a hook: four windows whose class holds
// "ComboBox", four buttons, the file-name box an edit inside the file-name
// combo box, three levels down.
inline BuiltDialog ExplorerOpenShape(FakeDesktop& desktop) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Open");
    desktop.AddControl(dialog, "Static", 1091, "Look &in:");
    desktop.AddControl(dialog, "ComboBox", 1137, "Documents");
    const WindowId view = desktop.AddControl(dialog, "SHELLDLL_DefView", 1121);
    desktop.Add(view, "SysListView32");
    desktop.AddControl(dialog, "ToolbarWindow32", 1184);
    desktop.AddControl(dialog, "ListBox", 1120);
    desktop.AddControl(dialog, "Static", 1090, "File &name:");
    const WindowId comboEx = desktop.AddControl(dialog, "ComboBoxEx32", 1148);
    const WindowId combo = desktop.AddControl(comboEx, "ComboBox", 1148);
    const WindowId edit = desktop.AddControl(combo, "Edit", 1148);
    desktop.AddControl(dialog, "Static", 1089, "Files of &type:");
    desktop.AddControl(dialog, "ComboBox", 1136, "Text");
    desktop.AddControl(dialog, "Button", 1040, "Open as &read-only");
    desktop.AddControl(dialog, "Button", 1, "&Open");
    desktop.AddControl(dialog, "Button", 2, "Cancel");
    desktop.AddControl(dialog, "Button", 1038, "&Help");
    return {dialog, edit};
}

// The item dialog (file open and save objects) of this platform: a plain
// edit box with the file-name id beside the file-name label.
inline BuiltDialog ItemDialogShape(FakeDesktop& desktop) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Open");
    desktop.Add(dialog, "idlg_container_pane");
    desktop.AddControl(dialog, "Static", 1090, "File name:");
    const WindowId edit = desktop.AddControl(dialog, "Edit", 1152);
    desktop.AddControl(dialog, "Static", 1089, "Files of type:");
    desktop.AddControl(dialog, "ComboBox", 1136);
    desktop.AddControl(dialog, "Button", 1, "&Open");
    desktop.AddControl(dialog, "Button", 1024);
    desktop.AddControl(dialog, "Button", 2, "Cancel");
    desktop.AddControl(dialog, "Button", 1038);
    const WindowId browser = desktop.Add(dialog, "ExplorerBrowserControl");
    desktop.Add(browser, "SHELLDLL_DefView");
    const WindowId places = desktop.Add(dialog, "NamespaceTreeControl");
    desktop.Add(places, "SysTreeView32");
    desktop.AddControl(dialog, "ToolbarWindow32", 200);
    return {dialog, edit};
}

// The item dialog of current systems: the file-name combo box nested deep
// inside the dialog's view frame, next to the folder view and the places.
// `withFileNameId` false gives a variant whose file-name box carries
// another id, so that only the view frame tells what the dialog is.
inline BuiltDialog CurrentItemDialogShape(FakeDesktop& desktop, bool withFileNameId = true) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Open");
    const WindowId frame = desktop.Add(dialog, "DUIViewWndClassName");
    const WindowId ui = desktop.Add(frame, "DirectUIHWND");
    const WindowId viewSink = desktop.Add(ui, "CtrlNotifySink");
    const WindowId view = desktop.AddControl(viewSink, "SHELLDLL_DefView", 0, "ShellView");
    desktop.Add(view, "DirectUIHWND");
    const WindowId treeSink = desktop.Add(ui, "CtrlNotifySink");
    desktop.AddControl(treeSink, "SysTreeView32", 100);
    const WindowId nameSink = desktop.Add(ui, "FloatNotifySink");
    const int id = withFileNameId ? 1148 : 1001;
    const WindowId comboEx =
        desktop.AddControl(nameSink, withFileNameId ? "ComboBoxEx32" : "ComboBox", id);
    const WindowId combo = withFileNameId ? desktop.AddControl(comboEx, "ComboBox", id) : comboEx;
    const WindowId edit = desktop.AddControl(combo, "Edit", id);
    const WindowId typeSink = desktop.Add(ui, "CtrlNotifySink");
    desktop.AddControl(typeSink, "ComboBox", 1136);
    desktop.AddControl(dialog, "Button", 1, "&Open");
    desktop.AddControl(dialog, "Button", 2, "Cancel");
    desktop.Add(dialog, "WorkerW");
    desktop.AddControl(dialog, "ScrollBar", 0);
    return {dialog, withFileNameId ? edit : 0};
}

// The folder picker: buttons, two labels and the folder tree.
inline BuiltDialog FolderPickerShape(FakeDesktop& desktop) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Browse for Folder");
    desktop.AddControl(dialog, "Button", 1, "OK");
    desktop.AddControl(dialog, "Button", 2, "Cancel");
    desktop.AddControl(dialog, "Static", 14146);
    desktop.AddControl(dialog, "Static", 14147);
    desktop.AddControl(dialog, "SysTreeView32", 14145);
    return {dialog, 0};
}

// The find dialog: an edit box with the file-name id of the common dialogs,
// but no file-name label and no file-type list, and no combo box.
inline BuiltDialog FindShape(FakeDesktop& desktop) {
    const WindowId dialog = desktop.Add(FakeDesktop::kDesktop, "#32770", "Find");
    desktop.AddControl(dialog, "Static", -1, "Fi&nd what:");
    desktop.AddControl(dialog, "Edit", 1152);
    desktop.AddControl(dialog, "Button", 1, "&Find Next");
    desktop.AddControl(dialog, "Button", 2, "Cancel");
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
