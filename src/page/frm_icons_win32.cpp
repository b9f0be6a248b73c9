#include "page/frm_icons_win32.h"

#include "language/failure_message.h"
#include "language/form_captions_win32.h"
#include "language/messages.h"
#include "page/bitmap_file.h"
#include "page/html_color.h"
#include "page/icon_bitmap_win32.h"
#include "platform/shell_folders_win32.h"
#include "platform/version.h"
#include "platform/wait_cursor_win32.h"
#include "storage/whole_file.h"

namespace vallora {
namespace {

constexpr const char* kIconFileFilter = "*.exe, *.dll, *.cpl ,*.msc  | *.exe; *.dll; *.cpl; *.msc";
constexpr const char* kBitmapFilter = "Bitmap | *.bmp";

// Client area layout, pixels.
constexpr int kClientWidth = 450;
constexpr int kClientHeight = 345;
constexpr int kHeaderHeight = 48;
constexpr int kGap = 10;
constexpr int kListWidth = 340;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

OwnerWindow AsOwner(HWND window) {
    return reinterpret_cast<OwnerWindow>(window);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A 32 x 32 bitmap holding the picture, for the image list and the preview.
UniqueHBITMAP PictureBitmap(const std::vector<int32_t>& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kIconBitmapSize;
    info.bmiHeader.biHeight = -kIconBitmapSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueHBITMAP bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits || pixels.size() != kIconBitmapSize * kIconBitmapSize) return {};
    auto* out = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const auto color = static_cast<uint32_t>(pixels[i]);
        out[i] = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    }
    return bitmap;
}

}  // namespace

frmIcons::frmIcons(UiSeam& ui, const Language& language, IconPickerHost& host)
    : Form("frmIcons"), ui_(ui), language_(language), host_(host) {}

bool frmIcons::Load(HWND owner) {
    if (Hwnd()) return true;
    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
    FormWindowSpec params;
    params.className = "ValloraIcons";
    params.caption = "Select Icon";
    params.style = kStyle;
    params.exStyle = kExStyle;
    CenterDialog(params, kClientWidth, kClientHeight, owner);
    params.owner = owner;
    params.dialogKeys = true;
    if (!Create(params)) return false;

    headerBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    const int right = kClientWidth - kGap - kButtonWidth;
    const int listTop = kHeaderHeight + kGap + kButtonHeight + kGap / 2;
    AddControl({.name = "cmdSelectFile",
                .kind = ControlKind::Button,
                .x = kGap,
                .y = kHeaderHeight + kGap,
                .width = kClientWidth - 2 * kGap,
                .height = kButtonHeight,
                .caption = "Select File from wich extract Icons"});
    AddControl({.name = "Icons",
                .kind = ControlKind::ListView,
                .x = kGap,
                .y = listTop,
                .width = kListWidth,
                .height = kClientHeight - listTop - kGap,
                .style = LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                         LVS_AUTOARRANGE});
    RegisterControl("ImageList", ControlKind::Other, nullptr);
    AddControl({.name = "PicIcon",
                .kind = ControlKind::PictureBox,
                .x = right + (kButtonWidth - kIconBitmapSize) / 2,
                .y = listTop + kGap,
                .width = kIconBitmapSize,
                .height = kIconBitmapSize,
                .style = SS_BITMAP});
    RegisterControl("Dialog", ControlKind::Other, nullptr);
    AddControl({.name = "cmdOK",
                .kind = ControlKind::Button,
                .x = right,
                .y = kClientHeight - 2 * (kButtonHeight + kGap) + kGap / 2,
                .width = kButtonWidth,
                .height = kButtonHeight,
                .caption = "&OK"});
    AddControl({.name = "cmdCancel",
                .kind = ControlKind::Button,
                .x = right,
                .y = kClientHeight - kButtonHeight - kGap,
                .width = kButtonWidth,
                .height = kButtonHeight,
                .caption = "&Cancel"});
    AddLogoHeader(*this, kClientWidth, kHeaderHeight, "Select Icon");
    return true;
}

bool frmIcons::Show(HWND owner) {
    if (!Load(owner)) return false;
    saved_ = false;
    Initialize(WindowsFolder() + "\\system32\\shell32.dll");
    ShowModal(owner);
    Unload(saved_);
    return saved_;
}

