// The hands turn once a second all day: once every hand has been turned, an update and a
// composition must not touch the heap.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "skin/clock_face.h"

namespace {
std::atomic<long> g_allocations{0};
}

// These replace the global pair; GCC cannot see that free() here matches the malloc() above.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
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

SkinImage Hand(int width, int height) {
    SkinImage hand = SkinImage::Filled(width, height, 0xFFFFFF);
    for (int y = 0; y < height / 2; ++y) hand.At(width / 2, y) = 0x101010;
    return hand;
}

TEST(ClockFaceAllocationTest, TicksAllocateNothing) {
    ClockSkin skin;
    skin.face = SkinImage::Filled(201, 201, 0x808080);
    skin.hour_hand = Hand(9, 101);
    skin.minute_hand = Hand(7, 157);
    skin.second_hand = Hand(9, 177);
    skin.center_cap = SkinImage::Filled(13, 13, 0);
    ClockFace face;
    face.LoadSkin(skin);
    SkinImage surface = SkinImage::Filled(201, 201, 0);
    const DateTime day = EncodeDate(2026, 12, 10);
    face.UpdateHands(day + EncodeTime(10, 0, 0));
    face.Compose(PixelRows::Of(surface));

    const long before = g_allocations.load();
    for (int second = 1; second < 3 * 3600; ++second) {
        if (face.UpdateHands(day + EncodeTime(10, 0, 0) + second / 86400.0)) face.Compose(PixelRows::Of(surface));
    }
    EXPECT_EQ(g_allocations.load() - before, 0);
}

}  // namespace
}  // namespace kalvoro
