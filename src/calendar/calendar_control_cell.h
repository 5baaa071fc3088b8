#pragma once
// What one day cell and one weekday heading of the month grid show, as data the painter draws.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/date_time.h"
#include "calendar/calendar_control_types.h"
#include "calendar/festival_list.h"

namespace kalvoro {

inline constexpr Colour kSelectionFrameColor = 16744448;
inline constexpr int kSelectionFrameWidth = 2;
inline constexpr Colour kTodayColor = 32768;  // green
inline constexpr std::string_view kTodayText = "今天";
inline constexpr std::string_view kEllipsis = "…";

enum class CellTextPlacement {
    Centered,     // both ways (the day number)
    TopCentered,  // centred horizontally at the top (text below the day number)
    LeftMiddle,   // left-aligned, centred vertically (text right of the day number)
    Vertical,     // one character per line, at most three, from a third of the height up
};

enum class CellFontRole { Day, Lunar, Festival };

struct CellText {
    std::string text;  // empty: nothing is drawn
    Colour color = 0;
    Rect rect;  // client co-ordinates
    CellTextPlacement placement = CellTextPlacement::Centered;
    CellFontRole font = CellFontRole::Day;
    bool shadow = false;
};

struct CalendarCell {
    int index = 0;
    DateTime date = 0;
    Rect rect;
    bool in_month = false;
    bool selected = false;
    bool today = false;
    std::int32_t mark_color = kNoColor;
    CellText day;
    CellText lunar;
    CellText festival;
};

struct WeekHeading {
    std::string text;
    Colour color = 0;
    Rect rect;
};

// A festival text longer than longest_bytes GBK bytes is cut to longest_bytes - 2 bytes, never
// inside a character, and "…" is appended.
std::string CutFestivalText(std::string_view text, int longest_bytes);

// The lunar text of a cell: the solar term, else with chinese_ear the day's stem-branch name, else
// the lunar month name on the first of a lunar month and the lunar day name on other days; empty
// where the engine has nothing for the date.
struct LunarCellText {
    std::string text;
    bool is_term = false;
};
LunarCellText MakeLunarCellText(DateTime date, bool chinese_ear);

}  // namespace kalvoro