void frmIcons::Initialize(const std::string& file) {
    const WaitCursor wait;
    HWND list = ControlHwnd("Icons");
    ListView_SetImageList(list, nullptr, LVSIL_NORMAL);
    ListView_DeleteAllItems(list);
    if (imageList_) ImageList_RemoveAll(imageList_.get());
    pictures_.clear();

    const int32_t back = host_.BackColor();
    const int32_t color = host_.UseTransparency() ? kChromaKeyColor : back;
    ListView_SetBkColor(list, static_cast<COLORREF>(back) & 0xFFFFFF);
    ListView_SetTextBkColor(list, static_cast<COLORREF>(back) & 0xFFFFFF);
    LoadFileIcon(file, color);

    ListView_SetImageList(list, imageList_.get(), LVSIL_NORMAL);
    for (int i = 0; i < IconCount(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        item.iImage = i;
        ListView_InsertItem(list, &item);
    }
}

void frmIcons::LoadFileIcon(const std::string& file, int32_t color) {
    const std::vector<UniqueHICON> icons = ExtractAllLargeIcons(file);
    if (!imageList_) {
        imageList_.reset(ImageList_Create(kIconBitmapSize, kIconBitmapSize, ILC_COLOR24,
                                          static_cast<int>(icons.size()), 16));
    }
    std::vector<int32_t> shown(kIconBitmapSize * kIconBitmapSize, color);
    for (const UniqueHICON& icon : icons) {
        std::vector<int32_t> pixels = DrawIconOnColor(icon.get(), color);
        const UniqueHBITMAP bitmap = PictureBitmap(pixels);
        // Picture i of the list stays item i's picture: add both or neither.
        if (!bitmap || !imageList_ || ImageList_Add(imageList_.get(), bitmap.get(), nullptr) < 0) {
            continue;
        }
        shown = pixels;
        pictures_.push_back(std::move(pixels));
    }
    ShowPreview(std::move(shown));
}

void frmIcons::ShowPreview(std::vector<int32_t> pixels) {
    preview_ = std::move(pixels);
    UniqueHBITMAP bitmap = PictureBitmap(preview_);
    SendMessageA(ControlHwnd("PicIcon"), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(bitmap.get()));
    previewBitmap_ = std::move(bitmap);  // the box no longer shows the previous one
}

void frmIcons::OK() {
    FileDialogRequest request;
    request.owner = AsOwner(Hwnd());
    request.filter = kBitmapFilter;
    const std::optional<std::string> path = ui_.SaveFile(request);
    if (!path) return;
    if (FileExists(*path)) {
        MessageRequest question;
        question.owner = AsOwner(Hwnd());
        question.text =
            FillPlaceholder(language_.Message(std::string(kMsgFileReplaceWarning)), *path);
        question.title = VALLORA_PRODUCT_NAME;
        question.buttons = MessageButtons::YesNo;
        question.icon = MessageIcon::Exclamation;
        if (ui_.ShowMessage(question) != MessageResult::Yes) return;
    }
    // A bitmap that could not be written must not become the entry's picture.
    std::string error;
    if (!ReplaceWholeFile(*path, EncodeBitmapFile(kIconBitmapSize, kIconBitmapSize, preview_),
                          &error)) {
        ui_.ShowMessage(WriteFailureMessage(language_, AsOwner(Hwnd()), error));
        return;
    }
    host_.SetProgramPicture(*path);
    Unload(true);
}

void frmIcons::SelectFile() {
    FileDialogRequest request;
    request.owner = AsOwner(Hwnd());
    request.filter = kIconFileFilter;
    if (const std::optional<std::string> path = ui_.OpenFile(request)) Initialize(*path);
}

void frmIcons::Unload(bool saved) {
    saved_ = saved;
    if (IsModal()) {
        // Show unloads once the modal loop has returned, so no control goes
        // away inside its own notification.
        EndModal(saved ? IDOK : IDCANCEL);
        return;
    }
    Destroy();
    pictures_.clear();
    imageList_.reset();
    previewBitmap_.reset();
}

void frmIcons::OnActivate() {
    FormCaptions captions(*this);
    language_.ApplyCaptions(captions);
}

LRESULT frmIcons::OnCommand(UINT id) {
    if (id == IDCANCEL || id == CommandId("cmdCancel")) {
        Unload(false);
    } else if (id == CommandId("cmdOK")) {
        OK();
    } else if (id == CommandId("cmdSelectFile")) {
        SelectFile();
    }
    return 0;
}

LRESULT frmIcons::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != ControlHwnd("Icons")) return 0;
    if (header.code == NM_DBLCLK) {
        OK();
    } else if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool selected = (change.uChanged & LVIF_STATE) &&
                              (change.uNewState & LVIS_SELECTED) &&
                              !(change.uOldState & LVIS_SELECTED);
        if (selected && change.iItem >= 0 && change.iItem < IconCount()) {
            ShowPreview(pictures_[static_cast<size_t>(change.iItem)]);
        }
    }
    return 0;
}

LRESULT frmIcons::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            return HIWORD(wParam) == BN_CLICKED ? OnCommand(LOWORD(wParam)) : 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
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

}  // namespace vallora
