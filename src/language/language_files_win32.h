#pragma once
// The language's file access on the real file system.
#include "language/language.h"

namespace vallora {

class Win32LanguageFiles : public LanguageFilePort {
  public:
    std::optional<std::string> ReadAll(const std::string& path) override;
    bool FileExists(const std::string& path) override;
};

}  // namespace vallora
