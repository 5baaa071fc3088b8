#pragma once
// Reading the bar's LED time back from a capture of the bar, at any display scale.

#include <windows.h>

#include <string>

#include "base/display_scale.h"
#include "e2e/pixels.h"

namespace kalvoro::e2e {

inline constexpr COLORREF kBuiltInLight = RGB(57, 211, 83);

// Captures the bar while the clock stays within one second, so we know the time it shows.
bool CaptureKnownTime(HWND bar, Pixels& shot, std::string& shown);

struct LedReading {
    int lit_checked = 0;
    int dark_checked = 0;
    std::string mismatches;  // one line per segment that is not as the time says
};

// Every segment of every cell of the bar's LED at the given scale: lit ones carry the light
// colour inside, unlit ones do not.
LedReading ReadLed(const Pixels& shot, const std::string& shown, const DisplayScale& scale,
                   COLORREF light = kBuiltInLight);

// The same for a capture taken during the second `shown`: on a loaded machine the bar's tick may
// not have painted that second yet, so the LED must show exactly that time or the second before.
LedReading ReadLedOfSecond(const Pixels& shot, const std::string& shown, const DisplayScale& scale,
                           COLORREF light = kBuiltInLight);

}  // namespace kalvoro::e2e
