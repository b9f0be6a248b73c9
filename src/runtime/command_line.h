#pragma once
// The program's command line: the tail after the program's own path, and
// the command line that starts the runtime with a definition.
#include <string>
#include <string_view>

namespace vallora {

// The runtime's program file, in the program folder.
inline constexpr std::string_view kRuntimeProgramFile = "Vallora.exe";

// Skips the program's own path and the blanks that follow it; the rest is
// the tail, one definition path. The path may come quoted or not: unquoted,
// it may hold blanks ("C:\Program Files\Vallora\Vallora.exe C:\x.vla"), so
// `programPath` (the running program file) is matched first, with or
// without its extension and in any letter case; any other first word ends
// at the first blank. A tail wrapped in one pair of double quotes is the
// path inside them; any other tail is returned unchanged, trailing blanks
// included.
std::string CommandTail(std::string_view commandLine, std::string_view programPath);

// The runtime's command line: its quoted program path, one blank and the
// definition path as it is, which the runtime takes whole as its tail.
std::string RuntimeCommandLine(std::string_view programFolder, std::string_view definitionPath);

}  // namespace vallora
