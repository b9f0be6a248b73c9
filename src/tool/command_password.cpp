#include <ostream>

#include "storage/password.h"
#include "tool/commands.h"

namespace vallora::tool {

// Encodes a password as the definition file stores it, or decodes such a
// text; a damaged text is refused rather than decoded in part.
int RunPassword(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) return kExitUsage;
    if (args[0] == "encode") {
        out << EncodePassword(args[1]) << '\n';
        return kExitOk;
    }
    if (args[0] == "decode") {
        bool complete = false;
        const std::string password = DecodePassword(args[1], &complete);
        if (!complete)
            return Fail(err, kExitFailed, "not an encoded password: \"" + args[1] + "\"");
        out << password << '\n';
        return kExitOk;
    }
    return kExitUsage;
}

}  // namespace vallora::tool
