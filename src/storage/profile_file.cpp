#include "storage/profile_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "storage/ascii_case.h"

namespace vallora {

namespace {

// The system reads into a 255-character buffer: 254 characters and a NUL.
constexpr size_t kReadBuffer = 255;
constexpr std::string_view kUtf8Marker = "\xEF\xBB\xBF";

struct Entry {
    std::string name;
    std::optional<std::string> value;  // none: a line without '='
};

struct Section {
    std::string name;  // empty: the lines before the first section header
    std::vector<Entry> entries;
};

struct Profile {
    std::string marker;
    std::vector<Section> sections;
};

// Blanks as the profile calls see them, including ^Z (DOS end of file).
constexpr bool IsBlank(char c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == ' ';
}

std::string_view TrimStart(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    return TrimEnd(TrimStart(text));
}

// The system works on NUL-terminated strings: nothing after a NUL counts.
std::string_view UpToNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

Profile Parse(std::string_view bytes) {
    Profile profile;
    if (bytes.starts_with(kUtf8Marker)) {
        profile.marker = kUtf8Marker;
        bytes.remove_prefix(kUtf8Marker.size());
    }
    if (bytes.empty()) return profile;
    profile.sections.emplace_back();
    bool previousKeyUnnamed = false;
    bool previousKey = false;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t start = pos;
        while (pos < bytes.size() && bytes[pos] != '\n' && bytes[pos] != '\r') ++pos;
        std::string_view line = Trim(bytes.substr(start, pos - start));
        while (pos < bytes.size() && (bytes[pos] == '\n' || bytes[pos] == '\r')) ++pos;
        if (line.empty()) continue;

        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                const std::string_view name = Trim(line.substr(1, close - 1));
                profile.sections.push_back({std::string(UpToNul(name)), {}});
                previousKey = false;
                continue;
            }
            // Without a closing bracket the line is an ordinary entry.
        }

        Entry entry;
        std::string_view name = line;
        if (const size_t equals = line.find('='); equals != std::string_view::npos) {
            name = TrimEnd(line.substr(0, equals));
            entry.value = std::string(UpToNul(TrimStart(line.substr(equals + 1))));
        }
        entry.name = std::string(UpToNul(name));
        // Runs of unnamed entries ("=x") keep only their first line.
        if (!entry.name.empty() || !previousKey || !previousKeyUnnamed) {
            previousKey = true;
            previousKeyUnnamed = entry.name.empty();
            profile.sections.back().entries.push_back(std::move(entry));
        }
    }
    return profile;
}

std::string Serialize(const Profile& profile) {
    std::string text = profile.marker;
    for (const auto& section : profile.sections) {
        if (!section.name.empty()) text += "[" + section.name + "]\r\n";
        for (const auto& entry : section.entries) {
            text += entry.name;
            if (entry.value) text += "=" + *entry.value;
            text += "\r\n";
        }
    }
    return text;
}

// Only the first section of a name is searched, as the system does.
Entry* Find(Profile& profile, std::string_view section, std::string_view key, bool create) {
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    for (auto& candidate : profile.sections) {
        if (!EqualsNoCase(candidate.name, sectionName)) continue;
        for (auto& entry : candidate.entries) {
            if (EqualsNoCase(entry.name, keyName)) return &entry;
        }
        if (!create) return nullptr;
        // New names keep trailing blanks; the system trims only the start.
        candidate.entries.push_back({std::string(TrimStart(key)), std::nullopt});
        return &candidate.entries.back();
    }
    if (!create) return nullptr;
    profile.sections.push_back({std::string(TrimStart(section)), {}});
    profile.sections.back().entries.push_back({std::string(TrimStart(key)), std::nullopt});
    return &profile.sections.back().entries.back();
}

// The text handed back for an entry: one pair of enclosing quotes (single or
// double) is removed when the whole text fits the buffer.
std::string CopyEntry(std::string_view value) {
    bool quoted = false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string out(value.substr(0, kReadBuffer - 1));
    if (quoted && kReadBuffer >= value.size()) out.pop_back();
    return out;
}

enum class LoadResult { Loaded, Missing, Failed };

// A file that does not exist in an existing folder reads as empty; a missing
// folder or an unreadable file is a failure.
LoadResult Load(const std::string& file, std::string& bytes) {
    namespace fs = std::filesystem;
    if (file.empty()) return LoadResult::Failed;
    std::error_code error;
    const fs::path path(file);
    const auto status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        const fs::path parent = path.parent_path();
        return parent.empty() || fs::is_directory(parent, error) ? LoadResult::Missing
                                                                 : LoadResult::Failed;
    }
    if (error || !fs::is_regular_file(status)) return LoadResult::Failed;
    std::ifstream in(path, std::ios::binary);
    if (!in) return LoadResult::Failed;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() ? LoadResult::Failed : LoadResult::Loaded;
}

}  // namespace

std::string ProfileFile::GetString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) {
    // Blanks at the end of the default are dropped, all but its first character.
    std::string_view fallback = UpToNul(defaultValue);
    while (fallback.size() > 1 && fallback.back() == ' ') fallback.remove_suffix(1);

    std::string bytes;
    const LoadResult loaded = Load(file, bytes);
    // When the file cannot be opened at all the default comes back as it is.
    if (loaded == LoadResult::Failed) return std::string(fallback.substr(0, kReadBuffer - 1));

    Profile profile = Parse(bytes);
    const Entry* entry = Find(profile, UpToNul(section), UpToNul(key), false);
    return CopyEntry(entry && entry->value ? std::string_view(*entry->value) : fallback);
}

bool ProfileFile::WriteString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value) {
    std::string bytes;
    if (Load(file, bytes) == LoadResult::Failed) return false;
    Profile profile = Parse(bytes);
    Entry* entry = Find(profile, UpToNul(section), UpToNul(key), true);
    const std::string_view text = TrimStart(UpToNul(value));
    if (entry->value && *entry->value == text) return true;
    entry->value = std::string(text);

    std::ofstream out(std::filesystem::path(file), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string serialized = Serialize(profile);
    out.write(serialized.data(), static_cast<std::streamsize>(serialized.size()));
    out.close();
    return !out.fail();
}

}  // namespace vallora
