#include "guard/file_dialog_recognition.h"

#include <string_view>

#include "storage/ascii_case.h"

namespace vallora {

namespace {

constexpr std::string_view kEditClass = "Edit";
constexpr std::string_view kComboBoxClass = "ComboBox";
constexpr std::string_view kComboBoxExClass = "ComboBoxEx32";
constexpr std::string_view kTreeViewClass = "SysTreeView32";
constexpr std::string_view kItemDialogViewClass = "DUIViewWndClassName";

struct DialogFacts {
    bool fileNameCombo = false;
    WindowId editInFileNameCombo = 0;
    WindowId fileNameEdit = 0;
    bool fileNameLabel = false;
    bool fileTypeCombo = false;
    bool folderTree = false;
    bool itemDialogView = false;
};

void Collect(WindowTreePort& tree, WindowId parent, bool insideFileNameCombo, DialogFacts& facts) {
    for (WindowId child = tree.FirstChild(parent); child != 0; child = tree.NextSibling(child)) {
        const std::string className = tree.ClassName(child);
        const int id = tree.ControlId(child);
        bool inCombo = insideFileNameCombo;
        if (id == kFileNameComboId && (EqualsNoCase(className, kComboBoxExClass) ||
                                       EqualsNoCase(className, kComboBoxClass))) {
            facts.fileNameCombo = true;
            inCombo = true;
        } else if (EqualsNoCase(className, kEditClass)) {
            if (insideFileNameCombo && facts.editInFileNameCombo == 0)
                facts.editInFileNameCombo = child;
            if (id == kFileNameEditId && facts.fileNameEdit == 0) facts.fileNameEdit = child;
        } else if (id == kFileNameLabelId) {
            facts.fileNameLabel = true;
        } else if (id == kFileTypeComboId) {
            facts.fileTypeCombo = true;
        } else if (id == kFolderTreeId && EqualsNoCase(className, kTreeViewClass)) {
            facts.folderTree = true;
        } else if (EqualsNoCase(className, kItemDialogViewClass)) {
            facts.itemDialogView = true;
        }
        Collect(tree, child, inCombo, facts);
    }
}

}  // namespace

StandardDialogRecognition RecognizeStandardDialog(WindowTreePort& tree, WindowId dialog) {
    DialogFacts facts;
    Collect(tree, dialog, false, facts);
    using Kind = StandardDialogKind;
    if (facts.fileNameCombo) return {Kind::FileDialog, facts.editInFileNameCombo};
    if (facts.fileNameEdit != 0 && (facts.fileNameLabel || facts.fileTypeCombo))
        return {Kind::FileDialog, facts.fileNameEdit};
    if (facts.itemDialogView) return {Kind::FileDialog, 0};
    if (facts.folderTree) return {Kind::FolderPicker, 0};
    return {};
}

}  // namespace vallora
