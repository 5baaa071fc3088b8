#pragma once
// A decoded skin picture. Rows run top-down; each pixel is 0x00RRGGBB, the layout of a 32-bit
// top-down DIB section, so the Win32 side copies the rows as they are. Colours written in skin
// descriptions are COLORREF values (0x00BBGGRR); convert with ColorRefToPixel/PixelToColorRef.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalvoro {

// Magenta is the same in both layouts; windows and button glyphs show the desktop through it.
inline constexpr std::uint32_t kSeeThroughPixel = 0xFF00FF;

struct SkinImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height, row after row from the top

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }

    static SkinImage Filled(int width, int height, std::uint32_t pixel);
    friend bool operator==(const SkinImage&, const SkinImage&) = default;
};

constexpr std::uint32_t ColorRefToPixel(std::uint32_t color_ref) {
    return ((color_ref & 0xFF) << 16) | (color_ref & 0xFF00) | ((color_ref >> 16) & 0xFF);
}
constexpr std::uint32_t PixelToColorRef(std::uint32_t pixel) {
    return ColorRefToPixel(pixel);
}

}  // namespace kalvoro
