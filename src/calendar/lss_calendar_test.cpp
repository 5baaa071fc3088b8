#include "calendar/lss_calendar.h"

#include <gtest/gtest.h>

#include "calendar/testing/calendar_control_test_support.h"
#include "calendar/calendar_hint_text.h"
#include "calendar/cell_text.h"
#include "calendar/date_texts.h"

namespace kalvoro {
namespace {

using enum TLssCalStyle;
using testing::FakeView;

constexpr Rect R(int x, int y, int w, int h) {
    return Rect::FromSize(x, y, w, h);
}

// A control of 280 x 245 (cells 40 x 35) showing December 2026, with today the 10th.
class LssCalendarTest : public ::testing::Test {
protected:
    LssCalendarTest() {
        calendar.AttachView(view, 280, 245);
        calendar.OnChange = [this] { ++changes; };
        view.Clear();
    }

    void Select(int year, int month, int day) {
        calendar.SetDate(EncodeDate(year, month, day));
        changes = 0;
        view.Clear();
    }
    // A point inside the cell of the date.
    std::pair<int, int> PointOf(DateTime date) const {
        const Rect cell = calendar.GetCellRect(date);
        return {cell.left + 5, cell.top + 5};
    }

    FakeClock clock{EncodeDate(2026, 12, 10) + 0.75};
    FakeView view;
    TLssCalendar calendar{clock};
    int changes = 0;
};

TEST_F(LssCalendarTest, StartsOnTodayWithTheInitialProperties) {
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 10));
    EXPECT_EQ(calendar.FirstDate(), EncodeDate(2026, 11, 29));
    EXPECT_EQ(calendar.LunarCalStyle(), csRight);
    EXPECT_EQ(calendar.FtvCalStyle(), csBottom);
    EXPECT_DOUBLE_EQ(calendar.VerticalScale(), 4.0);
    EXPECT_DOUBLE_EQ(calendar.HorizonScale(), 2.5);
    EXPECT_TRUE(calendar.ShowBackMonth());
    EXPECT_TRUE(calendar.ShowArrow());
    EXPECT_TRUE(calendar.AutoFontSize());
    EXPECT_TRUE(calendar.ShowHint());
    EXPECT_FALSE(calendar.ChineseEar() || calendar.UseISO8601() || calendar.ShowVertical() ||
                 calendar.ShowBackImage() || calendar.ShowBorder() || calendar.ShowGrid() || calendar.EnWeekName() ||
                 calendar.SmoothText() || calendar.ShadowFont());
    // Written out by hand: system colours are 0xFF000000 + the colour index (active caption 2,
    // window 5, window text 8, inactive caption text 19); GB2312 is character set 134, the default
    // one 1; bold is style 1, italic 2. Fonts are fitted only once a window exists.
    const TLssCalColors& colors = calendar.CalColors();
    EXPECT_EQ(colors.TitleBackColor, 0xFF000002u);
    EXPECT_EQ(colors.WeekBackColor, 0xFF000005u);
    EXPECT_EQ(colors.DayBackColor, 0xFF000005u);
    EXPECT_EQ(colors.TrailingTextColor, 0xFF000013u);
    EXPECT_EQ(colors.LunarTermColor, 8388608u);
    EXPECT_EQ(colors.SundayColor, 255u);
    EXPECT_EQ(colors.SaturdayColor, 128u);
    EXPECT_EQ(colors.HightlightBackColor, 0xFF000002u);
    EXPECT_EQ(colors.HightlightTextColor, 16777215u);
    EXPECT_EQ(colors.BorderColor, 8421504u);
    EXPECT_EQ(colors.GridColor, 12632256u);
    EXPECT_EQ(colors.ArrowColor, 16777215u);
    const TLssCalendar without_window(clock);
    const TLssCalColors& fonts = without_window.CalColors();
    EXPECT_EQ(fonts.TitleTextFont, (CalFont{"Arial Black", 134, 0xFFFFFF, 14, 1}));
    EXPECT_EQ(fonts.WeekTextFont, (CalFont{"宋体", 134, 0xFF000002, 12, 0}));
    EXPECT_EQ(fonts.DayTextFont, (CalFont{"Arial Black", 1, 0xFF000008, 10, 1}));
    EXPECT_EQ(fonts.LunarTextFont, (CalFont{"宋体", 134, 0xFF000008, 8, 0}));
    EXPECT_EQ(fonts.FtvTextFont, (CalFont{"宋体", 134, 255, 8, 0}));
    EXPECT_EQ(fonts.BackMonthTextFont, (CalFont{"Times New Roman", 1, 12632256, 240, 1 | 2}));
    EXPECT_EQ(calendar.FtvList().GetSolarFestival(EncodeDate(2026, 12, 25)).text, "圣诞节");
}

