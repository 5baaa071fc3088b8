#pragma once
// The date-times the calendar can name at all: the days of the years 1 to 9999. Anything else,
// a value that is not a number included, gets the empty results.

#include "base/date_time.h"

namespace kalvoro {

inline constexpr DateTime kFirstCalendarDay = -693593;  // 0001-01-01
inline constexpr DateTime kCalendarEnd = 2958466;       // 10000-01-01

inline bool IsCalendarDateTime(DateTime value) {
    return value >= kFirstCalendarDay && value < kCalendarEnd;
}

}  // namespace kalvoro
