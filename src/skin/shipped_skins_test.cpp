// The packages delivered with the program load through the same loaders the windows use, and
// every piece lies wholly inside its bitmap.

#include <gtest/gtest.h>

#include <string>

#include "base/file_store.h"
#include "skin/bar_skin.h"
#include "skin/calendar_skin.h"
#include "skin/clock_skin.h"
#include "skin/skin_package.h"
#include "skin/weather_skin.h"
#include "skin/window_skin.h"

namespace kalvoro {
namespace {

std::string ShippedPackage(const std::string& relative_path) {
#ifdef _WIN32
    const std::string root = std::string("Z:") + KALVORO_SOURCE_DIR + "/resources/skins/";
#else
    const std::string root = std::string(KALVORO_SOURCE_DIR) + "/resources/skins/";
#endif
    return DiskFileStore().ReadAll(root + relative_path).value_or("");
}

template <typename Pieces>
void ExpectEveryPieceInside(const std::string& package_bytes, const Pieces& pieces) {
    auto package = SkinPackage::Read(package_bytes);
    ASSERT_TRUE(package);
    for (const auto& piece : pieces) {
        const SkinRect rect = package->PieceRect(piece);
        EXPECT_EQ(package->Placement(piece), PiecePlacement::kInside)
            << piece.section << "/" << piece.name << " at " << rect.left << "," << rect.top << " " << rect.width << "x"
            << rect.height << " in " << package->bitmap().width << "x" << package->bitmap().height;
    }
}

void ExpectSize(const SkinImage& image, int width, int height, const char* what) {
    EXPECT_EQ(image.width, width) << what;
    EXPECT_EQ(image.height, height) << what;
}

// The rotation takes a hand's see-through colour from its bottom-left pixel.
void ExpectHand(const SkinImage& hand, const char* what) {
    ASSERT_FALSE(hand.empty()) << what;
    EXPECT_EQ(hand.width % 2, 1) << what << " turns about its middle column";
    EXPECT_EQ(hand.height % 2, 1) << what << " turns about its middle row";
    EXPECT_EQ(hand.At(0, hand.height - 1), kSeeThroughPixel) << what;
    EXPECT_NE(hand.At(hand.width / 2, hand.height / 4), kSeeThroughPixel) << what << " points at 12";
}

TEST(ShippedSkins, DefaultBarSkin) {
    const std::string package = ShippedPackage("Skin/Default.sk");
    ASSERT_FALSE(package.empty());
    ExpectEveryPieceInside(package, skin_keys::kBarSkinPieces);

    auto bar = LoadBarSkinData(package);
    ASSERT_TRUE(bar);
    ExpectSize(bar->background, 332, 34, "bar");
    ExpectSize(bar->menu_button_up, 43, 27, "menu button");
    ExpectSize(bar->menu_button_hot, 43, 27, "menu button hot");
    ExpectSize(bar->min_button_up, 26, 9, "minimise button");
    ExpectSize(bar->min_button_hot, 26, 9, "minimise button hot");
    EXPECT_NE(bar->menu_button_up, bar->menu_button_hot);
    EXPECT_NE(bar->min_button_up, bar->min_button_hot);
    EXPECT_EQ(bar->background.At(0, 0), kSeeThroughPixel) << "rounded corner";
    EXPECT_NE(bar->background.At(166, 17), kSeeThroughPixel);
    EXPECT_NE(bar->led_light, bar->led_background);

    auto calendar = LoadCalendarSkinData(package);
    ASSERT_TRUE(calendar);
    ExpectSize(calendar->background, 332, 390, "calendar");
    ExpectSize(calendar->year_button_up, 11, 11, "year button");
    ExpectSize(calendar->month_button_up, 11, 11, "month button");

    auto weather = LoadWeatherSkinData(package);
    ASSERT_TRUE(weather);
    ExpectSize(weather->background, 332, 160, "weather");
    ExpectSize(weather->button_up, 11, 11, "weather button");
}

TEST(ShippedSkins, WindowSkin) {
    const std::string package = ShippedPackage("Skin/Frame/Window.sk");
    ASSERT_FALSE(package.empty());
    ExpectEveryPieceInside(package, skin_keys::kWindowSkinPieces);
    auto window = LoadWindowSkinData(package);
    ASSERT_TRUE(window);
    ExpectSize(window->frame, 100, 50, "frame");
    ExpectSize(window->close_up, 43, 17, "close button");
    ExpectSize(window->close_hot, 43, 17, "close button hot");
    EXPECT_NE(window->close_up, window->close_hot);
}

TEST(ShippedSkins, ClockSkins) {
    for (const char* name : {"Clock/Classic.cl", "Clock/Modern.cl"}) {
        SCOPED_TRACE(name);
        const std::string package = ShippedPackage(name);
        ASSERT_FALSE(package.empty());
        ExpectEveryPieceInside(package, skin_keys::kClockSkinPieces);
        auto clock = LoadClockSkinData(package);
        ASSERT_TRUE(clock);
        ASSERT_FALSE(clock->face.empty());
        EXPECT_EQ(clock->face.At(0, 0), kSeeThroughPixel) << "round face";
        ExpectHand(clock->hour_hand, "hour hand");
        ExpectHand(clock->minute_hand, "minute hand");
        ExpectHand(clock->second_hand, "second hand");
        ASSERT_FALSE(clock->center_cap.empty());
        EXPECT_EQ(clock->center_cap.At(0, clock->center_cap.height - 1), kSeeThroughPixel);
        EXPECT_GT(clock->minute_hand.height, clock->hour_hand.height);
        EXPECT_EQ(clock->PivotX(), clock->face.width / 2);
        EXPECT_EQ(clock->PivotY(), clock->face.height / 2);
    }
}

}  // namespace
}  // namespace kalvoro
