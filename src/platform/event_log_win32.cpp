#include "platform/event_log_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>

#include "platform/win32_handles_win32.h"

namespace vallora {

std::string EventLogPath() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    return std::string(folder) + "\\Vallora.log";
}

std::string LocalTimeStamp() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[32] = {};
    std::snprintf(stamp, sizeof(stamp), "%04u-%02u-%02u %02u:%02u:%02u", unsigned{now.wYear},
                  unsigned{now.wMonth}, unsigned{now.wDay}, unsigned{now.wHour},
                  unsigned{now.wMinute}, unsigned{now.wSecond});
    return stamp;
}

void LogEvent(std::string_view text) {
    const std::string path = EventLogPath();
    if (path.empty()) return;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        (data.nFileSizeHigh != 0 || data.nFileSizeLow >= kEventLogLimitBytes)) {
        MoveFileExA(path.c_str(), (path + ".1").c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    UniqueFileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    std::string line = LocalTimeStamp() + " ";
    line.append(text);
    line.append("\r\n");
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace vallora
