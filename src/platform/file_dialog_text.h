#pragma once
// The texts a file dialog is prepared with, turned into what the system
// dialog takes. Portable so that the rules are tested natively.
#include <string>

namespace vallora {

// "Text files|*.txt|All|*.*" becomes "Text files\0*.txt\0All\0*.*\0\0". Blanks
// around a pattern are dropped ("*.txt |*.txt" is written with one); a
// description without a pattern gets the description as its pattern.
std::string SystemFilterList(const std::string& filter);

struct InitialFile {
    std::string folder;  // empty: the system's choice
    std::string name;
};

// A file name ending in "\..." names only the folder the dialog opens in; any
// other file name is given to the dialog as it is.
InitialFile SplitInitialFileName(const std::string& fileName);

}  // namespace vallora
