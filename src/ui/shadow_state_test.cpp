#include <gtest/gtest.h>

#include "ui/shadow_state.h"

namespace kalvoro {
namespace {

TEST(ShadowRedrawStateTest, RedrawsOnlyWhenSomethingChanged) {
    ShadowRedrawState state;
    EXPECT_TRUE(state.TakeRedraw({300, 200}, std::nullopt)) << "new";
    EXPECT_FALSE(state.TakeRedraw({300, 200}, std::nullopt)) << "moved only";
    EXPECT_TRUE(state.TakeRedraw({300, 201}, std::nullopt)) << "resized";
    state.Invalidate();
    EXPECT_TRUE(state.TakeRedraw({300, 201}, std::nullopt)) << "refreshed";
    EXPECT_TRUE(state.TakeRedraw({300, 201}, kColourKeyMagenta)) << "colour key switched on";
    EXPECT_FALSE(state.TakeRedraw({300, 201}, kColourKeyMagenta)) << "same key";
    EXPECT_TRUE(state.TakeRedraw({300, 201}, 0x00FF00)) << "other key";
    EXPECT_TRUE(state.TakeRedraw({300, 201}, std::nullopt)) << "colour key switched off";
    EXPECT_FALSE(state.TakeRedraw({300, 201}, std::nullopt));
}

TEST(ShadowRedrawStateTest, ShadowWindowSitsTheMarginUpAndLeftPlusTheOffset) {
    EXPECT_EQ(ShadowWindowOrigin({100, 50}, 0), (Point{84, 34}));
    EXPECT_EQ(ShadowWindowOrigin({100, 50}, 4), (Point{88, 38}));
}

}  // namespace
}  // namespace kalvoro
