#include <gtest/gtest.h>

#include <climits>

#include "ui/testing/fake_desktop.h"
#include "ui/magnetic.h"

namespace kalvoro::testing {
namespace {

class SnapTest : public ::testing::Test {
protected:
    void SetUp() override {
        magnetic.SetSnapDistance(15);
        desktop.windows[kBar] = {{100, 100, 432, 134}};
        ASSERT_TRUE(magnetic.AddWindow(kBar, 0));
    }

    // Drags the bar so that its top-left would land on (left, top) without snapping.
    Rect DragBarTo(int left, int top) { return DragBy(magnetic, desktop, kBar, left - 100, top - 100).proposed; }

    FakeDesktop desktop;
    TMagnetic magnetic{desktop};
};

TEST_F(SnapTest, RightEdgeSnapsToWorkAreaOnlyCloserThanSnapDistance) {
    struct Case {
        int gap;  // work area's right edge minus the bar's unsnapped right edge
        int right;
    };
    for (const Case c : {Case{14, 1920}, Case{15, 1905}, Case{1, 1920}, Case{0, 1920}, Case{-14, 1920}, Case{-15, 1935},
                         Case{200, 1720}}) {
        const Rect snapped = DragBarTo(1920 - c.gap - 332, 500);
        EXPECT_EQ(snapped.right, c.right) << "gap " << c.gap;
        EXPECT_EQ(snapped.Width(), 332);
        EXPECT_EQ(snapped.top, 500) << "gap " << c.gap;
    }
}

TEST_F(SnapTest, MovingRectangleFollowsCursorAndGrabPoint) {
    desktop.cursor = {150, 110};
    magnetic.BeginMove(kBar);
    desktop.cursor = {650, 410};
    Rect proposed{0, 0, 332, 34};  // the system's proposal only lends its size
    EXPECT_TRUE(magnetic.SnapMoving(kBar, proposed).empty());
    EXPECT_EQ(proposed, (Rect{600, 400, 932, 434}));
}

TEST_F(SnapTest, EdgesSnapToAnotherWindowOnlyWhenItsSpanIsWithinReach) {
    desktop.windows[kStranger] = {{600, 600, 800, 700}};
    ASSERT_TRUE(magnetic.AddWindow(kStranger, 0));
    // The bar hangs below the stranger, offset 5 to the right.
    const Rect near = DragBarTo(605, 714);
    EXPECT_EQ(near.TopLeft(), (Point{600, 700}));
    const Rect out_of_reach = DragBarTo(605, 715);
    EXPECT_EQ(out_of_reach.TopLeft(), (Point{605, 715}));
}

TEST_F(SnapTest, LaterEdgeTestsWin) {
    // A narrow target within reach of both its edges: the test against its right edge comes later.
    desktop.windows[kStranger] = {{600, 300, 610, 400}};
    ASSERT_TRUE(magnetic.AddWindow(kStranger, 0));
    EXPECT_EQ(DragBarTo(604, 320).left, 610);

    // Windows are tested after the work area, so a window sticking out past the screen edge wins.
    desktop.windows[kStranger] = {{1900, 300, 2000, 400}};
    EXPECT_EQ(DragBarTo(1910 - 332, 320).right, 1900);
}

TEST_F(SnapTest, HiddenWindowsAreNoTargets) {
    desktop.windows[kStranger] = {{600, 600, 800, 700}, false};
    ASSERT_TRUE(magnetic.AddWindow(kStranger, 0));
    EXPECT_EQ(DragBarTo(605, 710).TopLeft(), (Point{605, 710}));
}

TEST_F(SnapTest, ZeroOrNegativeSnapDistanceSwitchesSnappingOff) {
    for (const int distance : {0, -5}) {
        magnetic.SetSnapDistance(distance);
        EXPECT_EQ(magnetic.SnapDistance(), 0);
        EXPECT_EQ(DragBarTo(3, 2).TopLeft(), (Point{3, 2}));
    }
}

TEST_F(SnapTest, UnregisteredWindowIsLeftAlone) {
    desktop.windows[kStranger] = {{600, 600, 800, 700}};
    Rect proposed{3, 2, 203, 102};
    EXPECT_TRUE(magnetic.SnapMoving(kStranger, proposed).empty());
    magnetic.SnapSizing(kStranger, proposed, SizingEdge::kTopLeft);
    EXPECT_EQ(proposed, (Rect{3, 2, 203, 102}));
}

TEST_F(SnapTest, ExtremeCoordinatesGiveADefinedResult) {
    desktop.windows[kBar].rect = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    desktop.cursor = {INT_MAX, INT_MIN};
    magnetic.BeginMove(kBar);
    desktop.cursor = {INT_MIN, INT_MAX};
    Rect proposed{INT_MIN, 0, INT_MAX, 1};
    magnetic.SnapMoving(kBar, proposed);
    magnetic.SnapSizing(kBar, proposed, SizingEdge::kBottomRight);
    magnetic.UpdateGlue();
    SUCCEED();
}

class SizingTest : public ::testing::Test {
protected:
    void SetUp() override {
        magnetic.SetSnapDistance(15);
        desktop.windows[kCalendar] = {{100, 100, 300, 300}};
        desktop.windows[kStranger] = {{400, 100, 600, 300}};
        ASSERT_TRUE(magnetic.AddWindow(kCalendar, 0));
        ASSERT_TRUE(magnetic.AddWindow(kStranger, 0));
        magnetic.BeginMove(kCalendar);
    }

