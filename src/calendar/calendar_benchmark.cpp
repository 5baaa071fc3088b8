#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "calendar/calendar_window_festivals.h"
#include "calendar/cell_text.h"
#include "calendar/festival_text.h"
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_year_walk.h"

namespace kalvoro {
namespace {

std::vector<DateTime> RandomDays(std::size_t count) {
    std::mt19937 random(20080207);
    std::uniform_int_distribution<int> day(static_cast<int>(kFirstLunarDay), static_cast<int>(kLastLunarDay));
    std::vector<DateTime> days(count);
    for (DateTime& value : days) value = day(random);
    return days;
}

void BM_GetLunarDate(benchmark::State& state) {
    const std::vector<DateTime> days = RandomDays(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetLunarDate(days[i++ & 4095]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetLunarDate);

void BM_GetLunarDateByTableWalk(benchmark::State& state) {
    const std::vector<DateTime> days = RandomDays(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lunar_walk::GetLunarDate(days[i++ & 4095]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetLunarDateByTableWalk);

std::vector<TLunarDate> RandomLunarDates(std::size_t count) {
    std::vector<TLunarDate> dates;
    for (DateTime day : RandomDays(count * 2)) {
        const TLunarDate lunar = GetLunarDate(day);
        if (IsValidLunarDate(lunar)) dates.push_back(lunar);
        if (dates.size() == count) break;
    }
    return dates;
}

void BM_LunarToSolar(benchmark::State& state) {
    const std::vector<TLunarDate> dates = RandomLunarDates(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LunarToSolar(dates[i++ % dates.size()]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LunarToSolar);

void BM_LunarToSolarByTableWalk(benchmark::State& state) {
    const std::vector<TLunarDate> dates = RandomLunarDates(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lunar_walk::LunarToSolar(dates[i++ % dates.size()]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LunarToSolarByTableWalk);

// What a repaint of the month grid asks for each of its 42 cells: the lunar day (or the month
// name on the first, or the solar term), the festival text and the mark colour.
void BM_MonthCellTexts(benchmark::State& state) {
    TFestivalList festivals = MakeCalendarWindowFestivals();
    festivals.AddMark(kSolarKind, "0214", 255);
    festivals.AddMark(kLunarKind, "0815", 255);
    festivals.AddMark(kWeekKind, "0520", 255);
    const DateTime first_cell = EncodeDate(2009, 1, 25);  // grid of February 2009 with its eve and 立春
    for (auto _ : state) {
        for (int cell = 0; cell < 42; ++cell) {
            const DateTime day = first_cell + cell;
            benchmark::DoNotOptimize(GetLunarCellText(day));
            benchmark::DoNotOptimize(GetFestivalText(festivals, day));
            benchmark::DoNotOptimize(GetMarkColor(festivals, day));
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MonthCellTexts)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvoro
