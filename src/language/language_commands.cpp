#include "language/language_commands.h"

#include <string>

namespace vallora {

bool SelectLanguage(Language& language, UiSeam& ui, OwnerWindow owner, CaptionedForm& mainForm) {
    FileDialogRequest request;
    request.owner = owner;
    request.filter = "*.txt |*.txt";
    // "...\" names the folder only, so the dialog opens in the language folder.
    request.fileName = language.LanguageFolder() + "...";
    std::optional<std::string> chosen = ui.OpenFile(request);
    if (!chosen) return false;
    std::string name = *chosen;
    language.SetLanguage(name);
    language.ApplyCaptions(mainForm);
    return true;
}

void RestoreLanguageDefault(Language& language, CaptionedForm& mainForm) {
    std::string none;
    language.SetLanguage(none);
    language.ApplyCaptions(mainForm);
}

}  // namespace vallora
