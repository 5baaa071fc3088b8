#include "calendar/lunar_year_walk.h"

#include "calendar/lunar_calendar.h"

namespace kalvoro::lunar_walk {
namespace {

TLunarDate LunarDateInYear(int year, int offset) {
    const int leap_month = LunarLeapMonth(year);
    bool is_leap = false;
    int month = 0;
    int month_days = 0;
    do {
        ++month;
        month_days = LunarMonthDays(year, month);
        offset -= month_days;
        if (offset >= 0 && month == leap_month) {
            month_days = LunarLeapDays(year);
            offset -= month_days;
            if (offset < 0) is_leap = true;
        }
    } while (offset >= 0);
    return {year, month, offset + month_days + 1, is_leap};
}

}  // namespace

TLunarDate GetLunarDate(DateTime date) {
    if (!(date >= kFirstLunarDay && date < kLastLunarDay + 1)) return {};
    int offset = static_cast<int>(date) - static_cast<int>(kFirstLunarDay);
    int year = 1900;
    int year_days = 0;
    while (offset > 0) {
        year_days = LunarYearDays(year);
        ++year;
        offset -= year_days;
    }
    if (offset < 0) {
        offset += year_days;
        --year;
    }
    return LunarDateInYear(year, offset);
}

DateTime LunarToSolar(const TLunarDate& date) {
    if (!IsValidLunarDate(date)) return kNoSolarDate;
    const int leap_month = LunarLeapMonth(date.Year);
    int days = 0;
    for (int month = 1; month < date.Month; ++month) {
        days += LunarMonthDays(date.Year, month);
        if (month == leap_month) days += LunarLeapDays(date.Year);
    }
    days += date.Day - 1;
    if (date.IsLeap && date.Month == leap_month) days += LunarMonthDays(date.Year, date.Month);
    for (int year = 2000; year < date.Year; ++year) days += LunarYearDays(year);
    for (int year = date.Year; year < 2000; ++year) days -= LunarYearDays(year);
    return 36561 + days;  // lunar new year 2000 is 2000-02-05
}

}  // namespace kalvoro::lunar_walk
