// The scheduler runs on every tick all day: a second in which no task fires must not touch the heap.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "base/gbk.h"
#include "tasks/task_scheduler.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace kalvoro {
namespace {

struct Silent final : public ISoundPlayer, IPopupSender, ITaskShell, IShutdownPrompt, ISystemPower {
    void PlayFiles(std::string_view) override { ++fired; }
    bool ShowText(std::string_view) override { return ++fired > 0; }
    bool FileExists(const std::string&) override { return false; }
    void OpenFile(const std::string&) override {}
    bool ConfirmShutDown() override { return false; }
    void ShutDownComputer() override {}
    int fired = 0;
};

TEST(TaskSchedulerAllocationTest, ASecondWithoutATaskAllocatesNothing) {
    std::string file;
    for (int hour = 0; hour < 24; ++hour) {
        file += "*0" + std::to_string(hour) +
                "\xCA\xB1"
                "59\xB7\xD6"
                "30\xC3\xEB\r\n3(x)\r\n";  // hh时59分30秒
    }
    file += "*0\r\n*02030\xC4\xEA\r\n";  // never fires: nothing fixed, a date alone
    TaskList list;
    list.LoadFromBytes(file);
    Silent silent;
    TaskScheduler scheduler(list, silent, silent, silent, silent, silent);
    const DateTime start = EncodeDate(2030, 6, 1) + EncodeTime(8, 0, 0);
    const long before = g_allocations.load();
    for (int second = 0; second < 3000; ++second) scheduler.CheckTasks(start + second / 86400.0);
    EXPECT_EQ(g_allocations.load() - before, 0);
    EXPECT_EQ(silent.fired, 0);
    // The same scheduler fires at 08:59:30 (3570 s after 08:00:00).
    scheduler.CheckTasks(start + 3570 / 86400.0);
    EXPECT_EQ(silent.fired, 1);
}

}  // namespace
}  // namespace kalvoro
