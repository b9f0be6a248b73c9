// Randomized inputs for the profile-text lookup and the definition reader:
// besides not crashing (under the sanitizers), every input must satisfy
//   - ReadIniTextValue agrees with a line-by-line reading of the text;
//   - a definition read from any text saves to a text that reads back the
//     same, so load-save-load never changes a definition;
//   - a decoded password encodes to a text that decodes to it again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "storage/definition_file.h"
#include "storage/ini_text.h"
#include "storage/password.h"

namespace {

void Check(bool condition, const char* what, std::string_view input) {
    if (condition) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    if (std::FILE* out = std::fopen("fuzz-failure.bin", "wb")) {
        std::fwrite(input.data(), 1, input.size(), out);
        std::fclose(out);
        std::fprintf(stderr, "input written to fuzz-failure.bin\n");
    }
    std::abort();
}

// The lookup done on whole lines: the first line that starts with the
// header opens the section, the first later line that starts with "[" ends
// it, and the first line in between that starts with "key=" holds the value.
std::string LineByLineValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view defaultValue) {
    std::vector<std::string_view> lines;
    for (size_t start = 0;;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    const std::string header = "[" + std::string(section) + "]";
    const std::string tag = std::string(key) + "=";
    size_t line = 0;
    while (line < lines.size() && lines[line].substr(0, header.size()) != header) ++line;
    for (++line; line < lines.size() && !lines[line].starts_with("["); ++line) {
        if (lines[line].substr(0, tag.size()) == tag) {
            const std::string_view value = lines[line].substr(tag.size());
            return std::string(value.empty() ? defaultValue : value);
        }
    }
    return std::string(defaultValue);
}

// A name taken from the input, without line breaks.
std::string NameFrom(std::string_view bytes) {
    std::string name;
    for (const char c : bytes) {
        if (c != '\r' && c != '\n') name += c;
    }
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    constexpr std::string_view kNames[][2] = {
        {"Desktop", "BackColor"}, {"Desktop", "StartUp"},  {"Security", "AdminPassword"},
        {"Program00", "URL"},     {"Program126", "Align"}, {"Program12", "HyperLink"},
    };
    for (const auto& [section, key] : kNames) {
        Check(vallora::ReadIniTextValue(input, section, key, "?") ==
                  LineByLineValue(input, section, key, "?"),
              "lookup of a known name", input);
    }
    const std::string section = NameFrom(input.substr(0, 6));
    const std::string key = NameFrom(input.substr(input.size() > 6 ? 6 : input.size(), 4));
    Check(vallora::ReadIniTextValue(input, section, key, "") ==
              LineByLineValue(input, section, key, ""),
          "lookup of a name from the input", input);

    const vallora::Definition loaded = vallora::ParseDefinition(input);
    const std::string saved = vallora::DefinitionText(loaded);
    Check(vallora::ParseDefinition(saved) == loaded, "load-save-load keeps the definition", input);

    const std::string password = vallora::DecodePassword(input);
    Check(vallora::DecodePassword(vallora::EncodePassword(password)) == password,
          "password round trip", input);
    return 0;
}