TEST_F(LssCalendarTest, ClockOutsideTheYearsStartsAtTheNearestEnd) {
    FakeClock late(EncodeDate(2150, 6, 1));
    EXPECT_EQ(TLssCalendar(late).Date(), EncodeDate(2100, 12, 31));
}

TEST_F(LssCalendarTest, SetDateKeepsTheWholeDayWithinTheYears) {
    calendar.SetDate(EncodeDate(1899, 12, 31));
    calendar.SetDate(EncodeDate(2101, 1, 1));
    calendar.SetDate(EncodeDate(2026, 12, 10) + 0.5);  // the same day
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 10));
    EXPECT_EQ(changes, 0);

    calendar.SetDate(EncodeDate(1900, 1, 1) + 0.9);
    EXPECT_EQ(calendar.Date(), EncodeDate(1900, 1, 1));
    EXPECT_EQ(calendar.FirstDate(), EncodeDate(1899, 12, 31));
    calendar.SetDate(EncodeDate(2100, 12, 31));
    EXPECT_EQ(calendar.Date(), EncodeDate(2100, 12, 31));
    EXPECT_EQ(changes, 2);
}

TEST_F(LssCalendarTest, SetYearAndSetMonthClampTheirArgumentAndTheDay) {
    struct Case {
        DateTime from;
        bool set_year;
        int value;
        DateTime expected;
    };
    const Case cases[] = {
        {EncodeDate(2026, 12, 10), true, 2150, EncodeDate(2100, 12, 10)},
        {EncodeDate(2026, 12, 10), true, 1500, EncodeDate(1900, 12, 10)},
        {EncodeDate(2008, 2, 29), true, 2009, EncodeDate(2009, 2, 28)},
        {EncodeDate(2008, 3, 31), false, 2, EncodeDate(2008, 2, 29)},
        {EncodeDate(2009, 3, 31), false, 2, EncodeDate(2009, 2, 28)},
        {EncodeDate(2009, 3, 31), false, 13, EncodeDate(2009, 12, 31)},
        {EncodeDate(2009, 3, 31), false, -4, EncodeDate(2009, 12, 31)},
        {EncodeDate(2009, 3, 31), false, 0, EncodeDate(2009, 1, 31)},
    };
    for (const Case& c : cases) {
        calendar.SetDate(c.from);
        c.set_year ? calendar.SetYear(c.value) : calendar.SetMonth(c.value);
        EXPECT_EQ(calendar.Date(), c.expected) << (c.set_year ? "SetYear(" : "SetMonth(") << c.value << ")";
    }
}

TEST_F(LssCalendarTest, KeysMoveTheSelectionAcrossMonthEnds) {
    struct Case {
        DateTime from;
        CalendarKey key;
        DateTime expected;
    };
    const Case cases[] = {
        {EncodeDate(2009, 1, 31), CalendarKey::PageDown, EncodeDate(2009, 2, 28)},
        {EncodeDate(2008, 3, 31), CalendarKey::PageUp, EncodeDate(2008, 2, 29)},
        {EncodeDate(2026, 12, 10), CalendarKey::Home, EncodeDate(2026, 12, 1)},
        {EncodeDate(2026, 2, 10), CalendarKey::End, EncodeDate(2026, 2, 28)},
        {EncodeDate(2026, 12, 1), CalendarKey::Left, EncodeDate(2026, 11, 30)},
        {EncodeDate(2026, 12, 31), CalendarKey::Right, EncodeDate(2027, 1, 1)},
        {EncodeDate(2026, 12, 3), CalendarKey::Up, EncodeDate(2026, 11, 26)},
        {EncodeDate(2026, 12, 28), CalendarKey::Down, EncodeDate(2027, 1, 4)},
        {EncodeDate(1900, 1, 1), CalendarKey::Left, EncodeDate(1900, 1, 1)},
        {EncodeDate(2100, 12, 31), CalendarKey::Right, EncodeDate(2100, 12, 31)},
        {EncodeDate(2100, 12, 31), CalendarKey::PageDown, EncodeDate(2100, 12, 31)},
    };
    for (const Case& c : cases) {
        calendar.SetDate(c.from);
        EXPECT_TRUE(calendar.KeyDown(c.key, false, false, false));
        EXPECT_EQ(calendar.Date(), c.expected)
            << FormatDateTime("yyyy-mm-dd", c.from) << " key " << static_cast<int>(c.key);
    }
}

