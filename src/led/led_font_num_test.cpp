#include "led/led_font_num.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace kalvoro {
namespace {

constexpr Colour kLight = 0x00FFF7;
constexpr Colour kDark = 0x636363;

// The bar's digits: OffSetX 6, OffSetY 2, WordWidth 15, WordHeight 19, Thick 3, Space 3.
LEDFontNum BarLed(std::string_view text) {
    LEDFontNum led;
    led.SetOffSetX(6);
    led.SetOffSetY(2);
    led.SetWordWidth(15);
    led.SetWordHeight(19);
    led.SetThick(3);
    led.SetSpace(3);
    led.SetText(text);
    return led;
}

std::vector<LedFill> LayoutOf(const LEDFontNum& led) {
    std::vector<LedFill> fills(led.Layout({}));
    led.Layout(fills);
    return fills;
}

// Each fill as "<L|D><cell>:<polygon>", found by matching it against every cell's polygons.
std::vector<std::string> Describe(const LEDFontNum& led) {
    std::vector<std::string> described;
    for (const LedFill& fill : LayoutOf(led)) {
        std::string name = fill.colour == led.LightColor() ? "L" : fill.colour == led.DarkColor() ? "D" : "?";
        for (std::size_t cell = 0; cell < led.CellCount(); ++cell) {
            const int x0 = led.OffSetX() + static_cast<int>(cell) * (led.WordWidth() + led.Space());
            const LedCellPolygons polygons = ComputeCellPolygons(x0, led.OffSetY(), led.Metrics());
            for (int p = 0; p < kLedPolygonCount; ++p) {
                if (polygons[static_cast<std::size_t>(p)] == fill.polygon) {
                    name += std::to_string(cell + 1) + ":" + std::to_string(p);
                    p = kLedPolygonCount;
                    cell = led.CellCount();
                }
            }
        }
        described.push_back(name);
    }
    return described;
}

using Names = std::vector<std::string>;

TEST(LedGeometry, WorkedExampleOfTheBarsCell) {
    const LedCellPolygons p = ComputeCellPolygons(6, 2, {15, 19, 3});
    const std::vector<std::vector<LedPoint>> corners = {
        {{8, 2}, {10, 4}, {13, 4}, {15, 2}},                        // top
        {{17, 3}, {15, 5}, {15, 8}, {17, 10}},                      // upper right
        {{17, 12}, {15, 14}, {15, 17}, {17, 19}},                   // lower right
        {{15, 20}, {13, 18}, {10, 18}, {8, 20}},                    // bottom
        {{6, 19}, {8, 17}, {8, 14}, {6, 12}},                       // lower left
        {{6, 10}, {8, 8}, {8, 5}, {6, 3}},                          // upper left
        {{9, 10}, {8, 11}, {9, 12}, {14, 12}, {15, 11}, {14, 10}},  // middle
        {{19, 18}, {19, 21}, {22, 21}, {22, 18}},                   // point
        {{19, 6}, {22, 6}, {22, 9}, {19, 9}},                       // colon upper
        {{19, 14}, {22, 14}, {22, 17}, {19, 17}},                   // colon lower
    };
    for (int i = 0; i < kLedPolygonCount; ++i) {
        const LedPolygon& polygon = p[static_cast<std::size_t>(i)];
        const std::vector<LedPoint>& expected = corners[static_cast<std::size_t>(i)];
        for (std::size_t v = 0; v < expected.size(); ++v) EXPECT_EQ(polygon[v], expected[v]) << i << "/" << v;
        // Quadrilaterals repeat one vertex twice: the last, or for the point its first.
        if (expected.size() == 4) {
            const LedPoint repeated = i == kPolygonPoint ? expected[0] : expected[3];
            EXPECT_EQ(polygon[4], repeated) << i;
            EXPECT_EQ(polygon[5], repeated) << i;
        }
    }
}

TEST(LedGeometry, OnePixelMiddleBarIsAStraightLine) {
    const LedCellPolygons p = ComputeCellPolygons(0, 0, {9, 9, 1});  // m2 = 5
    const LedPolygon expected = {{{2, 4}, {2, 4}, {2, 4}, {5, 4}, {5, 4}, {5, 4}}};
    EXPECT_EQ(p[kSegmentMiddle], expected);
}

TEST(LEDFontNum, ConstructorValues) {
    LEDFontNum led;
    EXPECT_EQ(led.OffSetX(), 4);
    EXPECT_EQ(led.OffSetY(), 4);
    EXPECT_EQ(led.WordWidth(), 17);
    EXPECT_EQ(led.WordHeight(), 29);
    EXPECT_EQ(led.Thick(), 3);
    EXPECT_EQ(led.Space(), 4);
    EXPECT_EQ(led.Text(), "00");
    EXPECT_EQ(led.BGColor(), 0x4A424Au);
    EXPECT_EQ(led.LightColor(), 0x00FFF7u);
    EXPECT_EQ(led.DarkColor(), 0x636363u);
    EXPECT_TRUE(led.AutoSize());
    EXPECT_FALSE(led.DrawDarkColor());
    EXPECT_EQ(led.Width(), 47);
    EXPECT_EQ(led.Height(), 38);
    // The first paint sizes it to "00": 2 x 17 + 4 + 2 x 4 by 2 x 4 + 29.
    EXPECT_TRUE(led.ApplyAutoSize());
    EXPECT_EQ(led.Width(), 46);
    EXPECT_EQ(led.Height(), 37);
}

TEST(LEDFontNum, ClockTextCellsAndColonDots) {
    LEDFontNum led = BarLed("00:00:00");
    ASSERT_EQ(led.CellCount(), 6u);
    const Names zero = {"0", "1", "2", "3", "4", "5"};
    Names expected;
    for (int cell = 1; cell <= 6; ++cell) {
        for (const std::string& p : zero) expected.push_back("L" + std::to_string(cell) + ":" + p);
        if (cell == 2 || cell == 4) {
            expected.push_back("L" + std::to_string(cell) + ":8");
            expected.push_back("L" + std::to_string(cell) + ":9");
        }
    }
    EXPECT_EQ(Describe(led), expected);

    const std::vector<LedFill> fills = LayoutOf(led);
    const int expected_x0[] = {6, 24, 42, 60, 78, 96};
    for (int cell = 0; cell < 6; ++cell) {
        // The top segment starts at x0 + 2.
        EXPECT_EQ(fills[static_cast<std::size_t>(cell) * 6 + (cell >= 2 ? 2 : 0) + (cell >= 4 ? 2 : 0)].polygon[0].x,
                  expected_x0[cell] + 2);
    }
    EXPECT_EQ(led.Width(), 117);
    EXPECT_EQ(led.Height(), 23);
}

TEST(LEDFontNum, CellsMarksAndCharacters) {
    struct Case {
        const char* text;
        Names fills;
    };
    const Case cases[] = {
        {"12.5",
         {"L1:1", "L1:2", "L2:0", "L2:1", "L2:6", "L2:4", "L2:3", "L2:7", "L3:0", "L3:5", "L3:6", "L3:2", "L3:3"}},
        {"-", {"L1:6"}},
        {"-.:", {"L1:6"}},                                  // marks after a non-digit are not drawn
        {"7 1", {"L1:0", "L1:1", "L1:2", "L3:1", "L3:2"}},  // the blank keeps its cell
        {"A4", {"L2:5", "L2:6", "L2:1", "L2:2"}},
        {":.1", {"L1:1", "L1:2"}},  // leading marks belong to no cell
        {"1..::", {"L1:1", "L1:2", "L1:7", "L1:8", "L1:9"}},
        {"1中2", {"L1:1", "L1:2", "L3:0", "L3:1", "L3:6", "L3:4", "L3:3"}},  // one cell per character
        {"\3771", {"L2:1", "L2:2"}},                                         // a stray byte is a cell of its own
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(BarLed(c.text)), c.fills) << '"' << c.text << '"';
    }
}

