#include <gtest/gtest.h>

#include <algorithm>

#include "ui/shadow_blur.h"

namespace kalvoro {
namespace {

GreyPlane SinglePixel(int size, int x, int y) {
    GreyPlane plane(size, size);
    plane.At(x, y) = 255;
    return plane;
}

TEST(ShadowBlurTest, FirstPassAveragesDiagonalNeighboursInPlace) {
    GreyPlane plane = SinglePixel(21, 10, 10);
    BlurShadowPass(plane, 1);
    // Row 9 sees the lit pixel below it; rows further down see the rows above already blurred.
    struct Expected {
        int x, y, value;
    };
    for (const Expected e : {Expected{9, 9, 63},
                             {11, 9, 63},
                             {10, 9, 0},
                             {10, 10, 31},
                             {8, 10, 15},
                             {12, 10, 15},
                             {9, 10, 0},
                             {9, 11, 11},
                             {11, 11, 11},
                             {7, 11, 3},
                             {10, 12, 5},
                             {9, 13, 2}}) {
        EXPECT_EQ(plane.At(e.x, e.y), e.value) << e.x << "," << e.y;
    }
    for (int x = 0; x < 21; ++x) EXPECT_EQ(plane.At(x, 8), 0) << "above the reach of radius 1 at " << x;
}

TEST(ShadowBlurTest, ThreePassesSpreadSixRowsUpAndStayMirrorSymmetric) {
    constexpr int kSize = 41;
    constexpr int kCentre = 20;
    GreyPlane plane = SinglePixel(kSize, kCentre, kCentre);
    BlurShadow(plane);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            EXPECT_EQ(plane.At(x, y), plane.At(kSize - 1 - x, y)) << x << "," << y;
            if (y < kCentre - 6) {
                EXPECT_EQ(plane.At(x, y), 0) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(plane.At(kCentre, kCentre - 6), 7);
    EXPECT_EQ(plane.At(kCentre, kCentre), 2);
    EXPECT_EQ(plane.At(kCentre - 3, kCentre + 1), 1);
}

TEST(ShadowBlurTest, UniformPlanesStayUniformUpToTheClampedBorders) {
    for (const std::uint8_t value : {std::uint8_t{0}, std::uint8_t{100}, std::uint8_t{255}}) {
        GreyPlane plane(7, 5);
        std::fill(plane.values.begin(), plane.values.end(), value);
        BlurShadow(plane);
        for (const std::uint8_t v : plane.values) EXPECT_EQ(v, value);
    }
}

TEST(ShadowBlurTest, DegeneratePlanesAreLeftAlone) {
    GreyPlane empty;
    BlurShadow(empty);
    GreyPlane single = SinglePixel(1, 0, 0);
    BlurShadow(single);
    EXPECT_EQ(single.At(0, 0), 255);
    GreyPlane inconsistent(4, 4);
    inconsistent.values.resize(3, 9);
    BlurShadow(inconsistent);
    EXPECT_EQ(inconsistent.values, (std::vector<std::uint8_t>{0, 0, 0}));
    GreyPlane plane = SinglePixel(5, 2, 2);
    BlurShadowPass(plane, 0);
    BlurShadowPass(plane, -3);
    EXPECT_EQ(plane.At(2, 2), 255);
}

}  // namespace
}  // namespace kalvoro
