// The Windows side of ReplaceWholeFile; the POSIX side is whole_file_posix.cpp.
#include <windows.h>

#include <string>

#include "platform/win32_handles_win32.h"
#include "storage/whole_file.h"

namespace vallora {
namespace {

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
    const auto fail = [&](DWORD code) {
        if (error) *error = path + ": " + SystemMessage(code);
        return false;
    };
    // The system refuses to replace a read-only file; Wine's rename does not,
    // so ask first and behave the same on both.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return fail(ERROR_ACCESS_DENIED);
    }
    // A name of our own beside the target: MoveFileEx replaces a file within
    // one volume in a single rename.
    std::string temporary;
    UniqueFileHandle file;
    for (int attempt = 0; !file && attempt < 100; ++attempt) {
        temporary =
            path + ".~" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt);
        file.reset(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS) return fail(GetLastError());
    }
    if (!file) return fail(ERROR_FILE_EXISTS);
    DWORD code = ERROR_SUCCESS;
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) code = GetLastError();
    file.reset();
    if (code == ERROR_SUCCESS && !MoveFileExA(temporary.c_str(), path.c_str(),
                                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        code = GetLastError();
    }
    if (code != ERROR_SUCCESS) {
        DeleteFileA(temporary.c_str());
        return fail(code);
    }
    return true;
}

}  // namespace vallora
