#include "runtime/last_good_win32.h"

#include <shlobj.h>
#include <windows.h>

#include "runtime/page_path.h"
#include "storage/ascii_case.h"
#include "storage/whole_file.h"

namespace vallora {

namespace {

constexpr char kBaseName[] = "LastGood";

std::string LastGoodFolder() {
    char path[MAX_PATH];
    if (FAILED(
            SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return std::string(path) + "\\Brenmark\\Vallora\\LastGood";
}

// The icon folder the page generator uses beside a page: base name & "_Icons\".
std::string IconFolderOf(const std::string& pagePath) {
    const size_t dot = pagePath.rfind('.');
    return pagePath.substr(0, dot == std::string::npos ? pagePath.size() : dot) + "_Icons\\";
}

void CreateFolders(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos;
         at = folder.find('\\', at + 1)) {
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
}

void CopyIcons(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    CreateDirectoryA(to.c_str(), nullptr);
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        CopyFileA((from + found.cFileName).c_str(), (to + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string ReplacedAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

std::string LastGoodDefinitionPath() {
    const std::string folder = LastGoodFolder();
    return folder.empty() ? std::string() : folder + "\\" + kBaseName + ".vla";
}

bool KeepLastGoodDefinition(const std::string& definitionPath) {
    const std::string target = LastGoodDefinitionPath();
    if (target.empty() || EqualsNoCase(target, definitionPath)) return false;
    std::string definition;
    if (ReadWholeFile(definitionPath, &definition, nullptr) != FileReadStatus::Read) return false;
    CreateFolders(LastGoodFolder());
    const std::string page = PagePathFor(definitionPath);
    const std::string targetPage = PagePathFor(target);
    std::string pageText;
    if (ReadWholeFile(page, &pageText, nullptr) != FileReadStatus::Read) return false;
    CopyIcons(IconFolderOf(page), IconFolderOf(targetPage));
    pageText = ReplacedAll(std::move(pageText), IconFolderOf(page), IconFolderOf(targetPage));
    return ReplaceWholeFile(targetPage, pageText, nullptr) &&
           ReplaceWholeFile(target, definition, nullptr);
}

}  // namespace vallora
