#include "calendar/lunar_names.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(LunarNames, DayNames) {
    const std::pair<int, const char*> cases[] = {
        {1, "初一"},  {9, "初九"},  {10, "初十"}, {11, "十一"}, {19, "十九"}, {20, "二十"},
        {21, "廿一"}, {29, "廿九"}, {30, "三十"}, {0, ""},      {31, ""},     {-3, ""},
    };
    for (const auto& [day, name] : cases) EXPECT_EQ(GetLunarDayName(day), name) << day;
}

TEST(LunarNames, MonthNames) {
    EXPECT_EQ(GetLunarMonthName(1, false), "正月");
    EXPECT_EQ(GetLunarMonthName(2, false), "二月");
    EXPECT_EQ(GetLunarMonthName(10, false), "十月");
    EXPECT_EQ(GetLunarMonthName(11, false), "十一月");
    EXPECT_EQ(GetLunarMonthName(12, false), "腊月");
    EXPECT_EQ(GetLunarMonthName(4, true), "闰四月");
    EXPECT_EQ(GetLunarMonthName(11, true), "闰十一月");
    EXPECT_EQ(GetLunarMonthName(0, false), "月");
    EXPECT_EQ(GetLunarMonthName(13, true), "闰月");
}

TEST(LunarNames, YearNames) {
    EXPECT_EQ(GetLunarYearName(2008), "二零零八年");
    EXPECT_EQ(GetLunarYearName(1990), "一九九零年");
    EXPECT_EQ(GetLunarYearName(2100), "二一零零年");
    // A zero thousands digit is 零 as well, never the 日 of Sunday.
    EXPECT_EQ(GetLunarYearName(0), "零零零零年");
    EXPECT_EQ(GetLunarYearName(-1), "");
    EXPECT_EQ(GetLunarYearName(10000), "");
}

TEST(LunarNames, StemBranchAndAnimalWrapAnyIndex) {
    EXPECT_EQ(GetGanZhiName(0), "甲子");
    EXPECT_EQ(GetGanZhiName(59), "癸亥");
    EXPECT_EQ(GetGanZhiName(60), "甲子");
    EXPECT_EQ(GetGanZhiName(36534), "戊午");
    EXPECT_EQ(GetGanZhiName(-1), "癸亥");
    EXPECT_EQ(GetAnimalName(144), "鼠");  // 2008 - 1864
    EXPECT_EQ(GetAnimalName(143), "猪");
    EXPECT_EQ(GetAnimalName(-1), "猪");
}

TEST(LunarNames, WeekNames) {
    EXPECT_EQ(GetChineseWeekName(0), "星期日");
    EXPECT_EQ(GetChineseWeekName(1), "星期一");
    EXPECT_EQ(GetChineseWeekName(6), "星期六");
    EXPECT_EQ(GetChineseWeekName(7), "星期日");
    EXPECT_EQ(GetChineseWeekName(-1), "星期六");
    EXPECT_EQ(GetEnglishWeekName(0, 0), "Sun");
    EXPECT_EQ(GetEnglishWeekName(3, 1), "Wednesday");
    EXPECT_EQ(GetEnglishWeekName(7, 1), "Sunday");
    EXPECT_EQ(GetEnglishWeekName(1, 2), "");
}

}  // namespace
}  // namespace kalvoro
