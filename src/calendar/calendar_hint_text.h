#pragma once
// The texts of the calendar's hint window and how the window lays them out: a red label column
// ("公元:") and the texts beside it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"
#include "calendar/calendar_control_types.h"
#include "calendar/festival_list.h"

namespace kalvoro {

inline constexpr std::string_view kPrevYearHint = "上一年";
inline constexpr std::string_view kPrevMonthHint = "上一月";
inline constexpr std::string_view kNextMonthHint = "下一月";
inline constexpr std::string_view kNextYearHint = "下一年";

// Three lines joined by line feeds, "公元= ...", "农历= ..." and "干支= ...", and a fourth
// "节日= ..." when the day has festivals. A date the engine has no lunar date or stem-branch
// record for gets those lines with nothing after "= ".
std::string CalendarHintText(DateTime date, const TFestivalList& festivals, bool use_iso8601, const DateLocale& locale);

inline constexpr int kHintMargin = 5;
inline constexpr Colour kHintLabelColor = kClRed;

struct HintLine {
    std::string label;  // "公元:"; empty for a line without "="
    std::string text;
};

struct HintLayout {
    std::vector<HintLine> lines;
    int label_width = 0;  // of the widest label
    int line_height = 0;  // of "H"
    int width = 0;        // of the window
    int height = 0;
    bool visible = false;  // false when there is nothing to show

    int LabelX() const { return kHintMargin; }
    int TextX() const { return kHintMargin + label_width; }
    int LineY(int line) const { return kHintMargin + line * line_height; }
};

using HintMeasure = std::function<CalSize(std::string_view)>;

// Splits the text into lines at carriage returns and line feeds (a run of them is one break). When
// the text holds "=", each line with one is split at its first "=": the trimmed part before it plus
// ":" is the label, the rest the text. The window is as wide as the label column plus the widest
// text, and as high as the lines, with a margin of 5 all round.
HintLayout LayoutHintText(std::string_view text, const HintMeasure& measure);

}  // namespace kalvoro
