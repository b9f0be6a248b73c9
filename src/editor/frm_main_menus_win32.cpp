// The editor's menu bar, its keyboard shortcuts and the hidden menu of the
// grid's context commands.
#include <vector>

#include "editor/frm_main_win32.h"

namespace vallora {

namespace {

struct Shortcut {
    const char* item;
    BYTE modifiers;  // FCONTROL or 0; FVIRTKEY is always added
    WORD key;
};

constexpr Shortcut kShortcuts[] = {
    {"mnuFileNew", FCONTROL, 'N'},
    {"mnuFileOpen", FCONTROL, 'O'},
    {"mnuFileSave", FCONTROL, 'S'},
    {"mnuFileStartDesktop", FCONTROL, 'D'},
    {"mnuFileStartTaskBarDesktop", FCONTROL, 'T'},
    {"mnuFileExit", FCONTROL, 'Q'},
    {"mnuLanguageSelect", FCONTROL, 'L'},
    {"mnuLanguageRestoreDefault", FCONTROL, 'E'},
    {"mnuLaunchHelp", 0, VK_F1},
};

}  // namespace

HMENU frmMain::BuildMenuBar() {
    // The grid's commands live in a menu of their own that is never part of
    // the bar; it is registered so that the language file reaches its captions.
    gridMenu_.reset(CreateMenu());
    HMENU grid = AddMenu(gridMenu_.get(), "mnuApplicationAndLinks", "Applications and Links");
    AddMenuItem(grid, "mnuApplicationsAndLinksCut", "     Cut\tCtrl+X");
    AddMenuItem(grid, "mnuApplicationsAndLinksCopy", "     Copy\tCtrl+C");
    AddMenuItem(grid, "mnuApplicationAndLinksPaste", "     Paste\tCtrl+V");
    AddMenuItem(grid, "mnuApplicationAndLinksEdit", "     Edit\tEnter");
    AddMenuItem(grid, "mnuApplicationandLinksDelete", "     Delete\tDel");

    HMENU bar = CreateMenu();
    if (!bar) return nullptr;
    HMENU file = AddMenu(bar, "mnuFile", "&File");
    AddMenuItem(file, "mnuFileNew", "New\tCtrl+N");
    AddMenuItem(file, "mnuFileOpen", "&Open\tCtrl+O");
    AddMenuItem(file, "mnuFileSave", "&Save\tCtrl+S");
    AddMenuItem(file, "mnuFileSaveAs", "Save &As...");
    AddMenuSeparator(file);
    HMENU start = AddMenu(file, "mnuFileStart", "Start");
    AddMenuItem(start, "mnuFileStartDesktop", "Desktop\tCtrl+D");
    AddMenuItem(start, "mnuFileStartTaskBarDesktop", "Taskbar and Desktop\tCtrl+T");
    AddMenuSeparator(file);
    AddMenuItem(file, "mnuFileExit", "&Exit\tCtrl+Q");

    HMENU tools = AddMenu(bar, "mnuTools", "Tools");
    HMENU security = AddMenu(tools, "mnuToolsComputerSecurity", "Computer Security");
    HMENU restrictions = AddMenu(security, "mnuRestrictions", "Restrictions");
    AddMenuItem(restrictions, "mnuComputerSecurityApply", "Apply Restrictions");
    AddMenuItem(restrictions, "mnuComputerSecurityReset", "Reset to Default");
    HMENU shell = AddMenu(security, "mnuToolsShell", "Shell");
    AddMenuItem(shell, "mnuToolsReplaceWindowsShell", "Replace Windows Shell");
    AddMenuItem(shell, "mnuToolsRestoreWindowsShell", "Restore Default");
    HMENU language = AddMenu(tools, "mnuLanguage", "Languages");
    AddMenuItem(language, "mnuLanguageSelect", "Select Language\tCtrl+L");
    AddMenuItem(language, "mnuLanguageRestoreDefault", "Restore Default\tCtrl+E");
    AddMenuSeparator(tools);
    AddMenuItem(tools, "mnuToolsInternetSettings", "Internet Settings...");

    HMENU help = AddMenu(bar, "mnuHelp", "Help");
    AddMenuItem(help, "mnuLaunchHelp", "Show Help\tF1");
    AddMenuItem(help, "mnuHelpAbout", "About");
    return bar;
}

void frmMain::BuildAcceleratorTable() {
    std::vector<ACCEL> table;
    for (const Shortcut& shortcut : kShortcuts) {
        const UINT id = CommandId(shortcut.item);
        if (id == 0) continue;
        table.push_back({static_cast<BYTE>(FVIRTKEY | shortcut.modifiers), shortcut.key,
                         static_cast<WORD>(id)});
    }
    accelerators_.reset(CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
    SetAccelerators(accelerators_.get());
}

}  // namespace vallora
