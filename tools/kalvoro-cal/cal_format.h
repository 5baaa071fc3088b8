#pragma once
// What kalvoro-cal prints: month grids, the bar's hint lines for a date, and JSON records.

#include <string>
#include <string_view>

#include "base/date_time.h"
#include "cal_options.h"
#include "calendar/festival_list.h"

namespace kalvoro::cal {

// A Sunday-first month grid: per week a line of day numbers and a line of lunar cell texts. The
// highlighted day (0 for none) is wrapped in reverse-video escapes.
std::string FormatMonthGrid(int year, int month, int highlighted_day);

// "公历: ", "农历: ", "干支: " lines, then "节气: " and "节日: " when the date has them.
std::string FormatHintLines(DateTime date, const TFestivalList& window_festivals);

// One JSON object on one line (no line end).
std::string FormatJsonRecord(const GivenDate& date, const TFestivalList& default_festivals,
                             const TFestivalList& window_festivals);

std::string JsonEscape(std::string_view text);

// Terminal columns of UTF-8 text: a non-ASCII character takes two.
std::size_t DisplayWidth(std::string_view text);

}  // namespace kalvoro::cal
