#pragma once
// Windows folders the administrator picks or the programs build paths on.
#include <windows.h>

#include <string>

#include "platform/ui_seam.h"

namespace vallora {

// The folder browser (rooted at the desktop, file-system folders only) through
// the UI seam; the default path when the person cancels.
std::string BrowseForFolder(UiSeam& ui, HWND owner, const std::string& title,
                            const std::string& defaultPath);

// The system's Program Files folder (not created when missing); empty when
// the system does not say.
std::string ProgramFilesFolder(HWND owner);

// The Windows folder, e.g. "C:\WINDOWS"; empty when the system does not say.
std::string WindowsFolder();

// The system folder, e.g. "C:\WINDOWS\system32"; empty when the system does
// not say. System programs are started by their path in it, never by bare
// name: a bare name is searched for in the program's own folder first.
std::string SystemFolder();

// The user's temporary folder with its trailing backslash; empty when the
// system does not say.
std::string TemporaryFolder();

}  // namespace vallora
