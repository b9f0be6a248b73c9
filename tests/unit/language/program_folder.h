#pragma once
// A program folder "C:\Vallora" laid onto a temporary folder, so that the
// language code can build its Windows paths while the tests read and write
// real files with the real profile reader.
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "language/language.h"
#include "storage/memory_registry.h"
#include "storage/profile_file.h"
#include "storage/settings.h"
#include "storage/whole_file.h"

namespace vallora::testing {

inline constexpr const char* kProgramFolder = "C:\\Vallora";

class ProgramFolder {
  public:
    ProgramFolder() {
        root_ = std::filesystem::temp_directory_path() /
                ("vallora-lang-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(root_ / "Language");
        std::filesystem::create_directories(root_ / "Help");
    }
    ~ProgramFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // Where a path inside C:\Vallora lies here; other paths lie nowhere.
    std::string Native(const std::string& path) const {
        const std::string prefix = std::string(kProgramFolder) + "\\";
        if (path.rfind(prefix, 0) != 0) return (root_ / "not-on-this-machine").string();
        std::string rest = path.substr(prefix.size());
        for (char& c : rest) {
            if (c == '\\') c = '/';
        }
        return (root_ / rest).string();
    }

    void Write(const std::string& path, const std::string& bytes) const {
        std::ofstream(Native(path), std::ios::binary) << bytes;
    }

  private:
    std::filesystem::path root_;
};

class MappedProfile : public ProfilePort {
  public:
    explicit MappedProfile(const ProgramFolder& folder) : folder_(folder) {}
    std::string GetString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& defaultValue) override {
        return profile_.GetString(folder_.Native(file), section, key, defaultValue);
    }
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override {
        return profile_.WriteString(folder_.Native(file), section, key, value);
    }

  private:
    const ProgramFolder& folder_;
    ProfileFile profile_;
};

class MappedFiles : public LanguageFilePort {
  public:
    explicit MappedFiles(const ProgramFolder& folder) : folder_(folder) {}
    std::optional<std::string> ReadAll(const std::string& path) override {
        std::string bytes;
        if (ReadWholeFile(folder_.Native(path), &bytes, nullptr) != FileReadStatus::Read) {
            return std::nullopt;
        }
        return bytes;
    }
    bool FileExists(const std::string& path) override {
        return std::filesystem::is_regular_file(folder_.Native(path));
    }

  private:
    const ProgramFolder& folder_;
};

// Everything a Language needs, on the mapped program folder and a registry in memory.
struct LanguageRig {
    ProgramFolder folder;
    MemoryRegistry registry;
    MappedProfile profile{folder};
    MappedFiles files{folder};
    Settings settings{registry, profile};
    Language language{settings, files, kProgramFolder};

    // Writes a language file into the language folder and chooses it.
    void UseLanguageFile(const std::string& name, const std::string& bytes) {
        folder.Write(std::string(kProgramFolder) + "\\Language\\" + name, bytes);
        std::string chosen = name;
        language.SetLanguage(chosen);
    }
    std::string StoredLanguage() {
        SettingValue value = std::string("<none>");
        settings.ReadSetting("HKLM", "Software\\Brenmark\\Vallora\\", "Language", "S", value);
        return std::get<std::string>(value);
    }
};

}  // namespace vallora::testing
