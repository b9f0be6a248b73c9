// A program that opens one dialog the way applications do and writes what the
// dialog gave back to a result file: "OK <path>" or "CANCEL". The dialog
// tests start it and watch what the dialog guard does to its dialog.
//   guard_dialog_host classic|explorer|message <result file> <initial folder>
#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A hook without the explorer style gives the classic file-open dialog.
UINT_PTR CALLBACK ClassicHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

std::string OpenFile(bool classic, const char* initialFolder) {
    char file[MAX_PATH] = "";
    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.lpstrFilter = "Text files\0*.txt\0All files\0*.*\0";
    request.lpstrInitialDir = initialFolder;
    request.Flags = OFN_HIDEREADONLY | (classic ? OFN_ENABLEHOOK : OFN_EXPLORER);
    request.lpfnHook = classic ? ClassicHook : nullptr;
    return GetOpenFileNameA(&request) ? std::string("OK ") + file : std::string("CANCEL");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 4) return 2;
    const std::string mode = __argv[1];
    std::string result;
    if (mode == "classic" || mode == "explorer") {
        result = OpenFile(mode == "classic", __argv[3]);
    } else if (mode == "message") {
        result = MessageBoxA(nullptr, "Saved.", "Note", MB_OK) == IDOK ? "OK" : "CANCEL";
    } else {
        return 2;
    }
    FILE* out = std::fopen(__argv[2], "wb");
    if (!out) return 3;
    std::fputs(result.c_str(), out);
    std::fclose(out);
    return 0;
}
