#include "platform/profile_win32.h"

#include <windows.h>

namespace vallora {

std::string ProfileWin32::GetString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& defaultValue) {
    // 255 characters: an entry comes back cut to 254.
    char buffer[255] = {};
    const DWORD length = GetPrivateProfileStringA(
        section.c_str(), key.c_str(), defaultValue.c_str(), buffer, sizeof(buffer), file.c_str());
    return std::string(buffer, std::min<DWORD>(length, sizeof(buffer) - 1));
}

bool ProfileWin32::WriteString(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           0;
}

}  // namespace vallora
