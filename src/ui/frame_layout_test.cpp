#include <gtest/gtest.h>

#include <iterator>
#include <utility>

#include "ui/frame_layout.h"

namespace kalvoro {
namespace {

FrameGeometry Dialog(Size size, Size bitmap = {100, 60}) {
    return {.window = size, .client = size, .frameBitmap = bitmap, .closeButton = {16, 14}, .captionTextHeight = 13};
}

const FramePiece& PieceOf(const FrameLayout& layout, FramePart part) {
    for (const FramePiece& piece : layout.pieces) {
        if (piece.part == part) return piece;
    }
    static const FramePiece none;
    ADD_FAILURE() << "no piece " << static_cast<int>(part);
    return none;
}

TEST(FrameLayoutTest, NinePiecesOfANormalDialog) {
    const FrameLayout layout = LayOutFrame(Dialog({300, 200}));
    struct Expected {
        FramePart part;
        Rect source;
        Size intermediate;
        Rect destination;
    };
    const Expected expected[] = {
        {FramePart::kTopLeft, {0, 0, 20, 28}, {}, {1, 1, 21, 29}},
        {FramePart::kTopRight, {80, 0, 100, 28}, {}, {279, 1, 299, 29}},
        {FramePart::kTop, {21, 0, 81, 28}, {80, 28}, {21, 1, 279, 29}},
        {FramePart::kBottomLeft, {0, 50, 10, 60}, {}, {1, 189, 11, 199}},
        {FramePart::kBottomRight, {90, 50, 100, 60}, {}, {289, 189, 299, 199}},
        {FramePart::kLeft, {0, 28, 10, 40}, {}, {1, 29, 11, 189}},
        {FramePart::kRight, {90, 28, 100, 40}, {}, {289, 29, 299, 189}},
        {FramePart::kBottom, {10, 50, 90, 60}, {}, {11, 189, 289, 199}},
        {FramePart::kCentre, {10, 28, 90, 50}, {80, 12}, {11, 29, 289, 189}},
    };
    ASSERT_EQ(layout.pieces.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const FramePiece& piece = layout.pieces[i];
        EXPECT_EQ(piece.part, expected[i].part) << i;
        EXPECT_EQ(piece.source, expected[i].source) << i;
        EXPECT_EQ(piece.intermediate, expected[i].intermediate) << i;
        EXPECT_EQ(piece.destination, expected[i].destination) << i;
        EXPECT_TRUE(piece.IsDrawn()) << i;
    }
}

TEST(FrameLayoutTest, CloseButtonCaptionDragBandAndRoundedRegion) {
    const FrameLayout layout = LayOutFrame(Dialog({300, 200}));
    EXPECT_EQ(layout.closeButton, (Rect{274, 1, 290, 15}));
    EXPECT_EQ(300 - layout.closeButton.right, 10);
    EXPECT_EQ(layout.caption, (Point{10, 9}));
    EXPECT_EQ(layout.dragBand, (Rect{0, 0, 300, 28}));
    EXPECT_EQ(layout.region, (RoundRectRegion{{1, 1, 300, 200}, 13, 13}));
}

TEST(FrameLayoutTest, CaptionIsCentredInTheBandByTextHeight) {
    for (const auto& [height, y] : {std::pair{12, 9}, {13, 9}, {14, 8}, {27, 2}, {31, 0}, {0, 15}}) {
        FrameGeometry geometry = Dialog({300, 200});
        geometry.captionTextHeight = height;
        EXPECT_EQ(LayOutFrame(geometry).caption.y, y) << "text height " << height;
    }
}

TEST(FrameLayoutTest, WindowWithABorderPlacesButtonAndBandByWindowWidthAndTheRegionByTheClient) {
    FrameGeometry geometry = Dialog({300, 200});
    geometry.window = {306, 229};
    const FrameLayout layout = LayOutFrame(geometry);
    EXPECT_EQ(layout.closeButton.left, 280);
    EXPECT_EQ(layout.dragBand.right, 306);
    EXPECT_EQ(layout.region.bounds, (Rect{1, 1, 300, 200}));
}

TEST(FrameLayoutTest, HitTestGivesTheCloseButtonPriorityOverTheDragBand) {
    const FrameLayout layout = LayOutFrame(Dialog({300, 200}));
    struct Case {
        Point point;
        FrameHit hit;
    };
    for (const Case c : {Case{{5, 5}, FrameHit::kDragBand},
                         {{0, 27}, FrameHit::kDragBand},
                         {{0, 28}, FrameHit::kClient},
                         {{299, 0}, FrameHit::kDragBand},
                         {{300, 0}, FrameHit::kClient},
                         {{274, 1}, FrameHit::kCloseButton},
                         {{289, 14}, FrameHit::kCloseButton},
                         {{290, 14}, FrameHit::kDragBand},
                         {{274, 15}, FrameHit::kDragBand},
                         {{150, 100}, FrameHit::kClient},
                         {{-1, 5}, FrameHit::kClient}}) {
        EXPECT_EQ(HitTestFrame(layout, c.point), c.hit) << c.point.x << "," << c.point.y;
    }
}

TEST(FrameLayoutTest, SmallDialogSkipsPiecesThatWouldBeInverted) {
    const FrameLayout layout = LayOutFrame(Dialog({30, 20}));
    const FramePart drawn[] = {FramePart::kTopLeft, FramePart::kTopRight, FramePart::kBottomLeft,
                               FramePart::kBottomRight, FramePart::kBottom};
    const FramePart skipped[] = {FramePart::kTop, FramePart::kLeft, FramePart::kRight, FramePart::kCentre};
    for (const FramePart part : drawn) EXPECT_TRUE(PieceOf(layout, part).IsDrawn()) << static_cast<int>(part);
    for (const FramePart part : skipped) EXPECT_FALSE(PieceOf(layout, part).IsDrawn()) << static_cast<int>(part);
    EXPECT_EQ(PieceOf(layout, FramePart::kTopRight).destination, (Rect{9, 1, 29, 29}));
    EXPECT_EQ(PieceOf(layout, FramePart::kBottom).destination, (Rect{11, 9, 19, 19}));
    EXPECT_EQ(layout.closeButton, (Rect{4, 1, 20, 15}));
    EXPECT_EQ(layout.region.bounds, (Rect{1, 1, 30, 20}));
}

TEST(FrameLayoutTest, SmallSkinBitmapIsClippedAndMissingOneDrawsNothing) {
    const FrameLayout small = LayOutFrame(Dialog({300, 200}, {30, 30}));
    EXPECT_EQ(PieceOf(small, FramePart::kTop).source, (Rect{21, 0, 30, 28}));
    EXPECT_EQ(PieceOf(small, FramePart::kLeft).source, (Rect{0, 28, 10, 30}));
    EXPECT_FALSE(PieceOf(small, FramePart::kCentre).IsDrawn());
    EXPECT_TRUE(PieceOf(small, FramePart::kBottom).IsDrawn());

    for (const Size none : {Size{0, 0}, Size{-5, 60}}) {
        const FrameLayout layout = LayOutFrame(Dialog({300, 200}, none));
        for (const FramePiece& piece : layout.pieces) EXPECT_FALSE(piece.IsDrawn()) << static_cast<int>(piece.part);
    }
}

}  // namespace
}  // namespace kalvoro
