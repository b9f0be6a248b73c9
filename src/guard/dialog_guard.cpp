#include "guard/dialog_guard.h"

#include "guard/dialog_classification.h"
#include "guard/file_dialog_recognition.h"

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
    // A gone dialog's handle value may come back as a new dialog's.
    const auto gone = [this](WindowId window) { return !port_.Exists(window); };
    if (!handledDialogs_.Text().empty()) handledDialogs_.RemoveIf(gone);
    if (!auditedBlocks_.Text().empty()) auditedBlocks_.RemoveIf(gone);
    const DialogKind kind = KindOfDialogClass(port_.ClassName(dialog));
    if (kind == DialogKind::None || port_.IsOwnWindow(dialog)) return;
    // A dialog handed back to the user stays untouched, and is not walked again.
    if (kind == DialogKind::Standard && handledDialogs_.Contains(dialog)) return;
    FileDialog found;
    bool block = false;
    std::string_view reason = "a file dialog without a file-name box";
    switch (kind) {
        case DialogKind::Standard:
            found = ExamineStandardDialog(dialog, block);
            if (block && found.dialog == 0) reason = "a folder picker";
            break;
        case DialogKind::OfficeStyle:
            found = ExamineOfficeDialog(dialog);
            break;
        case DialogKind::FileBrowser:
            block = true;
            reason = "a file browser window";
            break;
        case DialogKind::None:
            return;
    }
    if (block) {
        Block(dialog, reason);
        return;
    }
    if (found.editBox == 0 || handledDialogs_.Contains(dialog)) return;
    if (startFolder.empty()) {
        Block(dialog, "no start folder is set");
        return;
    }
    TakeOver(found, startFolder);
}

DialogGuard::FileDialog DialogGuard::ExamineStandardDialog(WindowId dialog, bool& block) {
    const StandardDialogRecognition recognised = RecognizeStandardDialog(port_, dialog);
    switch (recognised.kind) {
        case StandardDialogKind::FileDialog:
            block = recognised.editBox == 0;
            return {dialog, recognised.editBox, std::string(kEditPattern)};
        case StandardDialogKind::FolderPicker:
            block = true;
            return {};
        case StandardDialogKind::Unrecognised:
            break;
    }
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

void DialogGuard::Block(WindowId dialog, std::string_view reason) {
    // Not kept as handled: while the dialog stays in front this repeats every tick.
    port_.ShowFunctionBlocked();
    port_.CloseWindow(dialog);
    if (auditedBlocks_.Contains(dialog)) return;
    auditedBlocks_.Append(dialog);
    port_.Audit(AuditEvent::DialogBlocked, DialogText(dialog) + ", " + std::string(reason));
}

std::string DialogGuard::DialogText(WindowId dialog) {
    return "\"" + port_.Title(dialog) + "\" (" + port_.ClassName(dialog) + ")";
}

void DialogGuard::TakeOver(const FileDialog& found, std::string& startFolder) {
    if (startFolder.back() != '\\') startFolder += '\\';
    port_.CreateFolder(startFolder);
    // A dialog that cannot be switched to the start folder would stay in its
    // own folder and take the user's name there: block it instead.
    if (!port_.FolderExists(startFolder)) {
        Block(found.dialog, "the start folder " + startFolder + " cannot be made");
        return;
    }
    port_.ProcessPendingMessages();
    // A dialog that did not take the folder would stay usable in its own
    // folder: it is closed rather than tried again on every tick.
    if (!port_.TypeIntoDialog(found.dialog, found.editBox, startFolder)) {
        Block(found.dialog, "it did not take the start folder");
        return;
    }
    port_.OpenRestrictedDialog(startFolder, found.dialog, found.editBox, found.editClassPattern);
    handledDialogs_.Append(found.dialog);
    port_.Audit(AuditEvent::DialogTakenOver,
                DialogText(found.dialog) + ", restricted to " + startFolder);
}

}  // namespace vallora
