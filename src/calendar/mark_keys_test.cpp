#include "calendar/mark_keys.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(MarkNames, KindIsTheFirstDigitAndKeyTheNextFourCharacters) {
    struct Case {
        std::string_view name;
        int kind;
        std::string_view key;
    };
    for (const Case& c : {Case{"00505", 0, "0505"}, Case{"10815", 1, "0815"}, Case{"20520", 2, "0520"},
                          Case{"x0505", 0, "0505"}, Case{"1", 1, ""}, Case{"", 0, ""}, Case{"105051", 1, "0505"}}) {
        const MarkName parsed = ParseMarkName(c.name);
        EXPECT_EQ(parsed.kind, c.kind) << c.name;
        EXPECT_EQ(parsed.key, c.key) << c.name;
    }
    EXPECT_EQ(MakeMarkName(1, "0815"), "10815");
}

TEST(MarkKeys, KeysOfADate) {
    EXPECT_EQ(SolarKeyOf(EncodeDate(2008, 9, 14)), "0914");
    EXPECT_EQ(LunarKeyOf(EncodeDate(2008, 9, 14)), "0815");
    EXPECT_EQ(LunarKeyOf(EncodeDate(2020, 5, 23)), "0401");  // the first of the leap fourth month
    EXPECT_EQ(LunarKeyOf(EncodeDate(1900, 1, 1)), "0000");
}

TEST(MarkKeys, SolarKeyToLunarInTheGivenYear) {
    struct Case {
        std::string_view mmdd;
        int year;
        std::optional<std::string> lunar;
    };
    const Case cases[] = {
        {"0101", 2024, "1120"},
        {"0914", 2008, "0815"},
        {"0229", 2024, "0120"},
        // Days this year does not have are taken as the month's last day.
        {"0229", 2023, "0209"},  // 28 Feb 2023
        {"0431", 2024, "0322"},  // 30 Apr 2024
        {"1331", 2024, "1201"},  // 31 Dec 2024
        {"0000", 2024, "1120"},  // 1 Jan 2024
        {"ab01", 2024, "1120"},  // not a number: 1
        {"", 2024, "1120"},
        {"0115", 1900, std::nullopt},  // before the lunar calendar's first day
        {"0115", 2101, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(SolarKeyToLunar(c.mmdd, c.year), c.lunar) << c.mmdd << " " << c.year;
}

TEST(MarkKeys, LunarKeyToSolarInTodaysLunarYear) {
    const DateTime in_lunar_2008 = EncodeDate(2008, 5, 1);
    const DateTime in_leap_month_2020 = EncodeDate(2020, 5, 23);
    const DateTime in_lunar_2012 = EncodeDate(2012, 6, 1);
    struct Case {
        std::string_view mmdd;
        DateTime today;
        std::optional<std::string> solar;
    };
    const Case cases[] = {
        {"0815", in_lunar_2008, "0914"},
        {"0101", in_lunar_2008, "0207"},
        {"0100", in_lunar_2008, "0206"},       // day 00: lunar new year's eve
        {"0815", in_leap_month_2020, "1001"},  // today's leap month does not make month 8 a leap month
        {"0401", in_leap_month_2020, "0423"},  // the ordinary fourth month
        {"1230", in_lunar_2012, "0209"},       // a 29-day twelfth month: its last day, 2013-02-09
        {"xx15", in_lunar_2008, "0221"},       // not a number: month 1
        {"0815", EncodeDate(2101, 6, 1), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(LunarKeyToSolar(c.mmdd, c.today), c.solar) << c.mmdd;
}

}  // namespace
}  // namespace kalvoro
