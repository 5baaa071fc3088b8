#include "calendar/lunar_calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calendar/lunar_year_walk.h"

namespace kalvoro {
namespace {

DateTime Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

struct ConversionCase {
    int year, month, day;
    TLunarDate expected;
};

TEST(GetLunarDate, WorkedExamplesAndRangeLimits) {
    const ConversionCase cases[] = {
        {1900, 1, 30, {}},
        {1900, 1, 31, {1900, 1, 1, false}},
        {2100, 12, 31, {2100, 12, 1, false}},
        {2101, 1, 1, {}},
        {1899, 12, 30, {}},
        {2008, 2, 7, {2008, 1, 1, false}},
        {2008, 2, 6, {2007, 12, 30, false}},
        {2009, 6, 23, {2009, 5, 1, true}},
        {2009, 6, 22, {2009, 5, 30, false}},
        {2023, 3, 22, {2023, 2, 1, true}},
        {2033, 12, 22, {2033, 11, 1, true}},
        {2020, 5, 23, {2020, 4, 1, true}},
        {1906, 6, 21, {1906, 4, 30, true}},  // 1906's leap fourth month has 30 days
    };
    for (const ConversionCase& c : cases) {
        EXPECT_EQ(GetLunarDate(Day(c.year, c.month, c.day)), c.expected) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(GetLunarDate, DropsTheTimeOfDayAndRejectsNonNumbers) {
    EXPECT_EQ(GetLunarDate(Day(2008, 2, 7) + 0.99), (TLunarDate{2008, 1, 1, false}));
    EXPECT_EQ(GetLunarDate(Day(2100, 12, 31) + 0.999), (TLunarDate{2100, 12, 1, false}));
    EXPECT_EQ(GetLunarDate(kFirstLunarDay - 0.001), TLunarDate{});
    EXPECT_EQ(GetLunarDate(std::numeric_limits<double>::quiet_NaN()), TLunarDate{});
    EXPECT_EQ(GetLunarDate(std::numeric_limits<double>::infinity()), TLunarDate{});
    EXPECT_EQ(GetLunarDate(-std::numeric_limits<double>::infinity()), TLunarDate{});
}

TEST(LunarSizes, FollowTheYearWords) {
    EXPECT_EQ(LunarLeapMonth(1900), 8);
    EXPECT_EQ(LunarLeapDays(1900), 29);  // the nibble of 1901 is 0
    EXPECT_EQ(LunarLeapMonth(1906), 4);
    EXPECT_EQ(LunarLeapDays(1906), 30);  // the nibble of 1907 is F
    EXPECT_EQ(LunarYearDays(1906), 384);
    EXPECT_EQ(LunarLeapMonth(1907), 0);  // F means no leap month of its own
    EXPECT_EQ(LunarLeapDays(1907), 0);
    EXPECT_EQ(LunarLeapMonth(2033), 11);
    EXPECT_EQ(LunarYearDays(2100), 354);
    EXPECT_EQ(LunarLeapDays(2100), 0);

    // 2000 = C960: months 1, 2, 5, 8, 10 and 11 are big.
    const int expected_2000[] = {30, 30, 29, 29, 30, 29, 29, 30, 29, 30, 30, 29};
    for (int month = 1; month <= 12; ++month) EXPECT_EQ(LunarMonthDays(2000, month), expected_2000[month - 1]);
}

TEST(LunarSizes, MonthMaskRuleOutsideOneToTwelve) {
    // Months below 2 test bit 15; above 12 the mask walks into the leap nibble (shift mod 32).
    EXPECT_EQ(LunarMonthDays(2000, 0), 30);  // C960: bit 15 set, as for month 1
    EXPECT_EQ(LunarMonthDays(2000, -7), 30);
    EXPECT_EQ(LunarMonthDays(1900, 13), 30);  // 4BD8: bit 3 set
    EXPECT_EQ(LunarMonthDays(1901, 13), 29);  // 4AE0: bit 3 clear
    EXPECT_EQ(LunarMonthDays(1900, 17), 29);  // mask shifted out
    EXPECT_EQ(LunarMonthDays(1900, 33), 29);  // shift 32 wraps to 0: bit 15 clear
}

TEST(LunarSizes, YearsOutsideTheTableHaveNoMonths) {
    for (int year : {1899, 2101, 0, -5, 100000}) {
        EXPECT_EQ(LunarMonthDays(year, 1), 0) << year;
        EXPECT_EQ(LunarLeapMonth(year), 0) << year;
        EXPECT_EQ(LunarLeapDays(year), 0) << year;
        EXPECT_EQ(LunarYearDays(year), 0) << year;
    }
}

TEST(LunarSizes, AllYearsAddUpToTheCoveredRange) {
    int total = 0;
    for (int year = 1900; year <= 2100; ++year) {
        const int days = LunarYearDays(year);
        EXPECT_TRUE(days == 353 || days == 354 || days == 355 || (days >= 383 && days <= 385)) << year << " " << days;
        if (LunarLeapMonth(year) != 0) {
            EXPECT_EQ(LunarLeapMonth(year + 1), 0) << year;
        }
        total += days;
    }
    // Lunar 2100 ends after 2100-12-31 and the lunar year 2000 starts on 2000-02-05.
    EXPECT_GT(kFirstLunarDay + total, kLastLunarDay);
    EXPECT_EQ(GetLunarDate(Day(2000, 2, 5)), (TLunarDate{2000, 1, 1, false}));
}

TEST(IsValidLunarDate, ChecksYearMonthDayAndLeapFlag) {
    EXPECT_TRUE(IsValidLunarDate({2009, 5, 29, true}));
    EXPECT_FALSE(IsValidLunarDate({2009, 5, 30, true}));   // 29-day leap month
    EXPECT_TRUE(IsValidLunarDate({1906, 4, 30, true}));    // 30-day leap month
    EXPECT_FALSE(IsValidLunarDate({2008, 5, 1, true}));    // 2008 has no leap month
    EXPECT_FALSE(IsValidLunarDate({2009, 4, 1, true}));    // the leap month of 2009 is the fifth
    EXPECT_FALSE(IsValidLunarDate({2000, 3, 30, false}));  // 29-day month
    EXPECT_TRUE(IsValidLunarDate({2000, 2, 30, false}));
    EXPECT_FALSE(IsValidLunarDate({1900, 1, 1, false}));
    EXPECT_FALSE(IsValidLunarDate({2100, 1, 1, false}));
    EXPECT_TRUE(IsValidLunarDate({1901, 1, 1, false}));
    EXPECT_TRUE(IsValidLunarDate({2099, 12, 1, false}));
    EXPECT_FALSE(IsValidLunarDate({2000, 13, 1, false}));
    EXPECT_FALSE(IsValidLunarDate({2000, 1, 31, false}));
    // Day 0 and month 0 name no lunar day.
    EXPECT_FALSE(IsValidLunarDate({2000, 1, 0, false}));
    EXPECT_FALSE(IsValidLunarDate({2000, 0, 1, false}));
    EXPECT_FALSE(IsValidLunarDate({2000, 1, -400, false}));
    EXPECT_FALSE(IsValidLunarDate({}));
}

TEST(LunarToSolar, WorkedExamplesAndInvalidDates) {
    EXPECT_EQ(LunarToSolar({2000, 1, 1, false}), Day(2000, 2, 5));
    EXPECT_EQ(LunarToSolar({1901, 1, 1, false}), Day(1901, 2, 19));
    EXPECT_EQ(LunarToSolar({2009, 5, 1, true}), Day(2009, 6, 23));
    EXPECT_EQ(LunarToSolar({2009, 6, 1, false}), Day(2009, 7, 22));  // after the leap month
    const TLunarDate invalid[] = {
        {2008, 5, 1, true},   {1900, 1, 1, false}, {2100, 1, 1, false}, {2000, 13, 1, false},
        {2000, 1, 31, false}, {2000, 1, 0, false}, {2000, 0, 5, false}, {},
    };
    for (const TLunarDate& date : invalid) {
        EXPECT_EQ(LunarToSolar(date), kNoSolarDate) << date.Year << "/" << date.Month << "/" << date.Day;
    }
    EXPECT_EQ(kNoSolarDate, Day(1, 1, 1));
}

TEST(LunarToSolar, RoundTripsEveryDayOfLunar1901To2099) {
    const DateTime first = LunarToSolar({1901, 1, 1, false});
    const DateTime end = LunarToSolar({2099, 1, 1, false}) + LunarYearDays(2099);
    ASSERT_EQ(first, Day(1901, 2, 19));
    TLunarDate previous = GetLunarDate(first - 1);
    for (DateTime day = first; day < end; ++day) {
        const TLunarDate lunar = GetLunarDate(day);
        ASSERT_EQ(LunarToSolar(lunar), day) << day;
        // Consecutive days advance by one lunar day or start a new month.
        if (lunar.Day != 1) {
            ASSERT_EQ(lunar.Day, previous.Day + 1) << day;
        }
        previous = lunar;
    }
}

TEST(LunarToSolar, EveryValidDateMapsOntoItself) {
    for (int year = 1901; year <= 2099; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (bool leap : {false, true}) {
                for (int day = 1; day <= 30; ++day) {
                    const TLunarDate lunar{year, month, day, leap};
                    if (!IsValidLunarDate(lunar)) continue;
                    ASSERT_EQ(GetLunarDate(LunarToSolar(lunar)), lunar) << year << "/" << month << "/" << day;
                }
            }
        }
    }
}

// The engine answers from precomputed month starts; the plain walk over the table is the reference.
TEST(LunarConversions, MatchTheTableWalkOnEveryDay) {
    for (DateTime day = kFirstLunarDay - 3; day <= kLastLunarDay + 3; ++day) {
        ASSERT_EQ(GetLunarDate(day), lunar_walk::GetLunarDate(day)) << day;
        ASSERT_EQ(GetLunarDate(day + 0.75), lunar_walk::GetLunarDate(day + 0.75)) << day;
    }
    for (int year = 1899; year <= 2101; ++year) {
        for (int month = -1; month <= 13; ++month) {
            for (bool leap : {false, true}) {
                for (int day = -1; day <= 31; ++day) {
                    const TLunarDate lunar{year, month, day, leap};
                    ASSERT_EQ(LunarToSolar(lunar), lunar_walk::LunarToSolar(lunar))
                        << year << "/" << month << "/" << day << (leap ? " leap" : "");
                }
            }
        }
    }
}

}  // namespace
}  // namespace kalvoro
