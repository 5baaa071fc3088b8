#include "led/led_geometry.h"

namespace kalvoro {
namespace {

// Rows 0-9 are the digits, then "-", "." and ":".
constexpr std::array<std::string_view, 13> kSegmentTable = {
    "012345", "12", "01643", "01623", "5612", "05623", "054326", "012", "0123456", "650123", "6", "7", "89",
};

// Four distinct corners; the remaining two vertices repeat the one named by `repeat`.
LedPolygon Quad(LedPoint a, LedPoint b, LedPoint c, LedPoint d, LedPoint repeat) {
    return {a, b, c, d, repeat, repeat};
}

}  // namespace

LedCellPolygons ComputeCellPolygons(int x0, int y0, const LedCellMetrics& metrics) {
    const int w = metrics.word_width;
    const int h = metrics.word_height;
    const int t = metrics.thick;
    const int m1 = (h - 1) / 2;
    const int m2 = (h + 1) / 2;
    const int q = (h + 1) / 4;
    const int l = (y0 + h + 1) / 2 + (t - 1) / 2 + q;

    LedCellPolygons p;
    p[kSegmentTop] = Quad({x0 + 2, y0}, {x0 + t + 1, y0 + t - 1}, {x0 + w - 2 * t - 2, y0 + t - 1},
                          {x0 + w - t - 3, y0}, {x0 + w - t - 3, y0});
    p[kSegmentUpperRight] = Quad({x0 + w - t - 1, y0 + 1}, {x0 + w - 2 * t, y0 + t}, {x0 + w - 2 * t, y0 + m1 - t},
                                 {x0 + w - t - 1, y0 + m1 - 1}, {x0 + w - t - 1, y0 + m1 - 1});
    p[kSegmentLowerRight] =
        Quad({x0 + w - t - 1, y0 + m1 + 1}, {x0 + w - 2 * t, y0 + m1 + t}, {x0 + w - 2 * t, y0 + h - t - 1},
             {x0 + w - t - 1, y0 + h - 2}, {x0 + w - t - 1, y0 + h - 2});
    p[kSegmentBottom] = Quad({x0 + w - t - 3, y0 + h - 1}, {x0 + w - 2 * t - 2, y0 + h - t}, {x0 + t + 1, y0 + h - t},
                             {x0 + 2, y0 + h - 1}, {x0 + 2, y0 + h - 1});
    p[kSegmentLowerLeft] = Quad({x0, y0 + h - 2}, {x0 + t - 1, y0 + h - t - 1}, {x0 + t - 1, y0 + m1 + t},
                                {x0, y0 + m1 + 1}, {x0, y0 + m1 + 1});
    p[kSegmentUpperLeft] =
        Quad({x0, y0 + m1 - 1}, {x0 + t - 1, y0 + m1 - t}, {x0 + t - 1, y0 + t}, {x0, y0 + 1}, {x0, y0 + 1});

    LedPolygon middle = {{{x0 + t, y0 + m2 - t + 1},
                          {x0 + 2, y0 + m2 - 1},
                          {x0 + t, y0 + m2 + t - 3},
                          {x0 + w - 2 * t - 1, y0 + m2 + t - 3},
                          {x0 + w - t - 3, y0 + m2 - 1},
                          {x0 + w - 2 * t - 1, y0 + m2 - t + 1}}};
    if (t == 1) {
        // A one-pixel bar would otherwise collapse its ends onto the centre line.
        middle[0].x += 1, middle[0].y -= 1;
        middle[2].x += 1, middle[2].y += 1;
        middle[3].x -= 1, middle[3].y += 1;
        middle[5].x -= 1, middle[5].y -= 1;
    }
    p[kSegmentMiddle] = middle;

    p[kPolygonPoint] = Quad({x0 + w - t + 1, y0 + h - t}, {x0 + w - t + 1, y0 + h}, {x0 + w + 1, y0 + h},
                            {x0 + w + 1, y0 + h - t}, {x0 + w - t + 1, y0 + h - t});
    p[kPolygonColonUpper] = Quad({x0 + w - t + 1, y0 + q - 1}, {x0 + w + 1, y0 + q - 1}, {x0 + w + 1, y0 + q + t - 1},
                                 {x0 + w - t + 1, y0 + q + t - 1}, {x0 + w - t + 1, y0 + q + t - 1});
    p[kPolygonColonLower] =
        Quad({x0 + w - t + 1, l - t}, {x0 + w + 1, l - t}, {x0 + w + 1, l}, {x0 + w - t + 1, l}, {x0 + w - t + 1, l});
    return p;
}

std::string_view LitPolygonsOf(char character) {
    if (character >= '0' && character <= '9') return kSegmentTable[static_cast<std::size_t>(character - '0')];
    switch (character) {
        case '-':
            return kSegmentTable[10];
        case '.':
            return kSegmentTable[11];
        case ':':
            return kSegmentTable[12];
        default:
            return {};
    }
}

}  // namespace kalvoro
