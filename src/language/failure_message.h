#pragma once
// The message boxes that report a failure to the person: the text, the
// critical icon, an OK button and the program's title.
#include <string>

#include "language/language.h"
#include "platform/ui_seam.h"

namespace vallora {

MessageRequest FailureMessage(OwnerWindow owner, std::string text);

// A file that could not be written: the text of MSG_ERRORS_OCCOURED, then on
// a line of its own the system's message.
MessageRequest WriteFailureMessage(const Language& language, OwnerWindow owner,
                                   const std::string& systemError);

}  // namespace vallora
