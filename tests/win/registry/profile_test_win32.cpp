// The profile cases against the system's profile-string calls.
#include "platform/profile_win32.h"
#include "profile_cases.h"

namespace vallora {

std::unique_ptr<ProfilePort> MakeProfilePort() {
    return std::make_unique<ProfileWin32>();
}

}  // namespace vallora
