// The calendar window is made when it first shows: a bar that never shows it carries neither the
// window nor its pictures and fonts, while the mark reminder and the mark list work without it.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/app_under_test.h"

namespace kalvoro::e2e {
namespace {

constexpr int kCalendarItem = 1000 + 2;  // 日历 in the main menu
constexpr int kCompactItem = 1000 + 0;   // 精简
constexpr int kMarkListItem = 1000 + 6;  // 日历标记

HWND FirstOf(const std::vector<HWND>& windows) {
    return windows.empty() ? nullptr : windows.front();
}

TEST(LazyCalendarTest, TheStartReminderAndTheMarkListNeedNoCalendarWindow) {
    AppUnderTest app;
    app.UsePopupDouble();
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    char key[8];
    std::snprintf(key, sizeof key, "0%02u%02u", today.wMonth, today.wDay);
    WriteFileBytes(app.PathOf(L"Marks.rec"), std::string(key) + "=rent\r\n");
    app.WriteSettings("[BAR]\r\nDefWin=0\r\n[MSG]\r\nCalendarLX=1\r\n");
    ASSERT_TRUE(app.Start());
    // Today's mark is said through the popup program, and no calendar window was made for it.
    ASSERT_TRUE(
        WaitFor([&] { return ReadFileBytes(app.PathOf(L"popup_received.bin")).find("rent") != std::string::npos; }));
    EXPECT_TRUE(app.AllWindowsOfClass(L"TFrmCalendar").empty());

    // 日历标记 opens the list, owned by the bar, still without a calendar window.
    ::PostMessageW(app.bar(), WM_COMMAND, kMarkListItem, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FirstOf(app.WindowsOfClass(L"KalvoroSkinnedDialog"))) != nullptr; }));
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), app.bar());
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return app.WindowsOfClass(L"KalvoroSkinnedDialog").empty(); }));
    EXPECT_TRUE(app.AllWindowsOfClass(L"TFrmCalendar").empty());
    // The list kept the mark.
    EXPECT_NE(ReadFileBytes(app.PathOf(L"Marks.rec")).find(std::string(key) + "=rent"), std::string::npos);

    // The calendar mode makes the window once and shows the same one each time.
    HWND made = nullptr;
    for (int round = 0; round < 2; ++round) {
        ::PostMessageW(app.bar(), WM_COMMAND, kCalendarItem, 0);
        ASSERT_TRUE(WaitFor([&] { return FirstOf(app.WindowsOfClass(L"TFrmCalendar")) != nullptr; }));
        const HWND shown = FirstOf(app.WindowsOfClass(L"TFrmCalendar"));
        if (round == 0) made = shown;
        EXPECT_EQ(shown, made);
        ::PostMessageW(app.bar(), WM_COMMAND, kCompactItem, 0);
        ASSERT_TRUE(WaitFor([&] { return app.WindowsOfClass(L"TFrmCalendar").empty(); }));
    }
    EXPECT_EQ(app.AllWindowsOfClass(L"TFrmCalendar").size(), 1u);
    EXPECT_TRUE(app.Close());
}

TEST(LazyCalendarTest, TheCalendarModeAtStartMakesAndShowsTheCalendar) {
    AppUnderTest app;
    // The calendar as the child the bar starts with (DefWin 2), reminders off.
    app.WriteSettings("[BAR]\r\nDefWin=2\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return !app.WindowsOfClass(L"TFrmCalendar").empty(); }));
    EXPECT_TRUE(app.Close());
    EXPECT_NE(app.ReadSettings().find("Index=1"), std::string::npos);
}

// A bar told of another resolution before its calendar ever showed: the calendar window made
// afterwards has the bar's new scale (332 x 390 at 96 DPI, doubled at 192), docked under the bar.
TEST(LazyCalendarTest, ACalendarFirstShownAfterAResolutionChangeTakesTheBarsNewScale) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=120\r\nTr=255\r\n[MSG]\r\nCalendarLX=0\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.AllWindowsOfClass(L"TFrmCalendar").empty());
    RECT start{};
    ::GetWindowRect(app.bar(), &start);
    const bool now_doubled = start.right - start.left != 664;  // the bar is 332 wide at 96 DPI
    const int other_dpi = now_doubled ? 192 : 96;
    const SIZE expected = now_doubled ? SIZE{664, 780} : SIZE{332, 390};
    RECT bogus{-1, -1, -1, -1};  // a pointer into this process: never read by the bar
    ::SendMessageW(app.bar(), WM_DPICHANGED, MAKEWPARAM(other_dpi, other_dpi), reinterpret_cast<LPARAM>(&bogus));

    ::PostMessageW(app.bar(), WM_COMMAND, kCalendarItem, 0);
    HWND calendar = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (calendar = FirstOf(app.WindowsOfClass(L"TFrmCalendar"))) != nullptr; }));
    RECT bar{}, cal{};
    EXPECT_TRUE(WaitFor([&] {
        ::GetWindowRect(app.bar(), &bar);
        ::GetWindowRect(calendar, &cal);
        return cal.right - cal.left == expected.cx && cal.bottom - cal.top == expected.cy && cal.top == bar.bottom;
    })) << (cal.right - cal.left)
        << " x " << (cal.bottom - cal.top);
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
