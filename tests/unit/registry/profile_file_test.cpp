// The profile cases against the portable profile-file implementation.
#include "storage/profile_file.h"
#include "profile_cases.h"

namespace vallora {

std::unique_ptr<ProfilePort> MakeProfilePort() {
    return std::make_unique<ProfileFile>();
}

}  // namespace vallora
