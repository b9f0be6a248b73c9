// SaveDefinition against writing the same file value by value through the
// system's profile-string call, in the same run; prints both and the ratio.
//   definition_save_timing_win32.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "median_timing.h"
#include "storage/definition_file.h"
#include "unit/storage/sample_definitions.h"

using vallora::bench::MedianMilliseconds;

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string ours = std::string(temp) + "vallora-timing-ours.vla";
    const std::string system = std::string(temp) + "vallora-timing-system.vla";
    const vallora::Definition definition = vallora::samples::FullDefinition();
    const std::vector<vallora::DefinitionValue> values = vallora::DefinitionValues(definition);

    bool ok = true;
    const double save = MedianMilliseconds(
        rounds, [&] { ok = vallora::SaveDefinition(definition, ours, nullptr) && ok; });
    const double profile = MedianMilliseconds(rounds, [&] {
        DeleteFileA(system.c_str());
        for (const vallora::DefinitionValue& value : values) {
            ok = WritePrivateProfileStringA(value.Section.c_str(), value.Key.c_str(),
                                            value.Value.c_str(), system.c_str()) &&
                 ok;
        }
    });
    std::string a;
    std::string b;
    vallora::ReadWholeFile(ours, &a, nullptr);
    vallora::ReadWholeFile(system, &b, nullptr);
    DeleteFileA(ours.c_str());
    DeleteFileA(system.c_str());

    std::printf("full definition, %zu values, %zu bytes, median of %d rounds\n", values.size(),
                a.size(), rounds);
    std::printf("SaveDefinition:                      %10.3f ms\n", save);
    std::printf("value by value (profile-string call): %10.3f ms\n", profile);
    std::printf("ratio: SaveDefinition is %.0f times faster\n", profile / save);
    std::printf("files identical: %s\n", a == b ? "yes" : "NO");
    return ok && a == b ? 0 : 1;
}
