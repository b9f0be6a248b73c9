#include "taskbar/frm_pass_word_countdown.h"

namespace vallora {

bool PasswordCountdown::Tick() {
    if (remaining_ < 1) return true;
    --remaining_;
    return false;
}

std::string CountdownCaption(const std::string& closingText, int seconds) {
    return closingText + " " + std::to_string(seconds);
}

bool PasswordMatches(const std::string& entry, const std::string& adminPassword) {
    return entry == adminPassword;
}

}  // namespace vallora
