#include "skin/rotate_bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "skin/testing/rotate_test_support.h"

namespace kalvoro {
namespace {

using testing::kLetterBackground;
using testing::LetterPicture;
using testing::LetterRows;
using testing::NumberedPicture;
using Rows = std::vector<std::string>;

const Rows k3x2 = {"abc", "def"};
const Rows k4x4 = {"abcd", "efgh", "ijkl", "mnop"};
const Rows k5x3 = {"abcde", "fghij", "klmno"};

struct RotationCase {
    const Rows* picture;
    long double angle;
    Rows expected;
};

// Worked from the rules: S and C, the box, the pivot, then each destination pixel's source with
// rows counted from the bottom and floor by shifting.
const RotationCase kRotationCases[] = {
    {&k3x2, 0, {"abc", "def"}},
    {&k3x2, 30, {".bc", "abe", ".d."}},
    {&k3x2, 90, {"cf", "be", "ad"}},
    {&k3x2, -90, {"da", "eb", "fc"}},
    {&k3x2, 180, {"fed", "cba"}},
    {&k3x2, 361, {".bc", "abe"}},
    {&k3x2, 540, {"fed", "cba"}},
    {&k4x4, 0, {"abcd", "efgh", "ijkl", "mnop"}},
    {&k4x4, 30, {"..dd.", "abgh.", "afgkl", ".ijop", ".mn.."}},
    {&k4x4, 90, {"dhlp", "cgko", "bfjn", "aeim"}},
    {&k4x4, -90, {"miea", "njfb", "okgc", "plhd"}},
    {&k4x4, 180, {"ponm", "lkji", "hgfe", "dcba"}},
    {&k4x4, 361, {".cd.", "bgh.", "fgkl", "ijop"}},
    {&k4x4, 540, {"ponm", "lkji", "hgfe", "dcba"}},
    {&k5x3, 0, {"abcde", "fghij", "klmno"}},
    {&k5x3, 30, {"..ddj", "abhio", "aghmn", ".kl..", "....."}},
    {&k5x3, 90, {"ejo", "din", "chm", "bgl", "afk"}},
    {&k5x3, -90, {"kfa", "lgb", "mhc", "nid", "oje"}},
    {&k5x3, 180, {"onmlk", "jihgf", "edcba"}},
    {&k5x3, 361, {"abhij", "fghmn", ".kl.."}},
    {&k5x3, 540, {"onmlk", "jihgf", "edcba"}},
};

TEST(RotateBitmapTest, SmallPicturesMatchTheTablesWorkedByHand) {
    for (const auto& c : kRotationCases) {
        const SkinImage turned = RotateBitmap(LetterPicture(*c.picture), kLetterBackground, c.angle);
        EXPECT_EQ(LetterRows(turned), c.expected)
            << (*c.picture)[0].size() << " x " << c.picture->size() << " at " << static_cast<double>(c.angle);
    }
}

TEST(RotateBitmapTest, SineAndCosineAreTruncatedFromExtendedPrecision) {
    struct Case {
        long double angle;
        int sine;
        int cosine;
    };
    // 60 degrees: cos is 0.4999999999999999999187 in extended precision (0.5000000000000001 in
    // double), so C is 32767; rounding instead of truncating would give 32768 at 1 degree's S.
    const Case cases[] = {
        {0, 0, 65536},         {30, -32768, 56755}, {-30, 32768, 56755}, {60, -56755, 32767},
        {120, -56755, -32768}, {90, -65536, 0},     {-90, 65536, 0},     {180, 0, -65536},
        {1, -1143, 65526},     {361, -1143, 65526}, {6, -6850, 65176},   {-6, 6850, 65176},
    };
    for (const auto& c : cases) {
        const RotationGeometry g = RotationFor(10, 10, c.angle);
        EXPECT_EQ(g.sine, c.sine) << static_cast<double>(c.angle);
        EXPECT_EQ(g.cosine, c.cosine) << static_cast<double>(c.angle);
    }
}

TEST(RotateBitmapTest, BoxAndPivotCorrections) {
    struct Case {
        int width, height;
        long double angle;
        int box_width, box_height, pivot_x, pivot_y;
    };
    const Case cases[] = {
        {100, 100, 30, 136, 136, 68, 68}, {4, 4, 0, 4, 4, 1, 1},  // both corrected
        {4, 4, 90, 4, 4, 2, 1},                                   // only the height
        {4, 4, -90, 4, 4, 1, 2},                                  // only the width
        {4, 4, 180, 4, 4, 2, 2},                                  // neither
        {4, 4, -180, 4, 4, 2, 2},         {5, 3, 0, 5, 3, 2, 1},  // odd sides need none
        {6, 3, 90, 3, 6, 1, 2},           {6, 3, -90, 3, 6, 1, 3},       {3, 6, 90, 6, 3, 3, 1},
        {3, 6, -90, 6, 3, 2, 1},          {10, 100, 90, 100, 10, 50, 4},
    };
    for (const auto& c : cases) {
        const RotationGeometry g = RotationFor(c.width, c.height, c.angle);
        EXPECT_EQ(g.width, c.box_width) << c.width << " x " << c.height << " at " << static_cast<double>(c.angle);
        EXPECT_EQ(g.height, c.box_height) << c.width << " x " << c.height << " at " << static_cast<double>(c.angle);
        EXPECT_EQ(g.pivot_x, c.pivot_x) << c.width << " x " << c.height << " at " << static_cast<double>(c.angle);
        EXPECT_EQ(g.pivot_y, c.pivot_y) << c.width << " x " << c.height << " at " << static_cast<double>(c.angle);
    }
}

// The quarter and half turns and the zero turn are exact for every parity of width and height.
TEST(RotateBitmapTest, QuarterAndHalfTurnsMovePixelsExactly) {
    const int sizes[][2] = {{1, 1}, {2, 1}, {1, 2}, {6, 4}, {7, 4}, {6, 5}, {7, 5}, {8, 8}};
    for (const auto& size : sizes) {
        const int w = size[0];
        const int h = size[1];
        const SkinImage source = NumberedPicture(w, h);
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));

