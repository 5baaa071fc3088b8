#include <benchmark/benchmark.h>

#include "calendar/testing/calendar_control_test_support.h"
#include "calendar/lss_calendar.h"

namespace kalvoro {
namespace {

// All 42 cells of a month as the painter asks for them, for each way of showing cell text.
void BM_BuildMonthCells(benchmark::State& state) {
    FakeClock clock(EncodeDate(2026, 12, 10));
    testing::FakeView view;
    TLssCalendar calendar(clock);
    calendar.AttachView(view, 326, 272);
    const auto mode = state.range(0);
    calendar.SetLunarCalStyle(mode == 2 ? TLssCalStyle::csNone : TLssCalStyle::csBottom);
    calendar.SetFtvCalStyle(mode == 2 ? TLssCalStyle::csBottom : TLssCalStyle::csNone);
    calendar.SetChineseEar(mode == 1);
    const DateTime today = clock.Now();
    for (auto _ : state) {
        for (int i = 0; i < kCalendarCells; ++i) benchmark::DoNotOptimize(calendar.Cell(i, today));
    }
    state.SetLabel(mode == 0 ? "lunar" : mode == 1 ? "stem-branch" : "festivals");
}
BENCHMARK(BM_BuildMonthCells)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The default control: lunar text right of the day number and festivals below it.
void BM_BuildMonthCellsBothTexts(benchmark::State& state) {
    FakeClock clock(EncodeDate(2026, 12, 10));
    testing::FakeView view;
    TLssCalendar calendar(clock);
    calendar.AttachView(view, 300, 210);
    const DateTime today = clock.Now();
    for (auto _ : state) {
        for (int i = 0; i < kCalendarCells; ++i) benchmark::DoNotOptimize(calendar.Cell(i, today));
    }
}
BENCHMARK(BM_BuildMonthCellsBothTexts)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvoro
