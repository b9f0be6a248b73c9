#pragma once
// What the timing programs that start the real programs share: the build
// folder they lie in, and quoting for command lines.
#include <windows.h>

#include <string>

namespace vallora::bench {

// The build folder: the timing programs lie in its bench folder.
inline std::string BuildFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder = folder.substr(0, folder.rfind('\\'));  // .../bench
    return folder.substr(0, folder.rfind('\\'));
}

inline std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace vallora::bench
