// The once-a-second paint must not allocate once its storage is sized: counted here by replacing
// the global allocation functions for this test program.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "led/led_font_num.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// GCC sees free() meet memory from operator new once these are inlined; here they pair by design.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
#pragma GCC diagnostic pop

namespace kalvoro {
namespace {

TEST(LedAllocation, ClockTickAllocatesNothingOnceSized) {
    LEDFontNum led;
    led.SetDrawDarkColor(true);
    led.SetText("00:00:00");
    LedDrawList list;
    list.Build(led);

    const long before = allocations.load();
    const char* const texts[] = {"23:59:59", "00:00:00", "12:34:56"};
    std::size_t fills = 0;
    for (int second = 0; second < 1000; ++second) {
        led.SetText(texts[second % 3]);
        fills += list.Build(led).size();
    }
    EXPECT_EQ(allocations.load(), before);
    EXPECT_GT(fills, 0u);
}

}  // namespace
}  // namespace kalvoro
