#pragma once
// A fresh, empty folder under the system's temporary folder, removed with
// everything in it when the owner goes out of scope.
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace vallora {

class ScratchFolder {
  public:
    ScratchFolder() {
        std::random_device random;
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("vallora-reg-" + std::to_string(random()) + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace vallora
