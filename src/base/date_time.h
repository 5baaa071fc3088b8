#pragma once
// Date-times are doubles: whole days since 1899-12-30, the fraction the time of day. Dates before
// 1899-12-30 are negative and count their fraction towards the later midnight's sign as the
// classic Pascal runtime does: the whole part is the day, the absolute fraction the time
// (0001-01-01 is -693593).

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kalvoro {

using DateTime = double;

struct DateParts {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
};

struct TimeParts {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);            // 0 for a month outside 1..12
bool IsValidDate(int year, int month, int day);  // years 1..9999

// Encodes a valid date; nothing is checked beyond that, callers test IsValidDate first.
DateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, DateTime& out);
DateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
DateTime EncodeDateTime(const DateParts& date, const TimeParts& time);

DateParts DecodeDate(DateTime value);
TimeParts DecodeTime(DateTime value);  // rounded to the nearest millisecond
DateTime DateOf(DateTime value);       // the whole day
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(DateTime value);

// Adds months; a day past the end of the target month becomes its last day (31 Mar - 1 = 28/29 Feb).
DateTime IncMonth(DateTime value, int months);

// Names and formats taken from the user's locale; the Chinese table serves natively.
struct DateLocale {
    std::array<std::string, 7> long_day_names;   // Sunday first: "星期日" ..
    std::array<std::string, 7> short_day_names;  // "周日" ..
    std::array<std::string, 12> long_month_names;
    std::array<std::string, 12> short_month_names;
    std::string short_date_format = "yyyy/m/d";  // pattern letters as below
    std::string long_time_format = "h:mm:ss";
};
const DateLocale& ChineseDateLocale();

// Pattern letters: yyyy yy (year), m mm (month; minutes when after h/hh or before s/ss), mmm mmmm
// (month names), d dd (day), ddd dddd (day names), ddddd (short date), tt (long time), h hh (a
// 12-hour clock when the pattern holds am/pm or a/p), n nn (minutes), s ss, z zzz (milliseconds),
// am/pm, text in "..." or '...' copied, others copied. Letters ignore case.
std::string FormatDateTime(std::string_view pattern, DateTime value, const DateLocale& locale = ChineseDateLocale());

// "hh:mm:ss" into a caller buffer, without allocating (the one-second tick uses it).
void FormatClockText(const TimeParts& time, char (&out)[9]);

// The decimal text of value with "0" put in front until it is width characters long.
std::string IntToZeroStr(int value, int width);

}  // namespace kalvoro
