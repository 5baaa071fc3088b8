// The tick runs all day: in steady state (same date) a display update must not touch the heap.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "app/clock_display.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace kalvoro {
namespace {

class QuietDateLine final : public IDateLine {
public:
    int LineCount() const override { return 1; }
    const std::string& Line(int) const override { return line_; }
    void SetFirstLine(const std::string& line) override { line_ = line; }
    bool Active() const override { return false; }
    void SetActive(bool) override {}
    int CurrentLine() const override { return 0; }
    void ShowLine(int) override {}

private:
    std::string line_;
};

class QuietBar final : public IBarDisplay {
public:
    void ShowTime(const char* hhmmss) override { last = hhmmss[7]; }
    void SetHint(const std::string&) override {}
    IDateLine& DateLine() override { return line; }
    void UpdateClockHands(DateTime, bool) override {}
    char last = 0;
    QuietDateLine line;
};

class Texts final : public IDateTexts {
public:
    std::string LunarText(DateTime) override { return "农历的一个很长的文字，超过小字符串的长度"; }
    std::string GanZhiText(DateTime) override { return "丙午(马)年庚子月甲子日"; }
    std::string TermText(DateTime) override { return {}; }
    std::string FestivalText(DateTime) override { return {}; }
};

TEST(ClockDisplayAllocationTest, SteadyStateTickAllocatesNothing) {
    QuietBar bar;
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
