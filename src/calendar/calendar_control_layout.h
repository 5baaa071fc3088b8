#pragma once
// The geometry of the month grid: the weekday row, the six rows of day cells, the three places
// inside a cell, the fitted font sizes, how long a festival text may be, and the four arrow hot
// spots. Text is measured through an interface the window implements and tests fake.

#include <string_view>

#include "base/date_time.h"
#include "calendar/calendar_control_colors.h"
#include "calendar/calendar_control_types.h"

namespace kalvoro {

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    // Pixel extent of the UTF-8 text drawn in the font at font.Size points.
    virtual CalSize MeasureText(const CalFont& font, std::string_view text) = 0;
};

inline constexpr int kMinFittedFontSize = 5;
inline constexpr int kMaxFittedFontSize = 1000;
inline constexpr int kUnfittableFontSize = 4;
// Until a layout has measured it, and whenever the festival text is written top to bottom.
inline constexpr int kDefaultLongestFestivalBytes = 6;

// The largest size from 5 to 1000 at which the text, in the font's face and style, fits width x
// height; 4 when not even size 5 fits. Extents grow with the size, so the search halves.
int FitFontSize(ITextMeasurer& measurer, const CalFont& font, std::string_view text, int width, int height);

struct CalendarLayoutInput {
    int client_width = 0;
    int client_height = 0;
    TLssCalStyle lunar_style = TLssCalStyle::csRight;
    TLssCalStyle festival_style = TLssCalStyle::csBottom;
    double vertical_scale = 4.0;
    double horizon_scale = 2.5;
    bool auto_font_size = true;
    bool show_vertical = false;
    bool show_arrow = true;
    DateTime date = 0;  // the selected date: the fitted texts are its own
};

struct CalendarArrows {
    Rect prev_year;
    Rect prev_month;
    Rect next_month;
    Rect next_year;
};

struct CalendarLayout {
    int cell_width = 0;
    int cell_height = 0;
    Rect title;  // zero height: the control has no title row
    Rect week;
    Rect days;
    // Relative to a cell's top-left corner; the lunar and festival places may be empty or equal.
    Rect day_number;
    Rect lunar;
    Rect festival;
    int longest_festival_bytes = kDefaultLongestFestivalBytes;
    CalendarArrows arrows;  // empty without ShowArrow
};

// The cell geometry alone (steps that need no measuring), for every style combination.
CalendarLayout ComputeCellGeometry(const CalendarLayoutInput& input);

// The whole layout. With auto_font_size the sizes of `fonts` are fitted to the cells; the festival
// length and the arrows are then measured in the (fitted) fonts.
CalendarLayout ComputeCalendarLayout(const CalendarLayoutInput& input, ITextMeasurer& measurer, TLssCalColors& fonts);

}  // namespace kalvoro
