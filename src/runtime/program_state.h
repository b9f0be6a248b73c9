#pragma once
// The program-wide state: one instance, owned by the program's entry routine
// and handed by reference to whatever needs it. It lives as long as the
// process; nothing of it is saved except what the session record holds.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/window_port.h"
#include "storage/definition.h"
#include "taskbar/task_list.h"

namespace vallora {

// The program's title, used for message boxes and file filters.
inline constexpr const char* kProgramTitle = "Vallora";

struct ProgramState {
    // The loaded definition; in desktop mode it exists without the editor window.
    Definition definition;
    // Path of the definition last saved or loaded; empty for a new definition
    // and after trying to load a missing file.
    std::string currentDefinitionPath;
    // Path given to the last load that found its file.
    std::string lastOpenedPath;

    // The desktop page last launched, its host process and its window.
    std::string pagePath;
    std::uint32_t pageProcessId = 0;
    WindowId pageWindow = 0;

    std::uint32_t watchdogProcessId = 0;

    // Full screen size in pixels, saved when the task bar reserves its strip
    // of the work area and used to give the whole screen back.
    int screenWidth = 0;
    int screenHeight = 0;

    // The one task list of a desktop session, created at desktop start.
    std::unique_ptr<CTaskList> taskList;
};

}  // namespace vallora