    FakeDesktop desktop;
    TMagnetic magnetic{desktop};
};

TEST_F(SizingTest, OnlyTheDraggedEdgesSnap) {
    struct Case {
        SizingEdge edge;
        Rect proposed;
        Rect expected;
    };
    const Case cases[] = {
        {SizingEdge::kRight, {100, 100, 390, 300}, {100, 100, 400, 300}},     // to the other window's left
        {SizingEdge::kRight, {100, 100, 386, 300}, {100, 100, 400, 300}},     // 14 short of it
        {SizingEdge::kRight, {100, 100, 385, 300}, {100, 100, 385, 300}},     // 15 short of it
        {SizingEdge::kLeft, {100, 100, 390, 300}, {100, 100, 390, 300}},      // right edge is not being dragged
        {SizingEdge::kLeft, {8, 100, 300, 300}, {0, 100, 300, 300}},          // to the work area
        {SizingEdge::kTopLeft, {8, 5, 300, 300}, {0, 0, 300, 300}},           //
        {SizingEdge::kTop, {100, 8, 300, 300}, {100, 0, 300, 300}},           //
        {SizingEdge::kBottom, {100, 100, 300, 1030}, {100, 100, 300, 1040}},  //
        {SizingEdge::kBottomRight, {100, 100, 1912, 1035}, {100, 100, 1920, 1040}},
        {SizingEdge::kBottomLeft, {3, 100, 300, 1027}, {0, 100, 300, 1040}},   //
        {SizingEdge::kTopRight, {100, 12, 608, 300}, {100, 0, 600, 300}},      // right to the window's right
        {static_cast<SizingEdge>(0), {8, 5, 1912, 1035}, {8, 5, 1912, 1035}},  // no such edge
        {static_cast<SizingEdge>(9), {8, 5, 1912, 1035}, {8, 5, 1912, 1035}},
    };
    for (const Case& c : cases) {
        Rect proposed = c.proposed;
        magnetic.SnapSizing(kCalendar, proposed, c.edge);
        EXPECT_EQ(proposed, c.expected) << "edge " << static_cast<int>(c.edge) << " right " << c.proposed.right;
    }
}

TEST_F(SizingTest, SnapsOnlyToWindowsWhoseSpanIsWithinReach) {
    // The other window spans 300..500 down; it is within reach of a calendar reaching below 285.
    desktop.windows[kStranger].rect = {400, 300, 600, 500};
    magnetic.BeginMove(kCalendar);
    Rect within{100, 100, 390, 286};
    magnetic.SnapSizing(kCalendar, within, SizingEdge::kRight);
    EXPECT_EQ(within.right, 400);
    Rect beyond{100, 100, 390, 285};
    magnetic.SnapSizing(kCalendar, beyond, SizingEdge::kRight);
    EXPECT_EQ(beyond.right, 390);
}

TEST_F(SizingTest, NarrowWindowDoesNotSnapAnEdgePastTheOther) {
    desktop.windows[kCalendar].rect = {100, 100, 105, 300};
    desktop.windows[kStranger].rect = {40, 100, 110, 300};
    magnetic.BeginMove(kCalendar);
    Rect proposed{100, 100, 105, 300};
    magnetic.SnapSizing(kCalendar, proposed, SizingEdge::kLeft);
    EXPECT_EQ(proposed, (Rect{100, 100, 105, 300}));
}

}  // namespace
}  // namespace kalvoro::testing
