#include "calendar/ganzhi.h"

#include "calendar/calendar_date_range.h"
#include "calendar/solar_terms.h"

namespace kalvoro {
namespace {
constexpr DateTime kFirstDay = 2;  // 1900-01-01, a 甲戌 day
constexpr int kJiaZiYear = 1864;
}  // namespace

std::optional<TGanZhi> GetGanZhi(DateTime date) {
    if (!IsCalendarDateTime(date) || date < kFirstDay) return std::nullopt;
    const DateParts parts = DecodeDate(DateOf(date));
    const int opening_term = 2 * (parts.month - 1);
    const DateTime term_instant = GetSolarTermTime(parts.year, opening_term);
    const DateTime term_day = detail::SolarTermDay(parts.year, opening_term);

    TGanZhi result;
    const bool before_new_year = parts.month == 1 || (parts.month == 2 && date < term_instant);
    result.YearIndex = parts.year - kJiaZiYear - (before_new_year ? 1 : 0);
    result.MonthIndex = (parts.year - 1900) * 12 + parts.month + (date >= term_day ? 12 : 11);
    result.DayIndex = static_cast<int>(date - kFirstDay) + 10;
    return result;
}

}  // namespace kalvoro
