#pragma once
// Which standard dialogs ("#32770") are file dialogs or folder pickers, told
// by the control ids that the system's common dialogs give their controls.
// The ids are read over every descendant of the dialog, because the
// file-name box of the explorer-style dialog and of the item dialog of
// current systems lies several levels down.
#include "guard/window_tree_port.h"

namespace vallora {

// Control ids of the common dialogs.
inline constexpr int kFileNameComboId = 0x47C;  // the file-name box as a combo box
inline constexpr int kFileNameEditId = 0x480;   // the file-name box as a plain edit box
inline constexpr int kFileNameLabelId = 0x442;  // the label of the file-name box
inline constexpr int kFileTypeComboId = 0x470;  // the file-type list
inline constexpr int kFolderTreeId = 0x3741;    // the folder tree of the folder picker

enum class StandardDialogKind {
    Unrecognised,  // none of the ids: the shape rule decides
    FileDialog,
    FolderPicker,
};

struct StandardDialogRecognition {
    StandardDialogKind kind = StandardDialogKind::Unrecognised;
    // File dialogs: the edit box to type the file name into; 0 when the
    // dialog is a file dialog without one that can be typed into.
    WindowId editBox = 0;
};

// A dialog is a file dialog when it holds a combo box with the file-name id
// (the box to type into is the edit inside it), or an edit with the
// file-name id beside the file-name label or the file-type list (the find
// and replace dialogs use that edit id for their search text, without
// either). A dialog that holds the item dialog's view frame but no
// recognised file-name box is a file dialog without a box to type into.
// Otherwise a dialog with the folder tree is a folder picker.
StandardDialogRecognition RecognizeStandardDialog(WindowTreePort& tree, WindowId dialog);

}  // namespace vallora
