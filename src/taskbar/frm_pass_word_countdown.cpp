#include "taskbar/frm_pass_word_countdown.h"

#include "storage/password_hash.h"

namespace vallora {

bool PasswordCountdown::Tick() {
    if (remaining_ < 1) return true;
    --remaining_;
    return false;
}

std::string CountdownCaption(const std::string& closingText, int seconds) {
    return closingText + " " + std::to_string(seconds);
}

int PasswordAttempts::PauseSeconds(int wrongInARow) {
    constexpr int kFreeEntries = 2;
    constexpr int kFirstPause = 2;
    constexpr int kLongestPause = 60;
    if (wrongInARow <= kFreeEntries) return 0;
    int pause = kFirstPause;
    for (int i = kFreeEntries + 1; i < wrongInARow && pause < kLongestPause; ++i) pause *= 2;
    return pause < kLongestPause ? pause : kLongestPause;
}

void PasswordAttempts::Wrong(std::uint64_t now) {
    if (wrongInARow_ < 1000) ++wrongInARow_;
    refusedUntil_ = now + static_cast<std::uint64_t>(PauseSeconds(wrongInARow_)) * 1000;
}

void PasswordAttempts::Right() {
    wrongInARow_ = 0;
    refusedUntil_ = 0;
}

int PasswordAttempts::SecondsToWait(std::uint64_t now) const {
    if (now >= refusedUntil_) return 0;
    return static_cast<int>((refusedUntil_ - now + 999) / 1000);
}

bool PasswordMatches(const std::string& entry, const std::string& adminPassword,
                     const std::string& adminPasswordHash) {
    if (!adminPasswordHash.empty()) return VerifyPassword(entry, adminPasswordHash);
    return entry == adminPassword;
}

}  // namespace vallora
