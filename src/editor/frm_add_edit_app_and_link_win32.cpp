#include "editor/frm_add_edit_app_and_link_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include "language/form_captions_win32.h"
#include "language/messages.h"
#include "page/frm_icons_win32.h"
#include "platform/shell_folders_win32.h"
#include "platform/version.h"

namespace vallora {
namespace {

constexpr const char* kTitle = "Add or Edit Applications or Links";
constexpr const char* kAnyFileFilter = "*.* | *.*";
constexpr const char* kPictureFilter =
    "*.jpg; *.gif; *.bmp; *.fla; *.png; *.ico | *.jpg; *.gif; *.bmp; *.fla; *.png; *.ico";
constexpr UINT_PTR kCheckBoxSubclass = 1;

// Client area layout, pixels.
constexpr int kClientWidth = 460;
constexpr int kClientHeight = 330;
constexpr int kHeaderHeight = 48;
constexpr int kLeft = 24;
constexpr int kBoxWidth = 412;
constexpr int kSmallButton = 28;
constexpr int kRowHeight = 22;

OwnerWindow AsOwner(HWND window) {
    return reinterpret_cast<OwnerWindow>(window);
}

// The large folder picture of the shell for the folder button.
UniqueHICON FolderIcon() {
    HICON small = nullptr;
    const std::string shell32 = WindowsFolder() + "\\system32\\shell32.dll";
    if (ExtractIconExA(shell32.c_str(), 3, nullptr, &small, 1) == 0) return {};
    return UniqueHICON(small);
}

}  // namespace

frmAddEditAppAndLink::frmAddEditAppAndLink(DesktopGrid& grid, UiSeam& ui, const Language& language,
                                           int32_t backColor)
    : Form("frmAddEditAppAndLink"),
      grid_(grid),
      ui_(ui),
      language_(language),
      backColor_(backColor) {}

bool frmAddEditAppAndLink::Load(HWND owner) {
    if (Hwnd()) return true;
    // No WS_CLIPCHILDREN: the frame paints no inside of its own, the form does.
    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
    FormWindowSpec params;
    params.className = "ValloraAddEditAppAndLink";
    params.caption = kTitle;
    params.style = kStyle;
    params.exStyle = kExStyle;
    CenterDialog(params, kClientWidth, kClientHeight, owner);
    params.owner = owner;
    params.dialogKeys = true;
    if (!Create(params)) return false;

    headerBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    AddControl({.name = "frameApplications",
                .kind = ControlKind::Frame,
                .x = 10,
                .y = kHeaderHeight + 8,
                .width = kClientWidth - 20,
                .height = 218,
                .caption = "Add Program, Document or Link"});
    int y = kHeaderHeight + 28;
    AddControl({.name = "lblName",
                .kind = ControlKind::Label,
                .x = kLeft,
                .y = y,
                .width = kBoxWidth,
                .height = 14,
                .caption = "Display Name"});
    AddControl({.name = "txtProgramName",
                .kind = ControlKind::TextBox,
                .x = kLeft,
                .y = y + 15,
                .width = kBoxWidth,
                .height = kRowHeight});
    y += 44;
    AddControl({.name = "lblProgramFileName",
                .kind = ControlKind::Label,
                .x = kLeft,
                .y = y,
                .width = kBoxWidth,
                .height = 14,
                .caption = "Program, Document or URL"});
    const int fileBoxWidth = kBoxWidth - 2 * (kSmallButton + 4);
    AddControl({.name = "txtProgramFileName",
                .kind = ControlKind::TextBox,
                .x = kLeft,
                .y = y + 15,
                .width = fileBoxWidth,
                .height = kRowHeight});
    AddControl({.name = "cmdBrowseProgramFile",
                .kind = ControlKind::Button,
                .x = kLeft + fileBoxWidth + 4,
                .y = y + 15,
                .width = kSmallButton,
                .height = kRowHeight,
                .caption = "..."});
    HWND folderButton = AddControl({.name = "cmdBrowseFolder",
                                    .kind = ControlKind::Button,
                                    .x = kLeft + fileBoxWidth + kSmallButton + 8,
                                    .y = y + 15,
                                    .width = kSmallButton,
                                    .height = kRowHeight,
                                    .style = BS_ICON});
    folderIcon_ = FolderIcon();
    if (folderButton && folderIcon_) {
        SendMessageA(folderButton, BM_SETIMAGE, IMAGE_ICON,
                     reinterpret_cast<LPARAM>(folderIcon_.get()));
    }
    y += 44;
    AddControl({.name = "lblProgramPicture",
                .kind = ControlKind::Label,
                .x = kLeft,
                .y = y,
                .width = kBoxWidth,
                .height = 14,
                .caption = "Picture (Filename or URL)"});
    constexpr int kCreateWidth = 64;
    const int pictureBoxWidth = kBoxWidth - kSmallButton - kCreateWidth - 8;
    AddControl({.name = "txtProgramPicture",
                .kind = ControlKind::TextBox,
                .x = kLeft,
                .y = y + 15,
                .width = pictureBoxWidth,
                .height = kRowHeight});
    AddControl({.name = "cmdBrowseProgramImage",
                .kind = ControlKind::Button,
                .x = kLeft + pictureBoxWidth + 4,
                .y = y + 15,
                .width = kSmallButton,
                .height = kRowHeight,
                .caption = "..."});
    AddControl({.name = "cmdCreate",
                .kind = ControlKind::Button,
                .x = kLeft + pictureBoxWidth + kSmallButton + 8,
                .y = y + 15,
                .width = kCreateWidth,
                .height = kRowHeight,
                .caption = "Create"});
    y += 44;
    AddControl({.name = "lblAlignment",
                .kind = ControlKind::Label,
                .x = kLeft,
                .y = y,
                .width = 120,
                .height = 14,
                .caption = "Alignment"});
    HWND align = AddControl({.name = "cboAlign",
                             .kind = ControlKind::ComboBox,
                             .x = kLeft,
                             .y = y + 15,
                             .width = 120,
                             .height = 120,
                             .caption = "Center"});
    for (const char* item : {"Left", "Center", "Right"}) {
        SendMessageA(align, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SetWindowTextA(align, "Center");
    HWND showAsText = AddControl({.name = "chkShowAsText",
                                  .kind = ControlKind::CheckBox,
                                  .x = kLeft + 150,
                                  .y = y + 2,
                                  .width = kBoxWidth - 150,
                                  .height = 18,
                                  .caption = "Display as Hyperlink"});
    if (showAsText)
        SetWindowSubclass(showAsText, &CheckBoxProc, kCheckBoxSubclass,
                          reinterpret_cast<DWORD_PTR>(this));
    AddControl({.name = "chkUseTransparency",
                .kind = ControlKind::CheckBox,
                .x = kLeft + 150,
                .y = y + 24,
                .width = kBoxWidth - 150,
                .height = 18,
                .caption = "Icon has Transparent Background"});
    AddControl({.name = "cmdOK",
                .kind = ControlKind::Button,
                .x = kClientWidth - 2 * (86 + 10),
                .y = kClientHeight - 26 - 12,
                .width = 86,
                .height = 26,
                .caption = "&OK",
                .style = BS_DEFPUSHBUTTON});
    AddControl({.name = "cmdCancel",
                .kind = ControlKind::Button,
                .x = kClientWidth - 86 - 10,
                .y = kClientHeight - 26 - 12,
                .width = 86,
                .height = 26,
                .caption = "&Cancel"});
    AddLogoHeader(*this, kClientWidth, kHeaderHeight, kTitle);
    return true;
}

void frmAddEditAppAndLink::ShowEntry() {
    const ApplicationAndLink entry = grid_.EntryAt(row_, column_);
    SetText("txtProgramName", entry.DisplayName);
    SetText("txtProgramFileName", entry.URL);
    SetText("txtProgramPicture", entry.Picture);
    SetText("cboAlign", entry.Align);
    CheckDlgButton(Hwnd(), CommandId("chkShowAsText"),
                   entry.HyperLink == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Hwnd(), CommandId("chkUseTransparency"),
                   entry.Transparency == 1 ? BST_CHECKED : BST_UNCHECKED);
}

bool frmAddEditAppAndLink::UseTransparency() const {
    return IsDlgButtonChecked(Hwnd(), CommandId("chkUseTransparency")) == BST_CHECKED;
}

void frmAddEditAppAndLink::SetProgramPicture(const std::string& path) {
    SetText("txtProgramPicture", path);
}

void frmAddEditAppAndLink::Inform(std::string_view messageKey) {
    MessageRequest request;
    request.owner = AsOwner(Hwnd());
    request.text = language_.Message(messageKey);
    request.title = VALLORA_PRODUCT_NAME;
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Information;
    ui_.ShowMessage(request);
}

bool frmAddEditAppAndLink::Save() {
    const std::string url = Text("txtProgramFileName");
    if (url.empty()) {
        Inform(kMsgSpecifyUrl);
        return false;
    }
    const auto state = [this](const char* name) -> int16_t {
        return IsDlgButtonChecked(Hwnd(), CommandId(name)) == BST_CHECKED ? 1 : 0;
    };
    grid_.SetApplicationAndLink(Text("txtProgramName"), url, Text("txtProgramPicture"),
                                Text("cboAlign"), state("chkShowAsText"),
                                state("chkUseTransparency"), row_, column_);
    Unload(true);
    return true;
}

bool frmAddEditAppAndLink::Show(HWND owner) {
    if (!Load(owner)) return false;
    saved_ = false;
    ShowModal(owner);
    Unload(saved_);
    return saved_;
}

void frmAddEditAppAndLink::Unload(bool saved) {
    saved_ = saved;
    if (IsModal()) {
        // Show unloads once the modal loop has returned, so no control goes
        // away inside its own notification.
        EndModal(saved ? IDOK : IDCANCEL);
        return;
    }
    Destroy();
}

void frmAddEditAppAndLink::BrowseProgramFile() {
    std::string folder = ProgramFilesFolder(Hwnd());
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    FileDialogRequest request;
    request.owner = AsOwner(Hwnd());
    request.filter = kAnyFileFilter;
    request.fileName = folder + "...";
    if (const std::optional<std::string> path = ui_.OpenFile(request)) {
        SetText("txtProgramFileName", *path);
    }
}

void frmAddEditAppAndLink::BrowseFolder() {
    // A cancelled chooser hands back the default: the text as it was.
    SetText("txtProgramFileName",
            vallora::BrowseForFolder(ui_, Hwnd(), "", Text("txtProgramFileName")));
}

void frmAddEditAppAndLink::BrowseProgramImage() {
    FileDialogRequest request;
    request.owner = AsOwner(Hwnd());
    request.filter = kPictureFilter;
    if (const std::optional<std::string> path = ui_.OpenFile(request)) {
        SetText("txtProgramPicture", *path);
    }
}

void frmAddEditAppAndLink::CreatePicture() {
    frmIcons picker(ui_, language_, *this);
    picker.Show(Hwnd());
}

void frmAddEditAppAndLink::OnShowAsTextMouseUp() {
    if (IsDlgButtonChecked(Hwnd(), CommandId("chkShowAsText")) == BST_CHECKED) {
        Inform(kMsgProtocolWarning);
    }
}

LRESULT CALLBACK frmAddEditAppAndLink::CheckBoxProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                    LPARAM lParam, UINT_PTR,
                                                    DWORD_PTR self) noexcept {
    switch (msg) {
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            // The box takes its new state first; the warning follows the release.
            const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
            reinterpret_cast<frmAddEditAppAndLink*>(self)->OnShowAsTextMouseUp();
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &CheckBoxProc, kCheckBoxSubclass);
            return DefSubclassProc(hwnd, msg, wParam, lParam);
        default:
            return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
}

void frmAddEditAppAndLink::OnActivate() {
    FormCaptions captions(*this);
    language_.ApplyCaptions(captions);
}

LRESULT frmAddEditAppAndLink::OnCommand(UINT id, UINT code, HWND control) {
    if (code == EN_SETFOCUS) {
        // Every text box offers its whole text for replacing.
        SendMessageA(control, EM_SETSEL, 0, -1);
        return 0;
    }
    if (code != BN_CLICKED) return 0;
    if (id == IDCANCEL || id == CommandId("cmdCancel")) {
        Unload(false);
    } else if (id == IDOK || id == CommandId("cmdOK")) {
        Save();
    } else if (id == CommandId("cmdBrowseProgramFile")) {
        BrowseProgramFile();
    } else if (id == CommandId("cmdBrowseFolder")) {
        BrowseFolder();
    } else if (id == CommandId("cmdBrowseProgramImage")) {
        BrowseProgramImage();
    } else if (id == CommandId("cmdCreate")) {
        CreatePicture();
    }
    return 0;
}

LRESULT frmAddEditAppAndLink::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) OnActivate();
            return Form::HandleMessage(msg, wParam, lParam);
        case WM_CTLCOLORSTATIC: {
            const auto control = reinterpret_cast<HWND>(lParam);
            if (control != ControlHwnd("lblInfo") && control != ControlHwnd("PicLogo")) break;
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(headerBrush_.get());
        }
        case WM_CLOSE:
            Unload(false);
            return 0;
        default:
            break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

bool ApplicationsAndLinksEdit(DesktopGrid& grid, UiSeam& ui, const Language& language,
                              int32_t backColor, HWND owner) {
    frmAddEditAppAndLink dialog(grid, ui, language, backColor);
    if (!dialog.Load(owner)) return false;
    dialog.SetCol(grid.CurrentColumn());
    dialog.SetRow(grid.CurrentRow());
    dialog.ShowEntry();
    return dialog.Show(owner);
}

}  // namespace vallora
