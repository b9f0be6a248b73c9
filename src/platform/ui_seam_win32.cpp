#include "platform/ui_seam_win32.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "platform/file_dialog_text.h"
#include "platform/focus_keeper_win32.h"
#include "platform/unique_handle.h"
#include "platform/window_port_win32.h"

namespace vallora {

namespace {

struct ItemIdListDeleter {
    void operator()(LPITEMIDLIST list) const noexcept { CoTaskMemFree(list); }
};
using UniqueItemIdList = UniqueHandle<LPITEMIDLIST, ItemIdListDeleter>;

std::optional<std::string> RunFileDialog(const FileDialogRequest& request, bool save) {
    std::string filter = SystemFilterList(request.filter);
    InitialFile initial = SplitInitialFileName(request.fileName);
    // Room for long paths; a name that does not fit is cut rather than refused.
    std::vector<char> buffer(32768, '\0');
    initial.name.copy(buffer.data(), buffer.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = ToHwnd(request.owner);
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = initial.folder.empty() ? nullptr : initial.folder.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (save && request.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    const FocusKeeper focus;
    BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!chosen) return std::nullopt;  // cancelled or failed: the caller cannot tell them apart
    return std::string(buffer.data());
}

UINT ButtonFlags(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return MB_OK;
        case MessageButtons::OkCancel:
            return MB_OKCANCEL;
        case MessageButtons::YesNo:
            return MB_YESNO;
        case MessageButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case MessageButtons::RetryCancel:
            return MB_RETRYCANCEL;
        case MessageButtons::AbortRetryIgnore:
            return MB_ABORTRETRYIGNORE;
    }
    return MB_OK;
}

UINT IconFlags(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return 0;
        case MessageIcon::Critical:
            return MB_ICONHAND;
        case MessageIcon::Question:
            return MB_ICONQUESTION;
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Information:
            return MB_ICONASTERISK;
    }
    return 0;
}

}  // namespace

std::optional<std::string> Win32Ui::OpenFile(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<std::string> Win32Ui::SaveFile(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::optional<std::string> Win32Ui::ChooseFolder(const FolderRequest& request) {
    char display[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = ToHwnd(request.owner);
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = display;
    info.lpszTitle = request.title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    const FocusKeeper focus;
    UniqueItemIdList chosen(SHBrowseForFolderA(&info));
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(chosen.get(), path)) return std::nullopt;
    return std::string(path);
}

std::optional<int32_t> Win32Ui::PickColor(OwnerWindow owner, int32_t initial) {
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = ToHwnd(owner);
    cc.rgbResult = static_cast<COLORREF>(initial) & 0xFFFFFF;
    cc.lpCustColors = customColors_.data();
    cc.Flags = CC_RGBINIT;
    const FocusKeeper focus;
    if (!ChooseColorA(&cc)) return std::nullopt;
    // COLORREF keeps red in the low byte, as the definition does.
    return static_cast<int32_t>(cc.rgbResult & 0xFFFFFF);
}

MessageResult Win32Ui::ShowMessage(const MessageRequest& request) {
    const FocusKeeper focus;
    const int answer =
        MessageBoxA(ToHwnd(request.owner), request.text.c_str(), request.title.c_str(),
                    ButtonFlags(request.buttons) | IconFlags(request.icon));
    switch (answer) {
        case IDOK:
            return MessageResult::Ok;
        case IDYES:
            return MessageResult::Yes;
        case IDNO:
            return MessageResult::No;
        case IDRETRY:
            return MessageResult::Retry;
        case IDABORT:
            return MessageResult::Abort;
        case IDIGNORE:
            return MessageResult::Ignore;
        default:
            return MessageResult::Cancel;  // IDCANCEL, or the box could not be shown
    }
}

}  // namespace vallora
