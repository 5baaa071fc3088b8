#include <gtest/gtest.h>

#include "ui/testing/fake_desktop.h"
#include "ui/magnetic.h"
#include "ui/touching.h"

namespace kalvoro::testing {
namespace {

TEST(TouchingTest, NeedsNoGapAndACommonEdgeLine) {
    const Rect bar{100, 100, 432, 134};
    struct Case {
        Rect other;
        bool touching;
        const char* what;
    };
    const Case cases[] = {
        {{100, 134, 300, 334}, true, "directly below"},
        {{432, 50, 500, 120}, true, "beside, overlapping in height"},
        {{432, 134, 500, 200}, true, "corner to corner"},
        {{100, 135, 300, 335}, false, "one pixel gap below"},
        {{433, 100, 500, 134}, false, "one pixel gap beside"},
        {{100, 300, 432, 400}, false, "aligned edges but far below"},
        {{150, 90, 200, 134}, true, "overlapping, bottoms level"},
        {{150, 90, 200, 120}, false, "overlapping, no edge in common"},
        {{100, 100, 432, 134}, true, "the same rectangle"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Touching(bar, c.other), c.touching) << c.what;
        EXPECT_EQ(Touching(c.other, bar), c.touching) << c.what << " (swapped)";
    }
}

class GlueTest : public ::testing::Test {
protected:
    void SetUp() override {
        magnetic.SetSnapDistance(15);
        desktop.windows[kBar] = {{100, 100, 432, 134}};
        ASSERT_TRUE(magnetic.AddWindow(kBar, 0));
    }

    void AddChild(WindowId wnd, Rect rect) {
        desktop.windows[wnd] = {rect};
        ASSERT_TRUE(magnetic.AddWindow(wnd, kBar));
    }

    // Completes a drag as the window system would: carried children moved, then the exit.
    void Finish(WindowId wnd, const DragStep& step) {
        desktop.windows[wnd].rect = step.proposed;
        for (const CarriedWindow& c : step.carried) desktop.windows[c.wnd].rect = c.rect;
        magnetic.EndMove();
    }

