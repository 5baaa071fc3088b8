#pragma once
// Week of the year, Sunday-based by default or by ISO 8601.

#include "base/date_time.h"

namespace kalvoro {

// Without ISO 8601 weeks begin on Sunday and week 1 holds 1 January (31 December can be week 53
// or 54). With it weeks begin on Monday and week 1 holds 4 January. 0 for a date outside 1..9999.
int GetWeekNumber(DateTime date, bool use_iso8601);

}  // namespace kalvoro