TEST_F(LssCalendarTest, KeysWithModifiersAreLeftAlone) {
    EXPECT_FALSE(calendar.KeyDown(CalendarKey::Right, true, false, false));
    EXPECT_FALSE(calendar.KeyDown(CalendarKey::Right, false, true, false));
    EXPECT_FALSE(calendar.KeyDown(CalendarKey::Right, false, false, true));
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 10));
    EXPECT_EQ(changes, 0);
}

TEST_F(LssCalendarTest, EnterFiresTheClickEvent) {
    int clicks = 0;
    calendar.OnClick = [&clicks] { ++clicks; };
    calendar.KeyDown(CalendarKey::Enter, false, false, false);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 0);
}

TEST_F(LssCalendarTest, ChangeWithinTheMonthRepaintsTheOldAndTheNewCell) {
    calendar.KeyDown(CalendarKey::Right, false, false, false);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(view.invalidated.size(), 2u);
    EXPECT_EQ(view.invalidated[0], R(160, 70, 40, 35)) << "Thursday 10 December, second row";
    EXPECT_EQ(view.invalidated[1], R(200, 70, 40, 35));
    EXPECT_EQ(view.whole_repaints, 0);

    view.Clear();
    calendar.SetDate(EncodeDate(2026, 12, 31));  // by program: the frame must not stay behind
    EXPECT_EQ(view.invalidated.size(), 2u);
}

TEST_F(LssCalendarTest, ChangeOfTheGridRepaintsTheDays) {
    calendar.KeyDown(CalendarKey::PageDown, false, false, false);
    EXPECT_EQ(calendar.FirstDate(), EncodeDate(2026, 12, 27));
    ASSERT_EQ(view.invalidated.size(), 1u);
    EXPECT_EQ(view.invalidated[0], R(0, 35, 280, 210));
}

TEST_F(LssCalendarTest, OnChangeSeesTheNewDate) {
    DateTime seen = 0;
    calendar.OnChange = [&] { seen = calendar.Date(); };
    calendar.SetMonth(3);
    EXPECT_EQ(seen, EncodeDate(2026, 3, 10));
}

TEST_F(LssCalendarTest, CellRectanglesFollowTheFirstDate) {
    EXPECT_EQ(calendar.GetCellRect(EncodeDate(2026, 11, 29)), R(0, 35, 40, 35));
    EXPECT_EQ(calendar.GetCellRect(EncodeDate(2026, 12, 10)), R(160, 70, 40, 35));
    EXPECT_EQ(calendar.GetCellRect(EncodeDate(2027, 1, 9) + 0.5), R(240, 210, 40, 35));
    calendar.SetUseISO8601(true);
    EXPECT_EQ(calendar.FirstDate(), EncodeDate(2026, 11, 30));
    EXPECT_EQ(calendar.GetCellRect(EncodeDate(2026, 12, 10)), R(120, 70, 40, 35));
    EXPECT_EQ(view.whole_repaints, 1);
}

TEST_F(LssCalendarTest, MouseSelectsTheCellUnderThePointer) {
    calendar.MouseDown(85, 110);  // third column, third row: 15 December
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 15));
    EXPECT_TRUE(calendar.Selecting());
    calendar.MouseMove(45, 110, true);
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 14));
    calendar.MouseMove(5, 110, false);
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 14)) << "moving without the button selects nothing";
    calendar.MouseUp();
    EXPECT_FALSE(calendar.Selecting());
    calendar.MouseDown(100, 20);  // the weekday row
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 14));
    EXPECT_EQ(changes, 2);
}

