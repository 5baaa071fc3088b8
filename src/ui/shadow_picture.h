#pragma once
// The drop shadow's picture: a soft halo around the window's shape, as premultiplied 32-bit BGRA for
// a layered window placed kShadowMargin pixels up and left of the window.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"

namespace kalvoro {

inline constexpr int kShadowMargin = 16;
// Larger windows get no shadow rather than a picture of gigabytes.
inline constexpr int kShadowMaxWindowSide = 8192;

struct ShapeMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> opaque;  // rows top-down; 1 where the window shows, 0 where it is see-through
};

// From the window's client pixels as a top-down 32-bit DIB (0x..RRGGBB; the top byte is ignored):
// pixels of keyColour are see-through. Pixels missing from a short buffer count as opaque.
ShapeMask MakeColourKeyMask(std::span<const std::uint32_t> pixels, int width, int height, Colour keyColour);

struct ShadowSource {
    Size window;                               // the whole window
    std::vector<Rect> complexRegion;           // the window region's rectangles, in window coordinates, when
                                               // GetWindowRgn reports a complex region; else empty
    Size border;                               // the window's border width and height; zero for borderless windows
    const ShapeMask* colourKeyMask = nullptr;  // when the window uses a transparent colour
    Point clientOrigin;                        // client area's top-left relative to the window's
    std::optional<std::uint8_t> windowAlpha;   // when the window blends
    Colour shadowColour = 0;
};

struct ShadowPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // premultiplied 0xAARRGGBB, rows top-down; empty: no shadow
    std::uint8_t constantAlpha = 255;   // for the blend function of UpdateLayeredWindow

    std::uint8_t AlphaAt(int x, int y) const {
        const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x;
        return static_cast<std::uint8_t>(pixels[index] >> 24);
    }
};

// The picture is kShadowMargin larger than the window on each side; the window's own area stays clear.
ShadowPicture BuildShadowPicture(const ShadowSource& source);

}  // namespace kalvoro
