#pragma once
// Which foreground windows the dialog watcher examines: the kind follows from
// the class name. For standard dialogs that carry none of the common dialogs'
// control ids, and for office-style dialogs, the counts of certain child
// windows decide whether the window is a file dialog.
#include <string_view>

namespace vallora {

enum class DialogKind {
    None,         // any other window: not examined further
    Standard,     // the system's dialog class
    OfficeStyle,  // the dialogs of office suites
    FileBrowser,  // the system's file browser windows
};

inline constexpr std::string_view kStandardDialogClass = "#32770";
inline constexpr std::string_view kOfficeDialogClassPattern = "*bosa_sdm_*";
// The file browser windows of the system shells: two of current systems and
// the one of the platform layer the tests run on.
inline constexpr std::string_view kFileBrowserClasses[] = {"CabinetWClass", "ExploreWClass",
                                                           "ExplorerWClass"};

// Child class patterns that the examination counts or looks for.
inline constexpr std::string_view kComboBoxPattern = "*ComboBox*";
inline constexpr std::string_view kButtonPattern = "*Button*";
inline constexpr std::string_view kEditPattern = "*Edit*";
inline constexpr std::string_view kCommandBarPattern = "*MsoCommandBar*";
inline constexpr std::string_view kRichEditPattern = "*RichEdit20W*";

DialogKind KindOfDialogClass(std::string_view className);

// The fallback rule: a standard dialog is a file dialog when it has 1 to 3 combo-box windows and
// 2 to 4 buttons (a message box has no combo box).
bool IsStandardFileDialogShape(int comboBoxes, int buttons);
// An office-style dialog is a file dialog when it has exactly 3 rich-edit
// boxes and exactly 2 command bars.
bool IsOfficeFileDialogShape(int richEdits, int commandBars);

}  // namespace vallora