// Each character's lit polygons in drawing order, written out from the segment numbering (0 top,
// 1 upper right, 2 lower right, 3 bottom, 4 lower left, 5 upper left, 6 middle).
TEST(LEDFontNum, EveryDigitLightsItsOwnSegments) {
    const std::pair<const char*, Names> digits[] = {
        {"0", {"L1:0", "L1:1", "L1:2", "L1:3", "L1:4", "L1:5"}},
        {"1", {"L1:1", "L1:2"}},
        {"2", {"L1:0", "L1:1", "L1:6", "L1:4", "L1:3"}},
        {"3", {"L1:0", "L1:1", "L1:6", "L1:2", "L1:3"}},
        {"4", {"L1:5", "L1:6", "L1:1", "L1:2"}},
        {"5", {"L1:0", "L1:5", "L1:6", "L1:2", "L1:3"}},
        {"6", {"L1:0", "L1:5", "L1:4", "L1:3", "L1:2", "L1:6"}},
        {"7", {"L1:0", "L1:1", "L1:2"}},
        {"8", {"L1:0", "L1:1", "L1:2", "L1:3", "L1:4", "L1:5", "L1:6"}},
        {"9", {"L1:6", "L1:5", "L1:0", "L1:1", "L1:2", "L1:3"}},
        {"-", {"L1:6"}},
    };
    for (const auto& [text, fills] : digits) EXPECT_EQ(Describe(BarLed(text)), fills) << text;
}

