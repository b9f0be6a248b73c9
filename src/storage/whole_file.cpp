#include "storage/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace vallora {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void SetError(std::string* error, const std::string& path, int code) {
    if (error) *error = path + ": " + std::strerror(code);
}

}  // namespace

FileReadStatus ReadWholeFile(const std::string& path, std::string* bytes, std::string* error) {
    bytes->clear();
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        const int code = errno;
        SetError(error, path, code);
        return code == ENOENT || code == ENOTDIR ? FileReadStatus::Missing
                                                 : FileReadStatus::Unreadable;
    }
    char buffer[16384];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes->append(buffer, count);
    if (std::ferror(file.get())) {
        SetError(error, path, errno != 0 ? errno : EIO);
        bytes->clear();
        return FileReadStatus::Unreadable;
    }
    return FileReadStatus::Read;
}

}  // namespace vallora