    FakeDesktop desktop;
    TMagnetic magnetic{desktop};
};

TEST_F(GlueTest, ChildBelowTheBarIsCarriedUntilDraggedAway) {
    AddChild(kCalendar, {100, 134, 300, 334});
    EXPECT_TRUE(magnetic.IsGlued(kCalendar));

    DragStep step = DragBy(magnetic, desktop, kBar, 200, 50);
    EXPECT_EQ(step.proposed, (Rect{300, 150, 632, 184}));
    EXPECT_EQ(step.carried, (std::vector<CarriedWindow>{{kCalendar, {300, 184, 500, 384}}}));
    Finish(kBar, step);
    EXPECT_TRUE(magnetic.IsGlued(kCalendar));

    // Dragged 40 pixels down: well beyond the snap distance, so it stays there, unglued.
    step = DragBy(magnetic, desktop, kCalendar, 0, 40);
    EXPECT_TRUE(step.carried.empty());
    Finish(kCalendar, step);
    EXPECT_FALSE(magnetic.IsGlued(kCalendar));
    EXPECT_TRUE(DragBy(magnetic, desktop, kBar, 200, 50).carried.empty());
}

TEST_F(GlueTest, ChildrenTouchingAGluedSiblingAreCarriedToo) {
    // A chain hanging from the bar, registered from its far end so that glue has to spread over rounds.
    AddChild(kWeather, {100, 434, 300, 534});
    AddChild(kClock, {100, 334, 300, 434});
    AddChild(kCalendar, {100, 134, 300, 334});
    EXPECT_TRUE(magnetic.IsGlued(kCalendar));
    EXPECT_TRUE(magnetic.IsGlued(kClock));
    EXPECT_TRUE(magnetic.IsGlued(kWeather));

    const DragStep step = DragBy(magnetic, desktop, kBar, -50, 20);
    EXPECT_EQ(step.carried,
              (std::vector<CarriedWindow>{
                  {kWeather, {50, 454, 250, 554}}, {kClock, {50, 354, 250, 454}}, {kCalendar, {50, 154, 250, 354}}}));
}

TEST_F(GlueTest, HiddenChildrenAreNeitherGluedNorCarriedNorBridges) {
    AddChild(kCalendar, {100, 134, 300, 334});
    AddChild(kClock, {100, 334, 300, 434});
    desktop.windows[kCalendar].visible = false;
    magnetic.UpdateGlue();
    EXPECT_FALSE(magnetic.IsGlued(kCalendar));
    EXPECT_FALSE(magnetic.IsGlued(kClock));
    EXPECT_TRUE(DragBy(magnetic, desktop, kBar, 10, 300).carried.empty());
}

TEST_F(GlueTest, CarriedChildSnapsToAStillWindow) {
    AddChild(kCalendar, {100, 134, 300, 334});
    desktop.windows[kStranger] = {{600, 500, 800, 700}};
    ASSERT_TRUE(magnetic.AddWindow(kStranger, 0));

    // The calendar arrives 10 pixels left of the stranger; the bar itself is far from everything.
    const DragStep step = DragBy(magnetic, desktop, kBar, 290, 200);
    EXPECT_EQ(step.proposed, (Rect{400, 300, 732, 334}));
    EXPECT_EQ(step.carried, (std::vector<CarriedWindow>{{kCalendar, {400, 334, 600, 534}}}));
}

TEST_F(GlueTest, CarriedChildDoesNotSnapToTheWorkArea) {
    AddChild(kCalendar, {100, 134, 300, 334});
    // The calendar's bottom arrives 5 above the work area's bottom.
    const DragStep step = DragBy(magnetic, desktop, kBar, 0, 701);
    EXPECT_EQ(step.proposed, (Rect{100, 801, 432, 835}));
    EXPECT_EQ(step.carried, (std::vector<CarriedWindow>{{kCalendar, {100, 835, 300, 1035}}}));
}

TEST_F(GlueTest, MovingBarDoesNotSnapToItsOwnGluedChildren) {
    AddChild(kCalendar, {100, 134, 300, 334});
    // The bar's bottom arrives 10 above where the calendar started; the calendar moves along instead.
    const DragStep step = DragBy(magnetic, desktop, kBar, 0, 190);
    EXPECT_EQ(step.proposed.top, 290);
}

TEST_F(GlueTest, AGlueOfAnotherParentIsAStillTarget) {
    constexpr WindowId kOtherParent = 201;
    constexpr WindowId kOtherChild = 202;
    AddChild(kCalendar, {100, 134, 300, 334});
    desktop.windows[kOtherParent] = {{600, 600, 800, 700}};
    desktop.windows[kOtherChild] = {{600, 500, 800, 600}};
    ASSERT_TRUE(magnetic.AddWindow(kOtherParent, 0));
    ASSERT_TRUE(magnetic.AddWindow(kOtherChild, kOtherParent));
    ASSERT_TRUE(magnetic.IsGlued(kOtherChild));

    // The carried calendar arrives 10 pixels left of the other family's child, which stays put.
    const DragStep step = DragBy(magnetic, desktop, kBar, 290, 200);
    EXPECT_EQ(step.carried, (std::vector<CarriedWindow>{{kCalendar, {400, 334, 600, 534}}}));
}

TEST_F(GlueTest, RegistrationRules) {
    desktop.windows[kCalendar] = {{100, 134, 300, 334}};
    EXPECT_FALSE(magnetic.AddWindow(kBar, 0)) << "already registered";
    EXPECT_FALSE(magnetic.AddWindow(0, 0)) << "no window";
    EXPECT_FALSE(magnetic.AddWindow(kClock, 0)) << "not a window";
    EXPECT_FALSE(magnetic.AddWindow(kCalendar, kClock)) << "parent not a window";
    EXPECT_TRUE(magnetic.AddWindow(kCalendar, kCalendar));
    EXPECT_EQ(magnetic.Entries().back().parent, 0u) << "its own parent";
    EXPECT_FALSE(magnetic.IsGlued(kCalendar));
}

TEST_F(GlueTest, ChildOfAnUnregisteredParentIsNotGlued) {
    desktop.windows[kStranger] = {{100, 0, 432, 100}};
    desktop.windows[kCalendar] = {{100, 100, 300, 300}};
    ASSERT_TRUE(magnetic.AddWindow(kCalendar, kStranger));
    EXPECT_FALSE(magnetic.IsGlued(kCalendar));
}

TEST_F(GlueTest, RemovingAParentOrphansItsChildren) {
    AddChild(kCalendar, {100, 134, 300, 334});
    AddChild(kClock, {432, 100, 532, 200});
    ASSERT_TRUE(magnetic.IsGlued(kClock));

    EXPECT_TRUE(magnetic.RemoveWindow(kBar));
    EXPECT_FALSE(magnetic.RemoveWindow(kBar));
    EXPECT_FALSE(magnetic.IsRegistered(kBar));
    ASSERT_EQ(magnetic.Entries().size(), 2u);
    EXPECT_EQ(magnetic.Entries()[0].wnd, kCalendar);
    EXPECT_EQ(magnetic.Entries()[1].wnd, kClock);
    for (const MagneticEntry& entry : magnetic.Entries()) {
        EXPECT_EQ(entry.parent, 0u);
        EXPECT_FALSE(entry.glued);
    }

    // Registered again (as after a change of always-on-top), the bar carries its children again.
    ASSERT_TRUE(magnetic.AddWindow(kBar, 0));
    EXPECT_TRUE(DragBy(magnetic, desktop, kBar, 10, 10).carried.empty()) << "children keep no parent";
}

TEST_F(GlueTest, RemovingTheMovingWindowEndsTheMove) {
    AddChild(kCalendar, {100, 134, 300, 334});
    DragBy(magnetic, desktop, kCalendar, 5, 5);
    ASSERT_TRUE(magnetic.RemoveWindow(kCalendar));
    Rect proposed{0, 0, 200, 200};
    EXPECT_TRUE(magnetic.SnapMoving(kCalendar, proposed).empty());
    EXPECT_EQ(proposed, (Rect{0, 0, 200, 200}));
}

TEST_F(GlueTest, MaximisedWindowCountsAsTheWorkAreaWhileOthersMove) {
    desktop.windows[kStranger] = {{500, 500, 600, 600}, true, true};
    desktop.work_area = {0, 0, 1000, 800};
    ASSERT_TRUE(magnetic.AddWindow(kStranger, 0));
    EXPECT_EQ(DragBy(magnetic, desktop, kBar, 390, 5).proposed.left, 490) << "no snap to its restored rectangle";
}

}  // namespace
}  // namespace kalvoro::testing
