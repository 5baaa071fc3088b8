#pragma once
// The geometry of one seven-segment cell in integer pixels. The look of the clock rests on these
// exact vertices, so they are computed here once and shared by the layout and the tests.

#include <array>
#include <string_view>

namespace kalvoro {

struct LedPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const LedPoint&, const LedPoint&) = default;
};

// Six vertices, closed, as GDI's Polygon draws them.
using LedPolygon = std::array<LedPoint, 6>;

enum LedPolygonIndex : int {
    kSegmentTop = 0,
    kSegmentUpperRight = 1,
    kSegmentLowerRight = 2,
    kSegmentBottom = 3,
    kSegmentLowerLeft = 4,
    kSegmentUpperLeft = 5,
    kSegmentMiddle = 6,
    kPolygonPoint = 7,
    kPolygonColonUpper = 8,
    kPolygonColonLower = 9,
};
inline constexpr int kLedPolygonCount = 10;

using LedCellPolygons = std::array<LedPolygon, kLedPolygonCount>;

struct LedCellMetrics {
    int word_width = 17;   // W
    int word_height = 29;  // H
    int thick = 3;         // T
};

LedCellPolygons ComputeCellPolygons(int x0, int y0, const LedCellMetrics& metrics);

// The polygons a character lights, in drawing order, as digits "0".."9" of polygon numbers:
// a digit, "-" (middle segment), "." (point) and ":" (colon dots). Empty for any other character.
std::string_view LitPolygonsOf(char character);

}  // namespace kalvoro
