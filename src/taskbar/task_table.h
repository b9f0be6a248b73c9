#pragma once
// The task bar's copy of the task list: one record per task button, rebuilt
// from the task list so that the buttons and menus address a stable table
// between rebuilds.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_port.h"

namespace vallora {

class CTaskList;
class TaskProcessPort;

struct TaskRecord {
    std::uint32_t processId = 0;
    WindowId window = 0;
    std::string title;
    std::string programPath;  // empty when it cannot be read
    IconId smallIcon = 0;
    IconId largeIcon = 0;
};

struct TaskTable {
    // Record i is the task at position i + 1 of the task list and button i.
    std::vector<TaskRecord> records;
    // Refreshes since the last rebuild.
    std::int32_t rebuildCounter = 0;

    std::int32_t TaskCount() const { return static_cast<std::int32_t>(records.size()); }
    // The record of a button index; nullptr outside 0..TaskCount - 1.
    const TaskRecord* Record(std::int16_t index) const {
        if (index < 0 || index >= TaskCount()) return nullptr;
        return &records[static_cast<std::size_t>(index)];
    }
};

// Replaces the records with the current entries of the task list, each with
// the program file of its process. The rebuild counter is left to the caller.
void RebuildTaskTable(TaskTable& table, const CTaskList& tasks, TaskProcessPort& processes);

}  // namespace vallora
