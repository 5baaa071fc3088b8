#pragma once
// UTC offsets of a few cities written out by hand from their countries' daylight-saving laws, for
// checking the city list and the world-time window against a source of their own.

#include "base/date_time.h"

namespace kalvoro::testing {

constexpr double kHour = 1.0 / 24;

// The day of the week-th (5: last) Sunday of a month.
inline int SundayOf(int year, int month, int week) {
    int count = 0, last = 0;
    for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        if (DayOfWeek(EncodeDate(year, month, day)) == 1) {
            last = day;
            if (++count == week) return day;
        }
    }
    return last;
}

// UTC offsets in hours at a UTC instant.
inline double NewYorkOffset(DateTime utc, int year) {
    const DateTime start = EncodeDate(year, 3, SundayOf(year, 3, 2)) + 7 * kHour;
    const DateTime end = EncodeDate(year, 11, SundayOf(year, 11, 1)) + 6 * kHour;
    return utc >= start && utc < end ? -4 : -5;
}
inline double LondonOffset(DateTime utc, int year) {
    const DateTime start = EncodeDate(year, 3, SundayOf(year, 3, 5)) + 1 * kHour;
    const DateTime end = EncodeDate(year, 10, SundayOf(year, 10, 5)) + 1 * kHour;
    return utc >= start && utc < end ? 1 : 0;
}
inline double SydneyOffset(DateTime utc, int year) {
    // 03:00 daylight and 02:00 standard time on the Sunday are 16:00 UTC on the Saturday before.
    const DateTime end = EncodeDate(year, 4, SundayOf(year, 4, 1)) - 8 * kHour;
    const DateTime start = EncodeDate(year, 10, SundayOf(year, 10, 1)) - 8 * kHour;
    return utc < end || utc >= start ? 11 : 10;
}

}  // namespace kalvoro::testing
