#include <gtest/gtest.h>

#include <string>

#include "base/file_store.h"
#include "skin/bar_skin.h"
#include "skin/calendar_skin.h"
#include "skin/clock_skin.h"
#include "skin/skin_files.h"
#include "skin/skin_package.h"
#include "skin/testing/skin_test_support.h"
#include "skin/weather_skin.h"
#include "skin/window_skin.h"

namespace kalvoro {
namespace {

using testing::PackageWith;
using testing::SourcePixel;

// The smallest bitmap every default piece of a bar skin fits in.
const SkinImage kBarBitmap = testing::CoordinateImage(332, 610);
const SkinImage kWindowBitmap = testing::CoordinateImage(100, 67);

// The piece was cut from the coordinate bitmap at this rectangle.
void ExpectCutFrom(const SkinImage& piece, const SkinRect& rect, const char* what) {
    ASSERT_EQ(piece.width, rect.width) << what;
    ASSERT_EQ(piece.height, rect.height) << what;
    EXPECT_EQ(piece.At(0, 0), SourcePixel(rect.left, rect.top)) << what;
    EXPECT_EQ(piece.At(rect.width - 1, rect.height - 1),
              SourcePixel(rect.left + rect.width - 1, rect.top + rect.height - 1))
        << what;
}

TEST(SkinLoaders, DescriptionWithOnlyTheVersionCutsEveryDefaultPieceAndSetsEveryDefaultColour) {
    const std::string package = PackageWith("[VER]\r\nSkinVer=1.0\r\n", kBarBitmap);

    auto bar = LoadBarSkinData(package);
    ASSERT_TRUE(bar);
    ExpectCutFrom(bar->background, {0, 0, 332, 34}, "bar background");
    ExpectCutFrom(bar->menu_button_up, {0, 584, 43, 26}, "menu button");
    ExpectCutFrom(bar->menu_button_hot, {43, 584, 43, 26}, "menu button hot");
    ExpectCutFrom(bar->min_button_up, {86, 584, 26, 9}, "minimise button");
    ExpectCutFrom(bar->min_button_hot, {112, 584, 26, 9}, "minimise button hot");
    EXPECT_EQ(bar->led_background, 0x000000u);
    EXPECT_EQ(bar->led_dark, 0x373737u);
    EXPECT_EQ(bar->led_light, 0x00FFFFu);
    EXPECT_EQ(bar->led_border, 0xD08130u);
    EXPECT_EQ(bar->date_font, 0x000000u);
    EXPECT_EQ(bar->menu, (MenuColors{0xF5DEAD, 0xE4BA5F, 0xF5DEAD, 0xE4BA5F, 0xC56A31}));

    auto calendar = LoadCalendarSkinData(package);
    ASSERT_TRUE(calendar);
    ExpectCutFrom(calendar->background, {0, 34, 332, 390}, "calendar background");
    ExpectCutFrom(calendar->year_button_up, {138, 584, 11, 11}, "year button");
    ExpectCutFrom(calendar->month_button_up, {138, 584, 11, 11}, "month button");
    EXPECT_EQ(calendar->font, 0x000000u);
    EXPECT_EQ(calendar->day_back, 0xFDF7EAu);
    EXPECT_EQ(calendar->week_back, 0xFCF1DAu);
    EXPECT_EQ(calendar->highlight_back, 0xE4BA5Fu);
    EXPECT_EQ(calendar->mark, 0x80FFFFu);
    EXPECT_EQ(calendar->menu, MenuColors{});

    auto weather = LoadWeatherSkinData(package);
    ASSERT_TRUE(weather);
    ExpectCutFrom(weather->background, {0, 424, 332, 160}, "weather background");
    ExpectCutFrom(weather->button_up, {138, 584, 11, 11}, "weather button");
    EXPECT_EQ(weather->font, 0xFFFFFFu);

    auto window = LoadWindowSkinData(PackageWith("[VER]\r\nSkinVer=1.0\r\n", kWindowBitmap));
    ASSERT_TRUE(window);
    ExpectCutFrom(window->frame, {0, 0, 100, 50}, "frame");
    ExpectCutFrom(window->close_up, {0, 50, 43, 17}, "close");
    ExpectCutFrom(window->close_hot, {43, 50, 43, 17}, "close hot");
    EXPECT_EQ(window->caption, 0x000000u);
}

TEST(SkinLoaders, EmptyDescriptionOrWrongVersionAppliesNothing) {
    for (const char* description : {"", "[VER]\r\nSkinVer=1.00\r\n", "[VER]\r\nClockVer=1.0\r\n"}) {
        const std::string package = PackageWith(description, kBarBitmap);
        EXPECT_FALSE(LoadBarSkinData(package)) << description;
        EXPECT_FALSE(LoadCalendarSkinData(package)) << description;
        EXPECT_FALSE(LoadWeatherSkinData(package)) << description;
        EXPECT_FALSE(LoadWindowSkinData(package)) << description;
    }
    EXPECT_FALSE(LoadClockSkinData(PackageWith("[VER]\r\nSkinVer=1.0\r\n", kBarBitmap)));
}

TEST(SkinLoaders, DamagedPackagesApplyNothing) {
    const std::string good = PackageWith("[VER]\r\nSkinVer=1.0\r\n", kBarBitmap);
    const std::string not_bmp = BuildSkinPackage("[VER]\r\nSkinVer=1.0\r\n", "this is no bitmap");
    for (const std::string& package : {good.substr(0, good.size() - 1), not_bmp, std::string("SKIN")}) {
        EXPECT_FALSE(LoadBarSkinData(package));
        EXPECT_FALSE(LoadCalendarSkinData(package));
        EXPECT_FALSE(LoadWeatherSkinData(package));
        EXPECT_FALSE(LoadWindowSkinData(package));
        EXPECT_FALSE(LoadClockSkinData(package));
    }
}

TEST(SkinLoaders, KeysInAnyCaseMovePiecesAndSetColours) {
    const std::string package = PackageWith(
        "[ver]\r\nskinver=1.0\r\n"
        "[bar]\r\nbarbkleft=10\r\nBarBkTop=20\r\nBARBKWIDTH=30\r\nBarBkHeight=$28\r\n"
        "ledbkcolor=0x102030\r\nLEDDarkColor=$010203\r\nLEDFontColor=65280\r\nLEDBorderColor=0X0000FF\r\n"
        "FontColor=16777215\r\n"
        "[Menu]\r\nIconBarColor1=1\r\nIconBarColor2=2\r\nSelectionColor1=3\r\nSelectionColor2=4\r\n"
        "SelectionFrameColor=5\r\n"
        "[calendar]\r\nFontColor=$AA\r\nDayBackColor=6\r\nWeekBackColor=7\r\nHightlightBackColor=8\r\nMarkColor=9\r\n"
        "CalendarBkLeft=1\r\nCalendarBkTop=2\r\nCalendarBkWidth=3\r\nCalendarBkHeight=4\r\n"
        "[Button]\r\nMonthBtnUpLeft=149\r\n"
        "[Weather]\r\nFontColor=$BB\r\nWeatherBkHeight=0\r\n",
        kBarBitmap);

    auto bar = LoadBarSkinData(package);
    ASSERT_TRUE(bar);
    ExpectCutFrom(bar->background, {10, 20, 30, 40}, "bar background");
    EXPECT_EQ(bar->led_background, 0x102030u);
    EXPECT_EQ(bar->led_dark, 0x010203u);
    EXPECT_EQ(bar->led_light, 0x00FF00u);
    EXPECT_EQ(bar->led_border, 0x0000FFu);
    EXPECT_EQ(bar->date_font, 0xFFFFFFu);
    EXPECT_EQ(bar->menu, (MenuColors{1, 2, 3, 4, 5}));

    auto calendar = LoadCalendarSkinData(package);
    ASSERT_TRUE(calendar);
    ExpectCutFrom(calendar->background, {1, 2, 3, 4}, "calendar background");
    ExpectCutFrom(calendar->month_button_up, {149, 584, 11, 11}, "month button");
    EXPECT_EQ(calendar->font, 0xAAu);
    EXPECT_EQ(calendar->day_back, 6u);
    EXPECT_EQ(calendar->week_back, 7u);
    EXPECT_EQ(calendar->highlight_back, 8u);
    EXPECT_EQ(calendar->mark, 9u);
    EXPECT_EQ(calendar->menu, (MenuColors{1, 2, 3, 4, 5}));

    auto weather = LoadWeatherSkinData(package);
    ASSERT_TRUE(weather);
    EXPECT_TRUE(weather->background.empty());
    EXPECT_EQ(weather->font, 0xBBu);
}

TEST(SkinLoaders, APieceThatCannotBeCutIsLeftEmptyAndTheRestOfThePackageApplies) {
    // A bitmap holding just the bar and its buttons: the calendar and weather backgrounds lie
    // wholly beyond it, their buttons inside it.
    const SkinImage small = testing::CoordinateImage(150, 34);
    const std::string package = PackageWith(
        "[VER]\r\nSkinVer=1.0\r\n[BUTTON]\r\n"
        "MenuBtnUpTop=0\r\nMenuBtnHotTop=0\r\nMinBtnUpTop=0\r\nMinBtnHotTop=0\r\nYearBtnUpTop=0\r\n"
        "[CALENDAR]\r\nFontColor=$123456\r\n",
        small);
    auto bar = LoadBarSkinData(package);
    ASSERT_TRUE(bar);
    // The background reaches past the 150-pixel bitmap: its size stays, the rest is see-through.
    ASSERT_EQ(bar->background.width, 332);
    EXPECT_EQ(bar->background.At(149, 33), SourcePixel(149, 33));
    EXPECT_EQ(bar->background.At(150, 0), kSeeThroughPixel);
    EXPECT_EQ(bar->background.At(331, 33), kSeeThroughPixel);

    auto calendar = LoadCalendarSkinData(package);
    ASSERT_TRUE(calendar);
    EXPECT_TRUE(calendar->background.empty());
    ExpectCutFrom(calendar->year_button_up, {138, 0, 11, 11}, "year button");
    EXPECT_EQ(calendar->font, 0x123456u);
    auto weather = LoadWeatherSkinData(package);
    ASSERT_TRUE(weather);
    EXPECT_TRUE(weather->background.empty());
    EXPECT_EQ(weather->font, 0xFFFFFFu);
}

TEST(SkinLoaders, NegativeOrOversizedPiecesAreSkippedAlone) {
    for (const char* piece : {"BarBkWidth=-1", "BarBkLeft=400", "BarBkHeight=100000", "BarBkLeft=-2147483648"}) {
        auto bar = LoadBarSkinData(
            PackageWith(std::string("[VER]\nSkinVer=1.0\n[BAR]\nLedBkColor=$010203\n") + piece, kBarBitmap));
        ASSERT_TRUE(bar) << piece;
        EXPECT_TRUE(bar->background.empty()) << piece;
        ExpectCutFrom(bar->menu_button_up, {0, 584, 43, 26}, "menu button");
        EXPECT_EQ(bar->led_background, 0x010203u) << piece;
    }
}

TEST(SkinLoaders, ClockSkinCutsItsPiecesAndCentresThePivotByDefault) {
    const SkinImage bitmap = testing::CoordinateImage(200, 120);
    const std::string pieces =
        "[VER]\r\nClockVer=1.0\r\n"
        "[Clock]\r\nClockLeft=0\r\nClockTop=0\r\nClockWidth=157\r\nClockHeight=101\r\n"
        "HourHandLeft=160\r\nHourHandTop=0\r\nHourHandWidth=9\r\nHourHandHeight=61\r\n"
        "MinuteHandLeft=170\r\nMinuteHandTop=0\r\nMinuteHandWidth=7\r\nMinuteHandHeight=91\r\n"
        "SecondHandLeft=180\r\nSecondHandTop=0\r\nSecondHandWidth=5\r\nSecondHandHeight=99\r\n"
        "CenterPointLeft=186\r\nCenterPointTop=0\r\nCenterPointWidth=11\r\nCenterPointHeight=11\r\n";

    auto centred = LoadClockSkinData(PackageWith(pieces, bitmap));
    ASSERT_TRUE(centred);
    ExpectCutFrom(centred->face, {0, 0, 157, 101}, "face");
    ExpectCutFrom(centred->hour_hand, {160, 0, 9, 61}, "hour");
    ExpectCutFrom(centred->minute_hand, {170, 0, 7, 91}, "minute");
    ExpectCutFrom(centred->second_hand, {180, 0, 5, 99}, "second");
    ExpectCutFrom(centred->center_cap, {186, 0, 11, 11}, "cap");
    EXPECT_FALSE(centred->center_x);
    EXPECT_EQ(centred->PivotX(), 78);
    EXPECT_EQ(centred->PivotY(), 50);

    auto placed = LoadClockSkinData(PackageWith(pieces + "CenterX=70\r\ncentery=$30\r\n", bitmap));
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->PivotX(), 70);
    EXPECT_EQ(placed->PivotY(), 48);

