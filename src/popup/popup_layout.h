#pragma once
// Where popups go: in the bottom-right corner of the work area (beside the tray), the oldest
// lowest, each newer one above it.

#include <span>
#include <vector>

#include "base/geometry.h"

namespace kalvoro::popup {

struct StackMetrics {
    int popup_width = 300;
    int margin = 8;  // between the popups and the work area's edges
    int gap = 6;     // between two popups
};

// The rectangles of the leading popups (heights in arrival order) that fit the work area; the
// rest wait. Order is kept: a small popup never overtakes a large one that does not fit. The
// first popup always gets a place, cut to the work area when it is taller, and the width is cut
// likewise; every rectangle is at least one pixel in each direction.
std::vector<Rect> StackUpward(const Rect& work_area, std::span<const int> heights, const StackMetrics& metrics);

}  // namespace kalvoro::popup
