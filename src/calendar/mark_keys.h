#pragma once
// Names of date marks and the conversions between Gregorian and lunar month-day keys.
//
// A mark's name is the kind digit and a four-digit key: "00505" marks every 5 May, "10815" every
// 15th day of the eighth lunar month. Lunar day 00 is the last day of the lunar month before.

#include <optional>
#include <string>
#include <string_view>

#include "base/date_time.h"

namespace kalvoro {

inline constexpr int kMarkKindCount = 2;  // Gregorian and lunar; the lists know weekday rules too

// What a line's name marks: the kind is its first character as a digit (0 when it is none), the
// key the next four characters (fewer when the name is shorter).
struct MarkName {
    int kind = 0;
    std::string key;
};
MarkName ParseMarkName(std::string_view name);
// kind digit + key.
std::string MakeMarkName(int kind, std::string_view key);

// "mmdd" of a date.
std::string SolarKeyOf(DateTime date);
// "MMDD" of the date's lunar month and day (a leap month has its ordinary month's key); "0000"
// when the date has no lunar date.
std::string LunarKeyOf(DateTime date);

// The lunar "MMDD" of the Gregorian month and day in the given year. Two characters that are not
// a number read as 1. A day that this year's month does not have (29 February in a common year,
// 31 in a 30-day month) is taken as the month's last day, and a month outside 1..12 as the nearest
// month; nothing when the date has no lunar date.
std::optional<std::string> SolarKeyToLunar(std::string_view mmdd, int year);

// The Gregorian "mmdd" of the lunar month and day in the lunar year of today. The ordinary month is
// meant (marks do not tell leap months apart); day 00 is the day before the month's first day, and
// a day past the month's end is its last day. Nothing when today's lunar year has no such month
// (outside the lunar years 1901..2099).
std::optional<std::string> LunarKeyToSolar(std::string_view mmdd, DateTime today);

}  // namespace kalvoro
