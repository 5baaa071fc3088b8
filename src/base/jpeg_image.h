#pragma once
// JPEG pictures decoded into plain RGB pixels, for the pictures shipped with the program.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kalvoro {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // top-down rows, 3 bytes per pixel (red, green, blue), no padding
};

inline constexpr int kMaxJpegSide = 16384;

// Grayscale, colour and CMYK pictures; nothing for bytes that are not a complete JPEG picture or
// for a side longer than kMaxJpegSide.
std::optional<RgbImage> DecodeJpeg(std::string_view bytes);

}  // namespace kalvoro
