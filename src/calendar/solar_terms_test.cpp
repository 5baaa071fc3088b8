#include "calendar/solar_terms.h"

#include <gtest/gtest.h>

#include <limits>

#include "calendar/lunar_tables.h"

namespace kalvoro {
namespace {

DateTime Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

struct InstantCase {
    int year, term;
    DateParts date;
    TimeParts time;
};

TEST(GetSolarTermTime, InstantsToTheMillisecond) {
    const InstantCase cases[] = {
        {1900, 0, {1900, 1, 6}, {2, 5, 0, 0}},  // the reference instant itself
        {2008, 2, {2008, 2, 4}, {17, 38, 45, 268}},
        // (Y - 1900) x 31556925974.7 ends in exactly .5 here: halves go to the even millisecond.
        {2015, 0, {2015, 1, 5}, {22, 33, 7, 90}},
        {2005, 0, {2005, 1, 5}, {12, 25, 27, 344}},
    };
    for (const InstantCase& c : cases) {
        const DateTime instant = GetSolarTermTime(c.year, c.term);
        const DateParts date = DecodeDate(instant);
        const TimeParts time = DecodeTime(instant);
        EXPECT_EQ(date.year, c.date.year) << c.year << " " << c.term;
        EXPECT_EQ(date.month, c.date.month) << c.year << " " << c.term;
        EXPECT_EQ(date.day, c.date.day) << c.year << " " << c.term;
        EXPECT_EQ(time.hour, c.time.hour) << c.year << " " << c.term;
        EXPECT_EQ(time.minute, c.time.minute) << c.year << " " << c.term;
        EXPECT_EQ(time.second, c.time.second) << c.year << " " << c.term;
        EXPECT_EQ(time.millisecond, c.time.millisecond) << c.year << " " << c.term;
    }
}

TEST(GetSolarTermTime, TermOrYearOutOfRangeGivesZero) {
    EXPECT_EQ(GetSolarTermTime(2008, -1), 0);
    EXPECT_EQ(GetSolarTermTime(2008, 24), 0);
    EXPECT_EQ(GetSolarTermTime(0, 2), 0);
    EXPECT_EQ(GetSolarTermTime(10000, 2), 0);
}

TEST(GetSolarTermTime, BeforeTheEpochKeepsTheFractionAwayFromZero) {
    // 1899's 冬至 lies before 1899-12-30: the day is the whole part, the time the fraction.
    const DateTime instant = GetSolarTermTime(1899, 23);
    EXPECT_LT(instant, 0);
    EXPECT_EQ(DecodeDate(instant).month, 12);
    EXPECT_EQ(DecodeDate(instant).year, 1899);
}

TEST(GetSolarTermTime, EveryTermOf1900To2100FallsInItsOwnMonth) {
    for (int year = 1900; year <= 2100; ++year) {
        for (int term = 0; term < 24; ++term) {
            const DateParts date = DecodeDate(GetSolarTermTime(year, term));
            ASSERT_EQ(date.year, year) << year << " " << term;
            ASSERT_EQ(date.month, term / 2 + 1) << year << " " << term;
        }
    }
}

TEST(GetSolarTermName, MatchesWholeTermDaysOnly) {
    EXPECT_EQ(GetSolarTermName(Day(2008, 2, 4)), "立春");
    EXPECT_EQ(GetSolarTermName(Day(2008, 2, 4) + 10.0 / 24), "");
    EXPECT_EQ(GetSolarTermName(Day(2008, 2, 3)), "");
    EXPECT_EQ(GetSolarTermName(Day(2008, 2, 5)), "");
    EXPECT_EQ(GetSolarTermName(Day(1900, 1, 6)), "小寒");
    EXPECT_EQ(GetSolarTermName(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(GetSolarTermName(Day(9999, 12, 31) + 10), "");
}

TEST(GetSolarTermName, NamesAllTwentyFourTermsOfAYear) {
    int found = 0;
    for (DateTime day = Day(2008, 1, 1); day <= Day(2008, 12, 31); ++day) {
        const std::string_view name = GetSolarTermName(day);
        if (name.empty()) continue;
        EXPECT_EQ(name, SolarTermNames[static_cast<std::size_t>(found)]) << day;
        EXPECT_EQ(DateOf(GetSolarTermTime(2008, found)), day);
        ++found;
    }
    EXPECT_EQ(found, 24);
}

TEST(GetSolarTermName, TheTermTableAgreesWithTheMonthRuleOnEveryDay) {
    for (DateTime day = EncodeDate(1899, 1, 1); day < EncodeDate(2102, 1, 1); ++day) {
        ASSERT_EQ(GetSolarTermName(day), detail::SolarTermNameOfMonth(day)) << day;
    }
}

}  // namespace
}  // namespace kalvoro
