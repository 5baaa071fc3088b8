#include <gtest/gtest.h>

#include "ui/testing/fake_desktop.h"
#include "ui/magnetic_message.h"

namespace kalvoro::testing {
namespace {

class MagneticMessageTest : public ::testing::Test {
protected:
    void SetUp() override {
        magnetic.SetSnapDistance(15);
        desktop.windows[kBar] = {{100, 100, 432, 134}};
        desktop.windows[kCalendar] = {{100, 134, 300, 334}};
        ASSERT_TRUE(magnetic.AddWindow(kBar, 0));
        ASSERT_TRUE(magnetic.AddWindow(kCalendar, kBar));
        ASSERT_TRUE(magnetic.IsGlued(kCalendar));
    }

    MagneticOutcome Send(WindowId wnd, unsigned message, std::uintptr_t wParam = 0, Rect* proposed = nullptr,
                         unsigned flags = 0) {
        return HandleMagneticMessage(magnetic, {wnd, message, wParam, proposed, flags});
    }

    FakeDesktop desktop;
    TMagnetic magnetic{desktop};
};

TEST_F(MagneticMessageTest, DragThroughMessagesSnapsCarriesAndRegluesAtTheEnd) {
    desktop.cursor = {110, 110};
    EXPECT_FALSE(Send(kBar, kMsgEnterSizeMove).handled);

    desktop.cursor = {1588, 510};  // the bar's right edge 10 short of the screen's
    Rect proposed{1588, 500, 1920, 534};
    const MagneticOutcome moving = Send(kBar, kMsgMoving, 0, &proposed);
    EXPECT_TRUE(moving.handled);
    EXPECT_EQ(moving.result, 1);
    EXPECT_EQ(proposed, (Rect{1588, 500, 1920, 534}));
    ASSERT_EQ(moving.carried.size(), 1u);
    EXPECT_EQ(moving.carried[0].rect.TopLeft(), (Point{1588, 534}));

    // The calendar was not carried (say another program held it back): the exit finds it apart.
    desktop.windows[kBar].rect = proposed;
    EXPECT_FALSE(Send(kBar, kMsgExitSizeMove).handled);
    EXPECT_FALSE(magnetic.IsGlued(kCalendar));
}

TEST_F(MagneticMessageTest, SizingIsHandledWithTheEdgeFromWParam) {
    Send(kCalendar, kMsgEnterSizeMove);
    Rect proposed{100, 134, 300, 1030};
    const MagneticOutcome outcome = Send(kCalendar, kMsgSizing, 6, &proposed);
    EXPECT_TRUE(outcome.handled);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(proposed.bottom, 1040);

    proposed = {100, 134, 300, 1030};
    EXPECT_TRUE(Send(kCalendar, kMsgSizing, 0x10006, &proposed).handled);
    EXPECT_EQ(proposed.bottom, 1030) << "no such edge";
}

TEST_F(MagneticMessageTest, MovingAndSizingNeedARegisteredWindowAndARectangle) {
    Rect proposed{100, 100, 200, 200};
    EXPECT_FALSE(Send(kStranger, kMsgMoving, 0, &proposed).handled);
    EXPECT_FALSE(Send(kStranger, kMsgSizing, 2, &proposed).handled);
    EXPECT_FALSE(Send(kBar, kMsgMoving).handled);
    EXPECT_FALSE(Send(kBar, kMsgSizing, 2).handled);
    EXPECT_EQ(proposed, (Rect{100, 100, 200, 200}));
}

TEST_F(MagneticMessageTest, MinimiseAndRestoreThroughTheSystemMenuRecomputeTheGlue) {
    desktop.windows[kBar].rect = {-32000, -32000, -31840, -31972};
    Send(kBar, kMsgSysCommand, kSysCommandMinimize);
    EXPECT_FALSE(magnetic.IsGlued(kCalendar));

    desktop.windows[kBar].rect = {100, 100, 432, 134};
    Send(kBar, kMsgSysCommand, kSysCommandRestore | 0x2);  // a double-click on the caption sets low bits
    EXPECT_TRUE(magnetic.IsGlued(kCalendar));

    desktop.windows[kBar].rect = {600, 600, 932, 634};
    Send(kBar, kMsgSysCommand, 0xF010);  // SC_MOVE leaves the glue for the exit of the move
    EXPECT_TRUE(magnetic.IsGlued(kCalendar));
}

TEST_F(MagneticMessageTest, GlueFollowsShowingAndHidingButNotPlainMoves) {
    desktop.windows[kCalendar].visible = false;
    Send(kCalendar, kMsgWindowPosChanged, 0, nullptr, 0x0001 | 0x0004);  // SWP_NOSIZE | SWP_NOZORDER
    EXPECT_TRUE(magnetic.IsGlued(kCalendar));
    Send(kCalendar, kMsgWindowPosChanged, 0, nullptr, kWindowPosHideWindow);
    EXPECT_FALSE(magnetic.IsGlued(kCalendar));
    desktop.windows[kCalendar].visible = true;
    Send(kCalendar, kMsgWindowPosChanged, 0, nullptr, kWindowPosShowWindow);
    EXPECT_TRUE(magnetic.IsGlued(kCalendar));

    desktop.windows[kCalendar].rect = {100, 200, 300, 400};
    Send(kCalendar, kMsgCommand);
    EXPECT_FALSE(magnetic.IsGlued(kCalendar));
}

TEST_F(MagneticMessageTest, OtherMessagesAreIgnored) {
    desktop.windows[kCalendar].rect = {100, 200, 300, 400};
    for (const unsigned message : {0x0000u, 0x0005u, 0x0018u, 0x0046u}) {
        EXPECT_FALSE(Send(kBar, message).handled);
    }
    EXPECT_TRUE(magnetic.IsGlued(kCalendar));
}

}  // namespace
}  // namespace kalvoro::testing
