#include "language/language.h"

#include <utility>

#include "language/messages.h"
#include "storage/ini_text.h"

namespace vallora {

namespace {

std::string TextOf(const SettingValue& value) {
    const std::string* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

}  // namespace

Language::Language(Settings& settings, LanguageFilePort& files, std::string programFolder)
    : settings_(settings), files_(files), programFolder_(std::move(programFolder)) {}

std::string Language::LanguageFolder() const {
    return programFolder_ + "\\Language\\";
}

std::string Language::LanguageFilePath(const std::string& name) const {
    return LanguageFolder() + name;
}

std::string Language::CurrentLanguageFile() const {
    SettingValue value = std::string();
    settings_.ReadSetting(kLanguageHive, kLanguageKey, kLanguageValue, "S", value);
    return TextOf(value);
}

long Language::SetLanguage(std::string& path) {
    size_t backslash = path.rfind('\\');
    if (backslash != std::string::npos) path.erase(0, backslash + 1);
    return settings_.WriteSetting(kLanguageHive, kLanguageKey, kLanguageValue, "S", path);
}

std::string Language::ReadLanguageEntry(const std::string& section, const std::string& key) const {
    // With no file chosen the path would name the language folder itself;
    // there is nothing to read then.
    std::string name = CurrentLanguageFile();
    if (name.empty()) return {};
    SettingValue value = std::string();
    settings_.ReadSetting(LanguageFilePath(name), section, key, "S", value);
    return TextOf(value);
}

std::string Language::Message(std::string_view key) const {
    std::string text = ReadLanguageEntry("Messages", std::string(key));
    if (!text.empty()) return text;
    return std::string(BuiltInMessage(key));
}

void Language::ApplyCaptions(CaptionedForm& form) const {
    std::string name = CurrentLanguageFile();
    if (name.empty()) return;
    std::optional<std::string> text = files_.ReadAll(LanguageFilePath(name));
    if (!text || text->empty()) return;
    const std::string section = form.FormName();
    for (const std::string& control : form.ControlNames()) {
        std::string caption = ReadIniTextValue(*text, section, control, "");
        // A control without a caption refuses it; the others go on.
        if (!caption.empty()) form.SetControlCaption(control, caption);
    }
    std::string formCaption = ReadIniTextValue(*text, section, "FORM_CAPTION", "");
    if (!formCaption.empty()) form.SetFormCaption(formCaption);
    if (section == kMainFormName) {
        for (int tab = 1; tab <= kMainTabCount; ++tab) {
            std::string key = std::string(kMainTabStrip) + ".Tabs(" + std::to_string(tab) + ")";
            std::string caption = ReadIniTextValue(*text, section, key, "");
            if (!caption.empty()) form.SetTabCaption(kMainTabStrip, tab, caption);
        }
    }
}

std::string Language::HelpPagePath() const {
    const std::string helpFolder = programFolder_ + "\\Help\\";
    std::string name = ReadLanguageEntry("Settings", "HelpFile");
    if (name.empty() || !files_.FileExists(helpFolder + name)) name = kDefaultHelpFile;
    return helpFolder + name;
}

}  // namespace vallora
