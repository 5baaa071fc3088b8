// The platform-free part of one tick: format the time and check the date.

#include <benchmark/benchmark.h>

#include <string>

#include "app/clock_display.h"

namespace kalvoro {
namespace {

class NullDateLine final : public IDateLine {
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

class NullBar final : public IBarDisplay {
public:
    void ShowTime(const char* hhmmss) override { benchmark::DoNotOptimize(hhmmss[7]); }
    void SetHint(const std::string&) override {}
    IDateLine& DateLine() override { return line; }
    void UpdateClockHands(DateTime, bool) override {}
    NullDateLine line;
};

class NullTexts final : public IDateTexts {
public:
    std::string LunarText(DateTime) override { return {}; }
    std::string GanZhiText(DateTime) override { return {}; }
    std::string TermText(DateTime) override { return {}; }
    std::string FestivalText(DateTime) override { return {}; }
};

void BM_TickSameDay(benchmark::State& state) {
    NullBar bar;
    NullTexts texts;
    ClockDisplay display(bar, texts, ChineseDateLocale());
    DateTime now = EncodeDate(2026, 12, 9) + 0.25;
    display.Update(now, false);
    for (auto _ : state) {
        now += 1.0 / 86400.0;
        if (now > EncodeDate(2026, 12, 9) + 0.9) now = EncodeDate(2026, 12, 9) + 0.25;
        display.Update(now, false);
    }
}
BENCHMARK(BM_TickSameDay);

}  // namespace
}  // namespace kalvoro
