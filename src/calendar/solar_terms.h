#pragma once
// The instants of the 24 solar terms, reckoned from a fixed instant in each Gregorian year.

#include <string_view>

#include "base/date_time.h"

namespace kalvoro {

// The local instant of term n (0 = 小寒 .. 23 = 冬至) of the Gregorian year, to the millisecond.
// A term outside 0..23 or a year outside 1..9999 gives 0.
DateTime GetSolarTermTime(int year, int term);

// The name of the term that falls on the whole date, or empty. A date carrying a time of day never
// matches.
std::string_view GetSolarTermName(DateTime date);

namespace detail {
// The whole day (days since 1899-12-30) on which the term falls; term and year as above.
int SolarTermDay(int year, int term);
// GetSolarTermName computed from the date's own month alone: its two terms, each on its day.
std::string_view SolarTermNameOfMonth(DateTime date);
}  // namespace detail

}  // namespace kalvoro
