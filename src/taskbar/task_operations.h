#pragma once
// What the task buttons and the task menus do to a task. Each operation
// takes the index of the button the user used, addressing the record with
// that index in the task table; an index outside the table does nothing.
// Except for Restore task, nothing is ever done to the task bar's own window.
#include <cstdint>
#include <memory>
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

// A task taken when its button was right-clicked, with its process held:
// an action chosen later (after a password prompt, while the table is
// rebuilt every second) reaches that task, never the one that has moved to
// its index, nor a process that took over its id.
struct TaskTarget {
    WindowId window = 0;  // 0: no task (outside the table, or the task bar)
    std::uint32_t processId = 0;
    bool isBrowser = false;
    std::shared_ptr<HeldProcess> process;  // null when it could not be opened
};

// The task of a button index now; no task for the task bar's own window.
TaskTarget TakeTask(const TaskContext& context, std::int16_t index);

// Pressed: restore when minimised and bring to the front; released: minimise.
void ToggleTask(const TaskContext& context, std::int16_t index, bool pressed);
void RestoreTask(const TaskContext& context, std::int16_t index);
void MinimizeTask(const TaskContext& context, std::int16_t index);
void MaximizeTask(const TaskContext& context, std::int16_t index);
// Asks the window to close; the browser gets no chance to stay (its held
// process is ended as well).
void CloseTask(const TaskContext& context, std::int16_t index);
void CloseTask(const TaskContext& context, const TaskTarget& target);
// Ends the task's held process without asking its window first, and only
// while the window still exists and belongs to that process.
void TerminateTask(const TaskContext& context, const TaskTarget& target);
void MinimizeAllTasks(const TaskContext& context);
// Closes every task of the table as it is when the command starts.
void CloseAllTasks(const TaskContext& context);

// True for the browsers whose windows are closed by ending their process:
// a program file name that contains "IEXPLORE.EXE", or is "msedge.exe" or
// "chrome.exe", in any letter case.
bool IsBrowserProgram(std::string_view programPath);

}  // namespace vallora
