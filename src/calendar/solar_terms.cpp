#include "calendar/solar_terms.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "calendar/calendar_date_range.h"
#include "calendar/lunar_tables.h"

namespace kalvoro {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// 1900-01-06 02:05:00 counted from 1899-12-30 00:00.
constexpr std::int64_t kReferenceMs = 7 * kMsPerDay + (2 * 60 + 5) * 60000;
constexpr double kMsPerTropicalYear = 31556925974.7;

bool IsComputable(int year, int term) {
    return term >= 0 && term < 24 && year >= 1 && year <= 9999;
}

// Milliseconds since 1899-12-30 00:00, rounded half to even as the table's definition asks.
std::int64_t SolarTermMs(int year, int term) {
    const double offset = static_cast<double>(year - 1900) * kMsPerTropicalYear +
                          static_cast<double>(SolarTermMinutes[static_cast<std::size_t>(term)]) * 60000.0;
    return kReferenceMs + static_cast<std::int64_t>(std::nearbyint(offset));
}

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// The calendar names terms for every cell it paints; the days of the lunar years' terms are
// worked out once.
constexpr int kFirstTableYear = 1900;
constexpr int kLastTableYear = 2100;
constexpr int kFirstTableDay = 2;  // 1900-01-01
constexpr int kTableEnd = 73417;   // 2101-01-01

int TermDayOf(int year, int term) {
    return static_cast<int>(FloorDiv(SolarTermMs(year, term), kMsPerDay));
}

const std::vector<int>& TermDays() {
    static const std::vector<int> days = [] {
        std::vector<int> all;
        all.reserve((kLastTableYear - kFirstTableYear + 1) * 24);
        for (int year = kFirstTableYear; year <= kLastTableYear; ++year) {
            for (int term = 0; term < 24; ++term) all.push_back(TermDayOf(year, term));
        }
        return all;
    }();
    return days;
}

}  // namespace

namespace detail {
int SolarTermDay(int year, int term) {
    return IsComputable(year, term) ? TermDayOf(year, term) : 0;
}
}  // namespace detail

DateTime GetSolarTermTime(int year, int term) {
    if (!IsComputable(year, term)) return 0;
    const std::int64_t ms = SolarTermMs(year, term);
    const std::int64_t day = FloorDiv(ms, kMsPerDay);
    const double time_of_day = static_cast<double>(ms - day * kMsPerDay) / static_cast<double>(kMsPerDay);
    // Days before 1899-12-30 carry their time of day as a fraction away from zero.
    return day >= 0 ? static_cast<double>(day) + time_of_day : static_cast<double>(day) - time_of_day;
}

namespace detail {
std::string_view SolarTermNameOfMonth(DateTime date) {
    if (!IsCalendarDateTime(date) || date != std::floor(date)) return {};
    const DateParts parts = DecodeDate(date);
    const int first_term = 2 * (parts.month - 1);
    const int day = static_cast<int>(date);
    if (day == SolarTermDay(parts.year, first_term)) return SolarTermNames[first_term];
    if (day == SolarTermDay(parts.year, first_term + 1)) return SolarTermNames[first_term + 1];
    return {};
}
}  // namespace detail

std::string_view GetSolarTermName(DateTime date) {
    if (!IsCalendarDateTime(date) || date != std::floor(date)) return {};
    const int day = static_cast<int>(date);
    if (day < kFirstTableDay || day >= kTableEnd) return detail::SolarTermNameOfMonth(date);

    // Every term of these years falls in its own month, so a day is a term day of its month
    // exactly when it is a term day at all. The terms are about 15.2 days apart: guess, then step.
    const std::vector<int>& days = TermDays();
    const int last = static_cast<int>(days.size()) - 1;
    int index = std::clamp(static_cast<int>((day - days.front()) * 24.0 / 365.2422), 0, last);
    while (index > 0 && days[static_cast<std::size_t>(index)] > day) --index;
    while (index < last && days[static_cast<std::size_t>(index + 1)] <= day) ++index;
    if (days[static_cast<std::size_t>(index)] != day) return {};
    return SolarTermNames[static_cast<std::size_t>(index % 24)];
}

}  // namespace kalvoro
