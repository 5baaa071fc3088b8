#pragma once
// Skin pictures for a display that is not at 96 DPI: scaled once per resolution and kept, never
// per paint. Each new pixel is the area-weighted mean of the old pixels it covers, which is a plain
// pixel doubling at exactly 200 %. Which pixels are see-through is decided on the unscaled picture
// (by the old pixel under the new pixel's centre), and see-through pixels never mix into a visible
// one, so no pink fringe appears along a keyed edge.

#include <cstdint>
#include <optional>

#include "skin/skin_image.h"

namespace kalvoro {

// An empty picture for an empty source or a size that is not positive.
SkinImage ScaleSkinImage(const SkinImage& source, int width, int height,
                         std::optional<std::uint32_t> see_through = kSeeThroughPixel);

}  // namespace kalvoro
