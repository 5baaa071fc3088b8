#include "calendar/lunar_names.h"

#include "calendar/lunar_tables.h"

namespace kalvoro {
namespace {

constexpr std::string_view kZero = "零";

std::size_t Wrap(int index, int size) {
    const int remainder = index % size;
    return static_cast<std::size_t>(remainder < 0 ? remainder + size : remainder);
}

std::string_view Digit(int value) {
    return ChineseDigits[static_cast<std::size_t>(value)];
}

}  // namespace

std::string GetGanZhiName(int index) {
    std::string name(StemNames[Wrap(index, 10)]);
    name += BranchNames[Wrap(index, 12)];
    return name;
}

std::string_view GetAnimalName(int index) {
    return AnimalNames[Wrap(index, 12)];
}

std::string GetLunarMonthName(int month, bool leap) {
    std::string name;
    if (leap) name = "闰";
    if (month == 1) {
        name += "正";
    } else if (month >= 2 && month <= 10) {
        name += Digit(month);
    } else if (month == 11) {
        name += Digit(10);
        name += Digit(1);
    } else if (month == 12) {
        name += "腊";
    }
    name += "月";
    return name;
}

std::string GetLunarDayName(int day) {
    std::string name;
    if (day >= 1 && day <= 10) {
        name = LunarDayPrefixes[0];
        name += Digit(day);
    } else if (day >= 11 && day <= 19) {
        name = LunarDayPrefixes[1];
        name += Digit(day - 10);
    } else if (day == 20 || day == 30) {
        name = Digit(day / 10);
        name += Digit(10);
    } else if (day >= 21 && day <= 29) {
        name = LunarDayPrefixes[2];
        name += Digit(day - 20);
    }
    return name;
}

std::string GetLunarYearName(int year) {
    if (year < 0 || year > 9999) return {};
    std::string name;
    for (int divisor = 1000; divisor > 0; divisor /= 10) {
        const int digit = year / divisor % 10;
        // The thousands digit too is written 零 when zero; 日 stands only for Sunday.
        name += digit == 0 ? kZero : Digit(digit);
    }
    name += "年";
    return name;
}

std::string GetChineseWeekName(int weekday) {
    std::string name = "星期";
    name += ChineseDigits[Wrap(weekday, 7)];
    return name;
}

std::string_view GetEnglishWeekName(int weekday, int style) {
    if (style == 0) return EnglishShortDays[Wrap(weekday, 7)];
    if (style == 1) return EnglishLongDays[Wrap(weekday, 7)];
    return {};
}

}  // namespace kalvoro
