#include "skin/scale_image.h"

#include "skin/clock_skin.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

constexpr std::uint32_t kKey = kSeeThroughPixel;
constexpr std::uint32_t kWhite = 0xFFFFFF;

SkinImage Row(std::initializer_list<std::uint32_t> pixels) {
    SkinImage image;
    image.width = static_cast<int>(pixels.size());
    image.height = 1;
    image.pixels = pixels;
    return image;
}

TEST(ScaleSkinImageTest, TwoHundredPercentDoublesEveryPixel) {
    SkinImage source = SkinImage::Filled(2, 2, 0);
    source.At(0, 0) = 0x102030;
    source.At(1, 0) = kKey;
    source.At(0, 1) = 0xA0B0C0;
    source.At(1, 1) = 0x010203;
    const SkinImage scaled = ScaleSkinImage(source, 4, 4);
    ASSERT_EQ(scaled.width, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(scaled.At(x, y), source.At(x / 2, y / 2)) << x << "," << y;
    }
}

TEST(ScaleSkinImageTest, OneAndAHalfTimesMixesByCoveredArea) {
    // Three new pixels over two old ones: the middle one covers a third of each.
    const SkinImage scaled = ScaleSkinImage(Row({0x000000, 0x0060C0}), 3, 1, std::nullopt);
    EXPECT_EQ(scaled.pixels, (std::vector<std::uint32_t>{0x000000, 0x003060, 0x0060C0}));
}

TEST(ScaleSkinImageTest, KeyedEdgeGetsNoPinkFringe) {
    // The middle new pixel covers the magenta pixel and the white one alike; its centre is on the
    // white one, so it stays visible and pure white rather than a pinkish mix.
    const SkinImage scaled = ScaleSkinImage(Row({kKey, kWhite}), 3, 1);
    EXPECT_EQ(scaled.pixels, (std::vector<std::uint32_t>{kKey, kWhite, kWhite}));
    // Without a key the same pixels mix.
    const SkinImage plain = ScaleSkinImage(Row({kKey, kWhite}), 3, 1, std::nullopt);
    EXPECT_EQ(plain.pixels[1], 0xFF80FFu);
}

TEST(ScaleSkinImageTest, SeeThroughFollowsTheUnscaledPictureAtEveryCommonScale) {
    // A 10-pixel strip, see-through on the left four: at each scale the new pixels whose centre
    // falls on the left four old pixels are see-through, the rest white.
    const SkinImage source = Row({kKey, kKey, kKey, kKey, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite});
    for (int percent : {125, 150, 175, 200}) {
        SCOPED_TRACE(percent);
        const int width = 10 * percent / 100;
        const SkinImage scaled = ScaleSkinImage(source, width, 1);
        for (int x = 0; x < width; ++x) {
            // Centre of new pixel x in old pixels: (x + 0.5) × 10 / width < 4.
            const bool centre_on_key = (2 * x + 1) * 10 < 8 * width;
            EXPECT_EQ(scaled.At(x, 0), centre_on_key ? kKey : kWhite) << x;
        }
    }
}

TEST(ScaleSkinImageTest, ShrinkingAveragesAndAMixNeverBecomesTheKey) {
    SkinImage block = SkinImage::Filled(2, 2, 0);
    block.pixels = {0x000000, 0x646464, 0xC8C8C8, 0x646464};
    EXPECT_EQ(ScaleSkinImage(block, 1, 1).pixels, (std::vector<std::uint32_t>{0x646464}));
    // (FE,00,FF) and (FF,00,FE) average to the key exactly; the result must stay visible.
    const SkinImage mixed = ScaleSkinImage(Row({0xFE00FF, 0xFF00FE}), 1, 1);
    ASSERT_EQ(mixed.pixels.size(), 1u);
    EXPECT_NE(mixed.pixels[0], kKey);
}

TEST(ScaleSkinImageTest, EmptyOrNonsenseGivesAnEmptyPicture) {
    EXPECT_TRUE(ScaleSkinImage(SkinImage{}, 10, 10).empty());
    EXPECT_TRUE(ScaleSkinImage(Row({kWhite}), 0, 3).empty());
    EXPECT_TRUE(ScaleSkinImage(Row({kWhite}), 3, -1).empty());
    SkinImage short_of_pixels;
    short_of_pixels.width = 4;
    short_of_pixels.height = 4;
    short_of_pixels.pixels.assign(3, kWhite);
    EXPECT_TRUE(ScaleSkinImage(short_of_pixels, 8, 8).empty());
}

TEST(ScaleSkinImageTest, AClockSkinScalesItsPicturesAndItsWrittenCentre) {
    ClockSkin skin;
    skin.face = SkinImage::Filled(101, 80, kWhite);
    skin.hour_hand = SkinImage::Filled(7, 41, 0x000000);
    skin.center_cap = SkinImage::Filled(9, 9, 0x808080);
    skin.center_x = 51;
    const ClockSkin scaled = ScaledClockSkin(skin, DisplayScale::ForDpi(144));
    EXPECT_EQ(scaled.face.width, 152);  // 151.5 rounds up
    EXPECT_EQ(scaled.face.height, 120);
    EXPECT_EQ(scaled.hour_hand.width, 11);   // 10.5
    EXPECT_EQ(scaled.hour_hand.height, 62);  // 61.5
    EXPECT_EQ(scaled.center_cap.width, 14);  // 13.5
    EXPECT_TRUE(scaled.minute_hand.empty());
    EXPECT_EQ(scaled.PivotX(), 77);  // 76.5
    EXPECT_FALSE(scaled.center_y.has_value());
    EXPECT_EQ(scaled.PivotY(), 60);  // the middle of the scaled face
    // At 100 % the skin is the same.
    const ClockSkin same = ScaledClockSkin(skin, DisplayScale{});
    EXPECT_EQ(same.face, skin.face);
    EXPECT_EQ(same.center_x, skin.center_x);
}

}  // namespace
}  // namespace kalvoro
