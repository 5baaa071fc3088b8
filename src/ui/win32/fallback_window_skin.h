#pragma once
// The dialog frame's own look for when no window skin is loaded: a light face under a blue caption
// band, a thin border with rounded corners and a close button. Drawn in the window skin's layout so
// the same frame painter handles both.

#include "skin/window_skin.h"

namespace kalvoro {

inline constexpr int kFallbackFrameWidth = 100;
inline constexpr int kFallbackFrameHeight = 50;
inline constexpr int kFallbackCloseWidth = 29;
inline constexpr int kFallbackCloseHeight = 19;

// Colours as COLORREF (0x00BBGGRR).
inline constexpr std::uint32_t kFallbackFaceColour = 0xF9F6F4;
inline constexpr std::uint32_t kFallbackCaptionColour = 0xFFFFFF;

WindowSkin FallbackWindowSkin();

}  // namespace kalvoro
