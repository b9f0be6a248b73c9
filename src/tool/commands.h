#pragma once
// The commands of vallora-tool. Each takes the arguments after its name,
// prints its result to out and a one-line error to err, and returns the
// process exit status. A new command is a command_<name>.cpp file, its
// declaration here and one line in the table of command_table.cpp.
#include <iosfwd>
#include <string>
#include <vector>

namespace vallora::tool {

using Arguments = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the command could not do its work
inline constexpr int kExitUsage = 2;   // wrong arguments

int RunShow(const Arguments& args, std::ostream& out, std::ostream& err);
int RunResave(const Arguments& args, std::ostream& out, std::ostream& err);
int RunPassword(const Arguments& args, std::ostream& out, std::ostream& err);
int RunPolicy(const Arguments& args, std::ostream& out, std::ostream& err);
int RunPage(const Arguments& args, std::ostream& out, std::ostream& err);
int RunCheck(const Arguments& args, std::ostream& out, std::ostream& err);

// Picks the command named by the first argument and runs it.
int RunTool(const Arguments& args, std::ostream& out, std::ostream& err);

// Writes "vallora-tool: <message>" as one line to err and returns status.
int Fail(std::ostream& err, int status, const std::string& message);

}  // namespace vallora::tool
