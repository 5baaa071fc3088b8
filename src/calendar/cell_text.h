#pragma once
// The lunar text a month-grid cell shows under its day number.

#include <string>

#include "base/date_time.h"

namespace kalvoro {

// The solar term of the whole date; otherwise, with chinese_ear, the day's stem-branch name (empty
// before 1900); otherwise the lunar month name on the first of a lunar month, else the lunar day
// name; empty where there is no lunar date.
std::string GetLunarCellText(DateTime date, bool chinese_ear = false);

}  // namespace kalvoro
