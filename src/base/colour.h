#pragma once
// The one colour type: 0x00BBGGRR (red in the low byte). A high byte of 0xFF names a system colour
// (the window face, the highlight ...) by the index in the low byte; win32/colour.h resolves a
// colour for GDI.

#include <cstdint>

namespace kalvoro {

using Colour = std::uint32_t;

// Pixels of this colour are see-through in skinned windows.
inline constexpr Colour kColourKeyMagenta = 0xFF00FF;

constexpr bool IsSystemColour(Colour colour) {
    return (colour >> 24) == 0xFF;
}

constexpr std::uint8_t RedOf(Colour c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GreenOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t BlueOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

}  // namespace kalvoro
