#pragma once
// Typing into another program's dialog. Characters go to the dialog's
// file-name box itself as Unicode character messages, so no character is a
// command, nothing needs escaping, and nothing lands in whatever window
// happens to be in front. Each step is sent and so is done when the call
// returns; a program that does not answer stops the typing at a deadline.
#include <windows.h>

#include <string_view>

namespace vallora {

// How long one typing call may take by default: a hung program must not
// stop the desktop.
inline constexpr DWORD kTypingBoundMs = 2000;

// The end of the time that a sequence of steps may take in all.
class Deadline {
  public:
    explicit Deadline(DWORD milliseconds) : end_(GetTickCount64() + milliseconds) {}
    // Milliseconds left, 0 when the time is up.
    UINT Left() const {
        const ULONGLONG now = GetTickCount64();
        return now < end_ ? static_cast<UINT>(end_ - now) : 0;
    }

  private:
    ULONGLONG end_;
};

// Selects the whole text of the box. False when the box did not answer in time.
bool SelectAllText(HWND box, const Deadline& deadline = Deadline(kTypingBoundMs));
// Types the text (ANSI, converted with the system code page) into the box;
// control characters are left out. False when the box did not take them all.
bool TypeText(HWND box, std::string_view text, const Deadline& deadline = Deadline(kTypingBoundMs));
// The Enter key of a dialog: its default button is pressed, as the dialog
// manager does for Enter. False when the dialog did not answer.
bool PressEnter(HWND dialog, const Deadline& deadline = Deadline(kTypingBoundMs));

}  // namespace vallora
