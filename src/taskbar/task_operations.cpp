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

// Takes what closing needs before any pending message runs: a refresh
// inside ProcessPendingMessages may rebuild the table.
struct CloseTarget {
    WindowId window = 0;
    std::uint32_t processId = 0;
    bool isBrowser = false;
};

CloseTarget TakeCloseTarget(const TaskRecord& record) {
    return {record.window, record.processId, IsBrowserProgram(record.programPath)};
}

void Close(const TaskContext& context, const CloseTarget& target) {
    if (target.window == context.taskBar) return;
    context.windows.SetForeground(target.window);
    context.windows.ProcessPendingMessages();
    context.windows.Post(target.window, PostedMessage::Close);
    if (target.isBrowser) context.processes.KillProcess(target.processId);
}

}  // namespace

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
    if (const TaskRecord* record = context.table.Record(index)) {
        Close(context, TakeCloseTarget(*record));
    }
}

void TerminateTask(const TaskContext& context, std::int16_t index) {
    if (const TaskRecord* record = OtherTask(context, index)) {
        context.processes.KillProcess(record->processId);
    }
}

void MinimizeAllTasks(const TaskContext& context) {
    for (const TaskRecord& record : context.table.records) {
        if (record.window != context.taskBar)
            context.windows.Show(record.window, ShowCommand::Minimize);
    }
}

void CloseAllTasks(const TaskContext& context) {
    std::vector<CloseTarget> targets;
    targets.reserve(context.table.records.size());
    for (const TaskRecord& record : context.table.records)
        targets.push_back(TakeCloseTarget(record));
    for (const CloseTarget& target : targets) Close(context, target);
}

}  // namespace vallora
