#pragma once
// The language in use: the stored choice of language file, the message texts
// and the captions that file gives, and the help page it names. Nothing is
// cached: every call reads the registry and the file anew, so a change of
// language shows at the next lookup or activation.
#include <optional>
#include <string>
#include <string_view>

#include "language/captioned_form.h"
#include "storage/settings.h"

namespace vallora {

// The file access the language needs besides the profile reads of Settings.
class LanguageFilePort {
  public:
    virtual ~LanguageFilePort() = default;
    // Every byte of the file; nothing when it is missing or cannot be read.
    virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
    // True for an existing file (not a folder).
    virtual bool FileExists(const std::string& path) = 0;
};

inline constexpr const char* kLanguageHive = "HKLM";
inline constexpr const char* kLanguageKey = "Software\\Brenmark\\Vallora\\";
inline constexpr const char* kLanguageValue = "Language";
inline constexpr const char* kDefaultHelpFile = "ValloraHelpEN.htm";
// The tab-strip control of the editor's main form and its three tabs.
inline constexpr const char* kMainFormName = "frmMain";
inline constexpr const char* kMainTabStrip = "TabStrip";
inline constexpr int kMainTabCount = 3;

class Language {
  public:
    // programFolder: the folder of the running program, without a trailing backslash.
    Language(Settings& settings, LanguageFilePort& files, std::string programFolder);

    // The program folder followed by "\Language\".
    std::string LanguageFolder() const;
    // The stored language file name; empty when none is chosen.
    std::string CurrentLanguageFile() const;
    // Keeps only what follows the last backslash of path, stores it as the
    // current language file and leaves the short name in path. An empty
    // name chooses the built-in texts. Returns the registry status.
    long SetLanguage(std::string& path);

    // The language file's text for key in section "Messages", else the
    // built-in English text, else an empty text.
    std::string Message(std::string_view key) const;

    // Replaces the captions of the form, its controls and (on frmMain) its
    // tabs with the non-empty texts of the form's section.
    void ApplyCaptions(CaptionedForm& form) const;

    // The help page to open: the program folder, "\Help\" and the language
    // file's help file when that file exists there, else the English page.
    std::string HelpPagePath() const;

  private:
    std::string LanguageFilePath(const std::string& name) const;
    // The profile entry of the current language file; empty when none is in use.
    std::string ReadLanguageEntry(const std::string& section, const std::string& key) const;

    Settings& settings_;
    LanguageFilePort& files_;
    std::string programFolder_;
};

}  // namespace vallora
