#pragma once
// Every size and position of the program's windows is designed at 96 pixels per inch. A window on
// a display at another resolution multiplies its design values by that display's scale, rounding
// half away from zero as MulDiv does. What is stored (window places in "skin.ini") stays in screen
// pixels; skin packages stay in design pixels.

#include <algorithm>

#include "base/geometry.h"

namespace kalvoro {

inline constexpr int kDesignDpi = 96;
inline constexpr int kMinimumDpi = 48;
inline constexpr int kMaximumDpi = 960;

// value * numerator / denominator, rounded half away from zero; denominator > 0.
constexpr int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

struct DisplayScale {
    int dpi = kDesignDpi;

    // A resolution the system reported; nonsense (0, negative, absurd) counts as the design's.
    static constexpr DisplayScale ForDpi(int reported) {
        if (reported <= 0) return {};
        return {std::clamp(reported, kMinimumDpi, kMaximumDpi)};
    }

    constexpr bool IsDesign() const { return dpi == kDesignDpi; }
    constexpr int Percent() const { return MulDivRounded(dpi, 100, kDesignDpi); }

    constexpr int Px(int design) const { return MulDivRounded(design, dpi, kDesignDpi); }
    constexpr Point Px(Point p) const { return {Px(p.x), Px(p.y)}; }
    constexpr Size Px(Size s) const { return {Px(s.width), Px(s.height)}; }
    // Each edge on its own, so rectangles that touch at 96 DPI still touch when scaled.
    constexpr Rect Px(const Rect& r) const { return {Px(r.left), Px(r.top), Px(r.right), Px(r.bottom)}; }

    // Screen pixels back to design pixels (a mouse position against a design rectangle).
    constexpr int Design(int pixels) const { return MulDivRounded(pixels, kDesignDpi, dpi); }

    // The character height CreateFont takes (negative) for a size in points at this resolution.
    constexpr int FontHeight(int points) const { return -MulDivRounded(points, dpi, 72); }

    friend constexpr bool operator==(const DisplayScale&, const DisplayScale&) = default;
};

}  // namespace kalvoro
