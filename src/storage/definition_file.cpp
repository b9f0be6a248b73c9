#include "storage/definition_file.h"

#include <cstdint>
#include <iterator>
#include <optional>
#include <type_traits>

#include "storage/idle_values.h"
#include "storage/ini_text.h"
#include "storage/password.h"

namespace vallora {
namespace {

static_assert(std::is_same_v<int32_t, int>, "colours and check boxes share one member type");

enum class ValueKind { Colour, CheckBox, Text, StartUp, Password, Seconds };

struct SingleValue {
    std::string_view Section;
    std::string_view Key;
    ValueKind Kind;
    int Definition::*Number = nullptr;        // Colour, CheckBox
    std::string Definition::*Text = nullptr;  // Text, StartUp, Password
    // Keys added after the first file layout: written only when not the
    // default, so that older files load and save byte for byte.
    bool OnlyWhenSet = false;
    int (*Range)(std::int64_t) = nullptr;  // Seconds
};

constexpr SingleValue NumberValue(std::string_view section, std::string_view key, ValueKind kind,
                                  int Definition::*member) {
    return {section, key, kind, member, nullptr};
}
constexpr SingleValue OptionalValue(std::string_view section, std::string_view key, ValueKind kind,
                                    int Definition::*member, int (*range)(std::int64_t) = nullptr) {
    return {section, key, kind, member, nullptr, true, range};
}
constexpr SingleValue TextValue(std::string_view section, std::string_view key, ValueKind kind,
                                std::string Definition::*member) {
    return {section, key, kind, nullptr, member};
}
constexpr SingleValue OptionalText(std::string_view section, std::string_view key,
                                   std::string Definition::*member) {
    return {section, key, ValueKind::Text, nullptr, member, true};
}

// The single values in file order.
constexpr SingleValue kSingleValues[] = {
    NumberValue("Desktop", "BackColor", ValueKind::Colour, &Definition::BackColor),
    NumberValue("Desktop", "TextColor", ValueKind::Colour, &Definition::TextColor),
    TextValue("Desktop", "BackgroundPicture", ValueKind::Text, &Definition::BackgroundPicture),
    TextValue("Desktop", "Top", ValueKind::Text, &Definition::Top),
    TextValue("Desktop", "Left", ValueKind::Text, &Definition::Left),
    TextValue("Desktop", "Height", ValueKind::Text, &Definition::Height),
    TextValue("Desktop", "Width", ValueKind::Text, &Definition::Width),
    NumberValue("Desktop", "WindowLess", ValueKind::CheckBox, &Definition::WindowLess),
    NumberValue("Desktop", "FullScreen", ValueKind::CheckBox, &Definition::FullScreen),
    TextValue("Desktop", "StartUp", ValueKind::StartUp, &Definition::StartUp),
    OptionalText("Desktop", "PageHost", &Definition::PageHost),
    TextValue("Security", "AdminPassword", ValueKind::Password, &Definition::AdminPassword),
    OptionalText("Security", "AdminPasswordHash", &Definition::AdminPasswordHash),
    NumberValue("Security", "NoChangePwd", ValueKind::CheckBox, &Definition::NoChangePwd),
    NumberValue("Security", "NoLockComputer", ValueKind::CheckBox, &Definition::NoLockComputer),
    NumberValue("Security", "NoLogoff", ValueKind::CheckBox, &Definition::NoLogoff),
    NumberValue("Security", "NoShutDown", ValueKind::CheckBox, &Definition::NoShutDown),
    NumberValue("Security", "NoAdministrativeTasks", ValueKind::CheckBox,
                &Definition::NoAdministrativeTasks),
    NumberValue("Security", "NoRun", ValueKind::CheckBox, &Definition::NoRun),
    TextValue("Security", "HideDrives", ValueKind::Text, &Definition::HideDrives),
    NumberValue("Security", "ReplaceDesktop", ValueKind::CheckBox, &Definition::ReplaceDesktop),
    NumberValue("Security", "NoNetWork", ValueKind::CheckBox, &Definition::NoNetWork),
    TextValue("Security", "IOStartFolder", ValueKind::Text, &Definition::IOStartFolder),
    NumberValue("Security", "NoIEAdministrativeTasks", ValueKind::CheckBox,
                &Definition::NoIEAdministrativeTasks),
    NumberValue("Security", "NoIEAdvancedTasks", ValueKind::CheckBox,
                &Definition::NoIEAdvancedTasks),
    TextValue("Security", "IEHomePage", ValueKind::Text, &Definition::IEHomePage),
    NumberValue("Security", "IEPrograms", ValueKind::CheckBox, &Definition::IEPrograms),
    NumberValue("Security", "IEDisableFileDownload", ValueKind::CheckBox,
                &Definition::IEDisableFileDownload),
    OptionalValue("Security", "IdleReset", ValueKind::Seconds, &Definition::IdleReset,
                  [](std::int64_t s) { return NormalIdleReset(s); }),
    OptionalValue("Security", "IdleWarning", ValueKind::Seconds, &Definition::IdleWarning,
                  [](std::int64_t s) { return NormalIdleWarning(s); }),
    OptionalValue("Security", "ClearStartFolder", ValueKind::CheckBox,
                  &Definition::ClearStartFolder),
};

constexpr std::string_view kStartUpLineBreak = "$vbcrlf$";
constexpr std::string_view kLineEnd = "\r\n";

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    for (size_t pos = 0;;) {
        const size_t found = text.find(from, pos);
        result.append(text.substr(pos, found - pos));
        if (found == std::string_view::npos) return result;
        result.append(to);
        pos = found + from.size();
    }
}

std::string StoredText(const Definition& definition, const SingleValue& single) {
    switch (single.Kind) {
        case ValueKind::Colour:
        case ValueKind::CheckBox:
            return std::to_string(definition.*single.Number);
        case ValueKind::Seconds:
            return std::to_string(single.Range(definition.*single.Number));
        case ValueKind::Text:
            return definition.*single.Text;
        case ValueKind::StartUp:
            return ReplaceAll(definition.*single.Text, kLineEnd, kStartUpLineBreak);
        case ValueKind::Password:
            // With a hash, the readable password is not kept.
            return definition.AdminPasswordHash.empty() ? EncodePassword(definition.*single.Text)
                                                        : std::string();
    }
    return {};
}

// Stores a value read from the file; an empty value is a missing one.
void StoreValue(Definition& definition, const SingleValue& single, std::string_view value) {
    if (value.empty()) return;
    switch (single.Kind) {
        case ValueKind::Colour:
            if (const auto number = ParseIniInteger(value)) definition.*single.Number = *number;
            break;
        case ValueKind::CheckBox:
            if (const auto number = ParseIniInteger(value);
                number && *number >= 0 && *number <= 2) {
                definition.*single.Number = *number;
            }
            break;
        case ValueKind::Seconds:
            if (const auto number = ParseIniInteger(value)) {
                definition.*single.Number = single.Range(*number);
            }
            break;
        case ValueKind::Text:
            definition.*single.Text = value;
            break;
        case ValueKind::StartUp:
            definition.*single.Text = ReplaceAll(value, kStartUpLineBreak, kLineEnd);
            break;
        case ValueKind::Password:
            definition.*single.Text = DecodePassword(value);
            break;
    }
}

int16_t EntryNumber(std::string_view value, int16_t fallback) {
    const std::optional<int32_t> number = ParseIniInteger(value);
    return number && *number >= INT16_MIN && *number <= INT16_MAX ? static_cast<int16_t>(*number)
                                                                  : fallback;
}

// Calls visit(section, key, value) for every value of the file, in file order.
template <typename Visit>
void VisitStoredValues(const Definition& definition, Visit&& visit) {
    static const Definition kDefaults;
    for (const SingleValue& single : kSingleValues) {
        std::string stored = StoredText(definition, single);
        if (single.OnlyWhenSet && stored == StoredText(kDefaults, single)) continue;
        visit(single.Section, single.Key, stored);
    }
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const std::string section = EntrySectionName(row, column);
            const ApplicationAndLink& entry = definition.Entry(row, column);
            visit(section, "DisplayName", entry.DisplayName);
            visit(section, "URL", entry.URL);
            visit(section, "Picture", entry.Picture);
            visit(section, "Align", entry.Align);
            visit(section, "HyperLink", std::to_string(entry.HyperLink));
            visit(section, "Transparency", std::to_string(entry.Transparency));
        }
    }
}

}  // namespace

std::string EntrySectionName(int row, int column) {
    return "Program" + std::to_string(row) + std::to_string(column);
}

std::vector<DefinitionValue> DefinitionValues(const Definition& definition) {
    std::vector<DefinitionValue> values;
    values.reserve(std::size(kSingleValues) + kGridRows * kGridColumns * 6);
    VisitStoredValues(
        definition, [&](std::string_view section, std::string_view key, std::string_view value) {
            values.push_back({std::string(section), std::string(key), std::string(value)});
        });
    return values;
}

std::string DefinitionText(const Definition& definition) {
    std::string text;
    text.reserve(16384);
    std::string section;
    VisitStoredValues(definition, [&](std::string_view valueSection, std::string_view key,
                                      std::string_view value) {
        if (valueSection != section) {
            section = valueSection;
            text.append("[").append(section).append("]").append(kLineEnd);
        }
        text.append(key).append("=").append(value).append(kLineEnd);
    });
    return text;
}

Definition ParseDefinition(std::string_view text) {
    Definition definition;
    std::string_view sectionName;
    std::string_view sectionText;
    for (const SingleValue& single : kSingleValues) {
        if (single.Section != sectionName) {
            sectionName = single.Section;
            sectionText = IniSectionText(text, sectionName);
        }
        StoreValue(definition, single, IniSectionValue(sectionText, single.Key));
    }
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const std::string_view section = IniSectionText(text, EntrySectionName(row, column));
            ApplicationAndLink& entry = definition.Entry(row, column);
            entry.DisplayName = IniSectionValue(section, "DisplayName");
            entry.URL = IniSectionValue(section, "URL");
            entry.Picture = IniSectionValue(section, "Picture");
            entry.Align = IniSectionValue(section, "Align");
            entry.HyperLink = EntryNumber(IniSectionValue(section, "HyperLink"), 0);
            entry.Transparency = EntryNumber(IniSectionValue(section, "Transparency"), 1);
        }
    }
    return definition;
}

LoadedDefinition LoadDefinition(const std::string& path) {
    LoadedDefinition loaded;
    if (path.empty()) return loaded;
    std::string text;
    loaded.Status = ReadWholeFile(path, &text, &loaded.Error);
    if (loaded.Status == FileReadStatus::Read) loaded.Record = ParseDefinition(text);
    return loaded;
}

std::string DefaultDefinitionPath(std::string_view programFolder) {
    return std::string(programFolder) + "\\Desktops\\Desktop";
}

}  // namespace vallora
