// A program that opens one dialog the way applications do and writes what the
// dialog gave back to a result file: "OK <path>" or "CANCEL". The dialog
// tests start it and watch what the dialog guard does to its dialog.
//   guard_dialog_host <mode> <result file> <initial folder>
// Modes: classic (file open with a hook, the old style), explorer (file open,
// no hook), save (file save, no hook), itemopen and itemsave (the file open
// and save objects), folder (the folder picker), message (a message box).
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A hook without the explorer style gives the classic file-open dialog.
UINT_PTR CALLBACK ClassicHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

std::string FileDialog(const std::string& mode, const char* initialFolder) {
    const bool classic = mode == "classic";
    char file[MAX_PATH] = "";
    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.lpstrFilter = "Text files\0*.txt\0All files\0*.*\0";
    request.lpstrInitialDir = initialFolder;
    request.Flags = OFN_HIDEREADONLY | (classic ? OFN_ENABLEHOOK : OFN_EXPLORER);
    request.lpfnHook = classic ? ClassicHook : nullptr;
    const BOOL chosen = mode == "save" ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
    return chosen ? std::string("OK ") + file : std::string("CANCEL");
}

std::wstring Wide(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string Narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

std::string ItemDialog(bool save, const char* initialFolder) {
    IFileDialog* dialog = nullptr;
    const HRESULT made =
        save ? CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileSaveDialog, reinterpret_cast<void**>(&dialog))
             : CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog));
    if (FAILED(made)) return "NO DIALOG";
    IShellItem* folder = nullptr;
    if (SUCCEEDED(SHCreateItemFromParsingName(Wide(initialFolder).c_str(), nullptr, IID_IShellItem,
                                              reinterpret_cast<void**>(&folder)))) {
        dialog->SetFolder(folder);
        folder->Release();
    }
    std::string result = "CANCEL";
    IShellItem* chosen = nullptr;
    if (SUCCEEDED(dialog->Show(nullptr)) && SUCCEEDED(dialog->GetResult(&chosen))) {
        wchar_t* path = nullptr;
        if (SUCCEEDED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            result = "OK " + Narrow(path);
            CoTaskMemFree(path);
        }
        chosen->Release();
    }
    dialog->Release();
    return result;
}

std::string FolderPicker() {
    char name[MAX_PATH] = "";
    BROWSEINFOA request{};
    request.pszDisplayName = name;
    request.lpszTitle = "Choose a folder";
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&request);
    if (!chosen) return "CANCEL";
    char path[MAX_PATH] = "";
    SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    return std::string("OK ") + path;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 4) return 2;
    const std::string mode = __argv[1];
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string result;
    if (mode == "classic" || mode == "explorer" || mode == "save") {
        result = FileDialog(mode, __argv[3]);
    } else if (mode == "itemopen" || mode == "itemsave") {
        result = ItemDialog(mode == "itemsave", __argv[3]);
    } else if (mode == "folder") {
        result = FolderPicker();
    } else if (mode == "message") {
        result = MessageBoxA(nullptr, "Saved.", "Note", MB_OK) == IDOK ? "OK" : "CANCEL";
    } else {
        return 2;
    }
    FILE* out = std::fopen(__argv[2], "wb");
    if (!out) return 3;
    std::fputs(result.c_str(), out);
    std::fclose(out);
    CoUninitialize();
    return 0;
}
