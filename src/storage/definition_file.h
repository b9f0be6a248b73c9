#pragma once
// The desktop definition's .vla file: ANSI text with CR LF line ends in
// profile layout, section "Desktop", section "Security", then one section
// per grid place, Program00 to Program126, every key written in a fixed
// order. The text is byte for byte what writing each value in turn through
// the system's profile-string call gives for a new file; only values with
// blanks at either end or line breaks differ, because that call trims or
// splits them, while they are kept here as they are.
#include <string>
#include <string_view>
#include <vector>

#include "storage/definition.h"
#include "storage/whole_file.h"

namespace vallora {

// One value as the file stores it: colours and check boxes in decimal, the
// start-up list with "$vbcrlf$" for each CR LF, the password encoded.
struct DefinitionValue {
    std::string Section;
    std::string Key;
    std::string Value;
};

// The file's section of the grid place: "Program" with row and column
// ("Program00" to "Program126").
std::string EntrySectionName(int row, int column);

// Every value of the file, in file order.
std::vector<DefinitionValue> DefinitionValues(const Definition& definition);

// The whole file text of a definition.
std::string DefinitionText(const Definition& definition);

// The definition a file text describes. A key that is missing or empty keeps
// the record's default; a colour that is not a 32-bit number, or a check box
// that is not 0, 1 or 2, keeps its default too; a HyperLink that is not a
// 16-bit number reads as 0 and such a Transparency as 1.
Definition ParseDefinition(std::string_view text);

struct LoadedDefinition {
    Definition Record;  // every default when the file was missing or unreadable
    FileReadStatus Status = FileReadStatus::Missing;
    std::string Error;  // the system's message when the file was not read

    // A file of that name exists: the program's current definition path and
    // last opened path both become the loaded path. Otherwise (also for an
    // empty path) both become empty.
    bool Found() const { return Status != FileReadStatus::Missing; }
};

// Reads the file at path; an empty path gives a new definition.
LoadedDefinition LoadDefinition(const std::string& path);

// Writes the definition to path, replacing any file there in one step, so a
// failed save leaves the old file as it was. Returns whether the file was
// written (error then gets the system's message); on success the caller
// records path as the current definition path.
inline bool SaveDefinition(const Definition& definition, const std::string& path,
                           std::string* error) {
    return ReplaceWholeFile(path, DefinitionText(definition), error);
}

// Where the open and save dialogs start: the Desktops folder beside the
// program, file name stem Desktop.
std::string DefaultDefinitionPath(std::string_view programFolder);

}  // namespace vallora