        EXPECT_EQ(RotateBitmap(source, 0, 0), source);

        const SkinImage half = RotateBitmap(source, 0, 180);
        ASSERT_EQ(half.width, w);
        ASSERT_EQ(half.height, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) EXPECT_EQ(half.At(w - 1 - x, h - 1 - y), source.At(x, y));
        }

        const SkinImage left = RotateBitmap(source, 0, 90);  // counter-clockwise
        ASSERT_EQ(left.width, h);
        ASSERT_EQ(left.height, w);
        for (int i = 0; i < w; ++i) {
            for (int j = 0; j < h; ++j) EXPECT_EQ(left.At(j, i), source.At(w - 1 - i, j));
        }

        const SkinImage right = RotateBitmap(source, 0, -90);
        ASSERT_EQ(right.width, h);
        ASSERT_EQ(right.height, w);
        for (int i = 0; i < w; ++i) {
            for (int j = 0; j < h; ++j) EXPECT_EQ(right.At(j, i), source.At(i, h - 1 - j));
        }
    }
}

// The rule pixel by pixel, as plainly as it reads: a second implementation for pictures too large
// to work by hand.
SkinImage PlainRotation(const SkinImage& source, std::uint32_t background, const RotationGeometry& g) {
    SkinImage out = SkinImage::Filled(g.width, g.height, background);
    const int w = source.width;
    const int h = source.height;
    for (int r = 0; r < g.height; ++r) {
        for (int x = 0; x < g.width; ++x) {
            const std::int64_t u = x - (g.width - 1 - g.pivot_x);
            const std::int64_t v = r - (g.height - 1 - g.pivot_y);
            const auto fixed_x = static_cast<std::int32_t>(static_cast<std::uint32_t>(u * g.cosine - v * g.sine));
            const auto fixed_r = static_cast<std::int32_t>(static_cast<std::uint32_t>(u * g.sine + v * g.cosine));
            const int sx = w / 2 + static_cast<int>(std::floor(fixed_x / 65536.0));
            const int sr = h / 2 + static_cast<int>(std::floor(fixed_r / 65536.0));
            if (sx >= 0 && sx < w && sr >= 0 && sr < h) out.At(x, g.height - 1 - r) = source.At(sx, h - 1 - sr);
        }
    }
    return out;
}

TEST(RotateBitmapTest, LargerPicturesAgreeWithThePlainRule) {
    const int sizes[][2] = {{9, 177}, {163, 163}, {30, 7}, {1, 40}, {64, 65}};
    for (const auto& size : sizes) {
        const SkinImage source = NumberedPicture(size[0], size[1]);
        for (int angle = -360; angle <= 360; angle += 7) {
            const RotationGeometry g = RotationFor(size[0], size[1], angle);
            ASSERT_EQ(RotateBitmap(source, 5, angle), PlainRotation(source, 5, g))
                << size[0] << " x " << size[1] << " at " << angle;
        }
        for (long double angle : {0.5L, -0.25L, 44.9L, 135.0L, -135.0L, 179.99L}) {
            const RotationGeometry g = RotationFor(size[0], size[1], angle);
            ASSERT_EQ(RotateBitmap(source, 5, angle), PlainRotation(source, 5, g))
                << size[0] << " x " << size[1] << " at " << static_cast<double>(angle);
        }
    }
}

TEST(RotateBitmapTest, AnglesAreReducedByWholeTurns) {
    EXPECT_EQ(NormalizedAngle(540), 180);
    EXPECT_EQ(NormalizedAngle(361), 1);
    EXPECT_EQ(NormalizedAngle(180), 180);
    EXPECT_EQ(NormalizedAngle(-180), -180);
    EXPECT_EQ(NormalizedAngle(181), -179);
    EXPECT_EQ(NormalizedAngle(-181), 179);
    EXPECT_EQ(NormalizedAngle(-450), -90);
    EXPECT_EQ(NormalizedAngle(36000030.0L), 30);
    EXPECT_EQ(NormalizedAngle(std::numeric_limits<long double>::quiet_NaN()), 0);
    EXPECT_EQ(NormalizedAngle(std::numeric_limits<long double>::infinity()), 0);

    const SkinImage source = NumberedPicture(9, 5);
    EXPECT_EQ(RotateBitmap(source, 0, 30 - 3600), RotateBitmap(source, 0, 30));
    EXPECT_EQ(RotateBitmap(source, 0, -300), RotateBitmap(source, 0, 60));
}

TEST(RotateBitmapTest, EmptyPictureGivesEmptyResult) {
    EXPECT_TRUE(RotateBitmap(SkinImage{}, 0, 30).empty());
    SkinImage no_rows;
    no_rows.width = 5;
    EXPECT_TRUE(RotateBitmap(no_rows, 0, 30).empty());
}

TEST(RotateBitmapTest, RotatingOntoASurfaceClipsToIt) {
    const SkinImage source = LetterPicture(k4x4);
    SkinImage surface = SkinImage::Filled(3, 3, '#');
    RotateOnto(source, kLetterBackground, RotationFor(4, 4, 90), PixelRows::Of(surface), -1, 1);
    EXPECT_EQ(LetterRows(surface), (Rows{"###", "hlp", "gko"}));
}

}  // namespace
}  // namespace kalvoro
