#include "calendar/week_number.h"

#include "calendar/calendar_date_range.h"

namespace kalvoro {
namespace {

int DayOfYear(DateTime day, int year) {
    return static_cast<int>(day - EncodeDate(year, 1, 1)) + 1;
}

int IsoWeekNumber(DateTime day) {
    const int monday_based = (DayOfWeek(day) + 5) % 7 + 1;  // Monday 1 .. Sunday 7
    // The week belongs to the year that holds its Thursday.
    const DateTime thursday = day - monday_based + 4;
    const int year = DecodeDate(thursday).year;
    if (year < 1 || year > 9999) return 0;
    return (DayOfYear(thursday, year) - 1) / 7 + 1;
}

int SundayWeekNumber(DateTime day) {
    const int year = DecodeDate(day).year;
    const DateTime new_year = EncodeDate(year, 1, 1);
    const int new_year_weekday = DayOfWeek(new_year) - 1;  // Sunday 0
    return (DayOfYear(day, year) - 1 + new_year_weekday) / 7 + 1;
}

}  // namespace

int GetWeekNumber(DateTime date, bool use_iso8601) {
    if (!IsCalendarDateTime(date)) return 0;
    const DateTime day = DateOf(date);
    return use_iso8601 ? IsoWeekNumber(day) : SundayWeekNumber(day);
}

}  // namespace kalvoro