TEST_F(LssCalendarTest, SelectInMonthAtRefusesTheOtherMonths) {
    auto [x, y] = PointOf(EncodeDate(2026, 11, 30));
    EXPECT_FALSE(calendar.SelectInMonthAt(x, y));
    EXPECT_FALSE(calendar.SelectInMonthAt(10, 10));
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 10));
    std::tie(x, y) = PointOf(EncodeDate(2026, 12, 24));
    EXPECT_TRUE(calendar.SelectInMonthAt(x, y));
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 24));
    EXPECT_TRUE(calendar.SelectInMonthAt(x, y)) << "already selected still counts";
    EXPECT_EQ(changes, 1);
}

TEST_F(LssCalendarTest, ArrowHotSpotsMoveByMonthsAndYears) {
    const CalendarArrows arrows = calendar.Layout().arrows;
    ASSERT_FALSE(arrows.prev_year.IsEmpty());
    Select(2008, 2, 29);
    calendar.MouseDown(arrows.prev_year.left, 0);
    EXPECT_EQ(calendar.Date(), EncodeDate(2007, 2, 28));
    calendar.MouseDown(arrows.next_month.left, 0);
    EXPECT_EQ(calendar.Date(), EncodeDate(2007, 3, 28));
    calendar.MouseDown(arrows.next_year.left, 0);
    EXPECT_EQ(calendar.Date(), EncodeDate(2008, 3, 28));
    calendar.MouseDown(arrows.prev_month.left, 0);
    EXPECT_EQ(calendar.Date(), EncodeDate(2008, 2, 28));

    calendar.SetShowArrow(false);
    calendar.MouseDown(arrows.prev_month.left, 0);
    EXPECT_EQ(calendar.Date(), EncodeDate(2008, 2, 28));
}

TEST_F(LssCalendarTest, LayoutSettersIgnoreTinyScalesAndRefitFonts) {
    const int revision = calendar.FontsRevision();
    calendar.SetVerticalScale(0.0005);
    calendar.SetHorizonScale(-0.0009);
    EXPECT_DOUBLE_EQ(calendar.VerticalScale(), 4.0);
    EXPECT_DOUBLE_EQ(calendar.HorizonScale(), 2.5);
    EXPECT_EQ(view.whole_repaints, 0);

    calendar.SetLunarCalStyle(csBottom);
    EXPECT_EQ(view.whole_repaints, 1);
    EXPECT_EQ(calendar.Layout().lunar, R(0, 26, 40, 9));
    EXPECT_EQ(calendar.CalColors().LunarTextFont.Size, 9) << "refitted to 九九九 in 40 x 9";
    EXPECT_GT(calendar.FontsRevision(), revision);
}

TEST_F(LssCalendarTest, SettingFontsMakesTheDayFontTheControlFont) {
    TLssCalColors colors = calendar.CalColors();
    colors.DayTextFont = {"Arial", kDefaultCharset, 3223857, 16, fsBold};
    const int revision = calendar.FontsRevision();
    calendar.SetCalColors(colors);
    EXPECT_EQ(calendar.Font(), colors.DayTextFont);
    EXPECT_EQ(calendar.FontsRevision(), revision + 1);
    EXPECT_EQ(view.whole_repaints, 1);
    colors.WeekBackColor = 0xFFFFFF;
    calendar.SetCalColors(colors);
    EXPECT_EQ(calendar.FontsRevision(), revision + 1) << "a colour is no font change";
    EXPECT_EQ(view.whole_repaints, 2);
}

