#include "runtime/desktop_cleanup_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>

#include "platform/event_log_win32.h"
#include "platform/win32_handles_win32.h"

namespace vallora {

namespace {

std::wstring Wide(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(0, length)), L'\0');
    if (length > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length);
    }
    return wide;
}

std::string Narrow(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(0, length)), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                            length, nullptr, nullptr);
    }
    return narrow;
}

bool DeleteOneFile(const std::wstring& path, DWORD attributes) {
    if (DeleteFileW(path.c_str())) return true;
    // A read-only file is deleted as well: it is a visitor's file like any other.
    if ((attributes & FILE_ATTRIBUTE_READONLY) &&
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        if (DeleteFileW(path.c_str())) return true;
        const DWORD error = GetLastError();
        SetFileAttributesW(path.c_str(), attributes);
        SetLastError(error);
    }
    return false;
}

}  // namespace

bool EmptyTheClipboard() {
    if (!OpenClipboard(nullptr)) {
        LogEvent("Clipboard: held by another program, not emptied (error " +
                 std::to_string(GetLastError()) + ")");
        return false;
    }
    const bool emptied = EmptyClipboard() != FALSE;
    CloseClipboard();
    return emptied;
}

void ClearRecentDocuments() {
    SHAddToRecentDocs(SHARD_PIDL, nullptr);
}

int DeleteFolderFiles(const std::string& folder) {
    std::wstring base = Wide(folder);
    while (!base.empty() && (base.back() == L'\\' || base.back() == L'/')) base.pop_back();
    if (base.empty()) return 0;
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileW((base + L"\\*").c_str(), &found));
    if (!search) return 0;
    int deleted = 0;
    do {
        // Folders, and links or junctions to folders, are never entered.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring path = base + L"\\" + found.cFileName;
        if (DeleteOneFile(path, found.dwFileAttributes)) {
            ++deleted;
        } else {
            const DWORD error = GetLastError();  // before any other call
            std::string line = "Start folder: could not delete ";
            line += Narrow(path);
            line += " (error " + std::to_string(error) + ")";
            LogEvent(line);
        }
    } while (FindNextFileW(search.get(), &found));
    return deleted;
}

}  // namespace vallora
