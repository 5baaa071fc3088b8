// The analog clock window under Wine: the shipped faces shape it, its hands move on the screen,
// its menu reports every item, and closing takes the window and its shadow away.

#include "app/win32/frm_clock.h"

#include <gtest/gtest.h>

#include "ui/win32/testing/gdi_census.h"

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "base/file_store.h"
#include "skin/bmp_encoder.h"
#include "ui/win32/layered_attributes.h"

namespace kalvoro::win {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

std::string ShippedClock(const char* name) {
    return std::string("Z:") + KALVORO_SOURCE_DIR + "/resources/skins/Clock/" + name;
}

void PumpMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Lets messages run until the condition holds or five seconds pass.
template <typename Condition>
bool WaitFor(Condition condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

// What the screen shows in a rectangle, as 0x00RRGGBB rows from the top.
SkinImage CaptureScreen(RECT area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    DibSection dib(width, height);
    MemoryDC dc(nullptr);
    {
        SelectObjectScope select(dc.get(), dib.get());
        WindowDC screen(nullptr);
        ::BitBlt(dc.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
        ::GdiFlush();
    }
    SkinImage image = SkinImage::Filled(width, height, 0);
    for (int i = 0; i < width * height; ++i) image.pixels[static_cast<std::size_t>(i)] = dib.pixels()[i] & 0xFFFFFF;
    return image;
}

DateTime At(int hour, int minute, int second) {
    return EncodeDate(2026, 12, 10) + EncodeTime(hour, minute, second);
}

class FrmClockTest : public ::testing::TestWithParam<const char*> {
protected:
    std::unique_ptr<TFrmClock> Open(int left, int top, DateTime time, bool shadows_on = true) {
        ClockWindowHost host;
        host.shadows_on = shadows_on;
        host.on_menu_command = [this](ClockMenuCommand command) { commands.push_back(command); };
        host.on_closed = [this] { ++closed; };
        auto clock = std::make_unique<TFrmClock>(host);
        EXPECT_TRUE(clock->Create());
        clock->LoadClockSkin(ShippedClock(GetParam()), false, MenuColors{});
        clock->ShowAt(left, top, 255, time);
        PumpMessages();
        return clock;
    }

    std::vector<ClockMenuCommand> commands;
    int closed = 0;
};

TEST_P(FrmClockTest, FaceShapesTheWindowAndMagentaIsSeeThrough) {
    auto clock = Open(120, 140, At(10, 8, 30));
    ASSERT_TRUE(clock->IsVisible());
    const RECT rect = clock->WindowRect();
    EXPECT_EQ(rect.right - rect.left, 201);
    EXPECT_EQ(rect.bottom - rect.top, 201);
    const LayeredAttributes attributes = ReadLayeredAttributes(clock->hwnd());
    ASSERT_TRUE(attributes.layered);
    ASSERT_TRUE(attributes.key_colour.has_value());
    EXPECT_EQ(*attributes.key_colour, kMagenta);
    EXPECT_EQ(attributes.alpha.value_or(0), 255);
    EXPECT_EQ(::GetWindowLongPtrW(clock->hwnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);

    SkinImage screen;
    ASSERT_TRUE(WaitFor([&] {
        screen = CaptureScreen(rect);
        return screen.At(100, 60) != 0;  // the face has been drawn
    }));
    // The round face's corners are magenta in the skin: the desktop shows through them.
    EXPECT_NE(screen.At(0, 0), 0xFF00FFu);
    EXPECT_NE(screen.At(200, 200), 0xFF00FFu);
    int magenta = 0;
    for (std::uint32_t pixel : screen.pixels) magenta += pixel == 0xFF00FF;
    EXPECT_EQ(magenta, 0);
    clock.reset();
}

TEST_P(FrmClockTest, SecondHandMovesWithTheTime) {
    auto clock = Open(120, 140, At(10, 8, 30));
    const RECT rect = clock->WindowRect();
    SkinImage before;
    ASSERT_TRUE(WaitFor([&] {
        before = CaptureScreen(rect);
        return before.At(100, 60) != 0;
    }));
    const int hour_rebuilds = clock->Face().HourHand().RebuildCount();
    clock->UpdateClockHands(At(10, 8, 45));
    SkinImage after;
    ASSERT_TRUE(WaitFor([&] {
        after = CaptureScreen(rect);
        return after != before;
    }));
    // 10:08:30 points the second hand down (6 o'clock), 10:08:45 left (9 o'clock): the lower half
    // below the cap changes, the hour hand is not turned again.
    int changed_below = 0;
    for (int y = 115; y < 180; ++y) changed_below += after.At(99, y) != before.At(99, y);
    EXPECT_GT(changed_below, 20);
    int changed_left = 0;
    for (int x = 20; x < 85; ++x) changed_left += after.At(x, 99) != before.At(x, 99);
    EXPECT_GT(changed_left, 20);
    EXPECT_EQ(clock->Face().HourHand().RebuildCount(), hour_rebuilds);
}

TEST_P(FrmClockTest, TicksLeakNoGdiObjects) {
    auto clock = Open(120, 140, At(10, 0, 0));
    clock->UpdateClockHands(At(10, 0, 1));
    PumpMessages();
    const DWORD before = testing::LiveGdiObjectCount();
    ASSERT_GT(before, 0u);
    for (int second = 2; second < 120; ++second) clock->UpdateClockHands(At(10, 0, 0) + second / 86400.0);
    PumpMessages();
    EXPECT_EQ(testing::LiveGdiObjectCount(), before);
}

TEST_P(FrmClockTest, CloseDestroysTheWindowAndItsShadowAndTellsTheHost) {
    auto clock = Open(120, 140, At(3, 45, 15));
    ASSERT_NE(clock->Shadow(), nullptr);
    const HWND window = clock->hwnd();
    const HWND shadow = clock->Shadow()->hwnd();
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(shadow) != FALSE; }));
    clock->CloseWindow();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(::IsWindow(shadow));
    EXPECT_EQ(clock->Shadow(), nullptr);
}

TEST_P(FrmClockTest, HostMayFreeTheWindowWhenTold) {
    TFrmClock* raw = nullptr;
    std::unique_ptr<TFrmClock> owned;
    ClockWindowHost host;
    host.on_closed = [&] { owned.reset(); };
    owned = std::make_unique<TFrmClock>(host);
    raw = owned.get();
    ASSERT_TRUE(raw->Create());
    raw->LoadClockSkin(ShippedClock(GetParam()), false, MenuColors{});
    raw->ShowAt(10, 10, 200, At(1, 2, 3));
    raw->CloseFromModeSwitch();
    EXPECT_EQ(owned, nullptr);
}

TEST_P(FrmClockTest, MenuHoldsEveryItemAndReportsEach) {
    auto clock = Open(120, 140, At(9, 30, 45), false);
    const HMENU menu = clock->ContextMenu();
    ASSERT_EQ(::GetMenuItemCount(menu), 8);
    const auto id_at = [](HMENU m, int position) { return static_cast<int>(::GetMenuItemID(m, position)); };
    const int first = TFrmClock::kFirstMenuId;
    EXPECT_EQ(id_at(menu, 0), first + static_cast<int>(ClockMenuCommand::kTasks));
    EXPECT_EQ(id_at(menu, 1), first + static_cast<int>(ClockMenuCommand::kWorldTime));
    EXPECT_EQ(::GetMenuState(menu, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(id_at(menu, 3), first + static_cast<int>(ClockMenuCommand::kClockStyle));
    EXPECT_EQ(id_at(menu, 4), first + static_cast<int>(ClockMenuCommand::kTimeCorrection));
    EXPECT_EQ(::GetMenuState(menu, 5, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    const HMENU switch_to = ::GetSubMenu(menu, 6);
    ASSERT_NE(switch_to, nullptr);
    ASSERT_EQ(::GetMenuItemCount(switch_to), 2);
    EXPECT_EQ(id_at(switch_to, 0), first + static_cast<int>(ClockMenuCommand::kSwitchToCalendar));
    EXPECT_EQ(id_at(switch_to, 1), first + static_cast<int>(ClockMenuCommand::kSwitchToWeather));
    EXPECT_EQ(id_at(menu, 6), -1);  // 切换到 opens its submenu
    EXPECT_EQ(id_at(menu, 7), first + static_cast<int>(ClockMenuCommand::kCloseWindow));

    const ClockMenuCommand open_items[] = {
        ClockMenuCommand::kTasks,          ClockMenuCommand::kWorldTime,        ClockMenuCommand::kClockStyle,
        ClockMenuCommand::kTimeCorrection, ClockMenuCommand::kSwitchToCalendar, ClockMenuCommand::kSwitchToWeather};
    for (ClockMenuCommand command : open_items) {
        ::SendMessageW(clock->hwnd(), WM_COMMAND, MAKEWPARAM(first + static_cast<int>(command), 0), 0);
    }
    EXPECT_EQ(commands, std::vector<ClockMenuCommand>(std::begin(open_items), std::end(open_items)));
    EXPECT_TRUE(clock->IsAlive());
    EXPECT_EQ(closed, 0);

    const HWND window = clock->hwnd();
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(first + static_cast<int>(ClockMenuCommand::kCloseWindow), 0), 0);
    EXPECT_EQ(commands.back(), ClockMenuCommand::kCloseWindow);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(::IsWindow(window));
}

// Pressing the left button on the face and moving the mouse drags the window with it.
TEST_P(FrmClockTest, DraggingTheFaceMovesTheWindow) {
    auto clock = Open(200, 200, At(10, 8, 30), false);
    ::SetForegroundWindow(clock->hwnd());
    const int screen_width = ::GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = ::GetSystemMetrics(SM_CYSCREEN);
    const auto mouse = [&](DWORD flags, int x, int y) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = x * 65535 / (screen_width - 1);
        input.mi.dy = y * 65535 / (screen_height - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof(input));
    };
    mouse(0, 300, 260);  // on the face, above the pivot
    PumpMessages();
    mouse(MOUSEEVENTF_LEFTDOWN, 300, 260);
    mouse(0, 330, 280);
    mouse(0, 360, 300);
    mouse(MOUSEEVENTF_LEFTUP, 360, 300);
    ASSERT_TRUE(WaitFor([&] { return clock->WindowRect().left != 200; }));
    EXPECT_TRUE(WaitFor([&] {
        const RECT rect = clock->WindowRect();
        return rect.left == 260 && rect.top == 240;
    })) << clock->WindowRect().left
        << ", " << clock->WindowRect().top;
}

// The menu open on the screen: drawn by the program's menu painter in the colours given, captured
// to clock-menu.bmp in the build folder for a look.
SkinImage g_menu_shot;
void CALLBACK CaptureOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    g_menu_shot = CaptureScreen({300, 300, 480, 480});
    ::EndMenu();
}

TEST_P(FrmClockTest, MenuOpensOwnerDrawn) {
    auto clock = Open(60, 60, At(10, 8, 30), false);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 400, &CaptureOpenMenu);
    ASSERT_NE(timer, 0u);
    ::SendMessageW(clock->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(clock->hwnd()), MAKELPARAM(300, 300));
    ASSERT_FALSE(g_menu_shot.empty());
    std::ofstream(std::string("Z:") + KALVORO_BIN_DIR + "/clock-menu.bmp", std::ios::binary)
        << EncodeBmp24(g_menu_shot);
    // The icon bar on the left is the default skin's blue gradient (blue well above red); the
    // item area beside it is not.
    const auto bluish = [](std::uint32_t pixel) { return (pixel & 0xFF) > ((pixel >> 16) & 0xFF) + 40; };
    EXPECT_TRUE(bluish(g_menu_shot.At(10, 30)));
    EXPECT_FALSE(bluish(g_menu_shot.At(100, 5)));
    EXPECT_TRUE(commands.empty());
}

INSTANTIATE_TEST_SUITE_P(ShippedFaces, FrmClockTest, ::testing::Values("Classic.cl", "Modern.cl"));

TEST(FrmClockFaces, MissingPackageKeepsAnEmptyWindowThatStillOpens) {
    TFrmClock clock(ClockWindowHost{});
    ASSERT_TRUE(clock.Create());
    clock.LoadClockSkin("Z:/no/such/Clock.cl", false, MenuColors{});
    clock.ShowAt(10, 10, 255, At(1, 2, 3));
    EXPECT_TRUE(clock.IsVisible());
    EXPECT_EQ(clock.Width(), 0);
}

TEST(FrmClockFaces, ReloadTakesThePackageTheSettingsName) {
    MemoryFileStore files;
    const std::string classic = DiskFileStore().ReadAll(ShippedClock("Classic.cl")).value_or("");
    ASSERT_FALSE(classic.empty());
    files.Put("C:\\Kalvoro\\Clock\\Classic.cl", classic);
    ClockWindowHost host;
    host.files = &files;
    TFrmClock clock(host);
    ASSERT_TRUE(clock.Create());
    MenuColors colours;
    colours.selection_frame = 0x123456;

    clock.ReloadClockSkin("C:\\Kalvoro\\", "", false, colours);  // nothing named
    EXPECT_EQ(clock.Width(), 0);
    EXPECT_EQ(clock.MenuColours(), colours);

    clock.ReloadClockSkin("C:\\Kalvoro\\", "Classic.cl", true, MenuColors{});  // colours only
    EXPECT_EQ(clock.Width(), 0);
    EXPECT_EQ(clock.MenuColours(), MenuColors{});
    clock.ReloadClockSkin("C:\\Kalvoro\\", "Classic.cl", false, colours);
    EXPECT_EQ(clock.Width(), 201);
    EXPECT_EQ(clock.Height(), 201);
    const RECT rect = clock.WindowRect();
    EXPECT_EQ(rect.right - rect.left, 201);
}

// Both shipped faces at 10:08:30 and 03:45:15 side by side, written to clock-faces.bmp in the
// build folder for a look; the pictures must differ between the two times.
TEST(FrmClockFaces, BothFacesAtTwoTimes) {
    const char* names[] = {"Classic.cl", "Modern.cl"};
    const DateTime times[] = {At(10, 8, 30), At(3, 45, 15)};
    std::vector<std::unique_ptr<TFrmClock>> clocks;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            auto clock = std::make_unique<TFrmClock>(ClockWindowHost{});
            ASSERT_TRUE(clock->Create());
            clock->LoadClockSkin(ShippedClock(names[row]), false, MenuColors{});
            clock->ShowAt(20 + 220 * column, 20 + 220 * row, 255, times[column]);
            clocks.push_back(std::move(clock));
        }
    }
    PumpMessages();
    SkinImage shot;
    ASSERT_TRUE(WaitFor([&] {
        shot = CaptureScreen({20, 20, 20 + 421, 20 + 421});
        return shot.At(100, 60) != 0 && shot.At(320, 280) != 0;
    }));
    std::ofstream(std::string("Z:") + KALVORO_BIN_DIR + "/clock-faces.bmp", std::ios::binary) << EncodeBmp24(shot);
    int differing = 0;
    for (int y = 0; y < 201; ++y) {
        for (int x = 0; x < 201; ++x) differing += shot.At(x, y) != shot.At(x + 220, y);
    }
    EXPECT_GT(differing, 100);
}

}  // namespace
}  // namespace kalvoro::win
