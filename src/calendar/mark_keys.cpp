#include "calendar/mark_keys.h"

#include <algorithm>

#include "calendar/lunar_calendar.h"

namespace kalvoro {
namespace {

// Two characters as a number, 1 when they are not one.
int TwoDigitNumber(std::string_view text, std::size_t at) {
    if (text.size() < at + 2) return 1;
    const char high = text[at];
    const char low = text[at + 1];
    if (high < '0' || high > '9' || low < '0' || low > '9') return 1;
    return (high - '0') * 10 + (low - '0');
}

std::string MonthDayKey(int month, int day) {
    return IntToZeroStr(month, 2) + IntToZeroStr(day, 2);
}

}  // namespace

MarkName ParseMarkName(std::string_view name) {
    MarkName parsed;
    if (!name.empty() && name[0] >= '0' && name[0] <= '9') parsed.kind = name[0] - '0';
    if (name.size() > 1) parsed.key = std::string(name.substr(1, 4));
    return parsed;
}

std::string MakeMarkName(int kind, std::string_view key) {
    return std::to_string(kind) + std::string(key);
}

std::string SolarKeyOf(DateTime date) {
    const DateParts parts = DecodeDate(date);
    return MonthDayKey(parts.month, parts.day);
}

std::string LunarKeyOf(DateTime date) {
    const TLunarDate lunar = GetLunarDate(date);
    return MonthDayKey(lunar.Month, lunar.Day);
}

std::optional<std::string> SolarKeyToLunar(std::string_view mmdd, int year) {
    if (year < 1 || year > 9999) return std::nullopt;
    const int month = std::clamp(TwoDigitNumber(mmdd, 0), 1, 12);
    const int day = std::clamp(TwoDigitNumber(mmdd, 2), 1, DaysInMonth(year, month));
    const TLunarDate lunar = GetLunarDate(EncodeDate(year, month, day));
    if (lunar.Day == 0) return std::nullopt;
    return MonthDayKey(lunar.Month, lunar.Day);
}

std::optional<std::string> LunarKeyToSolar(std::string_view mmdd, DateTime today) {
    const TLunarDate now = GetLunarDate(today);
    if (now.Day == 0) return std::nullopt;
    const int month = std::clamp(TwoDigitNumber(mmdd, 0), 1, 12);
    const int day = TwoDigitNumber(mmdd, 2);
    const int month_days = LunarMonthDays(now.Year, month);
    if (month_days == 0) return std::nullopt;
    const TLunarDate wanted{now.Year, month, std::clamp(day, 1, month_days), false};
    DateTime solar = LunarToSolar(wanted);
    if (solar == kNoSolarDate) return std::nullopt;
    if (day == 0) solar -= 1;
    return SolarKeyOf(solar);
}

}  // namespace kalvoro
