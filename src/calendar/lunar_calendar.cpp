#include "calendar/lunar_calendar.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "calendar/lunar_tables.h"

namespace kalvoro {
namespace {

constexpr int kLeapNibbleLongLeap = 0xF;
constexpr DateTime kLunarNewYear2000 = 36561;  // 2000-02-05

constexpr bool IsTableYear(int year) {
    return year >= kFirstLunarYear && year <= kLastLunarYear;
}

constexpr int YearWord(int year) {
    return LunarYearInfo[static_cast<std::size_t>(year - kFirstLunarYear)];
}

constexpr int MonthDaysOf(int year, int month) {
    const unsigned mask = month < 2 ? 0x8000u : (0x8000u >> (static_cast<unsigned>(month - 1) & 31u));
    return (static_cast<unsigned>(YearWord(year)) & mask) != 0 ? 30 : 29;
}

constexpr int LeapMonthOf(int year) {
    const int nibble = YearWord(year) & 0xF;
    return nibble == kLeapNibbleLongLeap ? 0 : nibble;
}

constexpr int LeapDaysOf(int year) {
    if (LeapMonthOf(year) == 0) return 0;
    // A year with a leap month is never the last table year, so the next word exists.
    return (YearWord(year + 1) & 0xF) == kLeapNibbleLongLeap ? 30 : 29;
}

constexpr int YearDaysOf(int year) {
    int days = 348;
    for (unsigned mask = 0x8000u; mask > 0x8u; mask >>= 1) {
        if ((static_cast<unsigned>(YearWord(year)) & mask) != 0) ++days;
    }
    return days + LeapDaysOf(year);
}

constexpr int kTableYears = kLastLunarYear - kFirstLunarYear + 1;

// Days from lunar new year 1900 to lunar new year of 1900 + i; the last entry ends lunar 2100.
constexpr std::array<int, kTableYears + 1> kYearStarts = [] {
    std::array<int, kTableYears + 1> starts{};
    for (int i = 0; i < kTableYears; ++i) starts[i + 1] = starts[i] + YearDaysOf(kFirstLunarYear + i);
    return starts;
}();

// The months of one lunar year in calendar order, the leap month right after its ordinary month.
struct YearLayout {
    int leap_month = 0;
    int month_count = 12;
    std::array<std::uint16_t, 14> month_starts{};  // days from new year; [month_count] = year days
};

constexpr std::array<YearLayout, kTableYears> kYearLayouts = [] {
    std::array<YearLayout, kTableYears> layouts{};
    for (int i = 0; i < kTableYears; ++i) {
        const int year = kFirstLunarYear + i;
        YearLayout& layout = layouts[static_cast<std::size_t>(i)];
        layout.leap_month = LeapMonthOf(year);
        layout.month_count = layout.leap_month == 0 ? 12 : 13;
        int slot = 0;
        int days = 0;
        for (int month = 1; month <= 12; ++month) {
            days += MonthDaysOf(year, month);
            layout.month_starts[static_cast<std::size_t>(++slot)] = static_cast<std::uint16_t>(days);
            if (month == layout.leap_month) {
                days += LeapDaysOf(year);
                layout.month_starts[static_cast<std::size_t>(++slot)] = static_cast<std::uint16_t>(days);
            }
        }
    }
    return layouts;
}();

static_assert(kYearStarts[2000 - kFirstLunarYear] == kLunarNewYear2000 - kFirstLunarDay);
static_assert(kFirstLunarDay + kYearStarts[kTableYears] > kLastLunarDay);

const YearLayout& LayoutOf(int year) {
    return kYearLayouts[static_cast<std::size_t>(year - kFirstLunarYear)];
}

}  // namespace

int LunarMonthDays(int year, int month) {
    return IsTableYear(year) ? MonthDaysOf(year, month) : 0;
}

int LunarLeapMonth(int year) {
    return IsTableYear(year) ? LeapMonthOf(year) : 0;
}

int LunarLeapDays(int year) {
    return IsTableYear(year) ? LeapDaysOf(year) : 0;
}

int LunarYearDays(int year) {
    return IsTableYear(year) ? YearDaysOf(year) : 0;
}

TLunarDate GetLunarDate(DateTime date) {
    if (!(date >= kFirstLunarDay && date < kLastLunarDay + 1)) return {};
    const int offset = static_cast<int>(date) - static_cast<int>(kFirstLunarDay);

    // Lunar years average 365.2422 days and months 29.53, and no new year or new moon strays from
    // the mean by a whole year or month: guess, then step to the right one.
    int index = std::min(static_cast<int>(offset * 10000LL / 3652422), kTableYears - 1);
    while (kYearStarts[static_cast<std::size_t>(index)] > offset) --index;
    while (kYearStarts[static_cast<std::size_t>(index + 1)] <= offset) ++index;
    const int year = kFirstLunarYear + index;
    const int day_of_year = offset - kYearStarts[static_cast<std::size_t>(index)];

    const YearLayout& layout = LayoutOf(year);
    int slot = std::min(day_of_year * 100 / 2953, layout.month_count - 1);
    while (layout.month_starts[static_cast<std::size_t>(slot)] > day_of_year) --slot;
    while (slot + 1 < layout.month_count && layout.month_starts[static_cast<std::size_t>(slot + 1)] <= day_of_year) {
        ++slot;
    }
    TLunarDate result;
    result.Year = year;
    result.Day = day_of_year - layout.month_starts[static_cast<std::size_t>(slot)] + 1;
    if (layout.leap_month == 0 || slot < layout.leap_month) {
        result.Month = slot + 1;
    } else {
        result.Month = slot;
        result.IsLeap = slot == layout.leap_month;
    }
    return result;
}

bool IsValidLunarDate(const TLunarDate& date) {
    if (date.Year > 2099 || date.Year < 1901 || date.Month > 12 || date.Day > 30) return false;
    // Day 0 or a month below 1 names no lunar day; accepting them would map them onto real dates.
    if (date.Month < 1 || date.Day < 1) return false;
    if (date.IsLeap) return date.Month == LunarLeapMonth(date.Year) && LunarLeapDays(date.Year) >= date.Day;
    return LunarMonthDays(date.Year, date.Month) >= date.Day;
}

DateTime LunarToSolar(const TLunarDate& date) {
    if (!IsValidLunarDate(date)) return kNoSolarDate;
    const YearLayout& layout = LayoutOf(date.Year);
    // Validity guarantees that a leap date names the year's leap month.
    const bool after_leap = layout.leap_month != 0 && (date.Month > layout.leap_month || date.IsLeap);
    const int slot = after_leap ? date.Month : date.Month - 1;
    const int year_start = kYearStarts[static_cast<std::size_t>(date.Year - kFirstLunarYear)];
    return kFirstLunarDay + year_start + layout.month_starts[static_cast<std::size_t>(slot)] + date.Day - 1;
}

}  // namespace kalvoro
