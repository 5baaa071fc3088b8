// The calendar window as the bar shows it, and the date-mark reminder through the popup program.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/date_time.h"
#include "base/gbk.h"
#include "e2e/app_under_test.h"
#include "e2e/pixels.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kCalendarItem = 1000 + 2;  // 日历 in the main menu
constexpr int kCompactItem = 1000 + 0;   // 精简

DateTime LocalNow() {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return EncodeDateTime({st.wYear, st.wMonth, st.wDay}, {st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

HWND VisibleCalendar(const AppUnderTest& app) {
    const auto found = app.WindowsOfClass(L"TFrmCalendar");
    return found.empty() ? nullptr : found.front();
}

// Opens the calendar from the bar's menu: the calendar's window once it shows, or null.
HWND OpenCalendar(const AppUnderTest& app) {
    ::PostMessageW(app.bar(), WM_COMMAND, kCalendarItem, 0);
    HWND calendar = nullptr;
    return WaitFor([&] { return (calendar = VisibleCalendar(app)) != nullptr; }) ? calendar : nullptr;
}

// Docked: the calendar lies against the bar, under it or above it, with the bar's left edge.
bool Docked(HWND bar, HWND calendar, bool above = false) {
    RECT b{}, c{};
    ::GetWindowRect(bar, &b);
    ::GetWindowRect(calendar, &c);
    return c.left == b.left && (above ? c.bottom == b.top : c.top == b.bottom);
}

// Drags a bar standing at (400, 40) by its background 200 pixels to the right and 100 down.
bool DragBarFromItsPlace(HWND bar) {
    const int grab_x = 400 + 171, grab_y = 40 + 20;
    const auto bar_moved = [&] {
        RECT r{};
        ::GetWindowRect(bar, &r);
        return r.left > 580 && r.top > 120;  // the move loop may swallow a step
    };
    return DragWithMouse({grab_x, grab_y}, {grab_x + 200, grab_y + 100}, 20, bar_moved);
}

TEST(CalendarTest, OpensUnderTheBarOrAboveItAndClosingRemembersIt) {
    struct Case {
        int bar_top;
        bool above;
    } const cases[] = {{40, false}, {700, true}};
    for (const Case& c : cases) {
        AppUnderTest app;
        app.WriteSettings("[SKIN]\r\nSkinFile=Default.sk\r\n[BAR]\r\nDefWin=0\r\nLeft=200\r\nTop=" +
                          std::to_string(c.bar_top) + "\r\nTr=255\r\n[MSG]\r\nCalendarLX=0\r\n");
        ASSERT_TRUE(app.Start());
        const HWND calendar = OpenCalendar(app);
        ASSERT_NE(calendar, nullptr);
        // Docked: the calendar takes its place beside the bar once it shows.
        EXPECT_TRUE(WaitFor([&] { return Docked(app.bar(), calendar, c.above); }));
        RECT bar{}, cal{};
        ::GetWindowRect(app.bar(), &bar);
        ::GetWindowRect(calendar, &cal);
        if (!c.above) SaveSnapshot(CaptureScreen(RECT{bar.left, bar.top, cal.right, cal.bottom}), L"calendar");
        ASSERT_TRUE(app.Close());
        EXPECT_NE(app.ReadSettings().find("Index=1"), std::string::npos);
    }
}

TEST(CalendarTest, TravelsWithTheBarWhenTheBarIsDragged) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=0\r\nLeft=400\r\nTop=40\r\nTr=255\r\nOnTop=1\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    const HWND calendar = OpenCalendar(app);
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Docked(app.bar(), calendar); }));
    EXPECT_TRUE(DragBarFromItsPlace(app.bar()));
    EXPECT_TRUE(WaitFor([&] { return Docked(app.bar(), calendar); }));
    RECT bar{};
    ::GetWindowRect(app.bar(), &bar);
    EXPECT_GT(bar.left, 500);  // the bar moved, and the calendar with it
    EXPECT_TRUE(app.Close());
}

