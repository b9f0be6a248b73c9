#include "guard/dialog_classification.h"

#include "guard/wildcard_match.h"

namespace vallora {

DialogKind KindOfDialogClass(std::string_view className) {
    if (className == kStandardDialogClass) return DialogKind::Standard;
    if (MatchesWildcard(className, kOfficeDialogClassPattern)) return DialogKind::OfficeStyle;
    for (const std::string_view browser : kFileBrowserClasses) {
        if (className == browser) return DialogKind::FileBrowser;
    }
    return DialogKind::None;
}

bool IsStandardFileDialogShape(int comboBoxes, int buttons) {
    return comboBoxes >= 1 && comboBoxes <= 3 && buttons >= 2 && buttons <= 4;
}

bool IsOfficeFileDialogShape(int richEdits, int commandBars) {
    return richEdits == 3 && commandBars == 2;
}

}  // namespace vallora
