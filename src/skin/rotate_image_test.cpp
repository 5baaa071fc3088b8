#include "skin/rotate_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/testing/rotate_test_support.h"

namespace kalvoro {
namespace {

using testing::LetterPicture;
using testing::LetterRows;
using testing::NumberedPicture;
using Rows = std::vector<std::string>;

// A picture whose bottom-left pixel (its background) is 0.
SkinImage HandPicture(int width, int height) {
    SkinImage picture = NumberedPicture(width, height);
    picture.At(0, height - 1) = 0;
    return picture;
}

TEST(RotateImageTest, NewControlIs105SquareWithUniqueSizeOn) {
    TRotateImage image;
    EXPECT_EQ(image.Bounds(), (ControlBounds{0, 0, 105, 105}));
    EXPECT_TRUE(image.UniqueSize());
    EXPECT_FALSE(image.Center());
    EXPECT_FALSE(image.Stretch());
    EXPECT_FALSE(image.Transparent());
    EXPECT_FALSE(image.AutoSize());
    EXPECT_EQ(image.Angle(), 0);
    EXPECT_TRUE(image.Rotated().empty());
}

TEST(RotateImageTest, UniqueSquareSide) {
    EXPECT_EQ(UniqueSquareSide(10, 100), 103);  // sqrt(10548) = 102.70
    EXPECT_EQ(UniqueSquareSide(100, 10), 103);
    EXPECT_EQ(UniqueSquareSide(9, 161), 163);  // sqrt(26690) = 163.37
    EXPECT_EQ(UniqueSquareSide(9, 177), 179);  // sqrt(32162) = 179.34
    EXPECT_EQ(UniqueSquareSide(1, 1), 4);      // sqrt(18) = 4.24
    EXPECT_EQ(UniqueSquareSide(2, 2), 6);      // sqrt(32) = 5.66
}

TEST(RotateImageTest, UniqueSizeKeepsOneSquareAtEveryAngle) {
    TRotateImage image;
    image.SetPicture(HandPicture(10, 100));
    for (int angle = -360; angle <= 360; ++angle) {
        image.SetAngle(angle);
        ASSERT_EQ(image.Rotated().width, 103) << angle;
        ASSERT_EQ(image.Rotated().height, 103) << angle;
    }
    image.SetUniqueSize(false);
    image.SetAngle(90);
    EXPECT_EQ(image.Rotated().width, 100);
    EXPECT_EQ(image.Rotated().height, 10);
}

TEST(RotateImageTest, WholeTurnsAreCopiedBitForBit) {
    const SkinImage picture = HandPicture(7, 12);
    TRotateImage image;
    image.SetUniqueSize(false);
    image.SetPicture(picture);
    for (long double angle : {360.0L, 720.0L, -360.0L, -1080.0L}) {
        image.SetAngle(angle);
        EXPECT_EQ(image.Rotated(), picture) << static_cast<double>(angle);
    }
    image.SetAngle(361);
    EXPECT_EQ(image.Rotated(), RotateBitmap(picture, 0, 1));
    image.SetAngle(540);
    EXPECT_EQ(image.Rotated(), RotateBitmap(picture, 0, 180));
}

TEST(RotateImageTest, WithoutCenterTheTurnedPictureSitsInTheSquaresCorner) {
    // The bottom-left 'i' is the background that fills the square.
    const SkinImage picture = LetterPicture({"ab", "cd", "ef", "gh", "i."});
    TRotateImage image;
    image.SetPicture(picture);  // 2 x 5: side round(sqrt(16 + 49)) = 8
    ASSERT_EQ(image.Rotated().width, 8);
    const std::string blank(8, 'i');
    EXPECT_EQ(LetterRows(image.Rotated()),
              (Rows{"abiiiiii", "cdiiiiii", "efiiiiii", "ghiiiiii", "i.iiiiii", blank, blank, blank}));

    image.SetCenter(true);  // offset ((8 - 2) div 2, (8 - 5) div 2) = (3, 1)
    EXPECT_EQ(LetterRows(image.Rotated()),
              (Rows{blank, "iiiabiii", "iiicdiii", "iiiefiii", "iiighiii", "iiii.iii", blank, blank}));

    image.SetAngle(90);  // 5 x 2 at ((8 - 5) div 2, (8 - 2) div 2) = (1, 3)
    EXPECT_EQ(LetterRows(image.Rotated()), (Rows{blank, blank, blank, "ibdfh.ii", "iacegiii", blank, blank, blank}));
}

TEST(RotateImageTest, TransparentLeavesOutTheBottomLeftColourIncludingTheFilledCorners) {
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    constexpr std::uint32_t kRed = 0xFF0000;
    SkinImage picture = SkinImage::Filled(6, 6, kWhite);
    picture.At(2, 1) = 0x000001;
    picture.At(3, 4) = 0x000002;
    TRotateImage image;
    image.SetTransparent(true);
    image.SetPicture(picture);
    image.SetAngle(30);
    ASSERT_EQ(image.TransparentColor(), kWhite);
    ASSERT_TRUE(image.RotatedIsTransparent());
    image.SetBounds({2, 3, image.Rotated().width, image.Rotated().height});

    SkinImage surface = SkinImage::Filled(20, 20, kRed);
    image.Paint(PixelRows::Of(surface));
    int drawn = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const std::uint32_t pixel = surface.At(x, y);
            if (pixel == kRed) continue;
            ++drawn;
            EXPECT_TRUE(pixel == 0x000001 || pixel == 0x000002) << x << ", " << y << ": " << pixel;
        }
    }
    EXPECT_GE(drawn, 2);

