#pragma once
// Decodes a Windows BMP file held in memory: "BM" file header, then a core (12-byte) or info
// (40-byte and later) header; 1, 2, 4 and 8 bits with a palette, 16 bits (5-5-5 or bit fields),
// 24 bits, 32 bits (the fourth byte ignored, or bit fields); rows bottom-up or top-down; RLE8 and
// RLE4 run-length pictures. Embedded JPEG or PNG is refused. Any byte sequence gives either a
// picture or nothing.

#include <optional>
#include <string_view>

#include "skin/skin_image.h"

namespace kalvoro {

// Bigger pictures are refused; a skin bitmap is far smaller.
inline constexpr int kMaxBmpSide = 16384;
inline constexpr long long kMaxBmpPixels = 16LL * 1024 * 1024;

std::optional<SkinImage> DecodeBmp(std::string_view file_bytes);

}  // namespace kalvoro
