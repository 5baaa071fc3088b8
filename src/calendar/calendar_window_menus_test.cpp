#include "calendar/calendar_window_menus.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(DateMenus, MonthsAndThirteenYearsWithinTheCalendarsRange) {
    const std::vector<DateMenuItem> months = MonthMenuItems();
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months.front().caption, "01月");
    EXPECT_EQ(months.back().caption, "12月");
    EXPECT_EQ(months.back().tag, 12);

    struct Case {
        int selected;
        int first;
    };
    for (const Case& c :
         {Case{2009, 2003}, Case{2100, 2088}, Case{1900, 1900}, Case{1906, 1900}, Case{2094, 2088}, Case{1500, 1900}}) {
        const std::vector<DateMenuItem> years = YearMenuItems(c.selected);
        ASSERT_EQ(years.size(), 13u);
        EXPECT_EQ(years.front().tag, c.first) << c.selected;
        EXPECT_EQ(years.front().caption, std::to_string(c.first) + "年");
        EXPECT_EQ(years.back().tag, c.first + 12) << c.selected;
    }
}

TEST(DateMenus, YearInput) {
    EXPECT_EQ(ParseYearInput("2009"), 2009);
    EXPECT_EQ(ParseYearInput(" 1950 "), 1950);
    EXPECT_EQ(ParseYearInput("1899"), 1900);
    EXPECT_EQ(ParseYearInput("99999"), 2100);
    EXPECT_EQ(ParseYearInput("-5"), 1900);
    EXPECT_EQ(ParseYearInput(""), std::nullopt);
    EXPECT_EQ(ParseYearInput("20x9"), std::nullopt);
    EXPECT_EQ(ParseYearInput("99999999999999"), std::nullopt);
}

TEST(CellTextMenu, EachKindSetsWhatTheCellsShow) {
    ASSERT_EQ(CellTextMenuItems().size(), 3u);
    EXPECT_EQ(CellTextCaption(CellTextKind::kGanZhi), "公历-干支");

    const CellTextSettings lunar = CellTextSettingsFor(CellTextKind::kLunar);
    EXPECT_TRUE(lunar.lunar_below);
    EXPECT_FALSE(lunar.festivals_below);
    EXPECT_TRUE(lunar.change_chinese_ear);
    EXPECT_FALSE(lunar.chinese_ear);

    const CellTextSettings ganzhi = CellTextSettingsFor(CellTextKind::kGanZhi);
    EXPECT_TRUE(ganzhi.lunar_below);
    EXPECT_TRUE(ganzhi.chinese_ear);

    const CellTextSettings festival = CellTextSettingsFor(CellTextKind::kFestival);
    EXPECT_FALSE(festival.lunar_below);
    EXPECT_TRUE(festival.festivals_below);
    EXPECT_FALSE(festival.change_chinese_ear);
}

TEST(MarkMenu, MarkItemsOnlyFromTheGridAndDeleteOnlyOnAMarkedDay) {
    MemoryFileStore files;
    TFestivalList lists = TFestivalList::WithoutDefaults();
    CalendarMarks marks(files, "Marks.rec", lists);
    marks.AddMark("10815", "中秋");

    const DateTime mid_autumn_2001 = EncodeDate(2001, 10, 1);
    EXPECT_FALSE(MarkMenuStateFor(false, mid_autumn_2001, marks).mark_items_visible);
    const MarkMenuState on_grid = MarkMenuStateFor(true, mid_autumn_2001, marks);
    EXPECT_TRUE(on_grid.mark_items_visible);
    // The lunar key is the selected date's own, whatever year it is in.
    EXPECT_TRUE(on_grid.delete_enabled);
    EXPECT_FALSE(MarkMenuStateFor(true, EncodeDate(2001, 10, 2), marks).delete_enabled);
}

}  // namespace
}  // namespace kalvoro
