#include "calendar/win32/lss_calendar_control.h"

#include <gtest/gtest.h>

#include "calendar/win32/testing/calendar_control_test_window.h"

namespace kalvoro::win {
namespace {

using testing::CalendarHost;
using testing::Picture;
using testing::PixelOf;

constexpr COLORREF kDayColour = RGB(0x31, 0x31, 0x31);  // 3223857
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kTrailing = RGB(0xC8, 0xC8, 0xC8);  // 13158600
constexpr COLORREF kToday = RGB(0, 0x80, 0);
constexpr COLORREF kFrame = RGB(0, 0x80, 0xFF);  // 16744448

DateTime Dec(int day) {
    return EncodeDate(2026, 12, day);
}

class CalendarControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.hwnd());
        testing::ConfigureLikeTheCalendarWindow(calendar());
        calendar().OnChange = [this] { ++changes; };
    }
    TLssCalendar& calendar() { return host.calendar(); }
    Rect Cell(DateTime date) { return calendar().GetCellRect(date); }
    Rect DayNumber(DateTime date) {
        const Rect cell = Cell(date);
        return calendar().Layout().day_number.Offset(cell.left, cell.top);
    }
    Rect LunarBand(DateTime date) {
        const Rect cell = Cell(date);
        return calendar().Layout().lunar.Offset(cell.left, cell.top);
    }
    Rect FestivalBand(DateTime date) {
        const Rect cell = Cell(date);
        return calendar().Layout().festival.Offset(cell.left, cell.top);
    }
    // The two-pixel-wide strips just inside the cell's left and right edges.
    int FramePixels(const Picture& picture, DateTime date) {
        const Rect cell = Cell(date);
        return picture.Count({cell.left, cell.top, cell.left + 3, cell.bottom}, kFrame) +
               picture.Count({cell.right - 3, cell.top, cell.right, cell.bottom}, kFrame);
    }
    void Key(WPARAM key) { ::SendMessageW(host.hwnd(), WM_KEYDOWN, key, 0); }

    FakeClock clock{EncodeDate(2026, 12, 10) + 0.4};
    CalendarHost host{clock};
    int changes = 0;
};

TEST_F(CalendarControlTest, GridOfTheCalendarWindow) {
    EXPECT_EQ(calendar().Layout().cell_width, 46);
    EXPECT_EQ(calendar().Layout().cell_height, 38);
    EXPECT_EQ(calendar().FirstDate(), EncodeDate(2026, 11, 29));
    EXPECT_EQ(Cell(Dec(15)), Rect::FromSize(92, 114, 46, 38));
}

TEST_F(CalendarControlTest, DayNumbersInTheirColours) {
    for (const bool smooth : {true, false}) {
        calendar().SetSmoothText(smooth);
        const Picture picture = host.Print();
        SCOPED_TRACE(smooth ? "smooth" : "plain");
        EXPECT_GT(picture.Count(DayNumber(Dec(15)), kDayColour), 10);
        EXPECT_GT(picture.Count(DayNumber(Dec(12)), kRed), 10) << "Saturday";
        EXPECT_EQ(picture.Count(DayNumber(Dec(12)), kDayColour), 0);
        EXPECT_GT(picture.Count(DayNumber(EncodeDate(2026, 11, 30)), kTrailing), 5) << "the month before";
        EXPECT_EQ(picture.Count(DayNumber(EncodeDate(2026, 11, 30)), kDayColour), 0);
    }
}

TEST_F(CalendarControlTest, TodayShowsGreenTextWithItsShadow) {
    calendar().SetDate(Dec(15));
    const Picture picture = host.Print();
    picture.Save("calendar_today");
    EXPECT_GT(picture.Count(DayNumber(Dec(10)), kToday), 10);
    EXPECT_GT(picture.Count(DayNumber(Dec(10)), kTextShadowColour), 3);
    EXPECT_EQ(picture.Count(DayNumber(Dec(11)), kToday), 0);
    EXPECT_EQ(picture.Count(DayNumber(Dec(10)), kDayColour), 0) << "no day number under 今天";

    calendar().SetSmoothText(false);
    EXPECT_EQ(host.Print().Count(Cell(Dec(10)), kTextShadowColour), 0) << "no shadow without SmoothText";
}

