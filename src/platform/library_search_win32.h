#pragma once
// Where the program's libraries may come from.

namespace vallora {

// Limits the search for libraries loaded by name to the system folder and
// the program's own folder: the current folder and the search path, which
// a visitor may be able to write, are never searched. Called first thing at
// start; false where the system cannot limit the search (an older Windows
// without the update that brought it), which then searches as before.
bool LimitLibrarySearch();

}  // namespace vallora
