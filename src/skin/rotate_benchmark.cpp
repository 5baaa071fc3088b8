// The clock turns three hands a second: one rotation of a 163 x 163 hand must stay under 100 us
// and a whole second's update (three hands and the composition) under 1 ms.

#include <benchmark/benchmark.h>

#include "skin/clock_face.h"
#include "skin/rotate_image.h"

namespace kalvoro {
namespace {

SkinImage Hand(int width, int height) {
    SkinImage hand = SkinImage::Filled(width, height, 0xFFFFFF);
    for (int y = 0; y < height / 2; ++y) {
        for (int x = width / 2 - 2; x <= width / 2 + 2; ++x) hand.At(x, y) = 0x101010 + static_cast<std::uint32_t>(y);
    }
    return hand;
}

// A 163 x 163 picture (its square is 233 pixels) and a 9 x 161 hand (its square is 163).
void BM_RotateHand(benchmark::State& state) {
    TRotateImage hand;
    hand.SetCenter(true);
    hand.SetTransparent(true);
    hand.SetPicture(Hand(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    int second = 0;
    for (auto _ : state) {
        second = (second + 1) % 60;
        hand.SetAngle(-6 * second - 3);  // never a whole turn: always a real rotation
        benchmark::DoNotOptimize(hand.Rotated().pixels.data());
    }
}
BENCHMARK(BM_RotateHand)->Args({163, 163})->Args({9, 161})->Unit(benchmark::kMicrosecond);

void BM_RotateBitmapNew163(benchmark::State& state) {
    const SkinImage picture = Hand(163, 163);
    int second = 0;
    for (auto _ : state) {
        second = (second + 1) % 60;
        benchmark::DoNotOptimize(RotateBitmap(picture, 0xFFFFFF, -6 * second - 3));
    }
}
BENCHMARK(BM_RotateBitmapNew163)->Unit(benchmark::kMicrosecond);

ClockSkin ShippedSizedSkin() {
    ClockSkin skin;
    skin.face = SkinImage::Filled(201, 201, 0x808080);
    skin.hour_hand = Hand(9, 101);
    skin.minute_hand = Hand(7, 157);
    skin.second_hand = Hand(9, 177);
    skin.center_cap = SkinImage::Filled(13, 13, 0);
    return skin;
}

// The worst second: all three hands turn (on the hour) and the surface is composed.
void BM_ClockSecondAllHandsTurn(benchmark::State& state) {
    ClockFace face;
    face.LoadSkin(ShippedSizedSkin());
    SkinImage surface = SkinImage::Filled(201, 201, 0);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 60;
        face.SetAngles({-6 * step - 360, -6 * step, -6 * ((step + 30) % 60)});
        face.Compose(PixelRows::Of(surface));
        benchmark::DoNotOptimize(surface.pixels.data());
    }
}
BENCHMARK(BM_ClockSecondAllHandsTurn)->Unit(benchmark::kMicrosecond);

// The usual second: only the second hand turns.
void BM_ClockSecondTick(benchmark::State& state) {
    ClockFace face;
    face.LoadSkin(ShippedSizedSkin());
    SkinImage surface = SkinImage::Filled(201, 201, 0);
    const DateTime day = EncodeDate(2026, 12, 10);
    int second = 0;
    for (auto _ : state) {
        second = (second + 1) % 60;
        face.UpdateHands(day + EncodeTime(10, 8, second));
        face.Compose(PixelRows::Of(surface));
        benchmark::DoNotOptimize(surface.pixels.data());
    }
}
BENCHMARK(BM_ClockSecondTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvoro
