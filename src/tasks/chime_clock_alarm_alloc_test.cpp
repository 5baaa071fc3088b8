// The chime is asked every second all day: a second that is no chime moment must not touch the heap.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "tasks/chime_clock_alarm.h"

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

class CountingPlayer final : public ISoundPlayer {
public:
    void PlayFiles(std::string_view) override { ++lists; }
    int lists = 0;
};

class NoPopup final : public IPopupSender {
public:
    bool ShowText(std::string_view) override { return true; }
};

TEST(ClockAlarmAllocationTest, SecondsBetweenChimesAllocateNothing) {
    CountingPlayer player;
    NoPopup popup;
    ClockAlarm alarm(player, popup, "C:\\Program Files\\Kalvoro\\Sound\\");
    alarm.SetOptions(true, true, kChimeVoice);
    const DateTime hour = EncodeDate(2026, 12, 10) + EncodeTime(10, 0, 0);

    const long before = g_allocations.load();
    int chimes = 0;
    for (int second = 1; second < 3600; ++second) {
        if (second == 30 * 60) continue;
        chimes += alarm.CheckChime(hour + second / 86400.0) ? 1 : 0;
    }
    EXPECT_EQ(chimes, 0);
    EXPECT_EQ(g_allocations.load() - before, 0);

    EXPECT_TRUE(alarm.CheckChime(hour + 30 * 60 / 86400.0));  // the half hour composes its list
    EXPECT_EQ(player.lists, 1);
}

}  // namespace
}  // namespace kalvoro
