#include "calendar/win32/mark_picture.h"

#include <cstddef>
#include <cstdlib>

namespace kalvoro::win {
namespace {

constexpr std::uint32_t kSeeThrough = 0xFF00FF;
constexpr std::uint32_t kRibbon = 0xE02020;
constexpr std::uint32_t kRibbonEdge = 0xA01010;
constexpr int kRibbonLeft = 0;
constexpr int kRibbonRight = 6;
constexpr int kRibbonTop = 1;
constexpr int kRibbonBottom = 12;

}  // namespace

Bitmap MakeMarkPicture() {
    DibSection picture(kMarkPictureSize, kMarkPictureSize);
    if (!picture) return Bitmap();
    const auto at = [&](int x, int y) -> std::uint32_t& {
        return picture.pixels()[static_cast<std::size_t>(y) * kMarkPictureSize + static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < kMarkPictureSize; ++y) {
        for (int x = 0; x < kMarkPictureSize; ++x) at(x, y) = kSeeThrough;
    }
    // A ribbon with a notch cut into its lower end.
    const int middle = (kRibbonLeft + kRibbonRight) / 2;
    for (int y = kRibbonTop; y <= kRibbonBottom; ++y) {
        for (int x = kRibbonLeft; x <= kRibbonRight; ++x) {
            const int notch = kRibbonBottom - y;  // rows above the lowest one
            if (notch < 2 && std::abs(x - middle) <= 1 - notch) continue;
            const bool edge = x == kRibbonLeft || x == kRibbonRight || y == kRibbonTop;
            at(x, y) = edge ? kRibbonEdge : kRibbon;
        }
    }
    return Bitmap(picture.Release());
}

}  // namespace kalvoro::win
