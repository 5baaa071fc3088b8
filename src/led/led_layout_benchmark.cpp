#include <benchmark/benchmark.h>

#include <array>

#include "led/led_font_num.h"

namespace {

// The bar's once-a-second work: a new "hh:mm:ss" and its layout into storage kept between ticks.
void BM_LayoutClockText(benchmark::State& state) {
    kalvoro::LEDFontNum led;
    led.SetOffSetX(6);
    led.SetOffSetY(2);
    led.SetWordWidth(15);
    led.SetWordHeight(19);
    led.SetSpace(3);
    led.SetDrawDarkColor(state.range(0) != 0);
    led.SetDarkColor(0x373737);
    const std::array<const char*, 2> texts = {"12:34:56", "23:59:58"};
    std::array<kalvoro::LedFill, 6 * kalvoro::LEDFontNum::kMaxFillsPerCell> storage;
    std::size_t tick = 0;
    for (auto _ : state) {
        led.SetText(texts[++tick % texts.size()]);
        benchmark::DoNotOptimize(led.Layout(storage));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LayoutClockText)->Arg(0)->Arg(1)->ArgName("dark");

}  // namespace
