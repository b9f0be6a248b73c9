#pragma once
// The modal questions the programs ask a person: file-open and file-save
// dialogs, the folder browser, the colour dialog and message boxes. Forms get
// a UiSeam by reference; the Win32 implementation shows the system dialogs,
// ScriptedUi answers them from a script in tests.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/window_port.h"

namespace vallora {

// The window that owns a dialog; 0 for none.
using OwnerWindow = WindowId;

struct FileDialogRequest {
    OwnerWindow owner = 0;
    std::string title{};     // empty: the system's title
    std::string filter{};    // "description|pattern|description|pattern...", e.g. "Vallora |*.vla"
    std::string fileName{};  // initial file name; may hold a folder ("C:\Lang\...")
    bool overwritePrompt = false;  // save: the system asks before replacing a file
    // Added (without its dot) to a name typed without extension, before the
    // overwrite question; empty: none.
    std::string defaultExtension{};
};

struct FolderRequest {
    OwnerWindow owner = 0;
    std::string title{};
};

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageResult { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct MessageRequest {
    OwnerWindow owner = 0;
    std::string text{};
    std::string title{};
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

class UiSeam {
  public:
    virtual ~UiSeam() = default;
    // The chosen path, or nothing when the person cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
    // The chosen folder (file-system folders only), or nothing when cancelled.
    virtual std::optional<std::string> ChooseFolder(const FolderRequest& request) = 0;
    // Colours are red + 256 * green + 65536 * blue; nothing when cancelled.
    virtual std::optional<int32_t> PickColor(OwnerWindow owner, int32_t initial) = 0;
    virtual MessageResult ShowMessage(const MessageRequest& request) = 0;
};

}  // namespace vallora
