// Steady-state paints must not allocate: counted here by replacing the global allocation
// functions for this test program.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "led/win32/dib_canvas.h"
#include "led/win32/fade_text_renderer.h"
#include "led/win32/led_control.h"

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

namespace kalvoro::win {
namespace {

TEST(PaintAllocation, LedTickAllocatesNothingOnceSized) {
    DibCanvas canvas(130, 30);
    LedControl led;
    led.SetDrawDarkColor(true);
    led.SetText("00:00:00");
    led.Paint(canvas.dc(), 0, 0);

    const long before = allocations.load();
    const char* const texts[] = {"23:59:59", "00:00:00", "12:34:56"};
    for (int second = 0; second < 300; ++second) {
        if (led.SetText(texts[second % 3])) led.Paint(canvas.dc(), 0, 0);
    }
    EXPECT_EQ(allocations.load(), before);
}

TEST(PaintAllocation, FadeFramesOfOneLineAllocateNothing) {
    DibCanvas canvas(FadeTextRenderer::kDefaultWidth, FadeTextRenderer::kDefaultHeight);
    FadeTextRenderer renderer;
    FadeText text;
    text.AddLine("<FontCN>2024年05月06日 星期一");
    text.SetActive(true);  // fades the line in
    text.Advance(FadeText::kFadeFrameMs);
    renderer.Paint(canvas.dc(), 0, 0, text);  // renders the line once

    const long before = allocations.load();
    for (int frame = 0; frame < 10; ++frame) {
        text.Advance(FadeText::kFadeFrameMs);
        renderer.Paint(canvas.dc(), 0, 0, text);
    }
    EXPECT_EQ(allocations.load(), before);
}

}  // namespace
}  // namespace kalvoro::win
