// ValloraPage: the desktop page drawn by Vallora itself, the page program a
// session starts instead of the HTA host. Started as
//   ValloraPage.exe "definition.vla" "page.hta"
// it shows the definition's desktop; the page path names the folder of the
// icon bitmaps and of relative pictures, as for the generated page.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "page/desktop_page_window_win32.h"
#include "page/icon_bitmap_win32.h"
#include "platform/library_search_win32.h"
#include "platform/system_storage_win32.h"
#include "storage/definition_file.h"

namespace {

std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) {
        const int needed =
            WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<size_t>(needed > 0 ? needed : 1), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide[i], -1, text.data(), needed, nullptr, nullptr);
        text.resize(text.size() - 1);
        arguments.push_back(std::move(text));
    }
    LocalFree(wide);
    return arguments;
}

// The page beside the definition, as the editor's save writes it.
std::string PageBeside(const std::string& definitionPath) {
    const size_t dot = definitionPath.rfind('.');
    return (dot == std::string::npos ? std::string() : definitionPath.substr(0, dot + 1)) + "hta";
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace vallora;
    LimitLibrarySearch();
    const std::vector<std::string> arguments = Arguments();
    if (arguments.empty()) return 2;
    const std::string& definitionPath = arguments[0];
    const std::string pagePath = arguments.size() > 1 ? arguments[1] : PageBeside(definitionPath);
    // A definition that cannot be read shows the defaults, as the session does.
    LoadedDefinition loaded = LoadDefinition(definitionPath);

    SystemStorage storage;
    IconPortWin32 icons(storage.settings);
    DesktopPageWindow page(loaded.Record, pagePath, icons);
    if (!page.Create(instance)) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