// Every cell of December 2026 against the engine, with the calendar window's cell texts (lunar
// text below the day number, no festivals) and with the festivals below it.
TEST_F(LssCalendarTest, TheFortyTwoCellsOfAMonthAgainstTheEngine) {
    const DateTime today = clock.Now();
    for (const bool festivals : {false, true}) {
        calendar.SetLunarCalStyle(festivals ? csNone : csBottom);
        calendar.SetFtvCalStyle(festivals ? csBottom : csNone);
        for (int i = 0; i < kCalendarCells; ++i) {
            const CalendarCell cell = calendar.Cell(i, today);
            const DateTime date = EncodeDate(2026, 11, 29) + i;
            SCOPED_TRACE(FormatDateTime("yyyy-mm-dd", date));
            ASSERT_EQ(cell.date, date);
            EXPECT_EQ(cell.in_month, i >= 2 && i < 33);
            EXPECT_EQ(cell.day.text, i == 11 ? "今天" : std::to_string(DecodeDate(date).day));
            const std::string festival = GetFtvText(calendar.FtvList(), date);
            if (festivals) {
                EXPECT_EQ(cell.lunar.text, "");
                EXPECT_EQ(cell.festival.text, CutFestivalText(festival, calendar.Layout().longest_festival_bytes));
            } else {
                EXPECT_EQ(cell.lunar.text, GetLunarCellText(date));
                EXPECT_EQ(cell.festival.text, "");
            }
        }
    }
    EXPECT_EQ(calendar.Cell(14, today).festival.text, "南京大屠杀…") << "cut to 10 of 12 bytes";
    calendar.SetLunarCalStyle(csBottom);
    calendar.SetFtvCalStyle(csNone);
    EXPECT_EQ(calendar.Cell(8, today).lunar.text, "大雪");
    EXPECT_EQ(calendar.Cell(10, today).lunar.text, "十一月") << "9 December 2026 opens the eleventh lunar month";
}

TEST_F(LssCalendarTest, CellColoursByMonthWeekdayTermAndToday) {
    calendar.SetLunarCalStyle(csBottom);
    calendar.SetFtvCalStyle(csRight);
    const TLssCalColors& colors = calendar.CalColors();
    const DateTime today = clock.Now();
    const CalendarCell sunday_before = calendar.Cell(0, today);  // 29 November
    EXPECT_FALSE(sunday_before.in_month);
    EXPECT_EQ(sunday_before.day.color, colors.TrailingTextColor);
    EXPECT_EQ(sunday_before.lunar.color, colors.TrailingTextColor);
    EXPECT_FALSE(sunday_before.day.shadow);
    EXPECT_EQ(calendar.Cell(7, today).day.color, colors.SundayColor);     // 6 December
    EXPECT_EQ(calendar.Cell(13, today).day.color, colors.SaturdayColor);  // 12 December
    EXPECT_EQ(calendar.Cell(9, today).day.color, colors.DayTextFont.Color);

    const CalendarCell today_cell = calendar.Cell(11, today);
    EXPECT_TRUE(today_cell.today);
    EXPECT_TRUE(today_cell.selected);
    EXPECT_EQ(today_cell.day.color, kTodayColor);
    EXPECT_EQ(today_cell.day.rect, R(160, 70, 24, 26));

    const CalendarCell winter_solstice = calendar.Cell(23, today);  // 22 December 2026
    ASSERT_EQ(winter_solstice.lunar.text, "冬至");
    EXPECT_EQ(winter_solstice.lunar.color, colors.LunarTermColor);
    EXPECT_EQ(winter_solstice.lunar.placement, CellTextPlacement::TopCentered);

    const CalendarCell christmas = calendar.Cell(26, today);
    EXPECT_EQ(christmas.festival.color, 255u);
    EXPECT_EQ(christmas.festival.placement, CellTextPlacement::LeftMiddle);
    EXPECT_EQ(christmas.festival.rect, R(224, 140, 16, 26));
}

TEST_F(LssCalendarTest, SharedPlaceShowsFestivalsElseTheLunarDay) {
    calendar.SetLunarCalStyle(csBottom);
    calendar.SetFtvCalStyle(csBottom);
    const DateTime today = clock.Now();
    const CalendarCell christmas = calendar.Cell(26, today);
    EXPECT_EQ(christmas.lunar.text, "");
    EXPECT_EQ(christmas.festival.text.substr(0, 6), "圣诞");
    const CalendarCell plain = calendar.Cell(28, today);  // 27 December
    EXPECT_EQ(plain.festival.text, "");
    EXPECT_EQ(plain.lunar.text, GetLunarCellText(EncodeDate(2026, 12, 27)));
}

