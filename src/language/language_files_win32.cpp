#include "language/language_files_win32.h"

#include <windows.h>

#include "storage/whole_file.h"

namespace vallora {

std::optional<std::string> Win32LanguageFiles::ReadAll(const std::string& path) {
    std::string bytes;
    if (ReadWholeFile(path, &bytes, nullptr) != FileReadStatus::Read) return std::nullopt;
    return bytes;
}

bool Win32LanguageFiles::FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace vallora
