#pragma once
// What a clock skin package gives the analog clock window (LoadClockSkin applies it). Hands are
// drawn pointing at 12 and turn about their picture's centre.

#include <optional>
#include <string_view>

#include "base/display_scale.h"
#include "skin/skin_image.h"

namespace kalvoro {

struct ClockSkin {
    SkinImage face;  // ImageBk; the window's client area takes its size
    SkinImage hour_hand;
    SkinImage minute_hand;
    SkinImage second_hand;
    SkinImage center_cap;         // ImageC
    std::optional<int> center_x;  // CLOCK CenterX as written
    std::optional<int> center_y;

    // The hands' pivot in the window: the written centre, else the middle of the face (integer
    // halves, rounded down).
    int PivotX() const { return center_x.value_or(face.width / 2); }
    int PivotY() const { return center_y.value_or(face.height / 2); }
};

// The skin for a display at another resolution: every picture scaled (see-through kept exact, see
// skin/scale_image.h) and a written centre scaled with them. The hands then turn exactly as at
// 100 %, about the scaled pivot.
ClockSkin ScaledClockSkin(const ClockSkin& skin, const DisplayScale& scale);

// Nothing means change nothing: damaged package, "ClockVer" not "1.0", or a piece that cannot be cut.
std::optional<ClockSkin> LoadClockSkinData(std::string_view package_bytes);

}  // namespace kalvoro
