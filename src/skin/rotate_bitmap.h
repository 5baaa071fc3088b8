#pragma once
// Turning a picture about its centre on whole 32-bit pixels with 16.16 fixed-point steps and
// nearest-neighbour sampling. The arithmetic is fixed to the last bit: sine and cosine in extended
// precision truncated toward zero, a destination box from the truncated products, one-pixel pivot
// corrections at 0, 90 and -90 degrees, and rows counted from the bottom, so a hand turned to an
// angle always lands on the same pixels.

#include <cstdint>

#include "skin/skin_image.h"

namespace kalvoro {

// The angle brought into [-180, 180] by whole turns; a value that is not finite counts as 0.
long double NormalizedAngle(long double degrees);

struct RotationGeometry {
    long double angle = 0;  // normalised
    int sine = 0;           // S = trunc(sin(r) * 65536), r = -angle * pi / 180
    int cosine = 65536;     // C = trunc(cos(r) * 65536)
    int width = 0;          // DW
    int height = 0;         // DH
    int pivot_x = 0;        // xs
    int pivot_y = 0;        // ys
};

RotationGeometry RotationFor(int source_width, int source_height, long double degrees);

// A view of 32-bit pixel rows from the top, in an image or a DIB section.
struct PixelRows {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels from one row to the next

    static PixelRows Of(SkinImage& image) { return {image.pixels.data(), image.width, image.height, image.width}; }
    std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

// Writes the geometry's DW x DH box with its top-left corner at (left, top) of the target: every
// box pixel either gets its source pixel or the background. Parts of the box outside the target
// are left out. No allocation.
void RotateOnto(const SkinImage& source, std::uint32_t background, const RotationGeometry& geometry, PixelRows target,
                int left, int top);

// The rotation as a new picture of DW x DH (a source without pixels gives an empty picture).
SkinImage RotateBitmap(const SkinImage& source, std::uint32_t background, long double degrees);

}  // namespace kalvoro