    // "CLOCK" and "Clock" name one section; as with every settings file only its first header
    // counts, so keys under a repeated header are not read.
    std::string upper_case = pieces;
    upper_case.replace(upper_case.find("[Clock]"), 7, "[CLOCK]");
    auto upper = LoadClockSkinData(PackageWith(upper_case + "CenterX=70\r\n", bitmap));
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->face.width, 157);
    EXPECT_EQ(upper->PivotX(), 70);
    auto repeated = LoadClockSkinData(PackageWith(pieces + "[CLOCK]\r\nCenterX=70\r\n", bitmap));
    ASSERT_TRUE(repeated);
    EXPECT_EQ(repeated->PivotX(), 78);
}

TEST(SkinLoaders, ClockSkinWithOnlyTheVersionHasEmptyPieces) {
    auto clock = LoadClockSkinData(PackageWith("[VER]\r\nClockVer=1.0\r\n", testing::CoordinateImage(4, 4)));
    ASSERT_TRUE(clock);
    EXPECT_TRUE(clock->face.empty());
    EXPECT_TRUE(clock->hour_hand.empty());
    EXPECT_TRUE(clock->center_cap.empty());
    EXPECT_EQ(clock->PivotX(), 0);
}

TEST(SkinFiles, PathsFollowTheSettingsAndAnEmptyNameNamesNoFile) {
    EXPECT_EQ(BarSkinPath("C:\\Kalvoro\\", "Default.sk"), "C:\\Kalvoro\\Skin\\Default.sk");
    EXPECT_EQ(ClockSkinPath("C:\\Kalvoro\\", "Classic.cl"), "C:\\Kalvoro\\Clock\\Classic.cl");
    EXPECT_EQ(WindowSkinPath("C:\\Kalvoro\\", "Skin\\Frame\\Window.sk"), "C:\\Kalvoro\\Skin\\Frame\\Window.sk");
    EXPECT_FALSE(BarSkinPath("C:\\Kalvoro\\", ""));
    EXPECT_FALSE(ClockSkinPath("C:\\Kalvoro\\", ""));
    EXPECT_FALSE(WindowSkinPath("C:\\Kalvoro\\", ""));

    MemoryFileStore files;
    const std::string package = PackageWith("[VER]\r\nSkinVer=1.0\r\n", kBarBitmap);
    files.Put("C:\\Kalvoro\\Skin\\Default.sk", package);
    EXPECT_EQ(ReadSkinPackageFile(files, "C:\\Kalvoro\\Skin\\Default.sk"), package);
    EXPECT_FALSE(ReadSkinPackageFile(files, "C:\\Kalvoro\\Skin\\Missing.sk"));
    EXPECT_FALSE(ReadSkinPackageFile(files, ""));
}

}  // namespace
}  // namespace kalvoro