TEST(LEDFontNum, DarkSegmentsUnderTheLitOnes) {
    LEDFontNum led = BarLed("1 ");
    led.SetDarkColor(kDark);
    EXPECT_EQ(Describe(led), (Names{"L1:1", "L1:2"})) << "DrawDarkColor is off";

    EXPECT_TRUE(led.SetDrawDarkColor(true));
    const Names dark1 = {"D1:0", "D1:1", "D1:2", "D1:3", "D1:4", "D1:5", "D1:6", "D1:7", "D1:8", "D1:9"};
    const Names dark2 = {"D2:0", "D2:1", "D2:2", "D2:3", "D2:4", "D2:5", "D2:6", "D2:7", "D2:8", "D2:9"};
    Names expected = dark1;
    expected.insert(expected.end(), {"L1:1", "L1:2"});
    expected.insert(expected.end(), dark2.begin(), dark2.end());
    EXPECT_EQ(Describe(led), expected);

    // A dark colour equal to the background is not drawn at all.
    led.SetDarkColor(led.BGColor());
    EXPECT_EQ(Describe(led), (Names{"L1:1", "L1:2"}));
}

TEST(LEDFontNum, LightColourEqualToBackgroundDrawsNothingLit) {
    LEDFontNum led = BarLed("88:88");
    led.SetLightColor(led.BGColor());
    EXPECT_EQ(LayoutOf(led).size(), 0u);
    led.SetDarkColor(kDark);
    led.SetDrawDarkColor(true);
    for (const LedFill& fill : LayoutOf(led)) EXPECT_EQ(fill.colour, kDark);
}

TEST(LEDFontNum, EmptyTextSizesToTheMarginsOnly) {
    LEDFontNum led = BarLed("");
    EXPECT_EQ(LayoutOf(led).size(), 0u);
    EXPECT_EQ(led.Width(), 2 * 6 - 3);
    EXPECT_EQ(led.Height(), 23);
    // A gap wider than both margins would give a negative width; it stops at zero.
    led.SetOffSetX(1);
    led.SetSpace(4);
    EXPECT_EQ(led.Width(), 0);
}

TEST(LEDFontNum, AutoSizeFollowsEveryGeometryChange) {
    LEDFontNum led = BarLed("12");
    EXPECT_EQ(led.Width(), 2 * 15 + 3 + 12);
    led.SetWordHeight(25);  // the width stays, the height must follow
    EXPECT_EQ(led.Height(), 2 * 2 + 25);

    led.SetAutoSize(false);
    EXPECT_TRUE(led.SetText("12345"));
    EXPECT_EQ(led.Width(), 45) << "a fixed size stays";
    EXPECT_TRUE(led.SetSize(200, 40));
    EXPECT_TRUE(led.SetAutoSize(true));
    EXPECT_EQ(led.Width(), 5 * 15 + 4 * 3 + 12);
    EXPECT_EQ(led.Height(), 29);
    EXPECT_FALSE(led.SetAutoSize(false)) << "switching off changes nothing";
    EXPECT_EQ(led.Width(), 5 * 15 + 4 * 3 + 12);
}

