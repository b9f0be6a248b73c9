#pragma once
// The editor's language commands: choosing a language file and going back
// to the built-in English texts. Both re-apply the captions of the editor's
// main form at once; other forms follow when they are next activated.
#include "language/captioned_form.h"
#include "language/language.h"
#include "platform/ui_seam.h"

namespace vallora {

// Asks for a language file in the language folder; on confirmation stores
// its name and applies the captions to mainForm. A cancelled choice changes
// nothing. Returns whether a file was chosen.
bool SelectLanguage(Language& language, UiSeam& ui, OwnerWindow owner, CaptionedForm& mainForm);

// Stores an empty language name and applies the captions to mainForm (which
// keeps the captions it has: with no file nothing replaces them).
void RestoreLanguageDefault(Language& language, CaptionedForm& mainForm);

}  // namespace vallora
