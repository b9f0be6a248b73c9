#include <ostream>
#include <string_view>

#include "tool/commands.h"

namespace vallora::tool {
namespace {

struct Command {
    std::string_view Name;
    std::string_view Usage;  // the arguments after the name
    int (*Run)(const Arguments&, std::ostream&, std::ostream&);
};

constexpr Command kCommands[] = {
    {"show", "FILE.vla", RunShow},
    {"resave", "IN.vla OUT.vla", RunResave},
    {"password", "encode|decode|hash TEXT", RunPassword},
    {"policy", "apply|reset FILE.vla", RunPolicy},
    {"page", "FILE.vla OUT.hta", RunPage},
    {"check", "FILE.vla", RunCheck},
};

std::string UsageLine() {
    std::string line = "usage: vallora-tool";
    std::string_view separator = " ";
    for (const Command& command : kCommands) {
        line.append(separator).append(command.Name).append(" ").append(command.Usage);
        separator = " | ";
    }
    return line;
}

}  // namespace

int Fail(std::ostream& err, int status, const std::string& message) {
    err << "vallora-tool: " << message << '\n';
    return status;
}

int RunTool(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Fail(err, kExitUsage, UsageLine());
    for (const Command& command : kCommands) {
        if (args.front() == command.Name) {
            const int status = command.Run(Arguments(args.begin() + 1, args.end()), out, err);
            if (status == kExitUsage) {
                return Fail(err, status,
                            "usage: vallora-tool " + std::string(command.Name) + " " +
                                std::string(command.Usage));
            }
            return status;
        }
    }
    return Fail(err, kExitUsage, "unknown command \"" + args.front() + "\"; " + UsageLine());
}

}  // namespace vallora::tool
