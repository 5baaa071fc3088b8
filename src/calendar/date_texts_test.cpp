#include "calendar/date_texts.h"

#include <gtest/gtest.h>

#include "calendar/calendar_window_festivals.h"

namespace kalvoro {
namespace {

DateTime At(int year, int month, int day, int hour = 0) {
    return EncodeDate(year, month, day) + EncodeTime(hour, 0, 0);
}

TEST(GetLunarText, TermOnlyOnWholeTermDaysBlankAlways) {
    EXPECT_EQ(GetLunarText(At(2008, 2, 4)), "二零零七年腊月廿八 立春");
    EXPECT_EQ(GetLunarText(At(2008, 2, 4, 10)), "二零零七年腊月廿八 ");
    EXPECT_EQ(GetLunarText(At(2008, 2, 7)), "二零零八年正月初一 ");
    EXPECT_EQ(GetLunarText(At(2020, 5, 23)), "二零二零年闰四月初一 ");
    EXPECT_EQ(GetLunarText(At(2033, 12, 22)), "二零三三年闰十一月初一 ");
    // Without a lunar date only the blank and the term remain.
    EXPECT_EQ(GetLunarText(At(1900, 1, 6)), " 小寒");
    EXPECT_EQ(GetLunarText(At(2101, 1, 2)), " ");
}

TEST(GetGanZhiText, YearTurnsAtTheLiChunInstant) {
    EXPECT_EQ(GetGanZhiText(At(2008, 2, 4, 20)), "戊子(鼠)年甲寅月甲戌日");
    EXPECT_EQ(GetGanZhiText(At(2008, 2, 4, 10)), "丁亥(猪)年甲寅月甲戌日");
    EXPECT_EQ(GetGanZhiText(At(2000, 1, 1)), "己卯(兔)年丙子月戊午日");
    EXPECT_EQ(GetGanZhiText(At(1899, 12, 31, 23)), "");
}

TEST(GetTermText, UsesTheWholeDay) {
    EXPECT_EQ(GetTermText(At(2008, 2, 4, 10)), "立春");
    EXPECT_EQ(GetTermText(At(2008, 2, 5, 10)), "");
}

TEST(GetFtvText, WindowRowsAndWholeDay) {
    const TFestivalList festivals = MakeCalendarWindowFestivals();
    EXPECT_EQ(GetFtvText(festivals, At(2008, 5, 11, 15)), "母亲节");
    EXPECT_EQ(GetFtvText(festivals, At(2009, 1, 25, 8)), "除夕 世界麻风日");
    EXPECT_EQ(GetFtvText(festivals, At(2008, 8, 30)), "");
}

}  // namespace
}  // namespace kalvoro
