// The program at the display's resolution. The test command runs these tests twice: in the usual
// prefix at 96 DPI and in one whose LogPixels is 144 (150 %), with KALVORO_EXPECT_DPI telling which.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/display_scale.h"
#include "base/win32/dpi.h"
#include "e2e/app_under_test.h"
#include "e2e/led_reading.h"
#include "e2e/pixels.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kCalendarItem = 1000 + 2;  // 日历 in the main menu
constexpr int kMarkListItem = 1000 + 6;  // 日历标记

int ExpectedDpi() {
    const char* value = std::getenv("KALVORO_EXPECT_DPI");
    return value && *value ? std::atoi(value) : 96;
}

// Worked by hand: the design size times the scale, halves rounded up.
struct ScaledSizes {
    int dpi;
    SIZE bar;        // 332 × 34
    SIZE calendar;   // 332 × 390
    SIZE mark_list;  // the 日历标记 dialog, 412 × 326
};
constexpr ScaledSizes kSizes[] = {
    {96, {332, 34}, {332, 390}, {412, 326}},
    {120, {415, 43}, {415, 488}, {515, 408}},  // 42.5, 487.5, 407.5 round up
    {144, {498, 51}, {498, 585}, {618, 489}},
    {192, {664, 68}, {664, 780}, {824, 652}},
};

const ScaledSizes* SizesFor(int dpi) {
    for (const ScaledSizes& sizes : kSizes) {
        if (sizes.dpi == dpi) return &sizes;
    }
    return nullptr;
}

SIZE SizeOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The first visible window of the class, once there is one; null when none came.
HWND WaitForWindowOfClass(const AppUnderTest& app, const wchar_t* class_name) {
    HWND found = nullptr;
    WaitFor([&] {
        const auto windows = app.WindowsOfClass(class_name);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    });
    return found;
}

std::string Text(SIZE size) {
    return std::to_string(size.cx) + " x " + std::to_string(size.cy);
}

class DisplayScaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Screen coordinates of other windows in real pixels, whatever the resolution.
        ::SetProcessDPIAware();
        // The pointer away from where the bar grows, so that no tool tip covers what is read.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        sizes = SizesFor(ExpectedDpi());
        ASSERT_NE(sizes, nullptr) << "no sizes worked out for " << ExpectedDpi() << " DPI";
        // A prefix that is not at the resolution this run is for would prove nothing.
        ASSERT_EQ(win::SystemScale().dpi, ExpectedDpi());
    }
    const ScaledSizes* sizes = nullptr;
};

TEST_F(DisplayScaleTest, BarCalendarAndADialogAreTheirDesignSizesTimesTheScale) {
    AppUnderTest app;
    app.WriteSettings("[SKIN]\r\nSkinFile=Default.sk\r\n[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=120\r\nTr=255\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(Text(SizeOf(app.bar())), Text(sizes->bar));

    ::PostMessageW(app.bar(), WM_COMMAND, kCalendarItem, 0);
    const HWND calendar = WaitForWindowOfClass(app, L"TFrmCalendar");
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(Text(SizeOf(calendar)), Text(sizes->calendar));
    RECT bar{}, cal{};
    ASSERT_TRUE(WaitFor([&] {
        ::GetWindowRect(app.bar(), &bar);
        ::GetWindowRect(calendar, &cal);
        return cal.top == bar.bottom && cal.left == bar.left;
    })) << "the calendar stays docked under the bar";
    PumpFor(600ms);  // let the fade-in finish before the picture is taken
    SaveSnapshot(CaptureScreen(RECT{bar.left, bar.top, cal.right, cal.bottom}),
                 L"dpi-" + std::to_wstring(ExpectedDpi()) + L"-bar-calendar");

    ::PostMessageW(app.bar(), WM_COMMAND, kMarkListItem, 0);
    const HWND dialog = WaitForWindowOfClass(app, L"KalvoroSkinnedDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(SizeOf(dialog)), Text(sizes->mark_list));
    PumpFor(600ms);
    RECT place{};
    ::GetWindowRect(dialog, &place);
    SaveSnapshot(CaptureScreen(place), L"dpi-" + std::to_wstring(ExpectedDpi()) + L"-mark-list");
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return app.WindowsOfClass(L"KalvoroSkinnedDialog").empty(); }));
    EXPECT_TRUE(app.Close());
}

TEST_F(DisplayScaleTest, TheLedShowsTheTimeAtTheDisplaysScale) {
    AppUnderTest app;
    app.WriteSettings("[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=200\r\nTr=255\r\nOnTop=1\r\n");
    ASSERT_TRUE(app.Start());
    Pixels shot;
    std::string shown;
    ASSERT_TRUE(CaptureKnownTime(app.bar(), shot, shown));
    SaveSnapshot(shot, L"dpi-" + std::to_wstring(ExpectedDpi()) + L"-led");
    const LedReading reading = ReadLedOfSecond(shot, shown, DisplayScale::ForDpi(ExpectedDpi()));
    EXPECT_EQ(reading.mismatches, "");
    EXPECT_GT(reading.lit_checked, 12);
    EXPECT_TRUE(app.Close());
}

// A bar moved to a monitor of another resolution lays itself out again: the system tells it with
// WM_DPICHANGED. Sent from here, the message carries the resolution; the rectangle pointer of
// another program is not read, so the bar keeps its place.
TEST_F(DisplayScaleTest, ABarToldOfAnotherResolutionTakesItsSizeAndTheCalendarFollows) {
    AppUnderTest app;
    // The built-in look, whose LED light colour the reading knows; clear of Wine's tray window at
    // the top left of the screen.
    app.WriteSettings("[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=120\r\nTr=255\r\n");
    ASSERT_TRUE(app.Start());
    ::PostMessageW(app.bar(), WM_COMMAND, kCalendarItem, 0);
    const HWND calendar = WaitForWindowOfClass(app, L"TFrmCalendar");
    ASSERT_NE(calendar, nullptr);
    RECT before{};
    ::GetWindowRect(app.bar(), &before);
    const int other_dpi = ExpectedDpi() == 192 ? 96 : 192;
    const ScaledSizes* other = SizesFor(other_dpi);
    ASSERT_NE(other, nullptr);
    RECT bogus{-1, -1, -1, -1};  // a pointer into this process: never read by the bar
    ::SendMessageW(app.bar(), WM_DPICHANGED, MAKEWPARAM(other_dpi, other_dpi), reinterpret_cast<LPARAM>(&bogus));
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(Text(SizeOf(app.bar())), Text(other->bar));
    RECT after{};
    ::GetWindowRect(app.bar(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_TRUE(WaitFor([&] {
        RECT cal{};
        ::GetWindowRect(calendar, &cal);
        return SizeOf(calendar).cx == other->calendar.cx && SizeOf(calendar).cy == other->calendar.cy &&
               cal.top == after.bottom;
    })) << Text(SizeOf(calendar));

    Pixels shot;
    std::string shown;
    ASSERT_TRUE(CaptureKnownTime(app.bar(), shot, shown));
    SaveSnapshot(shot, L"dpi-told-" + std::to_wstring(other_dpi) + L"-led");
    const LedReading reading = ReadLedOfSecond(shot, shown, DisplayScale::ForDpi(other_dpi));
    EXPECT_EQ(reading.mismatches, "");
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
