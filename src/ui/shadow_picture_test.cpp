#include <gtest/gtest.h>

#include "ui/shadow_picture.h"

namespace kalvoro {
namespace {

constexpr int kMargin = kShadowMargin;

ShadowPicture PlainWindow(Size window) {
    return BuildShadowPicture({.window = window});
}

// The bottom rows are left out: clamped there, a pixel reads its own row half blurred already.
void ExpectMirrorSymmetric(const ShadowPicture& picture) {
    for (int y = 0; y < picture.height - 3; ++y) {
        for (int x = 0; x < picture.width / 2; ++x) {
            ASSERT_EQ(picture.AlphaAt(x, y), picture.AlphaAt(picture.width - 1 - x, y)) << x << "," << y;
        }
    }
}

TEST(ShadowPictureTest, RectangularWindowCastsAHaloAroundItsClearedArea) {
    const ShadowPicture picture = PlainWindow({40, 20});
    ASSERT_EQ(picture.width, 72);
    ASSERT_EQ(picture.height, 52);
    ASSERT_EQ(picture.pixels.size(), 72u * 52u);
    EXPECT_EQ(picture.constantAlpha, 255);
    ExpectMirrorSymmetric(picture);

    for (int y = kMargin; y < kMargin + 20; ++y) {
        for (int x = kMargin; x < kMargin + 40; ++x) ASSERT_EQ(picture.AlphaAt(x, y), 0) << "under the window";
    }
    for (int y = 0; y < kMargin - 6; ++y) {
        for (int x = 0; x < 72; ++x) ASSERT_EQ(picture.AlphaAt(x, y), 0) << "beyond six rows above";
    }
    // Halo above the middle of the top edge, below the bottom edge and beside the left edge: the
    // in-place blur lets it trail downwards to the picture's bottom.
    const int middle_x = kMargin + 20;
    const int middle_y = kMargin + 10;
    EXPECT_EQ(picture.AlphaAt(middle_x, kMargin - 1), 140);
    EXPECT_EQ(picture.AlphaAt(middle_x, kMargin - 6), 31);
    EXPECT_EQ(picture.AlphaAt(middle_x, kMargin + 20), 89);
    EXPECT_EQ(picture.AlphaAt(middle_x, 51), 3);
    EXPECT_EQ(picture.AlphaAt(kMargin - 1, middle_y), 108);
    EXPECT_EQ(picture.AlphaAt(3, middle_y), 1);
    EXPECT_EQ(picture.AlphaAt(2, middle_y), 0);
    EXPECT_EQ(picture.pixels[0], 0u);
    // Black shadow: premultiplied colour channels are zero wherever alpha is.
    for (const std::uint32_t pixel : picture.pixels) ASSERT_EQ(pixel & 0xFFFFFF, 0u);
}

TEST(ShadowPictureTest, ConstantAlphaFollowsTheWindowsAlpha) {
    EXPECT_EQ(BuildShadowPicture({.window = {10, 10}, .windowAlpha = 128}).constantAlpha, 128);
    EXPECT_EQ(BuildShadowPicture({.window = {10, 10}, .windowAlpha = 0}).constantAlpha, 0);
    EXPECT_EQ(BuildShadowPicture({.window = {10, 10}}).constantAlpha, 255);
}

TEST(ShadowPictureTest, ShadowColourIsPremultipliedByEachPixelsAlpha) {
    const ShadowPicture picture = BuildShadowPicture({.window = {40, 20}, .shadowColour = 0x804020});
    const std::uint32_t pixel = picture.pixels[static_cast<std::size_t>(kMargin - 1) * 72 + kMargin + 20];
    const std::uint32_t alpha = 140;
    EXPECT_EQ(pixel >> 24, alpha);
    EXPECT_EQ((pixel >> 16) & 0xFF, 0x20 * alpha / 255) << "red";
    EXPECT_EQ((pixel >> 8) & 0xFF, 0x40 * alpha / 255) << "green";
    EXPECT_EQ(pixel & 0xFF, 0x80 * alpha / 255) << "blue";
    const ShadowPicture white = BuildShadowPicture({.window = {40, 20}, .shadowColour = 0xFFFFFF});
    for (const std::uint32_t p : white.pixels) {
        ASSERT_EQ(p & 0xFF, p >> 24);
        ASSERT_EQ((p >> 16) & 0xFF, p >> 24);
    }
}

class ColourKeyedShadowTest : public ::testing::Test {
protected:
    // A 40 x 40 window, see-through in a 20 x 20 hole in its middle.
    static ShapeMask HoledMask() {
        std::vector<std::uint32_t> pixels(40 * 40, 0xFF336699);
        for (int y = 10; y < 30; ++y) {
            for (int x = 10; x < 30; ++x) pixels[y * 40 + x] = 0xFFFF00FF;  // top byte set, as a DIB may have it
        }
        return MakeColourKeyMask(pixels, 40, 40, kColourKeyMagenta);
    }

    const ShapeMask mask = HoledMask();
};

TEST_F(ColourKeyedShadowTest, HaloShowsThroughTheHoleOnly) {
    const ShadowPicture picture = BuildShadowPicture({.window = {40, 40}, .colourKeyMask = &mask});
    const ShadowPicture plain = PlainWindow({40, 40});
    ExpectMirrorSymmetric(picture);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool hole = x >= 10 && x < 30 && y >= 10 && y < 30;
            if (!hole) {
                ASSERT_EQ(picture.AlphaAt(kMargin + x, kMargin + y), 0) << x << "," << y;
            }
        }
    }
    // Inside the hole, along its top and side edges, the window's own halo shows.
    EXPECT_GT(picture.AlphaAt(kMargin + 20, kMargin + 10), 0);
    EXPECT_GT(picture.AlphaAt(kMargin + 10, kMargin + 20), 0);
    EXPECT_GT(picture.AlphaAt(kMargin + 29, kMargin + 20), 0);
    // Above the window the halo does not reach down to the hole.
    EXPECT_EQ(picture.AlphaAt(kMargin + 20, kMargin - 1), plain.AlphaAt(kMargin + 20, kMargin - 1));
}

