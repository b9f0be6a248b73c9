// Refresh of the task list over a desktop of 200 top-level windows of which
// 20 are tasks, on the in-memory window tree.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "taskbar/task_list.h"
#include "unit/taskbar/fake_window_port.h"

// Counts every allocation of this benchmark program, so a benchmark can
// report how many its loop makes.
namespace {
std::atomic<long long> allocations{0};
}  // namespace

// The replacement pairs malloc with free on purpose; the compiler cannot
// see that both halves are replaced.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace vallora {
namespace {

using testing::FakeWindow;
using testing::FakeWindowPort;

// Every tenth window is a task with a title too long for in-place storage;
// the others are hidden, tool or owned windows, as on a real desktop.
void FillDesktop(FakeWindowPort& windows) {
    windows.recordTimeouts = false;
    FakeWindow owner;
    owner.visible = false;
    owner.title = "Owner";
    const WindowId ownerId = windows.Add(owner);
    for (int i = 1; i < 200; ++i) {
        FakeWindow window;
        window.title = "Window number " + std::to_string(i) + " with a longer title";
        window.processId = static_cast<std::uint32_t>(100 + i);
        window.bigIcon = 0x1000 + static_cast<IconId>(i);
        switch (i % 10) {
            case 0:
                break;  // a task
            case 1:
            case 2:
            case 3:
                window.visible = false;
                break;
            case 4:
            case 5:
                window.exStyle = kExStyleToolWindow;
                break;
            default:
                window.owner = ownerId;
                break;
        }
        windows.Add(window);
    }
    windows.Add(FakeWindow{.title = "Window number 200 with a longer title"});
}

void BM_TaskListRefreshUnchangedDesktop(benchmark::State& state) {
    FakeWindowPort windows;
    FillDesktop(windows);
    CTaskList tasks(windows);
    tasks.Refresh();
    const long long before = allocations.load();
    for (auto _ : state) tasks.Refresh();
    state.counters["tasks"] = tasks.Count();
    state.counters["allocations_per_refresh"] = benchmark::Counter(
        static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_TaskListRefreshUnchangedDesktop);

}  // namespace
}  // namespace vallora
