#pragma once
// frmMain: the editor window. It is a view of the program-wide definition
// record: every control change writes through to the record at once, and
// LoadDefinition fills the controls and the grid from it. Besides the three
// tabs it holds the document commands (New, Open, Save, Exit, close), the
// desktop start and preview commands and the tool commands.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "editor/desktop_grid_win32.h"
#include "language/language.h"
#include "page/icon_port.h"
#include "platform/form_win32.h"
#include "platform/ui_seam.h"
#include "platform/win32_handles_win32.h"
#include "runtime/desktop_session_win32.h"
#include "runtime/program_state.h"
#include "security/security_system_port.h"
#include "storage/settings.h"

namespace vallora {

// Everything the editor window works with; tests build it from fakes and a
// scripted UI.
struct MainWindowServices {
    ProgramState& state;
    Settings& settings;
    Language& language;
    UiSeam& ui;
    DesktopSession& session;
    IconPort& icons;
    SecuritySystemPort& system;
    std::string programFolder;  // without a trailing backslash
    // The Exit command's end of the program; the session's EndSession when empty.
    std::function<void()> endSession{};
    // Starts a command line without waiting (the desktop with its task bar,
    // the Internet options); StartCommandLine when empty.
    std::function<void(const std::string& commandLine, WORD show)> startProgram{};
    // Runs when a non-modal editor window has been closed.
    std::function<void()> closed{};
};

class frmMain : public Form {
  public:
    explicit frmMain(MainWindowServices services);
    ~frmMain() override;

    // Creates the window (hidden) unless it exists, and runs Initialize.
    bool Load();
    // Loads the window when needed, shows the record and the window.
    bool Show();
    // Shows the record modally with the File menu and the editing frames
    // locked; returns when the window has been closed.
    bool ShowLocked(HWND owner);

    // The window start: empty grid, the record in the controls, tab 1.
    void Initialize();
    void setChanged(bool value) { changed_ = value; }
    bool Changed() const { return changed_; }

    // Loads the file at path (every default for an empty path) into the
    // record and shows it; the changed flag is cleared. A file that exists
    // but cannot be read is reported with the system's message and changes
    // nothing (false): the document, its path and its flag stay.
    bool LoadDefinition(const std::string& path);
    void NewFile();
    void OpenFile();
    // Writes the page, then the definition; true when both were written.
    // A failure is reported to the person and keeps the changed flag.
    bool SaveFile(bool saveAs);
    void ExitCommand();
    void StartDesktop(bool withTaskBar);
    void selectLanguage();
    void restoreLanguageDefault();

    // The selected tab, from 1.
    int SelectedTab() const;
    void SelectTab(int tab);

    DesktopGrid* Grid() { return grid_.get(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    using TextField = std::string Definition::*;
    using CheckField = int Definition::*;
    // A number of seconds, put into its allowed range when the box is left.
    struct SecondsField {
        int Definition::*member;
        int (*range)(std::int64_t);
    };

    // Building the window (frm_main_menus_win32.cpp, frm_main_pages_win32.cpp).
    HMENU BuildMenuBar();
    void BuildAcceleratorTable();
    void BuildHeader();
    bool BuildTabs();
    HWND BuildPage(const RECT& bounds);
    void BuildAppearancePage(HWND page, int width, int height);
    void BuildApplicationsPage(HWND page, int width, int height);
    void BuildSecurityPage(HWND page, int width, int height);
    HWND AddIconButton(HWND page, const std::string& name, const RECT& bounds, HICON icon);

    // The record in the controls.
    void ShowDefinition();
    void ShowColors();
    void SetLocked(bool locked);
    // The keyboard focus into the control the selected tab starts with.
    void FocusSelectedTab();

    // Messages.
    LRESULT OnCommand(UINT id, UINT code, HWND control);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnControlColor(HDC dc, HWND control);
    LRESULT OnClose();
    void OnActivate(UINT state);

    // Commands (frm_main_commands_win32.cpp).
    void RunCommand(const std::string& name);
    bool SavePrompt();
    void ReportSaveFailure(const std::string& systemError);
    void ReportFailure(const std::string& text);
    void ApplyRestrictions();
    void ResetRestrictions();
    void ReplaceShell();
    void RestoreShell();
    void OpenInternetSettings();
    void ShowAbout();
    void ShowStartupFiles();
    void ChooseStartupFile();
    void ChooseBackgroundPicture();
    void ChooseStartFolder();
    // Sets a text box and its field of the record, as typing into it would.
    void SetTextField(const std::string& name, const std::string& text);
    void PickColor(int32_t Definition::*color);
    void TogglePasswordDisplay();
    bool IsPasswordProtected();
    // With "Protect the password" ticked, replaces a typed password by its
    // hash before the definition is saved; false (with the reason shown)
    // when no hash could be made.
    bool ProtectPassword();
    void EditCurrentCell(bool byDoubleClick);
    MessageResult Inform(const std::string& text);
    void StartProgram(const std::string& commandLine, WORD show);
    FileDialogRequest DefinitionDialog(std::string fileName) const;

    MainWindowServices services_;
    Definition& definition_;
    bool changed_ = false;
    bool filling_ = false;
    bool locked_ = false;

    HWND tabStrip_ = nullptr;
    HWND pages_[3] = {};
    std::unique_ptr<DesktopGrid> grid_;
    UniqueHMENU gridMenu_;  // holds the hidden mnuApplicationAndLinks
    struct AcceleratorDeleter {
        void operator()(HACCEL table) const noexcept { DestroyAcceleratorTable(table); }
    };
    UniqueHandle<HACCEL, AcceleratorDeleter> accelerators_;
    UniqueHFONT headerFont_;
    UniqueHFONT sampleFont_;
    UniqueHBRUSH backBrush_;
    UniqueHBRUSH textBrush_;
    UniqueHICON folderIcon_;
    UniqueHICON internetIcon_;

    std::unordered_map<std::string, TextField> textFields_;
    std::unordered_map<std::string, CheckField> checkFields_;
    std::unordered_map<std::string, SecondsField> secondsFields_;
};

}  // namespace vallora
