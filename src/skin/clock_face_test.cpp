#include "skin/clock_face.h"

#include <gtest/gtest.h>

#include <string>

#include "base/file_store.h"
#include "skin/testing/rotate_test_support.h"

namespace kalvoro {
namespace {

using testing::NumberedPicture;

constexpr std::uint32_t kFaceColour = 0x203040;
constexpr std::uint32_t kHandBackground = 0xFFFFFF;

// A hand drawn pointing at 12: a dark bar from the top to the middle on a white background.
SkinImage HandPicture(int width, int height, std::uint32_t colour) {
    SkinImage hand = SkinImage::Filled(width, height, kHandBackground);
    for (int y = 0; y <= height / 2; ++y) hand.At(width / 2, y) = colour;
    return hand;
}

ClockSkin TestSkin(int face_width, int face_height) {
    ClockSkin skin;
    skin.face = SkinImage::Filled(face_width, face_height, kFaceColour);
    skin.hour_hand = HandPicture(5, 61, 0x000011);
    skin.minute_hand = HandPicture(5, 81, 0x000022);
    skin.second_hand = HandPicture(3, 91, 0x000033);
    skin.center_cap = SkinImage::Filled(5, 5, 0x000044);
    skin.center_cap.At(0, 4) = kSeeThroughPixel;  // the cap's bottom-left colour is its see-through colour
    skin.center_cap.At(4, 0) = kSeeThroughPixel;
    return skin;
}

struct AngleCase {
    int hour, minute, second;
    ClockHandAngles expected;  // hour, minute, second
};

TEST(ClockHandsTest, AnglesFollowTheTimeOfDay) {
    const AngleCase cases[] = {
        {3, 0, 0, {-90, 0, 0}},           {15, 0, 0, {-450, 0, 0}},        {10, 11, 59, {-300, -66, -354}},
        {10, 12, 0, {-306, -72, 0}},      {9, 30, 45, {-282, -180, -270}}, {0, 0, 0, {0, 0, 0}},
        {23, 59, 59, {-714, -354, -354}}, {12, 24, 1, {-372, -144, -6}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClockHandAnglesAt(c.hour, c.minute, c.second), c.expected)
            << c.hour << ":" << c.minute << ":" << c.second;
        const DateTime at = EncodeDate(2026, 12, 10) + EncodeTime(c.hour, c.minute, c.second, 400);
        EXPECT_EQ(ClockHandAnglesAt(at), c.expected) << c.hour << ":" << c.minute << ":" << c.second;
    }
}

TEST(ClockHandsTest, AfternoonHoursShowTheMorningPicture) {
    ClockFace morning;
    ClockFace afternoon;
    morning.LoadSkin(TestSkin(201, 201));
    afternoon.LoadSkin(TestSkin(201, 201));
    morning.SetAngles(ClockHandAnglesAt(3, 0, 0));
    afternoon.SetAngles(ClockHandAnglesAt(15, 0, 0));
    EXPECT_EQ(afternoon.HourHand().Angle(), -450);
    EXPECT_EQ(afternoon.HourHand().Rotated(), morning.HourHand().Rotated());
    // 03:00 turns the hour hand a quarter turn clockwise: its tip points right of the pivot.
    const TRotateImage& hour = morning.HourHand();
    const int side = hour.Rotated().width;
    const int middle = side / 2;
    EXPECT_EQ(hour.Rotated().At(side - 3 - (side - 61) / 2, middle), 0x000011u);
    EXPECT_EQ(hour.Rotated().At(3 + (side - 61) / 2, middle), kHandBackground);
}

TEST(ClockHandsTest, HalfUp) {
    const int cases[][2] = {{157, 79}, {156, 78}, {163, 82}, {1, 1}, {0, 0}, {-3, -1}, {-4, -2}};
    for (const auto& c : cases) EXPECT_EQ(HalfUp(c[0]), c[1]) << c[0];
}

TEST(ClockFaceTest, HandsAndCapArePlacedHalfUpAboutThePivot) {
    ClockSkin skin = TestSkin(201, 201);
    skin.second_hand = HandPicture(9, 161, 0x000033);  // a 163-pixel square
    skin.center_x = 120;
    skin.center_y = 90;
    ClockFace face;
    face.LoadSkin(skin);
    EXPECT_EQ(face.SecondHand().Bounds(), (ControlBounds{120 - 82, 90 - 82, 163, 163}));
    EXPECT_EQ(face.MinuteHand().Bounds(), (ControlBounds{120 - 42, 90 - 42, 83, 83}));  // 5 x 81
    EXPECT_EQ(face.CapBounds(), (ControlBounds{120 - 3, 90 - 3, 5, 5}));

    face.SetAngles({-90, -186, -354});  // the squares do not move with the angle
    EXPECT_EQ(face.SecondHand().Bounds(), (ControlBounds{38, 8, 163, 163}));
}

TEST(ClockFaceTest, SkinWithoutCentrePutsThePivotInTheMiddleRoundedDown) {
    ClockFace face;
    face.LoadSkin(TestSkin(201, 150));
    EXPECT_EQ(face.Width(), 201);
    EXPECT_EQ(face.Height(), 150);
    EXPECT_EQ(face.PivotX(), 100);
    EXPECT_EQ(face.PivotY(), 75);
    face.LoadSkin(TestSkin(200, 151));
    EXPECT_EQ(face.PivotX(), 100);
    EXPECT_EQ(face.PivotY(), 75);
}

TEST(ClockFaceTest, OnlyHandsWhoseAngleChangedAreTurnedAgain) {
    ClockFace face;
    face.LoadSkin(TestSkin(201, 201));
    const DateTime day = EncodeDate(2026, 12, 10);
    EXPECT_TRUE(face.UpdateHands(day + EncodeTime(10, 8, 30)));
    const int hour = face.HourHand().RebuildCount();
    const int minute = face.MinuteHand().RebuildCount();
    const int second = face.SecondHand().RebuildCount();

    EXPECT_FALSE(face.UpdateHands(day + EncodeTime(10, 8, 30, 900)));
    EXPECT_EQ(face.SecondHand().RebuildCount(), second);

    EXPECT_TRUE(face.UpdateHands(day + EncodeTime(10, 8, 31)));
    EXPECT_EQ(face.SecondHand().RebuildCount(), second + 1);
    EXPECT_EQ(face.MinuteHand().RebuildCount(), minute);
    EXPECT_EQ(face.HourHand().RebuildCount(), hour);

    EXPECT_TRUE(face.UpdateHands(day + EncodeTime(10, 11, 59)));  // minute moves, hour not yet
    EXPECT_EQ(face.MinuteHand().RebuildCount(), minute + 1);
    EXPECT_EQ(face.HourHand().RebuildCount(), hour);
    EXPECT_TRUE(face.UpdateHands(day + EncodeTime(10, 12, 0)));
    EXPECT_EQ(face.HourHand().RebuildCount(), hour + 1);
    EXPECT_EQ(face.HourHand().Angle(), -306);
}

TEST(ClockFaceTest, ComposeDrawsTheFiveLayersInOrder) {
    ClockSkin skin = TestSkin(101, 101);
    skin.face.At(0, 0) = kSeeThroughPixel;  // a see-through corner of the face stays magenta
    ClockFace face;
    face.LoadSkin(skin);
    face.SetAngles({0, 0, 0});  // all three hands on 12: the second hand lies on top
    // Every square is odd (hour 63, minute 83, second 93), so half-up placement puts the hands'
    // middle column at 49, one left of the pivot.

    SkinImage surface = SkinImage::Filled(101, 101, 0);
    face.Compose(PixelRows::Of(surface));
    EXPECT_EQ(surface.At(0, 0), kSeeThroughPixel);
    EXPECT_EQ(surface.At(100, 100), kFaceColour);
    EXPECT_EQ(surface.At(49, 20), 0x000033u);    // second over minute over hour
    EXPECT_EQ(surface.At(50, 50), 0x000044u);    // the cap covers the pivot
    EXPECT_EQ(surface.At(47, 51), kFaceColour);  // the cap's see-through corner
    EXPECT_EQ(surface.At(60, 20), kFaceColour);  // white hand background is left out

    face.SetAngles({0, 0, -90});  // the second hand leaves 12 and shows the minute hand
    face.Compose(PixelRows::Of(surface));
    EXPECT_EQ(surface.At(49, 20), 0x000022u);
    EXPECT_EQ(surface.At(80, 49), 0x000033u);
    face.SetAngles({0, -180, -90});
    face.Compose(PixelRows::Of(surface));
    EXPECT_EQ(surface.At(49, 20), 0x000011u);
}

TEST(ClockFaceTest, SkinWithEmptyHandsStillComposesTheFace) {
    ClockSkin skin = TestSkin(40, 30);
    skin.hour_hand = {};
    skin.minute_hand = {};
    skin.second_hand = {};
    skin.center_cap = {};
    ClockFace face;
    face.LoadSkin(skin);
    face.UpdateHands(EncodeTime(4, 5, 6));
    SkinImage surface = SkinImage::Filled(40, 30, 0);
    face.Compose(PixelRows::Of(surface));
    EXPECT_EQ(surface, SkinImage::Filled(40, 30, kFaceColour));
}

std::string ShippedPackage(const std::string& relative_path) {
#ifdef _WIN32
    const std::string root = std::string("Z:") + KALVORO_SOURCE_DIR + "/resources/skins/";
#else
    const std::string root = std::string(KALVORO_SOURCE_DIR) + "/resources/skins/";
#endif
    return DiskFileStore().ReadAll(root + relative_path).value_or("");
}

TEST(ClockFaceTest, ShippedFacesTurnAboutTheirMiddle) {
    for (const char* name : {"Clock/Classic.cl", "Clock/Modern.cl"}) {
        SCOPED_TRACE(name);
        auto skin = LoadClockSkinData(ShippedPackage(name));
        ASSERT_TRUE(skin);
        ClockFace face;
        face.LoadSkin(*skin);
        EXPECT_EQ(face.Width(), 201);
        EXPECT_EQ(face.Height(), 201);
        EXPECT_EQ(face.PivotX(), 100);
        EXPECT_EQ(face.PivotY(), 100);
        const ControlBounds second = face.SecondHand().Bounds();
        EXPECT_EQ(second.width, 179);  // 9 x 177
        EXPECT_EQ(second.left, 100 - 90);
        face.UpdateHands(EncodeTime(10, 8, 30));
        SkinImage surface = SkinImage::Filled(201, 201, 0);
        face.Compose(PixelRows::Of(surface));
        EXPECT_EQ(surface.At(0, 0), kSeeThroughPixel);  // outside the round face
        EXPECT_NE(surface.At(100, 100), kSeeThroughPixel);
    }
}

}  // namespace
}  // namespace kalvoro
