#pragma once
// Operations of the dialog guard on other programs' windows.
#include <windows.h>

#include "guard/window_handle_list.h"

namespace vallora {

// Posts WM_CLOSE to the window without waiting for it to be handled.
void PostCloseRequest(HWND window);
// Gives every listed window an empty window region, which makes it invisible
// while it stays enabled and present.
void HideWindows(const WindowHandleList& windows);
// Sets the keyboard focus to a control of another thread's dialog by sharing
// that thread's input for the moment; does nothing when the dialog belongs to
// the calling thread or the input cannot be shared.
void SetFocusToControl(HWND dialog, HWND control);
// Shows a window of any program with the given ShowWindow command, waiting
// for it unless the window's thread does not answer in time.
void ShowForeignWindow(HWND window, int command);
// Makes an edit box of any program read-only.
void MakeReadOnly(HWND editBox);

}  // namespace vallora
