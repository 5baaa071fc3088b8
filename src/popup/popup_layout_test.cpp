#include "popup/popup_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvoro::popup {
namespace {

// A 1280 x 800 screen with a 40-pixel task bar at the bottom.
constexpr Rect kWorkArea{0, 0, 1280, 760};
constexpr StackMetrics kMetrics{300, 8, 6};

TEST(StackUpward, StacksFromTheBottomRightCornerUpward) {
    const std::vector<int> heights{100, 150, 80};
    const std::vector<Rect> placed = StackUpward(kWorkArea, heights, kMetrics);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0], (Rect{972, 652, 1272, 752}));
    EXPECT_EQ(placed[1], (Rect{972, 496, 1272, 646}));
    EXPECT_EQ(placed[2], (Rect{972, 410, 1272, 490}));
}

TEST(StackUpward, LeavesWhatDoesNotFitWaitingInArrivalOrder) {
    // 752 - 8 = 744 pixels of room: 300 + 6 + 300 + 6 = 612, leaving 132.
    const std::vector<int> heights{300, 300, 200, 50};
    const std::vector<Rect> placed = StackUpward(kWorkArea, heights, kMetrics);
    ASSERT_EQ(placed.size(), 2u);  // the 50-pixel one would fit but must not overtake
    EXPECT_GE(placed[1].top, kWorkArea.top + kMetrics.margin);

    const std::vector<int> exact{300, 300, 132};
    EXPECT_EQ(StackUpward(kWorkArea, exact, kMetrics).size(), 3u);
    EXPECT_EQ(StackUpward(kWorkArea, exact, kMetrics)[2].top, 8);
    const std::vector<int> one_too_many{300, 300, 133};
    EXPECT_EQ(StackUpward(kWorkArea, one_too_many, kMetrics).size(), 2u);
}

TEST(StackUpward, FollowsAWorkAreaThatDoesNotStartAtTheOrigin) {
    // Task bar on the left and at the top.
    const Rect work_area{60, 30, 1280, 800};
    const std::vector<int> heights{100};
    EXPECT_EQ(StackUpward(work_area, heights, kMetrics)[0], (Rect{972, 692, 1272, 792}));
}

TEST(StackUpward, CutsAPopupLargerThanTheWorkArea) {
    const Rect small{0, 0, 200, 120};
    const std::vector<int> heights{500, 20};
    const std::vector<Rect> placed = StackUpward(small, heights, kMetrics);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0], (Rect{8, 8, 192, 112}));
}

TEST(StackUpward, DegenerateInputStillGivesUsableRectangles) {
    const Rect empty{100, 100, 100, 100};
    const std::vector<int> heights{0, -5};
    const std::vector<Rect> placed = StackUpward(empty, heights, kMetrics);
    ASSERT_FALSE(placed.empty());
    for (const Rect& rect : placed) {
        EXPECT_GE(rect.Width(), 1);
        EXPECT_GE(rect.Height(), 1);
    }
    EXPECT_TRUE(StackUpward(kWorkArea, std::vector<int>{}, kMetrics).empty());
}

}  // namespace
}  // namespace kalvoro::popup
