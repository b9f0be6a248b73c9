// A library that does nothing: the library-search test loads copies of it
// by bare name from the current folder.
#include <windows.h>

extern "C" __declspec(dllexport) int ValloraLibraryProbe() {
    return 1;
}
