// The bar in the default skin, its drop shadow, and snapping to the screen edge when dragged.

#include <gtest/gtest.h>

#include <string>

#include "e2e/app_under_test.h"
#include "e2e/pixels.h"
#include "skin/bar_skin.h"
#include "skin/skin_image.h"

namespace kalvoro::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char kSkinnedSettings[] =
    "[SKIN]\r\nSkinFile=Default.sk\r\n[BAR]\r\nLeft=300\r\nTop=300\r\nTr=255\r\nOnTop=1\r\nDefWin=0\r\n";

BarSkin ShippedBarSkin() {
    const std::string bytes =
        ReadFileBytes(std::wstring(L"" KALVORO_SOURCE_DIR_W) + L"\\resources\\skins\\Skin\\Default.sk");
    auto skin = LoadBarSkinData(bytes);
    return skin ? *skin : BarSkin{};
}

TEST(SkinTest, BarShowsTheDefaultSkinsBackgroundAndLedColours) {
    const BarSkin skin = ShippedBarSkin();
    ASSERT_FALSE(skin.background.empty());
    AppUnderTest app;
    app.WriteSettings(kSkinnedSettings);
    ASSERT_TRUE(app.Start());
    // The LED's digits are lit in the skin's colour once the bar has painted.
    const auto lit_pixels = [&](const Pixels& shot) {
        int lit = 0;
        for (int y = 5; y < 29; ++y) {
            for (int x = 54; x < 168; ++x) lit += shot.At(x, y) == static_cast<COLORREF>(skin.led_light);
        }
        return lit;
    };
    Pixels shot;
    EXPECT_TRUE(WaitFor([&] {
        shot = CaptureWindow(app.bar());
        return lit_pixels(shot) > 100;
    }));
    SaveSnapshot(shot, L"bar-default-skin");

    // Background outside the panel, the date line and the buttons comes from the package as is;
    // magenta pixels are see-through and show whatever lies behind the bar.
    int compared = 0;
    for (int y = 0; y < 34; y += 3) {
        for (int x = 0; x < 332; x += 7) {
            const bool in_panel = x >= 53 && x < 169 && y >= 4 && y < 30;
            const bool in_date = x >= 173 && x < 327 && y >= 12 && y < 32;
            const bool in_menu = x >= 8 && x < 51 && y >= 4 && y < 31;
            const bool in_min = x >= 296 && x < 322 && y >= 1 && y < 10;
            if (in_panel || in_date || in_menu || in_min) continue;
            const std::uint32_t pixel = skin.background.At(x, y);
            if (pixel == kSeeThroughPixel) continue;
            EXPECT_EQ(shot.At(x, y), PixelToColorRef(pixel)) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);

    // The LED's digits are lit in the skin's colour, on the skin's LED background.
    int background = 0;
    for (int y = 5; y < 29; ++y) {
        for (int x = 54; x < 168; ++x) background += shot.At(x, y) == static_cast<COLORREF>(skin.led_background);
    }
    EXPECT_GT(lit_pixels(shot), 100);
    EXPECT_GT(background, 1000);
    EXPECT_TRUE(app.Close());
}

TEST(SkinTest, BarCastsAShadow32PixelsLarger) {
    AppUnderTest app;
    app.WriteSettings(kSkinnedSettings);
    ASSERT_TRUE(app.Start());
    std::vector<HWND> shadows;
    ASSERT_TRUE(WaitFor([&] {
        shadows = app.WindowsOfClass(L"KalvoroFormShadow");
        return !shadows.empty();
    }));
    RECT bar{}, shadow{};
    ::GetWindowRect(app.bar(), &bar);
    ::GetWindowRect(shadows.front(), &shadow);
    EXPECT_EQ(shadow.left, bar.left - 16);
    EXPECT_EQ(shadow.top, bar.top - 16);
    EXPECT_EQ(shadow.right, bar.right + 16);
    EXPECT_EQ(shadow.bottom, bar.bottom + 16);
    const LONG ex = ::GetWindowLongW(shadows.front(), GWL_EXSTYLE);
    EXPECT_NE(ex & WS_EX_LAYERED, 0);
    EXPECT_NE(ex & WS_EX_NOACTIVATE, 0);

    // It follows the bar.
    ::SetWindowPos(app.bar(), nullptr, 200, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitFor(
        [&] {
            ::GetWindowRect(shadows.front(), &shadow);
            return shadow.left == 200 - 16 && shadow.top == 250 - 16;
        },
        3s));
    // And hides with it.
    ::ShowWindow(app.bar(), SW_HIDE);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(shadows.front()); }, 3s));
    EXPECT_TRUE(app.Close());
}

TEST(SkinTest, BarDraggedNearTheScreenEdgeSnapsToIt) {
    AppUnderTest app;
    app.WriteSettings(kSkinnedSettings);
    ASSERT_TRUE(app.Start());
    PumpFor(1000ms);
    // Grab the background between the LED panel and the date line and drag it 298 pixels left:
    // the bar's left edge would land 2 pixels from the screen's edge, within the snap distance.
    const int grab_x = 300 + 171, grab_y = 300 + 20;
    const auto bar_at = [&](int left, int top) {
        RECT r{};
        ::GetWindowRect(app.bar(), &r);
        return r.left == left && r.top == top;
    };
    const auto near_the_edge = [&] {
        RECT r{};
        ::GetWindowRect(app.bar(), &r);
        return r.left >= 0 && r.left <= 12 && r.top == 300;  // the move loop may swallow a step
    };
    EXPECT_TRUE(DragWithMouse({grab_x, grab_y}, {grab_x - 298, grab_y}, 30, near_the_edge));
    EXPECT_TRUE(WaitFor([&] { return bar_at(0, 300); }));
    RECT r{};
    ::GetWindowRect(app.bar(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 300);
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace kalvoro::e2e
