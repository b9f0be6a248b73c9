// The POSIX side of ReplaceWholeFile; the Windows side is whole_file_win32.cpp.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "storage/whole_file.h"

namespace vallora {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
    const auto fail = [&](int code) {
        if (error) *error = path + ": " + std::strerror(code);
        return false;
    };
    // A name of our own beside the target: the same folder keeps the final
    // rename on one file system, where it replaces the target atomically.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return fail(errno);
    }
    if (fd < 0) return fail(EEXIST);
    // A replaced file keeps its permissions.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
    int code = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) code = errno;
    if (::close(fd) != 0 && code == 0) code = errno;
    if (code == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) code = errno;
    if (code != 0) {
        ::unlink(temporary.c_str());
        return fail(code);
    }
    return true;
}

}  // namespace vallora
#endif
