// ValloraDialogProbe.exe: opens one file dialog the way an application does
// and ends when it closes. The lock-down check starts it in a process of its
// own, since the dialog guard leaves the session's own windows alone.
//   ValloraDialogProbe explorer|item|folder
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string_view>

#include "platform/com_ref_win32.h"

namespace {

void ExplorerOpenDialog() {
    char file[MAX_PATH] = "";
    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.lpstrFilter = "All files\0*.*\0";
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    GetOpenFileNameA(&request);
}

void ItemOpenDialog() {
    vallora::ComRef<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileOpenDialog, reinterpret_cast<void**>(dialog.put())))) {
        return;
    }
    dialog->Show(nullptr);
}

void FolderPicker() {
    BROWSEINFOA request{};
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    if (LPITEMIDLIST chosen = SHBrowseForFolderA(&request)) CoTaskMemFree(chosen);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const vallora::ComScope com;
    const std::string_view mode(commandLine);
    if (mode == "explorer") {
        ExplorerOpenDialog();
    } else if (mode == "item") {
        ItemOpenDialog();
    } else if (mode == "folder") {
        FolderPicker();
    }
    return 0;
}
