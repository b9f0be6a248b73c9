#include "language/form_captions_win32.h"

namespace vallora {

std::vector<std::string> FormCaptions::ControlNames() const {
    std::vector<std::string> names;
    names.reserve(form_.Controls().size());
    for (const FormControl& control : form_.Controls()) names.push_back(control.name);
    return names;
}

}  // namespace vallora
