// The editor's commands: documents (New, Open, Save, Exit), desktop start
// and preview, the tool commands, and the choosers of the tabs.
#include "editor/frm_add_edit_app_and_link_win32.h"
#include "editor/frm_main_win32.h"
#include "editor/frm_splash_win32.h"
#include "language/failure_message.h"
#include "language/form_captions_win32.h"
#include "language/help_win32.h"
#include "language/language_commands.h"
#include "language/messages.h"
#include "page/desktop_page.h"
#include "platform/picture_file_win32.h"
#include "platform/shell_folders_win32.h"
#include "platform/window_port_win32.h"
#include "runtime/command_line.h"
#include "runtime/page_path.h"
#include "runtime/program_files_win32.h"
#include "runtime/startup_files.h"
#include "security/computer_security.h"
#include "security/previous_values.h"
#include "security/shell_replacement.h"
#include "security/shell_replacement_win32.h"
#include "storage/definition_file.h"
#include "storage/password_hash.h"

namespace vallora {

namespace {

constexpr const char* kPictureFilter = "*.jpg; *.gif; *.bmp; *.png | *.jpg; *.gif; *.bmp; *.png";
constexpr const char* kAnyFileFilter = "*.* | *.*";

std::string WithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

void frmMain::RunCommand(const std::string& name) {
    // The File menu's commands are off while the running definition is shown.
    if (locked_ && name.rfind("mnuFile", 0) == 0) return;
    if (name == "mnuFileNew") return NewFile();
    if (name == "mnuFileOpen") return OpenFile();
    if (name == "mnuFileSave") return static_cast<void>(SaveFile(false));
    if (name == "mnuFileSaveAs") return static_cast<void>(SaveFile(true));
    if (name == "mnuFileStartDesktop") return StartDesktop(false);
    if (name == "mnuFileStartTaskBarDesktop") return StartDesktop(true);
    if (name == "mnuFileExit") return ExitCommand();
    if (name == "mnuComputerSecurityApply") return ApplyRestrictions();
    if (name == "mnuComputerSecurityReset") return ResetRestrictions();
    if (name == "mnuToolsReplaceWindowsShell") return ReplaceShell();
    if (name == "mnuToolsRestoreWindowsShell") return RestoreShell();
    if (name == "mnuLanguageSelect") return selectLanguage();
    if (name == "mnuLanguageRestoreDefault") return restoreLanguageDefault();
    if (name == "mnuToolsInternetSettings" || name == "cmdInternetSettings") {
        return OpenInternetSettings();
    }
    if (name == "mnuLaunchHelp") return LaunchHelp(services_.language);
    if (name == "mnuHelpAbout") return ShowAbout();
    if (name == "cmdPreview") return services_.session.PreviewDesktop(ToWindowId(Hwnd()));
    if (name == "cmdBrowseBGPicture") return ChooseBackgroundPicture();
    if (name == "cmdBrowseProgramFile") return ChooseStartupFile();
    if (name == "cmdInfo") return ShowStartupFiles();
    if (name == "cmdBrowseDefaultLocation") return ChooseStartFolder();
    if (!grid_ || locked_) return;
    if (name == "mnuApplicationsAndLinksCut") return grid_->Cut();
    if (name == "mnuApplicationsAndLinksCopy") return grid_->Copy();
    if (name == "mnuApplicationAndLinksPaste") return grid_->Paste();
    if (name == "mnuApplicationAndLinksEdit") return EditCurrentCell(false);
    if (name == "mnuApplicationandLinksDelete") return grid_->DeleteCurrent();
}

FileDialogRequest frmMain::DefinitionDialog(std::string fileName) const {
    FileDialogRequest request;
    request.owner = ToWindowId(Hwnd());
    request.filter = std::string(kProgramTitle) + " |*.vla";
    request.fileName = std::move(fileName);
    return request;
}

MessageResult frmMain::Inform(const std::string& text) {
    MessageRequest request;
    request.owner = ToWindowId(Hwnd());
    request.text = text;
    request.title = kProgramTitle;
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Information;
    return services_.ui.ShowMessage(request);
}

void frmMain::StartProgram(const std::string& commandLine, WORD show) {
    if (services_.startProgram) {
        services_.startProgram(commandLine, show);
    } else {
        StartCommandLine(commandLine, show);
    }
}

bool frmMain::SavePrompt() {
    if (!changed_) return true;
    MessageRequest request;
    request.owner = ToWindowId(Hwnd());
    request.text = services_.language.Message(kMsgSettingsChanged);
    request.title = kProgramTitle;
    request.buttons = MessageButtons::YesNoCancel;
    request.icon = MessageIcon::Exclamation;
    switch (services_.ui.ShowMessage(request)) {
        case MessageResult::Yes:
            return SaveFile(false);
        case MessageResult::No:
            return true;
        default:
            return false;
    }
}

void frmMain::NewFile() {
    if (!SavePrompt()) return;
    LoadDefinition("");
}

void frmMain::OpenFile() {
    if (!SavePrompt()) return;
    const std::optional<std::string> path =
        services_.ui.OpenFile(DefinitionDialog(DefaultDefinitionPath(services_.programFolder)));
    if (!path) return;
    ProcessPendingMessages();
    WaitCursor wait;
    LoadDefinition(*path);
}

bool frmMain::SaveFile(bool saveAs) {
    std::string path = services_.state.currentDefinitionPath;
    if (saveAs || path.empty()) {
        FileDialogRequest request =
            DefinitionDialog(DefaultDefinitionPath(services_.programFolder));
        request.overwritePrompt = true;
        request.defaultExtension = "vla";
        const std::optional<std::string> chosen = services_.ui.SaveFile(request);
        if (!chosen) return false;
        // The system dialog adds the extension itself; a name from elsewhere
        // gets it here, so its page lands beside it.
        path = WithDefinitionExtension(*chosen);
    }
    ProcessPendingMessages();
    WaitCursor wait;
    if (!ProtectPassword()) return false;
    // The page first: a definition on disk always has its page beside it.
    const PageGeneration page =
        GenerateDesktopPage(definition_, PagePathFor(path), services_.icons);
    if (!page.pageWritten) {
        ReportSaveFailure(page.pageError);
        return false;
    }
    std::string error;
    if (!SaveDefinition(definition_, path, &error)) {
        ReportSaveFailure(error);
        return false;
    }
    services_.state.currentDefinitionPath = path;
    setChanged(false);
    return true;
}

void frmMain::ReportSaveFailure(const std::string& systemError) {
    services_.ui.ShowMessage(
        WriteFailureMessage(services_.language, ToWindowId(Hwnd()), systemError));
}

void frmMain::ReportFailure(const std::string& text) {
    services_.ui.ShowMessage(FailureMessage(ToWindowId(Hwnd()), text));
}

void frmMain::ExitCommand() {
    if (!SavePrompt()) return;
    if (services_.endSession) {
        services_.endSession();
    } else {
        services_.session.EndSession();
    }
}

void frmMain::StartDesktop(bool withTaskBar) {
    const std::optional<std::string> path = services_.ui.OpenFile(DefinitionDialog(""));
    if (!path) return;
    if (withTaskBar) {
        StartProgram(RuntimeCommandLine(services_.programFolder, *path), SW_SHOWMINIMIZED);
    } else {
        services_.session.LaunchDefinitionPage(*path, false);
    }
}

void frmMain::ApplyRestrictions() {
    SecurityTarget target{services_.settings, services_.system};
    const std::vector<WriteFailure> failures = ApplyComputerSecurityKept(definition_, target);
    if (failures.empty()) {
        Inform(services_.language.Message(kMsgSecuritySet));
        return;
    }
    std::string report = FillPlaceholder(services_.language.Message(kMsgSecurityNotWritten),
                                         std::to_string(failures.size())) +
                         "\r\n" + FailureLines(failures);
    if (MachineValuesRefused(failures))
        report += services_.language.Message(kMsgSecurityNeedsAdmin);
    Inform(report);
}

void frmMain::ResetRestrictions() {
    SecurityTarget target{services_.settings, services_.system};
    ResetComputerSecurityKept(definition_, target);
    Inform(services_.language.Message(kMsgSecurityReset));
}

void frmMain::ReplaceShell() {
    const std::optional<std::string> path =
        services_.ui.OpenFile(DefinitionDialog(DefaultDefinitionPath(services_.programFolder)));
    if (!path) return;
    ReplaceWindowsShell(services_.settings, CurrentShellPlaces(), *path);
    Inform(services_.language.Message(kMsgShellChanged) + "\r\n" + *path);
}

void frmMain::RestoreShell() {
    RestoreWindowsShell(services_.settings, CurrentShellPlaces());
    Inform(services_.language.Message(kMsgShellRestored));
}

void frmMain::OpenInternetSettings() {
    // The library runner by its full path, not found through the search path.
    StartProgram("\"" + SystemFolder() + "\\rundll32.exe\" shell32.dll,Control_RunDLL inetcpl.cpl",
                 SW_SHOWNORMAL);
}

void frmMain::selectLanguage() {
    FormCaptions captions(*this);
    SelectLanguage(services_.language, services_.ui, ToWindowId(Hwnd()), captions);
}

void frmMain::restoreLanguageDefault() {
    FormCaptions captions(*this);
    RestoreLanguageDefault(services_.language, captions);
}

void frmMain::ShowAbout() {
    frmSplash splash(VersionText());
    splash.ShowSplash(Hwnd());
}

void frmMain::ShowStartupFiles() {
    std::string list;
    const std::string& text = definition_.StartUp;
    size_t start = 0;
    while (true) {
        const size_t end = text.find("\r\n", start);
        list += text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        list += "\r\n";
        if (end == std::string::npos) break;
        start = end + 2;
    }
    Inform(list);
}

void frmMain::ChooseStartupFile() {
    FileDialogRequest request;
    request.owner = ToWindowId(Hwnd());
    request.filter = kAnyFileFilter;
    request.fileName = WithBackslash(ProgramFilesFolder(Hwnd())) + "...";
    const std::optional<std::string> path = services_.ui.OpenFile(request);
    if (!path) return;
    SetTextField("txtAppsToStart", WithStartupFile(Text("txtAppsToStart"), *path));
}

void frmMain::ChooseBackgroundPicture() {
    FileDialogRequest request;
    request.owner = ToWindowId(Hwnd());
    request.filter = kPictureFilter;
    const std::optional<std::string> path = services_.ui.OpenFile(request);
    if (!path) return;
    SetTextField("txtBGImage", *path);
    // A picture the system cannot read leaves the size as it was.
    if (const std::optional<PictureSize> size = PictureFileSize(*path)) {
        SetTextField("txtHeight", std::to_string(size->height));
        SetTextField("txtWidth", std::to_string(size->width));
    }
}

void frmMain::ChooseStartFolder() {
    const std::string current = Text("txtStartFolder");
    const std::string chosen = BrowseForFolder(services_.ui, Hwnd(), "", current);
    if (chosen != current) SetTextField("txtStartFolder", chosen);
}

void frmMain::SetTextField(const std::string& name, const std::string& text) {
    SetText(name, text);
    // A multi-line box does not report text set by the program as a change.
    const auto field = textFields_.find(name);
    if (field == textFields_.end() || definition_.*(field->second) == text) return;
    definition_.*(field->second) = text;
    setChanged(true);
}

void frmMain::PickColor(int32_t Definition::*color) {
    const std::optional<int32_t> chosen =
        services_.ui.PickColor(ToWindowId(Hwnd()), definition_.*color);
    if (!chosen) return;
    definition_.*color = *chosen;
    ShowColors();
    if (grid_) grid_->RefreshDesktop(definition_.BackColor, definition_.TextColor);
    setChanged(true);
}

bool frmMain::IsPasswordProtected() {
    return SendMessageA(ControlHwnd("chkProtectPassword"), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool frmMain::ProtectPassword() {
    if (!Hwnd() || !IsPasswordProtected()) return true;
    // A kept hash stays until a new password is typed.
    if (!definition_.AdminPasswordHash.empty() && definition_.AdminPassword.empty()) return true;
    const std::string hash = HashPassword(definition_.AdminPassword);
    if (hash.empty()) {
        ReportSaveFailure("The system could not make a hash of the password.");
        return false;
    }
    definition_.AdminPasswordHash = hash;
    definition_.AdminPassword.clear();
    filling_ = true;
    SetText("txtAdminPassword", "");
    filling_ = false;
    return true;
}

void frmMain::TogglePasswordDisplay() {
    const HWND box = ControlHwnd("txtAdminPassword");
    const bool show = SendMessageA(ControlHwnd("chkPwdInfo"), BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(box, EM_SETPASSWORDCHAR, show ? 0 : '*', 0);
    InvalidateRect(box, nullptr, TRUE);
}

void frmMain::EditCurrentCell(bool byDoubleClick) {
    if (!grid_ || locked_) return;
    ApplicationsAndLinksEdit(*grid_, services_.ui, services_.language, definition_.BackColor,
                             Hwnd());
    // A double click marks the definition changed whether or not OK stored anything.
    if (byDoubleClick) setChanged(true);
}

}  // namespace vallora
