#pragma once
// The soft edge of a drop shadow: a single grey channel blurred in place.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalvoro {

struct GreyPlane {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> values;  // rows top-down

    GreyPlane() = default;
    GreyPlane(int w, int h)
        : width(w), height(h), values(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0) {}

    std::uint8_t& At(int x, int y) { return values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x]; }
    std::uint8_t At(int x, int y) const {
        return values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
    }
};

// Every pixel, row by row from the top and left to right, becomes the average of its four diagonal
// neighbours at distance radius (clamped to the plane). Working in place lets rows already blurred
// feed the rows below them, so the halo trails further downwards than upwards.
void BlurShadowPass(GreyPlane& plane, int radius);

// Passes of radius 1, 2 and 3.
void BlurShadow(GreyPlane& plane);

}  // namespace kalvoro
