#include <benchmark/benchmark.h>

#include "ui/shadow_picture.h"

namespace kalvoro {
namespace {

void BM_ShadowOfPlainWindow(benchmark::State& state) {
    const Size window{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    for (auto _ : state) benchmark::DoNotOptimize(BuildShadowPicture({.window = window}));
}
BENCHMARK(BM_ShadowOfPlainWindow)->Args({332, 34})->Args({600, 400})->Args({1920, 1080});

void BM_ShadowOfColourKeyedWindow(benchmark::State& state) {
    const std::vector<std::uint32_t> pixels(600 * 400, 0x336699);
    const ShapeMask mask = MakeColourKeyMask(pixels, 600, 400, kColourKeyMagenta);
    for (auto _ : state) benchmark::DoNotOptimize(BuildShadowPicture({.window = {600, 400}, .colourKeyMask = &mask}));
}
BENCHMARK(BM_ShadowOfColourKeyedWindow);

}  // namespace
}  // namespace kalvoro
