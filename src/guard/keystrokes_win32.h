#pragma once
// Typing into another program's dialog. Characters go to the dialog's
// file-name box itself as Unicode character messages, so no character is a
// command, nothing needs escaping, and nothing lands in whatever window
// happens to be in front. Each step is sent and so is done when the call
// returns; a program that does not answer stops the typing after a bound.
#include <windows.h>

#include <string_view>

namespace vallora {

// Types the text (ANSI, converted with the system code page) into the box;
// control characters are left out. False when the box did not take them all.
bool TypeText(HWND box, std::string_view text);
// The Enter key of a dialog: its default button is pressed, as the dialog
// manager does for Enter. False when the dialog did not answer.
bool PressEnter(HWND dialog);

}  // namespace vallora
