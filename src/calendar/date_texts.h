#pragma once
// The date texts the calendar window supplies to the bar's date line, hints and tray balloon.

#include <string>

#include "base/date_time.h"
#include "calendar/festival_list.h"

namespace kalvoro {

// Lunar year, month and day names, a blank, and the solar term when the date is a whole term day
// (so the text may end in a blank): "二零零七年腊月廿八 立春". A date without a lunar date gives
// only the blank and the term.
std::string GetLunarText(DateTime date);
// "戊子(鼠)年甲寅月丙子日"; the time of day takes part in the year's change at 立春. Empty for
// dates before 1900-01-01.
std::string GetGanZhiText(DateTime date);
// The solar term of the date's whole day, or empty.
std::string GetTermText(DateTime date);
// The festivals of the date's whole day joined by blanks, or empty.
std::string GetFtvText(const TFestivalList& festivals, DateTime date);

}  // namespace kalvoro
