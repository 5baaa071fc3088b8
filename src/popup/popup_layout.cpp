#include "popup/popup_layout.h"

#include <algorithm>

namespace kalvoro::popup {

std::vector<Rect> StackUpward(const Rect& work_area, std::span<const int> heights, const StackMetrics& metrics) {
    std::vector<Rect> placed;
    const int margin = std::max(0, metrics.margin);
    const int gap = std::max(0, metrics.gap);
    const int right = work_area.right - margin;
    const int lowest_top = work_area.top + margin;
    const int width = std::clamp(metrics.popup_width, 1, std::max(1, work_area.Width() - 2 * margin));
    const int available = std::max(1, work_area.Height() - 2 * margin);

    int bottom = work_area.bottom - margin;
    for (const int wanted : heights) {
        const int height = std::clamp(wanted, 1, available);
        if (!placed.empty() && bottom - height < lowest_top) break;
        placed.push_back({right - width, bottom - height, right, bottom});
        bottom -= height + gap;
    }
    return placed;
}

}  // namespace kalvoro::popup
