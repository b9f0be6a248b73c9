#include "platform/library_search_win32.h"

#include <windows.h>

namespace vallora {

bool LimitLibrarySearch() {
    // Looked up at run time: a static import would keep the program from
    // starting at all on a system that lacks the call.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return false;
    const auto set = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    return set && set(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR) != FALSE;
}

}  // namespace vallora