TEST_F(CalendarControlTest, SelectedCellHasTheFrame) {
    calendar().SetDate(Dec(15));
    Picture picture = host.Print();
    EXPECT_GT(FramePixels(picture, Dec(15)), 2 * 30);
    EXPECT_EQ(FramePixels(picture, Dec(16)), 0);
    EXPECT_EQ(FramePixels(picture, Dec(10)), 0);

    calendar().SetDate(Dec(10));  // today and selected: 今天 inside the frame
    picture = host.Print();
    EXPECT_GT(FramePixels(picture, Dec(10)), 2 * 30);
    EXPECT_GT(picture.Count(DayNumber(Dec(10)), kToday), 10);
}

TEST_F(CalendarControlTest, ArrowKeysMoveTheSelectionAndRepaintOnlyTwoCells) {
    host.Shown();
    Key(VK_RIGHT);
    EXPECT_EQ(calendar().Date(), Dec(11));
    EXPECT_EQ(changes, 1);
    const Region update(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetUpdateRgn(host.hwnd(), update.get(), FALSE), NULLREGION);
    RECT box{};
    ::GetRgnBox(update.get(), &box);
    const Rect old_cell = Cell(Dec(10));
    const Rect new_cell = Cell(Dec(11));
    EXPECT_EQ(box.left, old_cell.left);
    EXPECT_EQ(box.right, new_cell.right);
    EXPECT_EQ(box.top, old_cell.top);
    EXPECT_EQ(box.bottom, old_cell.bottom);

    const Picture shown = host.Shown();
    shown.Save("calendar_after_right_key");
    EXPECT_EQ(FramePixels(shown, Dec(10)), 0) << "the partial paint removed the old frame";
    EXPECT_GT(FramePixels(shown, Dec(11)), 2 * 30);

    Key(VK_DOWN);
    EXPECT_EQ(calendar().Date(), Dec(18));
    Key(VK_UP);
    Key(VK_LEFT);
    EXPECT_EQ(calendar().Date(), Dec(10));
    Key(VK_NEXT);
    EXPECT_EQ(calendar().Date(), EncodeDate(2027, 1, 10));
    Key(VK_END);
    EXPECT_EQ(calendar().Date(), EncodeDate(2027, 1, 31));
    Key(VK_NEXT);
    EXPECT_EQ(calendar().Date(), EncodeDate(2027, 2, 28));
    Key(VK_PRIOR);
    Key(VK_HOME);
    EXPECT_EQ(calendar().Date(), EncodeDate(2027, 1, 1));
    EXPECT_EQ(changes, 9);
    EXPECT_EQ(::SendMessageW(host.hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(CalendarControlTest, ClickSelectsTheCellAndFiresClick) {
    int clicks = 0;
    int right_presses = 0;
    calendar().OnClick = [&clicks] { ++clicks; };
    host.control().OnMouseDown = [&](CalendarMouseButton button, int, int) {
        right_presses += button == CalendarMouseButton::Right;
    };
    const Rect cell = Cell(Dec(24));
    const LPARAM point = MAKELPARAM(cell.left + 10, cell.top + 10);
    ::SendMessageW(host.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(host.hwnd(), WM_LBUTTONUP, 0, point);
    EXPECT_EQ(calendar().Date(), Dec(24));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(calendar().Selecting());

    const Rect trailing = Cell(EncodeDate(2027, 1, 2));
    ::SendMessageW(host.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(trailing.left + 5, trailing.top + 5));
    EXPECT_EQ(right_presses, 1);
    EXPECT_EQ(calendar().Date(), Dec(24)) << "the right button selects nothing by itself";
}

TEST_F(CalendarControlTest, MarkedDaysGetTheMarkColourOrThePicture) {
    calendar().FtvList().AddMark(kSolarKind, "1218", 0x00FFFF);
    host.control().Repaint();
    Picture picture = host.Print();
    const Rect marked = Cell(Dec(18));
    EXPECT_GT(picture.Count(marked, RGB(255, 255, 0)), marked.Width() * marked.Height() / 2);

    // A 17 x 17 blue picture with a see-through magenta corner.
    const DibSection mark(17, 17);
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 17; ++x) mark.pixels()[y * 17 + x] = x < 4 && y < 4 ? 0xFF00FF : 0x0000FF;
    }
    host.control().SetMarkImage(mark.get());
    picture = host.Print();
    picture.Save("calendar_mark_picture");
    EXPECT_EQ(picture.Count(marked, RGB(255, 255, 0)), 0);
    const int blue = picture.Count(marked, RGB(0, 0, 255));
    EXPECT_GT(blue, 150);
    EXPECT_LE(blue, 17 * 14 - 16);
    EXPECT_EQ(picture.Count(marked, RGB(255, 0, 255)), 0) << "the magenta corner is see-through";
    const Rect below = Cell(Dec(25));
    EXPECT_EQ(picture.Count(below, RGB(0, 0, 255)), 0) << "the picture stays in its cell";
}

TEST_F(CalendarControlTest, WeekdayLineOrGridAndBorder) {
    const CalendarLayout& layout = calendar().Layout();
    const std::uint32_t week_line = PixelOf(::GetSysColor(COLOR_ACTIVECAPTION));
    Picture picture = host.Print();
    EXPECT_EQ(picture.At(100, layout.week.bottom - 2), week_line);
    EXPECT_EQ(picture.At(1, layout.week.bottom - 2), PixelOf(RGB(255, 255, 255))) << "the line starts at x = 2";
    EXPECT_NE(picture.At(0, 100), PixelOf(RGB(128, 128, 128)));

    calendar().SetShowGrid(true);
    calendar().SetShowBorder(true);
    picture = host.Print();
    const std::uint32_t grid = PixelOf(RGB(192, 192, 192));
    EXPECT_NE(picture.At(100, layout.week.bottom - 2), week_line) << "the grid replaces the line";
    EXPECT_EQ(picture.At(layout.cell_width, 5), grid) << "vertical lines run through the weekday row";
    EXPECT_EQ(picture.At(6 * layout.cell_width, layout.days.bottom - 3), grid);
    EXPECT_EQ(picture.At(5, layout.week.bottom), grid);
    EXPECT_EQ(picture.At(5, layout.week.bottom + 5 * layout.cell_height), grid);
    EXPECT_EQ(picture.At(0, 100), PixelOf(RGB(128, 128, 128))) << "border";
    EXPECT_EQ(picture.At(CalendarHost::kWidth - 1, 100), PixelOf(RGB(128, 128, 128)));
}

TEST_F(CalendarControlTest, BackImageIsStretchedOverTheDays) {
    const DibSection green(2, 2);
    for (int i = 0; i < 4; ++i) green.pixels()[i] = 0x00FF00;
    host.control().SetBackImage(green.get());
    calendar().SetShowBackMonth(false);
    const Rect cell = Cell(Dec(16));
    EXPECT_EQ(host.Print().At(cell.left + 2, cell.top + 2), PixelOf(RGB(255, 255, 255))) << "not without ShowBackImage";
    calendar().SetShowBackImage(true);
    const Picture picture = host.Print();
    EXPECT_EQ(picture.At(cell.left + 2, cell.top + 2), PixelOf(RGB(0, 255, 0)));
    EXPECT_EQ(picture.At(5, 5), PixelOf(RGB(255, 255, 255))) << "the weekday row keeps its colour";
}

TEST_F(CalendarControlTest, ThreeWaysOfCellText) {
    struct Mode {
        const char* name;
        bool festivals;
        bool stem_branch;
    };
    for (const Mode mode : {Mode{"calendar_lunar", false, false}, Mode{"calendar_stem_branch", false, true},
                            Mode{"calendar_festivals", true, false}}) {
        SCOPED_TRACE(mode.name);
        calendar().SetChineseEar(mode.stem_branch);
        calendar().SetLunarCalStyle(mode.festivals ? TLssCalStyle::csNone : TLssCalStyle::csBottom);
        calendar().SetFtvCalStyle(mode.festivals ? TLssCalStyle::csBottom : TLssCalStyle::csNone);
        const Picture picture = host.Print();
        picture.Save(mode.name);
        if (mode.festivals) {
            EXPECT_GT(picture.CountWhere(FestivalBand(Dec(25)), testing::IsReddish), 10) << "圣诞节 in red";
            EXPECT_EQ(picture.CountWhere(FestivalBand(Dec(22)), testing::IsReddish), 0) << "no festival";
            EXPECT_EQ(picture.CountWhere(FestivalBand(Dec(22)), testing::IsInk), 0) << "and no lunar text";
        } else {
            EXPECT_GT(picture.CountWhere(LunarBand(Dec(22)), testing::IsReddish), 10) << "冬至 in the term colour";
            EXPECT_EQ(picture.CountWhere(LunarBand(Dec(25)), testing::IsReddish), 0);
            EXPECT_GT(picture.CountWhere(LunarBand(Dec(25)), testing::IsInk), 10);
        }
    }
}

TEST_F(CalendarControlTest, RepaintsLeaveTheGdiObjectCountFlat) {
    calendar().FtvList().AddMark(kSolarKind, "1218", 0x00FFFF);
    calendar().SetShowGrid(true);
    calendar().SetShowBorder(true);
    host.Shown();
    host.Print();
    const DWORD before = testing::LiveGdiObjects();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 50; ++i) {
        Key(i % 2 ? VK_LEFT : VK_RIGHT);
        host.control().Repaint();
        host.Print();
    }
    EXPECT_EQ(testing::LiveGdiObjects(), before);
}

TEST_F(CalendarControlTest, FontChangesRebuildTheFontsOnce) {
    host.Print();
    const DWORD before = testing::LiveGdiObjects();
    TLssCalColors colors = calendar().CalColors();
    colors.DayTextFont.Size = 20;
    calendar().SetCalColors(colors);
    host.Print();
    EXPECT_EQ(testing::LiveGdiObjects(), before) << "the five fonts are replaced, not added";
    EXPECT_EQ(calendar().Font(), colors.DayTextFont);
}

TEST_F(CalendarControlTest, HintFollowsThePointer) {
    calendar().SetShowHint(true);
    TCalendarHint& hint = host.control().Hint();
    ASSERT_TRUE(hint.hwnd());
    const Rect cell = Cell(Dec(15));
    ::SendMessageW(host.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 5, cell.top + 5));
    EXPECT_TRUE(hint.IsVisible());
    EXPECT_EQ(hint.Text().rfind("公元= 2026年12月15日", 0), 0u) << hint.Text();
    const RECT window = hint.WindowRect();
    EXPECT_EQ(window.right - window.left, hint.Layout().width);
    EXPECT_EQ(window.bottom - window.top, hint.Layout().height);
    POINT expected{cell.left + 5 + kHintPointerOffset, cell.top + 5 + kHintPointerOffset};
    ::ClientToScreen(host.hwnd(), &expected);
    EXPECT_EQ(window.left, expected.x);
    EXPECT_EQ(window.top, expected.y);
    EXPECT_NE(::GetForegroundWindow(), hint.hwnd());

    ::SendMessageW(host.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));
    EXPECT_FALSE(hint.IsVisible()) << "the weekday row has no hint";
    ::SendMessageW(host.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 5, cell.top + 5));
    EXPECT_TRUE(hint.IsVisible());
    ::SendMessageW(host.hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(hint.IsVisible());

    calendar().SetShowHint(false);
    ::SendMessageW(host.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 5, cell.top + 5));
    EXPECT_FALSE(hint.IsVisible());
}

TEST_F(CalendarControlTest, TodayMovesOnAtMidnight) {
    calendar().SetDate(Dec(15));
    host.Shown();
    clock.Set(Dec(11) + 0.0001);
    ::SendMessageW(host.hwnd(), WM_TIMER, 1, 0);
    const Picture shown = host.Shown();
    EXPECT_EQ(shown.Count(DayNumber(Dec(10)), kToday), 0);
    EXPECT_GT(shown.Count(DayNumber(Dec(10)), kDayColour), 10);
    EXPECT_GT(shown.Count(DayNumber(Dec(11)), kToday), 10);
}

}  // namespace
}  // namespace kalvoro::win
