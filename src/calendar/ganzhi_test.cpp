#include "calendar/ganzhi.h"

#include <gtest/gtest.h>

#include <limits>

#include "calendar/lunar_names.h"
#include "calendar/solar_terms.h"

namespace kalvoro {
namespace {

DateTime At(int year, int month, int day, int hour = 0) {
    return EncodeDate(year, month, day) + EncodeTime(hour, 0, 0);
}

struct NamesCase {
    DateTime date;
    const char* year;
    const char* month;
    const char* day;
};

TEST(GetGanZhi, YearChangesAtTheFullLiChunInstantMonthOnItsDay) {
    // 立春 2008 falls on 2008-02-04 at 17:38.
    const NamesCase cases[] = {
        {At(2008, 2, 3), "丁亥", "癸丑", "癸酉"},
        {At(2008, 2, 4), "丁亥", "甲寅", "甲戌"},
        {At(2008, 2, 4, 10), "丁亥", "甲寅", "甲戌"},
        {At(2008, 2, 4, 20), "戊子", "甲寅", "甲戌"},
        {At(2008, 2, 5), "戊子", "甲寅", "乙亥"},
        {At(2008, 1, 31), "丁亥", "癸丑", "庚午"},  // January stays in the previous year
        {At(2000, 1, 1), "己卯", "丙子", "戊午"},
        {At(1900, 1, 1), "己亥", "丙子", "甲戌"},
    };
    for (const NamesCase& c : cases) {
        const auto ganzhi = GetGanZhi(c.date);
        ASSERT_TRUE(ganzhi.has_value()) << c.date;
        EXPECT_EQ(GetGanZhiName(ganzhi->YearIndex), c.year) << c.date;
        EXPECT_EQ(GetGanZhiName(ganzhi->MonthIndex), c.month) << c.date;
        EXPECT_EQ(GetGanZhiName(ganzhi->DayIndex), c.day) << c.date;
    }
}

TEST(GetGanZhi, IndicesAreUnreduced) {
    EXPECT_EQ(GetGanZhi(At(2000, 1, 1))->DayIndex, 36534);
    EXPECT_EQ(GetGanZhi(At(1900, 1, 1)), (TGanZhi{35, 12, 10}));
    EXPECT_EQ(GetGanZhi(At(2008, 2, 5))->YearIndex, 2008 - 1864);
    EXPECT_EQ(GetGanZhi(At(2008, 2, 3))->MonthIndex, 108 * 12 + 2 + 11);
    EXPECT_EQ(GetGanZhi(At(2008, 2, 4))->MonthIndex, 108 * 12 + 2 + 12);
}

TEST(GetGanZhi, NoRecordBefore1900OrForNonNumbers) {
    EXPECT_FALSE(GetGanZhi(At(1899, 12, 31)).has_value());
    EXPECT_FALSE(GetGanZhi(At(1899, 12, 31) + 0.9).has_value());
    EXPECT_FALSE(GetGanZhi(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(GetGanZhi(std::numeric_limits<double>::infinity()).has_value());
}

TEST(GetGanZhi, YearIndexStepsOncePerYearOnTheDayAfterLiChun) {
    for (int year = 1901; year <= 2100; ++year) {
        const DateTime li_chun_day = DateOf(GetSolarTermTime(year, 2));
        for (DateTime day = EncodeDate(year, 1, 1); day < EncodeDate(year, 3, 1); ++day) {
            const int step = GetGanZhi(day)->YearIndex - GetGanZhi(day - 1)->YearIndex;
            ASSERT_EQ(step, day == li_chun_day + 1 ? 1 : 0) << year << " " << day;
        }
    }
}

}  // namespace
}  // namespace kalvoro