    image.SetTransparent(false);
    image.Paint(PixelRows::Of(surface));
    EXPECT_EQ(surface.At(2, 3), kWhite);  // the filled corner now paints
}

TEST(RotateImageTest, SettersRebuildOnlyForANewValue) {
    TRotateImage image;
    image.SetPicture(HandPicture(5, 9));
    const int after_picture = image.RebuildCount();
    image.SetAngle(-6);
    EXPECT_EQ(image.RebuildCount(), after_picture + 1);
    image.SetAngle(-6);
    image.SetAngle(-6.0L);
    EXPECT_EQ(image.RebuildCount(), after_picture + 1);
    image.SetCenter(false);
    image.SetStretch(false);
    image.SetTransparent(false);
    image.SetUniqueSize(true);
    EXPECT_EQ(image.RebuildCount(), after_picture + 1);
    image.SetAngle(-12);
    image.SetCenter(true);
    image.SetStretch(true);
    image.SetTransparent(true);
    image.SetUniqueSize(false);
    EXPECT_EQ(image.RebuildCount(), after_picture + 6);
}

TEST(RotateImageTest, LoadingRebuildsOnceAtTheEnd) {
    TRotateImage image;
    image.BeginLoading();
    image.SetPicture(HandPicture(5, 9));
    image.SetAngle(30);
    image.SetCenter(true);
    EXPECT_EQ(image.RebuildCount(), 0);
    image.EndLoading();
    EXPECT_EQ(image.RebuildCount(), 1);
    EXPECT_EQ(image.Rotated().width, UniqueSquareSide(5, 9));
}

TEST(RotateImageTest, EmptyPictureGivesNothingToPaint) {
    TRotateImage image;
    image.SetPicture(HandPicture(4, 4));
    image.SetPicture(SkinImage{});
    EXPECT_TRUE(image.Rotated().empty());
    SkinImage surface = SkinImage::Filled(8, 8, 7);
    image.Paint(PixelRows::Of(surface));
    EXPECT_EQ(surface, SkinImage::Filled(8, 8, 7));
}

TEST(RotateImageTest, AutoSizeTakesTheRotatedSizeAndKeepsThePlace) {
    TRotateImage image;
    image.SetBounds({30, 40, 105, 105});
    image.SetUniqueSize(false);
    image.SetAutoSize(true);
    image.SetPicture(HandPicture(10, 100));
    EXPECT_EQ(image.Bounds(), (ControlBounds{30, 40, 10, 100}));
    image.SetAngle(90);
    EXPECT_EQ(image.Bounds(), (ControlBounds{30, 40, 100, 10}));

    image.SetAlign(ControlAlign::Top);  // aligned to the top: the width is the parent's
    image.SetAngle(0);
    EXPECT_EQ(image.Bounds(), (ControlBounds{30, 40, 100, 100}));
}

TEST(RotateImageTest, PaintPlacesCentresAndStretches) {
    TRotateImage image;
    image.SetUniqueSize(false);
    image.SetPicture(LetterPicture({"ab", "cd"}));
    image.SetBounds({1, 1, 4, 4});

    SkinImage surface = SkinImage::Filled(6, 6, '#');
    image.Paint(PixelRows::Of(surface));
    EXPECT_EQ(LetterRows(surface), (Rows{"######", "#ab###", "#cd###", "######", "######", "######"}));

    surface = SkinImage::Filled(6, 6, '#');
    image.SetCenter(true);
    image.Paint(PixelRows::Of(surface));
    EXPECT_EQ(LetterRows(surface), (Rows{"######", "######", "##ab##", "##cd##", "######", "######"}));

    surface = SkinImage::Filled(6, 6, '#');
    image.SetStretch(true);
    image.Paint(PixelRows::Of(surface));
    EXPECT_EQ(LetterRows(surface), (Rows{"######", "#aabb#", "#aabb#", "#ccdd#", "#ccdd#", "######"}));

    image.SetVisible(false);
    surface = SkinImage::Filled(6, 6, '#');
    image.Paint(PixelRows::Of(surface));
    EXPECT_EQ(surface, SkinImage::Filled(6, 6, '#'));
}

TEST(RotateImageTest, ChangesAskForRepaint) {
    TRotateImage image;
    int repaints = 0;
    image.on_invalidate = [&repaints](const TRotateImage&) { ++repaints; };
    image.SetPicture(HandPicture(3, 3));
    const int after_picture = repaints;
    EXPECT_GT(after_picture, 0);
    image.SetAngle(0);
    EXPECT_EQ(repaints, after_picture);
    image.SetAngle(10);
    EXPECT_GT(repaints, after_picture);
}

}  // namespace
}  // namespace kalvoro
