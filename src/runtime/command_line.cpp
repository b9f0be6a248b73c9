#include "runtime/command_line.h"

#include "storage/ascii_case.h"

namespace vallora {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The length of the program's own path at the start of an unquoted command
// line; 0 when the line does not start with it as a whole word.
size_t OwnPathLength(std::string_view commandLine, std::string_view programPath) {
    std::string_view withoutExtension = programPath;
    const size_t dot = programPath.rfind('.');
    const size_t slash = programPath.find_last_of("\\/");
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) {
        withoutExtension = programPath.substr(0, dot);
    }
    for (std::string_view own : {programPath, withoutExtension}) {
        if (own.empty() || commandLine.size() < own.size()) continue;
        if (!EqualsNoCase(commandLine.substr(0, own.size()), own)) continue;
        if (commandLine.size() == own.size() || IsBlank(commandLine[own.size()])) return own.size();
    }
    return 0;
}

}  // namespace

std::string CommandTail(std::string_view commandLine, std::string_view programPath) {
    size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t close = commandLine.find('"', 1);
        pos = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else if (const size_t own = OwnPathLength(commandLine, programPath); own != 0) {
        pos = own;
    } else {
        while (pos < commandLine.size() && !IsBlank(commandLine[pos])) ++pos;
    }
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
    std::string_view tail = commandLine.substr(pos);
    // "C:\My Desks\Kiosk.vla" as a shell passes "%1" quoted: the path inside.
    const size_t last = tail.find_last_not_of(" \t");
    if (last != std::string_view::npos && last > 0 && tail.front() == '"' && tail[last] == '"' &&
        tail.substr(1, last - 1).find('"') == std::string_view::npos) {
        tail = tail.substr(1, last - 1);
    }
    return std::string(tail);
}

std::string RuntimeCommandLine(std::string_view programFolder, std::string_view definitionPath) {
    std::string commandLine = "\"";
    commandLine.append(programFolder);
    commandLine.append("\\");
    commandLine.append(kRuntimeProgramFile);
    commandLine.append("\" ");
    commandLine.append(definitionPath);
    return commandLine;
}

}  // namespace vallora
