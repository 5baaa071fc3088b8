#include "led/win32/led_control.h"

#include <gtest/gtest.h>

#include <string>

#include "led/win32/dib_canvas.h"
#include "led/win32/testing/gdi_leak_check.h"
#include "led/win32/testing/snapshot.h"

namespace kalvoro::win {
namespace {

constexpr COLORREF kLight = 0x00FFF7;  // 0x00BBGGRR
constexpr COLORREF kDark = 0x373737;
constexpr COLORREF kBackground = 0x402010;

std::uint32_t PixelOf(COLORREF colour) {
    return (std::uint32_t{GetRValue(colour)} << 16) | (std::uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}

// The lit segments of each digit, written out by hand (0 top, 1 upper right, 2 lower right,
// 3 bottom, 4 lower left, 5 upper left, 6 middle).
constexpr const char* kDigitSegments[10] = {"012345", "12",     "01346", "01236",   "1256",
                                            "02356",  "023456", "012",   "0123456", "012356"};

// A point inside the polygon: the mean of its distinct corners (every polygon is convex).
LedPoint Interior(const LedPolygon& polygon, int polygon_index) {
    const int corners = polygon_index == kSegmentMiddle ? 6 : 4;
    int x = 0;
    int y = 0;
    for (int i = 0; i < corners; ++i) {
        x += polygon[static_cast<std::size_t>(i)].x;
        y += polygon[static_cast<std::size_t>(i)].y;
    }
    return {x / corners, y / corners};
}

class LedPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(canvas);
        led.SetAutoSize(false);
        led.SetSize(117, 23);
        led.SetOffSetX(6);
        led.SetOffSetY(2);
        led.SetWordWidth(15);
        led.SetWordHeight(19);
        led.SetThick(3);
        led.SetSpace(3);
        led.SetBGColor(kBackground);
        led.SetLightColor(kLight);
        led.SetDarkColor(kDark);
        led.SetText("12:34:56");
    }

    std::uint32_t At(LedPoint point) const {
        return canvas.pixels()[static_cast<std::size_t>(kTop + point.y) * static_cast<std::size_t>(canvas.width()) +
                               static_cast<std::size_t>(kLeft + point.x)];
    }

    // Checks every polygon of every cell: lit ones in the light colour, the others not.
    void ExpectSegments(std::uint32_t unlit_pixel, const char* cells = "123456") {
        for (int cell = 0; cell < 6; ++cell) {
            std::string lit(kDigitSegments[cells[cell] - '0']);
            if (cell == 1 || cell == 3) lit += "89";
            const int x0 = 6 + cell * 18;
            const LedCellPolygons polygons = ComputeCellPolygons(x0, 2, led.Metrics());
            for (int p = 0; p < kLedPolygonCount; ++p) {
                const LedPoint inside = Interior(polygons[static_cast<std::size_t>(p)], p);
                const bool is_lit = lit.find(static_cast<char>('0' + p)) != std::string::npos;
                EXPECT_EQ(At(inside), is_lit ? PixelOf(kLight) : unlit_pixel)
                    << "cell " << cell + 1 << " polygon " << p << " at " << inside.x << "," << inside.y;
            }
        }
    }

    static constexpr int kLeft = 5;
    static constexpr int kTop = 3;
    DibCanvas canvas{130, 30};
    LedControl led;
};

TEST_F(LedPaintTest, LitSegmentsInLightColourOthersNot) {
    led.Paint(canvas.dc(), kLeft, kTop);
    ::GdiFlush();
    testing::SaveSnapshot(canvas, "led-12-34-56");
    ExpectSegments(PixelOf(kBackground));
    EXPECT_EQ(At({0, 0}), PixelOf(kBackground));
    EXPECT_EQ(canvas.pixels()[0], 0u) << "nothing outside the control's area";
}

TEST_F(LedPaintTest, TheOtherDigitsKeepTheirShapes) {
    led.SetText("78:90:36");
    led.Paint(canvas.dc(), kLeft, kTop);
    ::GdiFlush();
    ExpectSegments(PixelOf(kBackground), "789036");
}

TEST_F(LedPaintTest, UnlitSegmentsInDarkColourWhenAsked) {
    led.SetDrawDarkColor(true);
    led.Paint(canvas.dc(), kLeft, kTop);
    ::GdiFlush();
    testing::SaveSnapshot(canvas, "led-12-34-56-dark");
    ExpectSegments(PixelOf(kDark));
}

TEST_F(LedPaintTest, SystemColourIsResolved) {
    led.SetBGColor(0xFF000000u | COLOR_HIGHLIGHT);
    led.Paint(canvas.dc(), kLeft, kTop);
    ::GdiFlush();
    EXPECT_EQ(At({0, 0}), PixelOf(::GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(LedPaintTest, RepeatedPaintsLeaveTheGdiObjectCountFlat) {
    led.SetDrawDarkColor(true);
    EXPECT_TRUE(testing::PaintsLeaveGdiFlat([&](int second) {
        led.SetText(second % 2 ? "23:59:59" : "00:00:00");
        if (second % 10 == 0) led.SetLightColor(second % 20 ? kLight : 0x00FF00);
        if (second == 50) led.SetSize(150, 30);
        led.Paint(canvas.dc(), kLeft, kTop);
    }));
}

TEST_F(LedPaintTest, HiddenOrEmptyControlDrawsNothing) {
    led.SetVisible(false);
    led.Paint(canvas.dc(), kLeft, kTop);
    led.SetVisible(true);
    led.SetSize(0, 0);
    led.Paint(canvas.dc(), kLeft, kTop);
    led.Paint(nullptr, 0, 0);
    ::GdiFlush();
    for (std::size_t i = 0; i < canvas.pixel_count(); ++i) ASSERT_EQ(canvas.pixels()[i], 0u) << i;
}

}  // namespace
}  // namespace kalvoro::win
