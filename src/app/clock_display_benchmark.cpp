// The platform-free part of one tick: format the time and check the date.

#include <benchmark/benchmark.h>

#include <string>

#include "app/clock_display.h"
#include "app/testing/clock_display_null_view.h"

namespace kalvoro {
namespace {

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