TEST_F(ColourKeyedShadowTest, MaskIsPlacedAtTheClientOrigin) {
    // A window with an 8-pixel frame above its client area: the hole moves down with the client.
    const ShadowPicture picture =
        BuildShadowPicture({.window = {40, 48}, .colourKeyMask = &mask, .clientOrigin = {0, 8}});
    EXPECT_EQ(picture.AlphaAt(kMargin + 20, kMargin + 10), 0);
    EXPECT_GT(picture.AlphaAt(kMargin + 20, kMargin + 18), 0);
}

TEST_F(ColourKeyedShadowTest, MaskOfTheWrongSizeIsIgnored) {
    ShapeMask broken = mask;
    broken.opaque.pop_back();
    EXPECT_EQ(BuildShadowPicture({.window = {40, 40}, .colourKeyMask = &broken}).pixels, PlainWindow({40, 40}).pixels);
}

TEST(ColourKeyMaskTest, ComparesRedGreenAndBlueOfTheKeyOnly) {
    // Key given as 0x00BBGGRR (pure blue); pixels as a DIB stores them, 0xAARRGGBB.
    const std::uint32_t pixels[] = {0x000000FF, 0xFF0000FF, 0x00FF0000, 0x000001FF};
    const ShapeMask mask = MakeColourKeyMask(pixels, 2, 2, 0xFF0000);
    EXPECT_EQ(mask.opaque, (std::vector<std::uint8_t>{0, 0, 1, 1}));
}

TEST(ColourKeyMaskTest, BadInputsGiveDefinedMasks) {
    const std::uint32_t pixels[] = {0xFF00FF};
    EXPECT_EQ(MakeColourKeyMask(pixels, 2, 1, kColourKeyMagenta).opaque, (std::vector<std::uint8_t>{0, 1}))
        << "missing pixels count as opaque";
    EXPECT_TRUE(MakeColourKeyMask(pixels, 0, 1, kColourKeyMagenta).opaque.empty());
    EXPECT_TRUE(MakeColourKeyMask(pixels, -3, 1, kColourKeyMagenta).opaque.empty());
    EXPECT_TRUE(MakeColourKeyMask(pixels, 1, kShadowMaxWindowSide + 1, kColourKeyMagenta).opaque.empty());
}

TEST(ShadowPictureTest, ComplexRegionShapesTheShadow) {
    // An L: full width on top, left half below. The notch at the bottom right is outside the window.
    const ShadowPicture picture =
        BuildShadowPicture({.window = {40, 20}, .complexRegion = {{0, 0, 40, 10}, {0, 10, 20, 20}}});
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inside = y < 10 || x < 20;
            if (inside) {
                ASSERT_EQ(picture.AlphaAt(kMargin + x, kMargin + y), 0) << x << "," << y;
            }
        }
    }
    EXPECT_GT(picture.AlphaAt(kMargin + 20, kMargin + 15), 0) << "halo in the notch";
    EXPECT_GT(picture.AlphaAt(kMargin + 30, kMargin + 10), 0) << "halo in the notch";
    EXPECT_GT(picture.AlphaAt(kMargin + 20, kMargin - 1), 0);
}

TEST(ShadowPictureTest, RegionOfEmptyRectanglesCastsNoShadow) {
    const ShadowPicture picture = BuildShadowPicture({.window = {40, 20}, .complexRegion = {{5, 5, 5, 9}, {}}});
    for (const std::uint32_t pixel : picture.pixels) ASSERT_EQ(pixel, 0u);
}

TEST(ShadowPictureTest, BorderGrowsTheClearedAreaByAThird) {
    const ShadowPicture picture = BuildShadowPicture({.window = {40, 20}, .border = {6, 9}});
    const ShadowPicture plain = PlainWindow({40, 20});
    const int middle_y = kMargin + 10;
    EXPECT_EQ(picture.AlphaAt(kMargin - 2, middle_y), 0);
    EXPECT_GT(picture.AlphaAt(kMargin - 3, middle_y), 0);
    EXPECT_GT(plain.AlphaAt(kMargin - 2, middle_y), 0);
    EXPECT_EQ(picture.AlphaAt(kMargin + 20, kMargin - 3), 0);
    EXPECT_GT(picture.AlphaAt(kMargin + 20, kMargin - 4), 0);
    EXPECT_EQ(picture.AlphaAt(kMargin + 20, kMargin + 22), 0);
}

TEST(ShadowPictureTest, SizesOutOfRangeGiveNoShadow) {
    const ShadowPicture empty_window = PlainWindow({0, 0});
    EXPECT_EQ(empty_window.width, 32);
    for (const std::uint32_t pixel : empty_window.pixels) ASSERT_EQ(pixel, 0u);
    for (const Size bad : {Size{-1, 10}, Size{10, -1}, Size{kShadowMaxWindowSide + 1, 10}}) {
        const ShadowPicture picture = PlainWindow(bad);
        EXPECT_EQ(picture.width, 0);
        EXPECT_TRUE(picture.pixels.empty());
    }
}

}  // namespace
}  // namespace kalvoro
