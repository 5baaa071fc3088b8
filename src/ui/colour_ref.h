#pragma once

#include <cstdint>

namespace kalvoro {

// A colour as 0x00BBGGRR, red in the low byte.
using ColourRef = std::uint32_t;

// Pixels of this colour are see-through in skinned windows.
inline constexpr ColourRef kColourKeyMagenta = 0xFF00FF;

constexpr std::uint8_t RedOf(ColourRef c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GreenOf(ColourRef c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t BlueOf(ColourRef c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

}  // namespace kalvoro
