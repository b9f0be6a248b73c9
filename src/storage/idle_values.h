#pragma once
// The ranges of the idle-reset values of a definition, applied when a file is
// read and before the values are used, so that a hand-edited file cannot ask
// for a reset every second or a warning that never ends.
#include <cstdint>

namespace vallora {

inline constexpr int kIdleResetMinSeconds = 30;
inline constexpr int kIdleResetMaxSeconds = 86400;
inline constexpr int kIdleWarningDefaultSeconds = 30;

// 0 or less switches the reset off; from 1 to 29 it is 30; above a day it is a day.
constexpr int NormalIdleReset(std::int64_t seconds) {
    if (seconds <= 0) return 0;
    if (seconds < kIdleResetMinSeconds) return kIdleResetMinSeconds;
    if (seconds > kIdleResetMaxSeconds) return kIdleResetMaxSeconds;
    return static_cast<int>(seconds);
}

// A negative warning time is the default; above a day it is a day.
constexpr int NormalIdleWarning(std::int64_t seconds) {
    if (seconds < 0) return kIdleWarningDefaultSeconds;
    if (seconds > kIdleResetMaxSeconds) return kIdleResetMaxSeconds;
    return static_cast<int>(seconds);
}

}  // namespace vallora
