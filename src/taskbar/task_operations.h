#pragma once
// What the task buttons and the task menus do to a task. Each operation
// takes the index of the button the user used, addressing the record with
// that index in the task table; an index outside the table does nothing.
// Except for Restore task, nothing is ever done to the task bar's own window.
#include <cstdint>
#include <string_view>

#include "platform/window_port.h"
#include "taskbar/task_process_port.h"
#include "taskbar/task_table.h"

namespace vallora {

struct TaskContext {
    WindowPort& windows;
    TaskProcessPort& processes;
    const TaskTable& table;
    WindowId taskBar = 0;
};

// Pressed: restore when minimised and bring to the front; released: minimise.
void ToggleTask(const TaskContext& context, std::int16_t index, bool pressed);
void RestoreTask(const TaskContext& context, std::int16_t index);
void MinimizeTask(const TaskContext& context, std::int16_t index);
void MaximizeTask(const TaskContext& context, std::int16_t index);
// Asks the window to close; the browser gets no chance to stay (its process
// is ended as well).
void CloseTask(const TaskContext& context, std::int16_t index);
// Ends the task's process without asking its window first.
void TerminateTask(const TaskContext& context, std::int16_t index);
void MinimizeAllTasks(const TaskContext& context);
// Closes every task of the table as it is when the command starts.
void CloseAllTasks(const TaskContext& context);

// True for the browsers whose windows are closed by ending their process:
// a program file name that contains "IEXPLORE.EXE", or is "msedge.exe" or
// "chrome.exe", in any letter case.
bool IsBrowserProgram(std::string_view programPath);

}  // namespace vallora
