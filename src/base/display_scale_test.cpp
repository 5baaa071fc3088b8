#include "base/display_scale.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

// Expected values worked by hand: design value × percent / 100, halves rounded up.
struct ScaleRow {
    int dpi;
    int bar_width;   // 332
    int bar_height;  // 34
    // The bar's LED numbers: offset x 6, offset y 2, thickness and space 3, word 15 × 19.
    int offset_x, offset_y, thick, word_width, word_height;
    int font_9pt;   // character height of 9 pt
    int font_12pt;  // of 12 pt
};

constexpr ScaleRow kRows[] = {
    // dpi  332  34  6  2  3  15  19   9pt 12pt
    {96, 332, 34, 6, 2, 3, 15, 19, 12, 16},    // 100 %
    {120, 415, 43, 8, 3, 4, 19, 24, 15, 20},   // 125 %: 42.5 → 43, 7.5 → 8, 2.5 → 3, 3.75 → 4, 23.75 → 24
    {144, 498, 51, 9, 3, 5, 23, 29, 18, 24},   // 150 %: 4.5 → 5, 22.5 → 23, 28.5 → 29
    {168, 581, 60, 11, 4, 5, 26, 33, 21, 28},  // 175 %: 59.5 → 60, 10.5 → 11, 3.5 → 4, 5.25 → 5
    {192, 664, 68, 12, 4, 6, 30, 38, 24, 32},  // 200 %
};

TEST(DisplayScaleTest, SizesLedNumbersAndFontsAtEachCommonScale) {
    for (const ScaleRow& row : kRows) {
        SCOPED_TRACE(row.dpi);
        const DisplayScale scale = DisplayScale::ForDpi(row.dpi);
        EXPECT_EQ(scale.Px(Size{332, 34}), (Size{row.bar_width, row.bar_height}));
        EXPECT_EQ(scale.Px(6), row.offset_x);
        EXPECT_EQ(scale.Px(2), row.offset_y);
        EXPECT_EQ(scale.Px(3), row.thick);
        EXPECT_EQ(scale.Px(15), row.word_width);
        EXPECT_EQ(scale.Px(19), row.word_height);
        EXPECT_EQ(scale.FontHeight(9), -row.font_9pt);
        EXPECT_EQ(scale.FontHeight(12), -row.font_12pt);
    }
}

TEST(DisplayScaleTest, RectanglesScaleByTheirEdgesSoNeighboursStillTouch) {
    const DisplayScale scale = DisplayScale::ForDpi(120);
    const Rect left{3, 3, 13, 20};
    const Rect right{13, 3, 29, 20};
    // 13 × 1.25 = 16.25 → 16 on both sides of the seam.
    EXPECT_EQ(scale.Px(left), (Rect{4, 4, 16, 25}));
    EXPECT_EQ(scale.Px(right), (Rect{16, 4, 36, 25}));
    EXPECT_EQ(scale.Px(Point{-3, 5}), (Point{-4, 6}));  // -3.75 → -4, 6.25 → 6
}

TEST(DisplayScaleTest, RoundingIsHalfAwayFromZero) {
    const DisplayScale half = DisplayScale::ForDpi(144);
    EXPECT_EQ(half.Px(1), 2);    // 1.5
    EXPECT_EQ(half.Px(-1), -2);  // -1.5
    EXPECT_EQ(half.Px(0), 0);
    EXPECT_EQ(MulDivRounded(5, 1, 2), 3);
    EXPECT_EQ(MulDivRounded(-5, 1, 2), -3);
    EXPECT_EQ(MulDivRounded(4, 1, 3), 1);  // 1.33
    EXPECT_EQ(MulDivRounded(5, 1, 3), 2);  // 1.67
}

TEST(DisplayScaleTest, ScreenPixelsGoBackToDesignPixels) {
    const DisplayScale scale = DisplayScale::ForDpi(144);
    EXPECT_EQ(scale.Design(498), 332);
    EXPECT_EQ(scale.Design(51), 34);
    EXPECT_EQ(scale.Design(2), 1);  // 1.33
    EXPECT_EQ(scale.Percent(), 150);
}

TEST(DisplayScaleTest, NonsenseResolutionsFallBackOrAreLimited) {
    EXPECT_EQ(DisplayScale::ForDpi(0).dpi, 96);
    EXPECT_EQ(DisplayScale::ForDpi(-144).dpi, 96);
    EXPECT_EQ(DisplayScale::ForDpi(1).dpi, kMinimumDpi);
    EXPECT_EQ(DisplayScale::ForDpi(1 << 30).dpi, kMaximumDpi);
    EXPECT_TRUE(DisplayScale{}.IsDesign());
    // The largest coordinate the program meets still scales without overflow.
    EXPECT_EQ(DisplayScale::ForDpi(kMaximumDpi).Px(kCoordinateLimit), kCoordinateLimit * 10);
}

}  // namespace
}  // namespace kalvoro
