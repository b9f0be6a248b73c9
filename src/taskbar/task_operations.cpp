#include "taskbar/task_operations.h"

#include <vector>

#include "security/process_name.h"
#include "storage/ascii_case.h"

namespace vallora {

namespace {

// The record at `index`, unless it is missing or is the task bar itself.
const TaskRecord* OtherTask(const TaskContext& context, std::int16_t index) {
    const TaskRecord* record = context.table.Record(index);
    if (!record || record->window == context.taskBar) return nullptr;
    return record;
}

}  // namespace

TaskTarget TakeTask(const TaskContext& context, std::int16_t index) {
    const TaskRecord* record = OtherTask(context, index);
    if (!record) return {};
    return {record->window, record->processId, IsBrowserProgram(record->programPath),
            context.processes.Hold(record->processId)};
}

void CloseTask(const TaskContext& context, const TaskTarget& target) {
    if (target.window == 0 || target.window == context.taskBar) return;
    context.windows.SetForeground(target.window);
    // A refresh inside the pending messages may rebuild the table: the
    // target was taken before.
    context.windows.ProcessPendingMessages();
    context.windows.Post(target.window, PostedMessage::Close);
    if (target.isBrowser && target.process) target.process->Kill();
}

void TerminateTask(const TaskContext& context, const TaskTarget& target) {
    if (target.window == 0 || target.window == context.taskBar || !target.process) return;
    // A window handle can be reused too: it must still be the task's.
    if (!context.windows.Exists(target.window) ||
        context.windows.ProcessId(target.window) != target.processId) {
        return;
    }
    target.process->Kill();
}

bool IsBrowserProgram(std::string_view programPath) {
    return ToUpperAscii(ExecutableFileName(programPath)).find("IEXPLORE.EXE") !=
               std::string::npos ||
           IsProcessNamed(programPath, "msedge.exe") || IsProcessNamed(programPath, "chrome.exe");
}

void ToggleTask(const TaskContext& context, std::int16_t index, bool pressed) {
    const TaskRecord* record = OtherTask(context, index);
    if (!record) return;
    const WindowId window = record->window;
    if (!pressed) {
        context.windows.Show(window, ShowCommand::Minimize);
        return;
    }
    if (context.windows.IsMinimized(window)) context.windows.Show(window, ShowCommand::Restore);
    context.windows.SetForeground(window);
    context.windows.Post(window, PostedMessage::Activate);
}

void RestoreTask(const TaskContext& context, std::int16_t index) {
    const TaskRecord* record = context.table.Record(index);
    if (!record) return;
    context.windows.Show(record->window, ShowCommand::Restore);
    context.windows.SetForeground(record->window);
}

void MinimizeTask(const TaskContext& context, std::int16_t index) {
    if (const TaskRecord* record = OtherTask(context, index)) {
        context.windows.Show(record->window, ShowCommand::Minimize);
    }
}

void MaximizeTask(const TaskContext& context, std::int16_t index) {
    if (const TaskRecord* record = OtherTask(context, index)) {
        context.windows.Show(record->window, ShowCommand::Maximize);
        context.windows.SetForeground(record->window);
    }
}

void CloseTask(const TaskContext& context, std::int16_t index) {
    CloseTask(context, TakeTask(context, index));
}

void MinimizeAllTasks(const TaskContext& context) {
    for (const TaskRecord& record : context.table.records) {
        if (record.window != context.taskBar)
            context.windows.Show(record.window, ShowCommand::Minimize);
    }
}

void CloseAllTasks(const TaskContext& context) {
    std::vector<TaskTarget> targets;
    targets.reserve(context.table.records.size());
    for (std::int16_t index = 0; index < context.table.TaskCount(); ++index) {
        targets.push_back(TakeTask(context, index));
    }
    for (const TaskTarget& target : targets) CloseTask(context, target);
}

}  // namespace vallora
