#include "ui/shadow_blur.h"

#include <algorithm>

namespace kalvoro {

void BlurShadowPass(GreyPlane& plane, int radius) {
    if (radius <= 0 || plane.width <= 0 || plane.height <= 0) return;
    if (plane.values.size() != static_cast<std::size_t>(plane.width) * static_cast<std::size_t>(plane.height)) return;
    const int last_x = plane.width - 1;
    const int last_y = plane.height - 1;
    for (int y = 0; y <= last_y; ++y) {
        const int above = std::max(y - radius, 0);
        const int below = std::min(y + radius, last_y);
        for (int x = 0; x <= last_x; ++x) {
            const int left = std::max(x - radius, 0);
            const int right = std::min(x + radius, last_x);
            const int sum =
                plane.At(left, above) + plane.At(right, above) + plane.At(left, below) + plane.At(right, below);
            plane.At(x, y) = static_cast<std::uint8_t>(sum / 4);
        }
    }
}

void BlurShadow(GreyPlane& plane) {
    for (int radius = 1; radius <= 3; ++radius) BlurShadowPass(plane, radius);
}

}  // namespace kalvoro
