#pragma once
// Fading a window out before it hides: its alpha drops by 30 every 30 ms while above 30.

#include <cstdint>
#include <vector>

namespace kalvoro {

inline constexpr int kFadeOutStep = 30;
inline constexpr int kFadeOutStepMilliseconds = 30;

// The alpha values to set one after another; none for 30 or less. Values beyond 255 count as 255.
std::vector<std::uint8_t> FadeOutSteps(int alpha);

}  // namespace kalvoro
