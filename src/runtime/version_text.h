#pragma once
// The version line that the splash window shows.
#include <string>

namespace vallora {

struct ProgramVersion {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned revision = 0;
};

// "version 1.5 build 12": decimal numbers without leading zeros.
std::string VersionText(const ProgramVersion& version);

}  // namespace vallora
