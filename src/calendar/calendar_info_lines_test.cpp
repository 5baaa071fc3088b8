#include "calendar/calendar_info_lines.h"

#include <gtest/gtest.h>

#include "calendar/calendar_window_festivals.h"

namespace kalvoro {
namespace {

TEST(CalendarInfoLines, LinesForFixedDates) {
    const TFestivalList festivals = MakeCalendarWindowFestivals();
    const MarkLines marks({"00505=端午", "10815=中秋", "00914=生日"});

    const CalendarInfoLines leap = MakeCalendarInfoLines(EncodeDate(2020, 5, 23), festivals, marks);
    EXPECT_EQ(leap.year, "2020年");
    EXPECT_EQ(leap.month, "05月");
    EXPECT_EQ(leap.lunar, "农历： 二零二零年闰四月初一");
    EXPECT_EQ(leap.ganzhi.rfind("干支： 庚子(鼠)年辛巳月", 0), 0u) << leap.ganzhi;
    EXPECT_EQ(leap.festival, "节日： 国际牛奶日");
    EXPECT_EQ(leap.mark, "标记： ");

    const CalendarInfoLines term = MakeCalendarInfoLines(EncodeDate(2008, 2, 4), festivals, marks);
    EXPECT_EQ(term.lunar, "农历： 二零零七年腊月廿八 (立春)");
    // The whole day counts: before the 立春 instant the year is still 丁亥.
    EXPECT_EQ(term.ganzhi.rfind("干支： 丁亥(猪)年", 0), 0u) << term.ganzhi;

    const CalendarInfoLines mid_autumn = MakeCalendarInfoLines(EncodeDate(2008, 9, 14) + 0.75, festivals, marks);
    EXPECT_EQ(mid_autumn.year, "2008年");
    EXPECT_EQ(mid_autumn.month, "09月");
    EXPECT_EQ(mid_autumn.festival, "节日： 中秋节 世界清洁地球日");
    EXPECT_EQ(mid_autumn.mark, "标记： 生日  *中秋");

    EXPECT_EQ(MakeCalendarInfoLines(EncodeDate(2008, 5, 11), festivals, marks).festival, "节日： 母亲节");

    const CalendarInfoLines before_lunar = MakeCalendarInfoLines(EncodeDate(1899, 12, 31), festivals, marks);
    EXPECT_EQ(before_lunar.year, "1899年");
    EXPECT_EQ(before_lunar.lunar, "农历： ");
    EXPECT_EQ(before_lunar.ganzhi, "干支： ");
}

}  // namespace
}  // namespace kalvoro
