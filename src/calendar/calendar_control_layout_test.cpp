#include "calendar/calendar_control_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/calendar_control_grid.h"
#include "calendar/testing/calendar_control_test_support.h"

namespace kalvoro {
namespace {

using enum TLssCalStyle;
using testing::FakeMeasurer;

CalendarLayoutInput Input(TLssCalStyle lunar, TLssCalStyle festival) {
    CalendarLayoutInput input;
    input.client_width = 280;  // cells 40 x 35: the right band 16 wide, the bottom band 9 high
    input.client_height = 245;
    input.lunar_style = lunar;
    input.festival_style = festival;
    input.date = EncodeDate(2026, 12, 10);  // a Thursday
    return input;
}

struct StyleCase {
    TLssCalStyle lunar;
    TLssCalStyle festival;
    Rect day_number;
    Rect lunar_rect;
    Rect festival_rect;
};

constexpr Rect R(int x, int y, int w, int h) {
    return Rect::FromSize(x, y, w, h);
}

TEST(CalendarLayoutTest, CellPlacesForAllNineStyleCombinations) {
    const StyleCase cases[] = {
        {csBottom, csBottom, R(0, 0, 40, 26), R(0, 26, 40, 9), R(0, 26, 40, 9)},
        {csBottom, csRight, R(0, 0, 24, 26), R(0, 26, 40, 9), R(24, 0, 16, 26)},
        {csBottom, csNone, R(0, 0, 40, 26), R(0, 26, 40, 9), {}},
        {csRight, csBottom, R(0, 0, 24, 26), R(24, 0, 16, 26), R(0, 26, 40, 9)},
        {csRight, csRight, R(0, 0, 24, 35), R(24, 0, 16, 35), R(24, 0, 16, 35)},
        {csRight, csNone, R(0, 0, 24, 35), R(24, 0, 16, 35), {}},
        {csNone, csBottom, R(0, 0, 40, 26), {}, R(0, 26, 40, 9)},
        {csNone, csRight, R(0, 0, 24, 35), {}, R(24, 0, 16, 35)},
        {csNone, csNone, R(0, 0, 40, 35), {}, {}},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "lunar " << static_cast<int>(c.lunar) << " festival " << static_cast<int>(c.festival));
        const CalendarLayout layout = ComputeCellGeometry(Input(c.lunar, c.festival));
        EXPECT_EQ(layout.day_number, c.day_number);
        EXPECT_EQ(layout.lunar, c.lunar_rect);
        EXPECT_EQ(layout.festival, c.festival_rect);
    }
}

TEST(CalendarLayoutTest, RowsAndCellsOfTheClientArea) {
    CalendarLayoutInput input = Input(csRight, csBottom);
    input.client_width = 286;  // 6 pixels more than seven cells
    const CalendarLayout layout = ComputeCellGeometry(input);
    EXPECT_EQ(layout.cell_width, 40);
    EXPECT_EQ(layout.cell_height, 35);
    EXPECT_EQ(layout.title, R(0, 0, 286, 0));
    EXPECT_EQ(layout.week, R(0, 0, 286, 35));
    EXPECT_EQ(layout.days, R(0, 35, 286, 210));
    EXPECT_EQ(CellRectAt(layout, 0), R(0, 35, 40, 35));
    EXPECT_EQ(CellRectAt(layout, 9), R(80, 70, 40, 35));
    EXPECT_EQ(CellRectAt(layout, 41), R(240, 210, 40, 35));

    EXPECT_EQ(CellIndexAt(layout, 0, 35), 0);
    EXPECT_EQ(CellIndexAt(layout, 119, 104), 9);
    EXPECT_EQ(CellIndexAt(layout, 285, 244), 41) << "the strip right of the last column is the last column";
    EXPECT_EQ(CellIndexAt(layout, 100, 34), -1) << "the weekday row has no cells";
    EXPECT_EQ(CellIndexAt(layout, 286, 100), -1);
}

TEST(CalendarLayoutTest, TinyControlHasNoCellsToHit) {
    CalendarLayoutInput input = Input(csRight, csBottom);
    input.client_width = 6;
    input.client_height = 100;
    const CalendarLayout layout = ComputeCellGeometry(input);
    EXPECT_EQ(layout.cell_width, 0);
    EXPECT_EQ(CellIndexAt(layout, 3, 50), -1);
}

TEST(CalendarLayoutTest, BandsStayInsideTheCellWhateverTheScale) {
    CalendarLayoutInput input = Input(csRight, csBottom);
    input.horizon_scale = -2.5;
    input.vertical_scale = 0.01;
    const CalendarLayout layout = ComputeCellGeometry(input);
    EXPECT_EQ(layout.day_number, R(0, 0, 40, 0));
    EXPECT_TRUE(layout.lunar.IsEmpty());
    EXPECT_EQ(layout.festival, R(0, 0, 40, 35));
}

TEST(CalendarLayoutTest, CellsTouchedByAnUpdate) {
    const CalendarLayout layout = ComputeCellGeometry(Input(csRight, csBottom));
    const Rect one_cell[] = {CellRectAt(layout, 9)};
    EXPECT_EQ(CellsTouched(layout, one_cell).count(), 1u);
    EXPECT_TRUE(CellsTouched(layout, one_cell)[9]);
    const Rect corner_of_four[] = {R(79, 69, 2, 2)};
    EXPECT_EQ(CellsTouched(layout, corner_of_four).count(), 4u);
    const Rect weekday_row[] = {layout.week};
    EXPECT_TRUE(CellsTouched(layout, weekday_row).none());
    const Rect everything[] = {layout.days};
    EXPECT_TRUE(CellsTouched(layout, everything).all());
}

TEST(FitFontSizeTest, LargestSizeThatFitsBothWays) {
    FakeMeasurer measurer;
    const CalFont font{"宋体", kGb2312Charset, 0, 9, 0};
    EXPECT_EQ(FitFontSize(measurer, font, "九九九", 60, 100), 20);  // three characters of 20 = 60
    EXPECT_EQ(FitFontSize(measurer, font, "九九九", 600, 17), 17);
    EXPECT_EQ(FitFontSize(measurer, font, "九九九", 14, 100), kUnfittableFontSize);
    EXPECT_EQ(FitFontSize(measurer, font, "9", 100000, 100000), kMaxFittedFontSize);
    EXPECT_EQ(FitFontSize(measurer, font, "九", 0, 0), kUnfittableFontSize);
}

TEST(CalendarLayoutTest, AutoFontSizeFitsEachFontInItsOwnFace) {
    FakeMeasurer measurer;
    TLssCalColors fonts;
    const CalendarLayout layout = ComputeCalendarLayout(Input(csRight, csBottom), measurer, fonts);
    EXPECT_EQ(fonts.BackMonthTextFont.Size, 189) << "0.9 of the days' height";
    EXPECT_EQ(fonts.TitleTextFont.Size, kUnfittableFontSize) << "the title strip has no height";
    EXPECT_EQ(fonts.WeekTextFont.Size, 12) << "星期四 in 0.9 of a cell's width";
    EXPECT_EQ(fonts.DayTextFont.Size, 16) << "\"10\" in Arial Black within 24 x 26";
    EXPECT_EQ(fonts.LunarTextFont.Size, 5) << "九九九 in 16 x 26";
    EXPECT_EQ(fonts.FtvTextFont.Size, 6) << "six 九 in 40 x 9";
    EXPECT_EQ(layout.longest_festival_bytes, 12) << "six characters of 6 fit 40 pixels";
    const auto day_measure = std::find_if(measurer.measured.begin(), measurer.measured.end(),
                                          [](const auto& entry) { return entry.second == "10"; });
    ASSERT_NE(day_measure, measurer.measured.end());
    EXPECT_EQ(day_measure->first, "Arial Black");
}

TEST(CalendarLayoutTest, VerticalTextIsFittedToOneCharacterInAThirdOfTheBand) {
    FakeMeasurer measurer;
    TLssCalColors fonts;
    CalendarLayoutInput input = Input(csRight, csRight);
    input.show_vertical = true;
    const CalendarLayout layout = ComputeCalendarLayout(input, measurer, fonts);
    EXPECT_EQ(fonts.LunarTextFont.Size, 11) << "九 in 16 x 35/3";
    EXPECT_EQ(fonts.FtvTextFont.Size, 11);
    EXPECT_EQ(layout.longest_festival_bytes, kDefaultLongestFestivalBytes);
}

TEST(CalendarLayoutTest, LongestFestivalTextWithoutFitting) {
    FakeMeasurer measurer;
    TLssCalColors fonts;
    CalendarLayoutInput input = Input(csNone, csBottom);
    input.auto_font_size = false;
    fonts.FtvTextFont.Size = 8;
    EXPECT_EQ(ComputeCalendarLayout(input, measurer, fonts).longest_festival_bytes, 10) << "five of 8 in 40";
    fonts.FtvTextFont.Size = 20;
    EXPECT_EQ(ComputeCalendarLayout(input, measurer, fonts).longest_festival_bytes, 6) << "never below three";
    EXPECT_EQ(fonts.FtvTextFont.Size, 20) << "sizes stay without AutoFontSize";
}

TEST(CalendarLayoutTest, ArrowHotSpotsStraddleTheTopEdge) {
    FakeMeasurer measurer;
    TLssCalColors fonts;
    CalendarLayoutInput input = Input(csRight, csBottom);
    input.auto_font_size = false;
    fonts.TitleTextFont.Size = 14;  // measured at 8: "《" is 12 x 8 in Arial Black
    CalendarLayout layout = ComputeCalendarLayout(input, measurer, fonts);
    EXPECT_EQ(layout.arrows.prev_year, R(5, -4, 12, 8));
    EXPECT_EQ(layout.arrows.prev_month, R(18, -4, 12, 8));
    EXPECT_EQ(layout.arrows.next_year, R(263, -4, 12, 8));
    EXPECT_EQ(layout.arrows.next_month, R(250, -4, 12, 8));

    input.show_arrow = false;
    layout = ComputeCalendarLayout(input, measurer, fonts);
    EXPECT_TRUE(layout.arrows.prev_year.IsEmpty());
}

TEST(FirstDateOfGridTest, SundayAndMondayStartingWeeks) {
    struct Case {
        int year;
        int month;
        bool iso;
        DateTime first;
    };
    const Case cases[] = {
        {2026, 2, false, EncodeDate(2026, 1, 25)},  // 1 February is a Sunday: a whole week before it
        {2026, 2, true, EncodeDate(2026, 1, 26)},
        {2026, 6, false, EncodeDate(2026, 5, 31)},    // 1 June is a Monday
        {2026, 6, true, EncodeDate(2026, 5, 25)},     // a whole week before it
        {2026, 12, false, EncodeDate(2026, 11, 29)},  // 1 December is a Tuesday
        {2026, 12, true, EncodeDate(2026, 11, 30)},
        {1900, 1, false, EncodeDate(1899, 12, 31)},  // 1 January 1900 is a Monday
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FirstDateOfGrid(c.year, c.month, c.iso), c.first) << c.year << "-" << c.month << " iso " << c.iso;
    }
}

TEST(FirstDateOfGridTest, EveryMonthStartsOnTheWeekStartWithOneToSevenDaysBefore) {
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const DateTime first_of_month = EncodeDate(year, month, 1);
            for (const bool iso : {false, true}) {
                const DateTime first = FirstDateOfGrid(year, month, iso);
                ASSERT_EQ(DayOfWeek(first), iso ? 2 : 1) << year << "-" << month;
                ASSERT_GE(first_of_month - first, 1);
                ASSERT_LE(first_of_month - first, 7);
            }
        }
    }
}

}  // namespace
}  // namespace kalvoro
