#include "calendar/calendar_hint_text.h"

#include <gtest/gtest.h>

#include "base/gbk.h"
#include "calendar/date_texts.h"

namespace kalvoro {
namespace {

// Every GBK byte 6 pixels wide, every line 12 high.
CalSize Measure(std::string_view text) {
    return {static_cast<int>(GbkLength(text)) * 6, 12};
}

TEST(CalendarHintTextTest, GregorianLunarStemBranchAndFestivalLines) {
    const TFestivalList festivals;
    const DateTime leap_day = EncodeDate(2020, 5, 23);
    EXPECT_EQ(CalendarHintText(leap_day, festivals, false, ChineseDateLocale()),
              "公元= 2020年5月23日 星期六  第21周\n"
              "农历= 二零二零年闰四月初一\n"
              "干支= 庚子(鼠)年辛巳月丙寅日\n"  // day 丙寅: 25,802 days after 甲子 1949-10-01 (≡ 2 mod 60)
              "节日= 国际牛奶日");
    EXPECT_EQ(CalendarHintText(EncodeDate(2008, 2, 7), festivals, true, ChineseDateLocale()),
              "公元= 2008年2月7日 星期四  第6周\n"
              "农历= 二零零八年正月初一\n"
              "干支= 戊子(鼠)年甲寅月丁丑日\n"
              "节日= 春节 国际声援南非日");
}

TEST(CalendarHintTextTest, DatesWithoutLunarDateOrStemBranch) {
    EXPECT_EQ(CalendarHintText(EncodeDate(1899, 12, 31), TFestivalList(), false, ChineseDateLocale()),
              "公元= 1899年12月31日 星期日  第53周\n农历= \n干支= ");
}

TEST(CalendarHintLayoutTest, LabelsFromTheTextBeforeTheFirstEquals) {
    const HintLayout layout = LayoutHintText("公元= 2020年\r\n\r\n 农历 = 闰四月=初一\n无等号", Measure);
    ASSERT_EQ(layout.lines.size(), 3u);
    EXPECT_EQ(layout.lines[0].label, "公元:");
    EXPECT_EQ(layout.lines[0].text, " 2020年");
    EXPECT_EQ(layout.lines[1].label, "农历:");
    EXPECT_EQ(layout.lines[1].text, " 闰四月=初一");
    EXPECT_EQ(layout.lines[2].label, "");
    EXPECT_EQ(layout.lines[2].text, "无等号");
    EXPECT_EQ(layout.label_width, 30);
    EXPECT_EQ(layout.TextX(), 35);
    EXPECT_EQ(layout.LineY(2), 29);
    EXPECT_EQ(layout.width, 30 + 72 + 10) << "label column plus the widest text";
    EXPECT_EQ(layout.height, 3 * 12 + 10);
    EXPECT_TRUE(layout.visible);
}

TEST(CalendarHintLayoutTest, TextWithoutEqualsHasNoLabels) {
    const HintLayout layout = LayoutHintText("上一年", Measure);
    ASSERT_EQ(layout.lines.size(), 1u);
    EXPECT_EQ(layout.lines[0].label, "");
    EXPECT_EQ(layout.TextX(), 5);
    EXPECT_EQ(layout.width, 36 + 10);
    EXPECT_EQ(layout.height, 22);
}

TEST(CalendarHintLayoutTest, NothingToShowHidesTheWindow) {
    EXPECT_FALSE(LayoutHintText("", Measure).visible);
    EXPECT_FALSE(LayoutHintText("\r\n\n", Measure).visible);
}

}  // namespace
}  // namespace kalvoro
