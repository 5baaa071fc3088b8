#include "cal_format.h"

#include <gtest/gtest.h>

#include "calendar/calendar_window_festivals.h"

namespace kalvoro::cal {
namespace {

GivenDate Given(std::string text) {
    return *ParseGivenDate(text, true);
}

TEST(JsonEscape, EscapesQuotesBackslashesAndControls) {
    EXPECT_EQ(JsonEscape("plain 中文"), "plain 中文");
    EXPECT_EQ(JsonEscape("a\"b\\c"), "a\\\"b\\\\c");
    EXPECT_EQ(JsonEscape("\n\r\t\b\f"), "\\n\\r\\t\\b\\f");
    EXPECT_EQ(JsonEscape(std::string_view("\x01\x1f\0", 3)), "\\u0001\\u001f\\u0000");
}

TEST(DisplayWidth, ChineseCharactersTakeTwoColumns) {
    EXPECT_EQ(DisplayWidth("12"), 2u);
    EXPECT_EQ(DisplayWidth("初一"), 4u);
    EXPECT_EQ(DisplayWidth("闰十一月"), 8u);
}

TEST(FormatMonthGrid, LunarLineUnderTheDaysAndReverseVideoForToday) {
    const std::string grid = FormatMonthGrid(2008, 2, 0);
    // February 2008 begins on a Friday; 4 February is 立春, 7 February lunar new year.
    EXPECT_NE(grid.find("                                         1       2\n"), std::string::npos) << grid;
    EXPECT_NE(grid.find("  立春 "), std::string::npos) << grid;
    EXPECT_NE(grid.find("  正月"), std::string::npos) << grid;
    EXPECT_EQ(grid.find("\x1b["), std::string::npos);

    const std::string highlighted = FormatMonthGrid(2008, 2, 7);
    EXPECT_NE(highlighted.find("\x1b[7m 7\x1b[0m"), std::string::npos) << highlighted;
    EXPECT_NE(highlighted.find("\x1b[7m正月\x1b[0m"), std::string::npos) << highlighted;
}

TEST(FormatMonthGrid, OutsideTheLunarRangeShowsDayNumbersOnly) {
    const std::string grid = FormatMonthGrid(1800, 1, 0);
    EXPECT_NE(grid.find("31"), std::string::npos);
    EXPECT_EQ(grid.find("初"), std::string::npos);
}

TEST(FormatHintLines, ThreeLinesOrMore) {
    const TFestivalList festivals = MakeCalendarWindowFestivals();
    EXPECT_EQ(FormatHintLines(EncodeDate(2008, 8, 30), festivals),
              "公历: 2008年08月30日 星期六\n农历: 二零零八年七月三十\n干支: 戊子(鼠)年庚申月壬寅日\n");
    EXPECT_EQ(FormatHintLines(EncodeDate(2008, 2, 4) + EncodeTime(20, 0, 0), festivals),
              "公历: 2008年02月04日 星期一\n农历: 二零零七年腊月廿八\n干支: 戊子(鼠)年甲寅月甲戌日\n节气: 立春\n");
    EXPECT_EQ(FormatHintLines(EncodeDate(2008, 5, 11), festivals),
              "公历: 2008年05月11日 星期日\n农历: 二零零八年四月初七\n干支: 戊子(鼠)年丁巳月辛亥日\n节日: 母亲节\n");
}

TEST(FormatJsonRecord, AllKeysForADateAndNullsBefore1900) {
    const TFestivalList defaults;
    const TFestivalList window = MakeCalendarWindowFestivals();
    EXPECT_EQ(FormatJsonRecord(Given("2008-02-04 20:00"), defaults, window),
              R"({"date":"2008-02-04 20:00","lunar_year":2007,"lunar_month":12,"lunar_day":28,)"
              R"("lunar_leap":false,"gz_year":144,"gz_month":1310,"gz_day":39490,"animal":"鼠","term":"立春",)"
              R"("festival":"","festival_color":-1,"week":6,"week_iso":6,"lunar_text":"二零零七年腊月廿八 ",)"
              R"("ganzhi_text":"戊子(鼠)年甲寅月甲戌日","term_text":"立春","festival_text":""})");
    EXPECT_EQ(FormatJsonRecord(Given("2009-06-27"), defaults, window),
              R"({"date":"2009-06-27","lunar_year":2009,"lunar_month":5,"lunar_day":5,"lunar_leap":true,)"
              R"("gz_year":145,"gz_month":1326,"gz_day":39999,"animal":"牛","term":"",)"
              R"("festival":"端午节","festival_color":8388736,"week":26,"week_iso":26,)"
              R"("lunar_text":"二零零九年闰五月初五 ","ganzhi_text":"己丑(牛)年庚午月癸卯日","term_text":"",)"
              R"("festival_text":"端午节"})");
    EXPECT_EQ(FormatJsonRecord(Given("1899-12-25"), defaults, window),
              R"({"date":"1899-12-25","lunar_year":0,"lunar_month":0,"lunar_day":0,"lunar_leap":false,)"
              R"("gz_year":null,"gz_month":null,"gz_day":null,"animal":"","term":"","festival":"圣诞节",)"
              R"("festival_color":255,"week":52,"week_iso":52,"lunar_text":" ","ganzhi_text":"","term_text":"",)"
              R"("festival_text":"圣诞节"})");
}

}  // namespace
}  // namespace kalvoro::cal
