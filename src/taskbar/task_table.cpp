#include "taskbar/task_table.h"

#include "taskbar/task_list.h"
#include "taskbar/task_process_port.h"

namespace vallora {

void RebuildTaskTable(TaskTable& table, const CTaskList& tasks, TaskProcessPort& processes) {
    const std::int32_t count = tasks.Count();
    table.records.resize(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        TaskRecord& record = table.records[static_cast<std::size_t>(i)];
        const std::int32_t position = i + 1;
        record.processId = tasks.ProcessID(position);
        record.programPath = processes.ProcessProgramFile(record.processId);
        record.largeIcon = tasks.hIcon(position);
        record.smallIcon = tasks.hIconSm(position);
        record.window = tasks.hwnd(position);
        record.title = tasks.Caption(position);
    }
}

}  // namespace vallora