TEST(LEDFontNum, SetterRules) {
    LEDFontNum led = BarLed("0");  // W 15, H 19, T 3

    EXPECT_TRUE(led.SetWordHeight(20));
    EXPECT_EQ(led.WordHeight(), 21) << "even heights become odd";
    EXPECT_FALSE(led.SetWordHeight(20)) << "stores 21 again: nothing changed";
    EXPECT_FALSE(led.SetWordHeight(11)) << "below 4 x Thick";
    EXPECT_TRUE(led.SetWordHeight(12));
    EXPECT_EQ(led.WordHeight(), 13);

    EXPECT_FALSE(led.SetWordWidth(6)) << "not greater than 2 x Thick";
    EXPECT_TRUE(led.SetWordWidth(7));
    EXPECT_FALSE(led.SetWordWidth(7));

    led.SetWordWidth(15);
    led.SetWordHeight(19);
    EXPECT_FALSE(led.SetThick(8)) << "2 x Thick reaches WordWidth";
    EXPECT_FALSE(led.SetThick(5)) << "4 x Thick - 1 reaches WordHeight";
    EXPECT_FALSE(led.SetThick(0));
    EXPECT_FALSE(led.SetThick(-2));
    EXPECT_FALSE(led.SetThick(3)) << "unchanged";
    EXPECT_TRUE(led.SetThick(4));
    EXPECT_EQ(led.Thick(), 4);

    EXPECT_FALSE(led.SetText("0"));
    EXPECT_TRUE(led.SetText("1"));
    EXPECT_TRUE(led.SetBGColor(0));
    EXPECT_FALSE(led.SetBGColor(0));
    EXPECT_TRUE(led.SetLightColor(0xFF00FF));
    EXPECT_TRUE(led.SetDarkColor(0x373737));
    EXPECT_TRUE(led.SetDrawDarkColor(true));
    EXPECT_FALSE(led.SetDrawDarkColor(true));
    EXPECT_TRUE(led.SetOffSetX(-3)) << "any value";
    EXPECT_TRUE(led.SetSpace(-1));
}

TEST(LEDFontNum, ExtremeValuesStayDefined) {
    LEDFontNum led = BarLed(std::string(1000, '8'));
    EXPECT_EQ(led.Text().size(), LEDFontNum::kMaxTextBytes);
    led.SetOffSetX(INT_MAX);
    led.SetOffSetY(INT_MIN);
    led.SetSpace(INT_MAX);
    led.SetWordWidth(INT_MAX);
    led.SetWordHeight(INT_MAX);
    EXPECT_EQ(led.OffSetX(), LEDFontNum::kMaxCoordinate);
    EXPECT_EQ(led.WordHeight() % 2, 1);
    EXPECT_EQ(LayoutOf(led).size(), LEDFontNum::kMaxTextBytes * 7);
    EXPECT_GE(led.Width(), 0);

    // Cutting never splits a character: 85 three-byte characters fit, the 86th does not.
    std::string chinese;
    for (int i = 0; i < 100; ++i) chinese += "\xE4\xB8\xAD";
    led.SetText(chinese);
    EXPECT_EQ(led.Text().size(), 255u);
    led.SetText("1" + chinese);
    EXPECT_EQ(led.Text().size(), 253u);
}

TEST(LedDrawList, ReusesItsStorageOnceSized) {
    LEDFontNum led = BarLed("00:00:00");
    LedDrawList list;
    const std::span<const LedFill> first = list.Build(led);
    EXPECT_EQ(first.size(), 40u);
    led.SetText("12:34:56");
    const std::span<const LedFill> second = list.Build(led);
    EXPECT_EQ(second.data(), first.data());
    EXPECT_EQ(second.size(), 2u + 5 + 2 + 5 + 4 + 2 + 5 + 6);

    // A layout into too little room reports the full count and writes only what fits.
    std::vector<LedFill> small(3);
    EXPECT_EQ(led.Layout(small), second.size());
    EXPECT_EQ(small[2].polygon, second[2].polygon);
}

}  // namespace
}  // namespace kalvoro