// The snapping service works out again which windows are glued to the bar after the bar's commands
// and after a restore, not only after a drag: a calendar put elsewhere meanwhile is no longer
// carried when the bar is dragged next.
TEST(CalendarTest, AfterACommandOrARestoreACalendarPutElsewhereStaysWhenTheBarIsDragged) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wparam;
    } const cases[] = {
        {"a command that is no menu row", WM_COMMAND, 999},
        {"restore", WM_SYSCOMMAND, SC_RESTORE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppUnderTest app;
        app.WriteSettings("[BAR]\r\nDefWin=0\r\nLeft=400\r\nTop=40\r\nTr=255\r\nOnTop=1\r\n[MSG]\r\nCalendarLX=0\r\n");
        ASSERT_TRUE(app.Start());
        const HWND calendar = OpenCalendar(app);
        ASSERT_NE(calendar, nullptr);
        ASSERT_TRUE(WaitFor([&] { return Docked(app.bar(), calendar); }));  // docked under the bar: glued
        RECT cal{};
        // Moved by other means than a drag, which the service does not watch.
        ::SetWindowPos(calendar, nullptr, 60, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(WaitFor([&] {
            ::GetWindowRect(calendar, &cal);
            return cal.left == 60 && cal.top == 420;
        }));
        ::SendMessageW(app.bar(), c.message, c.wparam, 0);

        EXPECT_TRUE(DragBarFromItsPlace(app.bar()));
        // A carried window moves before the bar does, so by now it would have moved.
        ::GetWindowRect(calendar, &cal);
        EXPECT_EQ(cal.left, 60);
        EXPECT_EQ(cal.top, 420);
        EXPECT_TRUE(app.Close());
    }
}

TEST(CalendarTest, CompactModeHidesTheCalendar) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=2\r\nTop=40\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return VisibleCalendar(app) != nullptr; }));  // the start child
    ::PostMessageW(app.bar(), WM_COMMAND, kCompactItem, 0);
    EXPECT_TRUE(WaitFor([&] { return VisibleCalendar(app) == nullptr; }));
    ASSERT_TRUE(app.Close());
    EXPECT_NE(app.ReadSettings().find("Index=0"), std::string::npos);
}

// Minimising the bar (隐藏窗口 of the tray menu) takes the open calendar and its shadow along;
// restoring brings both back.
TEST(CalendarTest, MinimisingTheBarHidesTheCalendarAndItsShadow) {
    constexpr int kHideItem = 2000 + 1;  // 隐藏窗口 in the tray menu
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=2\r\nTop=40\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return VisibleCalendar(app) != nullptr; }));
    // The bar's shadow and the calendar's.
    const auto shadows = [&] { return app.WindowsOfClass(L"KalvoroFormShadow").size(); };
    ASSERT_TRUE(WaitFor([&] { return shadows() == 2; }));

    ::PostMessageW(app.bar(), WM_COMMAND, kHideItem, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(app.bar()); }));
    EXPECT_TRUE(WaitFor([&] { return VisibleCalendar(app) == nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return shadows() == 0; }));

    ::PostMessageW(app.bar(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return VisibleCalendar(app) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return shadows() == 2; }));
    ASSERT_TRUE(app.Close());
}

std::string ReadRecordsText(const std::string& bytes) {
    // Records: 4-byte size, then the bytes (see the popup test double).
    std::string texts;
    std::size_t at = 0;
    while (at + 4 <= bytes.size()) {
        std::uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at, 4);
        at += 4;
        const std::size_t n = size == 0xFFFFFFFFu ? 4 : size;
        if (at + n > bytes.size()) break;
        if (size != 0xFFFFFFFFu) texts += bytes.substr(at, n) + "|";
        at += n;
    }
    return texts;
}

TEST(CalendarTest, TodaysMarkIsRemindedThroughThePopupProgramAtStart) {
    AppUnderTest app;
    app.UsePopupDouble();
    const DateTime today = LocalNow();
    const DateParts d = DecodeDate(today);
    const std::string key = "0" + IntToZeroStr(d.month, 2) + IntToZeroStr(d.day, 2);
    WriteFileBytes(app.PathOf(L"Marks.rec"), Utf8ToGbk(key + "=交房租\r\n"));
    app.WriteSettings("[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=1\r\n");
    ASSERT_TRUE(app.Start());
    std::string received;
    ASSERT_TRUE(WaitFor(
        [&] {
            received = ReadRecordsText(ReadFileBytes(app.PathOf(L"popup_received.bin")));
            return !received.empty();
        },
        10s));
    const std::string expected =
        Utf8ToGbk("日历标记：\r\n" + FormatDateTime("yyyy年mm月dd日 dddd", today) + "\r\n\r\n交房租") +
        std::string(1, '\0') + "|";
    EXPECT_EQ(received, expected);
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
