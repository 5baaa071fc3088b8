#include "ui/fade_out.h"

#include <algorithm>

namespace kalvoro {

std::vector<std::uint8_t> FadeOutSteps(int alpha) {
    std::vector<std::uint8_t> steps;
    for (int value = std::min(alpha, 255); value > kFadeOutStep;) {
        value -= kFadeOutStep;
        steps.push_back(static_cast<std::uint8_t>(value));
    }
    return steps;
}

}  // namespace kalvoro
