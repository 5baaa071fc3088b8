#pragma once
// Conversion between Gregorian dates and Chinese lunar dates for the lunar years 1900 to 2100,
// driven by the year table alone.

#include "base/date_time.h"
#include "calendar/lunar_types.h"

namespace kalvoro {

inline constexpr DateTime kFirstLunarDay = 32;     // 1900-01-31, lunar 1900 month 1 day 1
inline constexpr DateTime kLastLunarDay = 73415;   // 2100-12-31, lunar 2100 month 12 day 1
inline constexpr DateTime kNoSolarDate = -693593;  // 0001-01-01: what LunarToSolar gives for no date

// Years outside 1900..2100 have no months: the size queries give 0 for them.
int LunarMonthDays(int year, int month);  // 29 or 30
int LunarLeapMonth(int year);             // 0 (none) or 1..12
int LunarLeapDays(int year);              // 0, 29 or 30
int LunarYearDays(int year);              // leap month included

// The all-zero record outside 1900-01-31..2100-12-31 (and for a value that is not a number).
TLunarDate GetLunarDate(DateTime date);
// Lunar years 1901..2099 only; month 1..12, day 1 up to the month's size.
bool IsValidLunarDate(const TLunarDate& date);
// The whole Gregorian day, or kNoSolarDate when the lunar date is not valid.
DateTime LunarToSolar(const TLunarDate& date);

}  // namespace kalvoro
