// The analog clock as the bar shows it: where it opens, its stored place, its turning hands and its
// shape, travelling with the bar, closing, and the start child.

#include <gtest/gtest.h>

#include <string>

#include "e2e/app_under_test.h"
#include "e2e/pixels.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kCompactItem = 1000 + 0;  // 精简 in the main menu
constexpr int kClockItem = 1000 + 1;    // 时钟

int ScreenWidth() {
    return ::GetSystemMetrics(SM_CXSCREEN);
}

HWND VisibleClock(const AppUnderTest& app) {
    const auto found = app.WindowsOfClass(L"TFrmClock");
    return found.empty() ? nullptr : found.front();
}

RECT RectOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

std::string Settings(const std::string& extra) {
    return "[SKIN]\r\nSkinFile=Default.sk\r\nClockFile=Classic.cl\r\n[MSG]\r\nCalendarLX=0\r\n" + extra;
}

HWND OpenClock(AppUnderTest& app) {
    ::PostMessageW(app.bar(), WM_COMMAND, kClockItem, 0);
    HWND clock = nullptr;
    WaitFor([&] { return (clock = VisibleClock(app)) != nullptr; });
    return clock;
}

// No CHILD keys: at the left screen edge, below a bar in the upper half and above one in the lower
// half (its bottom on the bar's top).
TEST(ClockTest, OpensAtTheLeftEdgeBelowOrAboveTheBar) {
    for (const int bar_top : {40, 700}) {
        AppUnderTest app;
        app.WriteSettings(Settings("[BAR]\r\nDefWin=0\r\nLeft=300\r\nTop=" + std::to_string(bar_top) + "\r\n"));
        ASSERT_TRUE(app.Start());
        const HWND clock = OpenClock(app);
        ASSERT_NE(clock, nullptr) << bar_top;
        const RECT bar = RectOf(app.bar());
        const RECT face = RectOf(clock);
        EXPECT_EQ(face.left, 0) << bar_top;
        if (bar_top < 400) {
            EXPECT_EQ(face.top, bar.bottom);
        } else {
            EXPECT_EQ(face.bottom, bar.top);
        }
        EXPECT_TRUE(app.Close());
    }
}

TEST(ClockTest, StoredLeftIsClampedToTheScreen) {
    const struct {
        int stored;
        int expected;
    } cases[] = {{-20, 0}, {ScreenWidth() + 50, ScreenWidth() - 100}, {250, 250}};
    for (const auto& c : cases) {
        AppUnderTest app;
        app.WriteSettings(
            Settings("[BAR]\r\nDefWin=0\r\nTop=40\r\n[CHILD]\r\nLeft=" + std::to_string(c.stored) + "\r\nTop=200\r\n"));
        ASSERT_TRUE(app.Start());
        const HWND clock = OpenClock(app);
        ASSERT_NE(clock, nullptr);
        EXPECT_EQ(RectOf(clock).left, c.expected) << c.stored;
        EXPECT_EQ(RectOf(clock).top, 200);
        EXPECT_TRUE(app.Close());
    }
}

// The window is the face's shape (the magenta corners show what lies behind) and the second hand
// moves from one second to the next.
TEST(ClockTest, HandsTurnAndTheCornersAreSeeThrough) {
    AppUnderTest app;
    app.WriteSettings(Settings("[BAR]\r\nDefWin=0\r\nTop=40\r\nTr=255\r\n[CHILD]\r\nLeft=300\r\nTop=200\r\n"));
    ASSERT_TRUE(app.Start());
    const HWND clock = OpenClock(app);
    ASSERT_NE(clock, nullptr);
    PumpFor(500ms);
    const RECT face = RectOf(clock);
    const Pixels first = CaptureScreen(face);
    SaveSnapshot(first, L"clock");
    EXPECT_NE(first.At(0, 0), RGB(255, 0, 255));
    EXPECT_NE(first.At(first.width - 1, first.height - 1), RGB(255, 0, 255));
    EXPECT_TRUE(WaitFor(
        [&] {
            const Pixels now = CaptureScreen(face);
            return now.argb != first.argb;
        },
        5s));
    EXPECT_TRUE(app.Close());
}

// A bar at the left edge has the clock docked right under it; dragging the bar carries the clock.
TEST(ClockTest, TravelsWithTheDraggedBar) {
    AppUnderTest app;
    app.WriteSettings(Settings("[BAR]\r\nDefWin=0\r\nLeft=0\r\nTop=40\r\nTr=255\r\nOnTop=1\r\n"));
    ASSERT_TRUE(app.Start());
    const HWND clock = OpenClock(app);
    ASSERT_NE(clock, nullptr);
    ASSERT_TRUE(WaitFor([&] { return RectOf(clock).top == RectOf(app.bar()).bottom; }));
    const int grab_x = 171, grab_y = 40 + 20;
    EXPECT_TRUE(DragWithMouse({grab_x, grab_y}, {grab_x + 200, grab_y + 100}, 20,
                              [&] { return RectOf(app.bar()).left > 100; }));
    EXPECT_TRUE(WaitFor([&] {
        const RECT bar = RectOf(app.bar());
        const RECT face = RectOf(clock);
        return face.left == bar.left && face.top == bar.bottom;
    }));
    EXPECT_TRUE(app.Close());
}

TEST(ClockTest, CompactModeDestroysTheClockAndItsShadow) {
    AppUnderTest app;
    app.WriteSettings(Settings("[BAR]\r\nDefWin=0\r\nTop=40\r\n"));
    ASSERT_TRUE(app.Start());
    ASSERT_NE(OpenClock(app), nullptr);
    const std::size_t shadows = app.WindowsOfClass(L"KalvoroFormShadow").size();
    ::PostMessageW(app.bar(), WM_COMMAND, kCompactItem, 0);
    EXPECT_TRUE(WaitFor([&] { return app.AllWindowsOfClass(L"TFrmClock").empty(); }));
    EXPECT_TRUE(WaitFor([&] { return app.WindowsOfClass(L"KalvoroFormShadow").size() + 1 == shadows; }));
    EXPECT_TRUE(app.Close());
}

TEST(ClockTest, ClosingInClockModeSavesTheModeAndThePlace) {
    AppUnderTest app;
    app.WriteSettings(Settings("[BAR]\r\nDefWin=1\r\nTop=40\r\n[CHILD]\r\nLeft=120\r\nTop=300\r\n"));
    ASSERT_TRUE(app.Start());
    HWND clock = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (clock = VisibleClock(app)) != nullptr; }));  // BAR/DefWin 1
    ::SetWindowPos(clock, nullptr, 150, 320, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitFor([&] { return RectOf(clock).left == 150 && RectOf(clock).top == 320; }));
    ASSERT_TRUE(app.Close());
    const std::string text = app.ReadSettings();
    EXPECT_NE(text.find("Index=2"), std::string::npos) << text;
    EXPECT_NE(text.find("Left=150"), std::string::npos) << text;
    EXPECT_NE(text.find("Top=320"), std::string::npos) << text;
}

}  // namespace
}  // namespace kalvoro::e2e
