#include <ostream>

#include "storage/password.h"
#include "storage/password_hash.h"
#include "tool/commands.h"

namespace vallora::tool {

// Encodes a password as the definition file stores it, or decodes such a
// text (a damaged text is refused rather than decoded in part), or makes a
// hash of it for "AdminPasswordHash".
int RunPassword(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) return kExitUsage;
    if (args[0] == "encode") {
        out << EncodePassword(args[1]) << '\n';
        return kExitOk;
    }
    if (args[0] == "hash") {
        const std::string hash = HashPassword(args[1]);
        if (hash.empty()) return Fail(err, kExitFailed, "the system refused to make a hash");
        out << hash << '\n';
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
