#pragma once
// Whole-file reads and writes of the definition and other text files. Paths
// are ANSI text, as the rest of the program holds them.
#include <string>
#include <string_view>

namespace vallora {

enum class FileReadStatus { Read, Missing, Unreadable };

// Reads every byte of the file. Missing: no file of that name; Unreadable: it
// exists but could not be read (a folder, no access, a read error). error,
// when given, gets the system's message for either failure.
FileReadStatus ReadWholeFile(const std::string& path, std::string* bytes, std::string* error);

// Writes bytes to a new file in the folder of path and then moves it over
// path in one step, so that path holds either its old or its new contents,
// never a part of either. On failure path is left as it was, no temporary
// file stays behind, and error (when given) gets the system's message.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace vallora
