#pragma once
// Where the icon of a program or document lives: a file holding icons and the
// 0-based index of the icon in it. Programs carry their own icon; documents
// get the one registered for their file type under HKEY_CLASSES_ROOT.
#include <functional>
#include <string>

#include "storage/settings.h"

namespace vallora {

struct IconLocation {
    std::string file;
    int index = 0;  // negative or past the last icon: no icon

    bool operator==(const IconLocation&) const = default;
};

// Replaces %NAME% references by the environment's values.
using EnvironmentExpander = std::function<std::string(const std::string&)>;

// A registered icon location: "file,index" or just "file". Blanks around the
// parts are dropped and a quoted file name loses its quotes (it may then hold
// commas). A missing or unreadable index is 0.
IconLocation ParseIconLocation(const std::string& location);

// The icon location of `source`: an ".exe" file (in any letter case) is its
// own location with index 0; anything else is looked up by the extension of
// its last path part: HKCR\<ext> names the file type, HKCR\<type>\DefaultIcon
// holds the location. References to environment variables are expanded in
// both the source and a registered location.
IconLocation ResolveIconLocation(const std::string& source, Settings& settings,
                                 const EnvironmentExpander& expand);

}  // namespace vallora
