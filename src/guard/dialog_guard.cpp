#include "guard/dialog_guard.h"

#include "guard/dialog_classification.h"

namespace vallora {

namespace {

constexpr int kCommandBarSettleMs = 50;

}  // namespace

void DialogGuard::WatchDialogs(const Definition& definition) {
    if (definition.NoRun != 1) return;
    std::string startFolder = definition.IOStartFolder;
    GuardForegroundDialog(startFolder);
}

void DialogGuard::GuardForegroundDialog(std::string& startFolder) {
    if (examining_) return;
    examining_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{examining_};

    const WindowId dialog = port_.Foreground();
    if (dialog == 0) return;
    FileDialog found;
    switch (KindOfDialogClass(port_.ClassName(dialog))) {
        case DialogKind::Standard:
            found = ExamineStandardDialog(dialog);
            break;
        case DialogKind::OfficeStyle:
            found = ExamineOfficeDialog(dialog);
            break;
        case DialogKind::None:
            return;
    }
    if (found.editBox == 0) return;

    if (handledDialogs_.Contains(dialog)) {
        // A dialog handed back to the user stays untouched; only gone ones leave the list.
        handledDialogs_.RemoveIf([this](WindowId window) { return !port_.Exists(window); });
        return;
    }
    if (startFolder.empty()) {
        Block(dialog);
        return;
    }
    TakeOver(found, startFolder);
}

DialogGuard::FileDialog DialogGuard::ExamineStandardDialog(WindowId dialog) {
    WindowHandleList found;
    int comboBoxes = 0;
    int buttons = 0;
    search_.FindChildWindows(dialog, "*", kComboBoxPattern, found, comboBoxes);
    search_.FindChildWindows(dialog, "*", kButtonPattern, found, buttons);
    if (!IsStandardFileDialogShape(comboBoxes, buttons)) return {};
    int edits = 0;
    const WindowId editBox = search_.FindChildWindows(dialog, "*", kEditPattern, found, edits);
    return {dialog, editBox, std::string(kEditPattern)};
}

DialogGuard::FileDialog DialogGuard::ExamineOfficeDialog(WindowId dialog) {
    WindowHandleList commandBars;
    WindowHandleList richEditBoxes;
    int commandBarCount = 0;
    int richEdits = 0;
    search_.FindChildWindows(dialog, "*", kCommandBarPattern, commandBars, commandBarCount);
    search_.FindChildWindows(dialog, "*", kRichEditPattern, richEditBoxes, richEdits);
    if (!IsOfficeFileDialogShape(richEdits, commandBarCount)) return {};
    // The command bars hold the dialog's places and tools; they vanish on
    // every tick, also after the dialog has been taken over.
    port_.HideWindows(commandBars);
    port_.ProcessPendingMessages();
    port_.Wait(kCommandBarSettleMs);
    int again = 0;
    const WindowId editBox =
        search_.FindChildWindows(dialog, "*", kRichEditPattern, richEditBoxes, again);
    return {dialog, editBox, std::string(kRichEditPattern)};
}

void DialogGuard::Block(WindowId dialog) {
    // Not recorded: while the dialog stays in front this repeats every tick.
    port_.ShowFunctionBlocked();
    port_.CloseWindow(dialog);
}

void DialogGuard::TakeOver(const FileDialog& found, std::string& startFolder) {
    if (startFolder.back() != '\\') startFolder += '\\';
    port_.CreateFolder(startFolder);
    // A dialog that cannot be switched to the start folder would stay in its
    // own folder and take the user's name there: block it instead.
    if (!port_.FolderExists(startFolder)) {
        Block(found.dialog);
        return;
    }
    port_.ProcessPendingMessages();
    // A dialog that did not take the folder is not handed over: the next
    // tick that finds it in front tries anew.
    if (!port_.TypeIntoDialog(found.dialog, found.editBox, startFolder)) return;
    port_.OpenRestrictedDialog(startFolder, found.dialog, found.editBox, found.editClassPattern);
    handledDialogs_.Append(found.dialog);
}

}  // namespace vallora
