// The tick runs all day: in steady state (same date) a display update must not touch the heap.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "app/clock_display.h"
#include "app/testing/clock_display_null_view.h"

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

class Texts final : public IDateTexts {
public:
    std::string LunarText(DateTime) override { return "农历的一个很长的文字，超过小字符串的长度"; }
    std::string GanZhiText(DateTime) override { return "丙午(马)年庚子月甲子日"; }
    std::string TermText(DateTime) override { return {}; }
    std::string FestivalText(DateTime) override { return {}; }
};

TEST(ClockDisplayAllocationTest, SteadyStateTickAllocatesNothing) {
    NullBar bar;
    Texts texts;
    ClockDisplay display(bar, texts, ChineseDateLocale());
    const DateTime day = EncodeDate(2026, 12, 9);
    display.Update(day + 10.0 / 24, false);  // the first update of a day builds its texts

    const long before = g_allocations.load();
    for (int second = 1; second < 3600; ++second) display.Update(day + 10.0 / 24 + second / 86400.0, false);
    EXPECT_EQ(g_allocations.load() - before, 0);

    display.Update(day + 1 + 1.0 / 86400, false);  // a new date does rebuild
    EXPECT_GT(g_allocations.load() - before, 0);
}

}  // namespace
}  // namespace kalvoro
