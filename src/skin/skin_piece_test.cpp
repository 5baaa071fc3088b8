#include <gtest/gtest.h>

#include <climits>

#include "skin/skin_piece.h"
#include "skin/testing/skin_test_support.h"

namespace kalvoro {
namespace {

TEST(SkinPiece, PlacementAgainstA10x8Bitmap) {
    struct Case {
        SkinRect piece;
        PiecePlacement expected;
    };
    const Case cases[] = {
        {{0, 0, 10, 8}, PiecePlacement::kInside},
        {{9, 7, 1, 1}, PiecePlacement::kInside},
        {{3, 3, 0, 5}, PiecePlacement::kEmpty},
        {{500, -500, 5, 0}, PiecePlacement::kEmpty},
        {{8, 0, 3, 8}, PiecePlacement::kPartlyOutside},
        {{-1, -1, 2, 2}, PiecePlacement::kPartlyOutside},
        {{0, 0, 11, 9}, PiecePlacement::kPartlyOutside},
        {{10, 0, 1, 1}, PiecePlacement::kOutside},
        {{0, 8, 1, 1}, PiecePlacement::kOutside},
        {{-5, 0, 5, 1}, PiecePlacement::kOutside},
        {{0, 0, -1, 4}, PiecePlacement::kOutside},
        {{0, 0, 4, -1}, PiecePlacement::kOutside},
        {{0, 0, kMaxSkinPieceSide + 1, 1}, PiecePlacement::kOutside},
        {{INT_MAX, INT_MAX, kMaxSkinPieceSide, kMaxSkinPieceSide}, PiecePlacement::kOutside},
        {{INT_MIN, 0, kMaxSkinPieceSide, 1}, PiecePlacement::kOutside},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(PlacePiece(10, 8, test.piece), test.expected)
            << test.piece.left << "," << test.piece.top << " " << test.piece.width << "x" << test.piece.height;
    }
}

TEST(SkinPiece, CopiesTheRectanglePixelForPixel) {
    const SkinImage source = testing::CoordinateImage(10, 8);
    auto piece = CutSkinPiece(source, {3, 2, 4, 5});
    ASSERT_TRUE(piece);
    ASSERT_EQ(piece->width, 4);
    ASSERT_EQ(piece->height, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(piece->At(x, y), testing::SourcePixel(3 + x, 2 + y));
    }
}

TEST(SkinPiece, PartsOutsideTheBitmapAreSeeThroughAndTheSizeIsKept) {
    const SkinImage source = testing::CoordinateImage(10, 8);
    auto piece = CutSkinPiece(source, {-2, 6, 5, 4});
    ASSERT_TRUE(piece);
    ASSERT_EQ(piece->width, 5);
    ASSERT_EQ(piece->height, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const int source_x = x - 2;
            const int source_y = y + 6;
            const bool inside = source_x >= 0 && source_y < 8;
            EXPECT_EQ(piece->At(x, y), inside ? testing::SourcePixel(source_x, source_y) : kSeeThroughPixel)
                << x << "," << y;
        }
    }
}

TEST(SkinPiece, EmptyAndImpossiblePieces) {
    const SkinImage source = testing::CoordinateImage(10, 8);
    auto empty = CutSkinPiece(source, {50, 50, 0, 0});
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
    EXPECT_TRUE(empty->pixels.empty());
    EXPECT_FALSE(CutSkinPiece(source, {10, 0, 2, 2}));
    EXPECT_FALSE(CutSkinPiece(source, {0, 0, -3, 2}));
    EXPECT_FALSE(CutSkinPiece(SkinImage{}, {0, 0, 1, 1}));
}

}  // namespace
}  // namespace kalvoro
