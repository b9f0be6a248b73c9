#pragma once
// The CPU time of a program of a timing run, read so that it is right under
// Wine as well as on Windows.
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "e2e/e2e_support_win32.h"

namespace vallora::bench {

inline ULONGLONG CpuTime100ns(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    const auto value = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

// Under Wine the host's /proc reports each program's CPU time (in clock ticks of 1/100 s). The Unix
// process is the one whose command line names the program file.
inline double UnixCpuSeconds(const std::string& programFile) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("Z:\\proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream cmdline(entry.path() / "cmdline", std::ios::binary);
        std::string line((std::istreambuf_iterator<char>(cmdline)),
                         std::istreambuf_iterator<char>());
        if (e2e::Lower(line).find(e2e::Lower(programFile)) != 0) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        double ticks = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            if (i == 14 || i == 15) ticks += std::atof(field.c_str());
        }
        return ticks / 100.0;
    }
    return -1;
}

// CPU seconds of the process so far: from the host when running under Wine
// (whose own figures for other processes stand still), else from the system.
inline double CpuSeconds(HANDLE process, const std::string& programFile) {
    const double host = UnixCpuSeconds(programFile);
    return host >= 0 ? host : static_cast<double>(CpuTime100ns(process)) / 1e7;
}

}  // namespace vallora::bench
