#include "calendar/week_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace kalvoro {
namespace {

struct WeekCase {
    int year, month, day;
    int sunday_week;
    int iso_week;
};

TEST(GetWeekNumber, BothModes) {
    const WeekCase cases[] = {
        {2005, 12, 31, 53, 52}, {2006, 1, 1, 1, 52},  // a Sunday: week 1 counted from Sunday, still ISO week 52 of 2005
        {2006, 1, 2, 1, 1},     {2008, 12, 29, 53, 1},
        {2005, 1, 1, 1, 53},     // a Saturday belonging to ISO week 53 of 2004
        {2010, 1, 3, 2, 53},     // 2010 begins on a Friday
        {2000, 12, 31, 54, 52},  // leap year beginning on a Saturday
        {2009, 12, 31, 53, 53}, {2008, 1, 1, 1, 1},
        {2008, 6, 15, 25, 24},
    };
    for (const WeekCase& c : cases) {
        const DateTime date = EncodeDate(c.year, c.month, c.day);
        EXPECT_EQ(GetWeekNumber(date, false), c.sunday_week) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(GetWeekNumber(date + 0.5, false), c.sunday_week) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(GetWeekNumber(date, true), c.iso_week) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(GetWeekNumber, OutsideTheCalendarGivesZero) {
    EXPECT_EQ(GetWeekNumber(std::numeric_limits<double>::quiet_NaN(), false), 0);
    EXPECT_EQ(GetWeekNumber(std::numeric_limits<double>::infinity(), true), 0);
    EXPECT_EQ(GetWeekNumber(EncodeDate(9999, 12, 31) + 1, false), 0);
    EXPECT_EQ(GetWeekNumber(EncodeDate(1, 1, 1), true), 1);
    EXPECT_EQ(GetWeekNumber(EncodeDate(9999, 12, 31), true), 52);
}

TEST(GetWeekNumber, SundayWeeksStepOnSundaysOnly) {
    for (DateTime day = EncodeDate(1999, 1, 2); day < EncodeDate(2031, 1, 1); ++day) {
        const bool new_year = DecodeDate(day).month == 1 && DecodeDate(day).day == 1;
        const int step = GetWeekNumber(day, false) - GetWeekNumber(day - 1, false);
        if (new_year) {
            ASSERT_EQ(GetWeekNumber(day, false), 1);
        } else {
            ASSERT_EQ(step, DayOfWeek(day) == 1 ? 1 : 0) << day;
        }
        const int iso_step = GetWeekNumber(day, true) - GetWeekNumber(day - 1, true);
        if (DayOfWeek(day) == 2) {
            ASSERT_TRUE(iso_step == 1 || GetWeekNumber(day, true) == 1) << day;
        } else {
            ASSERT_EQ(iso_step, 0) << day;
        }
    }
}

}  // namespace
}  // namespace kalvoro
