#pragma once
// The password prompt's count-down and its password comparison.
#include <string>

namespace vallora {

inline constexpr int kPasswordPromptSeconds = 30;

// The guarded actions that the administrator password unlocks.
inline constexpr const char* kActionClose = "Close";
inline constexpr const char* kActionLaunchDesktop = "LaunchDesktop";
inline constexpr const char* kActionShowSettings = "ShowSettings";
inline constexpr const char* kActionCheckLockDown = "CheckLockDown";
inline constexpr const char* kActionTerminateProcess = "TerminateProcess";

// Counts down once a second from 30 to 0; the tick after 0 closes the prompt,
// about 31 seconds after it opened.
class PasswordCountdown {
  public:
    int Remaining() const { return remaining_; }
    // One tick: true when the prompt closes now (the count is then unchanged).
    bool Tick();

  private:
    int remaining_ = kPasswordPromptSeconds;
};

// The prompt's title: the "closing" message text, a blank and the seconds.
std::string CountdownCaption(const std::string& closingText, int seconds);

// Wrong entries in a row, for as long as the session runs: after the third,
// entries are refused for a while, 2 seconds first and twice as long after
// each further wrong entry, up to 60 seconds. A right entry starts afresh.
// Times are milliseconds of a steady clock.
class PasswordAttempts {
  public:
    // The pause after this many wrong entries in a row, in seconds.
    static int PauseSeconds(int wrongInARow);

    void Wrong(std::uint64_t now);
    void Right();
    // Whole seconds, rounded up, until entries are taken again; 0 when they are.
    int SecondsToWait(std::uint64_t now) const;
    int WrongInARow() const { return wrongInARow_; }

  private:
    int wrongInARow_ = 0;
    std::uint64_t refusedUntil_ = 0;
};

// Exact comparison, letter case significant; an empty password matches an
// empty entry. With a hash, the entry is checked against the hash alone.
bool PasswordMatches(const std::string& entry, const std::string& adminPassword,
                     const std::string& adminPasswordHash = {});

}  // namespace vallora