TEST_F(LssCalendarTest, LeapMonthAndStemBranchTexts) {
    Select(2020, 5, 23);
    const int index = static_cast<int>(EncodeDate(2020, 5, 23) - calendar.FirstDate());
    EXPECT_EQ(calendar.Cell(index, clock.Now()).lunar.text, "闰四月");
    calendar.SetChineseEar(true);
    EXPECT_EQ(calendar.Cell(index, clock.Now()).lunar.text, GetLunarCellText(EncodeDate(2020, 5, 23), true));
    Select(1900, 1, 1);
    EXPECT_EQ(calendar.Cell(0, clock.Now()).lunar.text, "") << "31 December 1899 has no stem-branch day";
}

TEST_F(LssCalendarTest, MarkedDaysCarryTheirColour) {
    calendar.FtvList().AddMark(kSolarKind, "1224", 0x00FF00);
    EXPECT_EQ(calendar.Cell(25, clock.Now()).mark_color, 0x00FF00);
    EXPECT_EQ(calendar.Cell(24, clock.Now()).mark_color, kNoColor);
}

TEST_F(LssCalendarTest, WeekdayHeadingsFollowTheWeekStart) {
    const TLssCalColors& colors = calendar.CalColors();
    EXPECT_EQ(calendar.WeekHeadingAt(0).text, "星期日");
    EXPECT_EQ(calendar.WeekHeadingAt(0).color, colors.SundayColor);
    EXPECT_EQ(calendar.WeekHeadingAt(6).color, colors.SaturdayColor);
    EXPECT_EQ(calendar.WeekHeadingAt(3).rect, R(120, 0, 40, 35));
    calendar.SetUseISO8601(true);
    calendar.SetEnWeekName(true);
    EXPECT_EQ(calendar.WeekHeadingAt(0).text, "Mon");
    EXPECT_EQ(calendar.WeekHeadingAt(5).color, colors.SaturdayColor);
    EXPECT_EQ(calendar.WeekHeadingAt(6).text, "Sun");
    EXPECT_EQ(calendar.WeekHeadingAt(6).color, colors.SundayColor);
}

TEST(CutFestivalTextTest, CutsByGbkBytesWithoutSplittingACharacter) {
    const struct {
        const char* text;
        int longest;
        const char* expected;
    } cases[] = {
        {"国际声援南非日国际足", 8, "国际声…"},  // 20 bytes: the first 6 and "…"
        {"国际劳动", 8, "国际劳动"},             // exactly 8 bytes
        {"ab国际劳动节", 8, "ab国际…"},
        {"a国际劳动节", 8, "a国际…"},  // 6 bytes would end inside 劳
        {"国际声援南非日", 6, "国际…"},
        {"", 6, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CutFestivalText(c.text, c.longest), c.expected) << c.text;
}

TEST_F(LssCalendarTest, HintFollowsThePointerFromCellToCell) {
    const auto [x, y] = PointOf(EncodeDate(2026, 12, 25));
    CalendarHintRequest hint = calendar.HintAt(x, y, ChineseDateLocale());
    EXPECT_TRUE(hint.show);
    EXPECT_TRUE(hint.changed);
    EXPECT_EQ(hint.text.rfind("公元= 2026年12月25日 星期五", 0), 0u) << hint.text;
    EXPECT_NE(hint.text.find("节日= 圣诞节"), std::string::npos) << hint.text;
    hint = calendar.HintAt(x + 3, y + 3, ChineseDateLocale());
    EXPECT_TRUE(hint.show);
    EXPECT_FALSE(hint.changed) << "same cell";
    EXPECT_FALSE(calendar.HintAt(100, 10, ChineseDateLocale()).show) << "weekday row";

    calendar.KeyDown(CalendarKey::PageDown, false, false, false);
    hint = calendar.HintAt(x, y, ChineseDateLocale());
    EXPECT_TRUE(hint.changed) << "same cell, another day";

    const Rect spot = calendar.Layout().arrows.next_month;
    hint = calendar.HintAt(spot.left, 0, ChineseDateLocale());
    EXPECT_TRUE(hint.show);
    EXPECT_EQ(hint.text, "下一月");

    calendar.SetShowHint(false);
    EXPECT_FALSE(calendar.HintAt(x, y, ChineseDateLocale()).show);
}

}  // namespace
}  // namespace kalvoro
