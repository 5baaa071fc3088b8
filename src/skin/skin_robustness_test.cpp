// Thousands of damaged packages, made by mutating valid ones with a fixed seed: every reader must
// return a picture that is consistent or nothing, never crash or read out of bounds (run it under
// AddressSanitizer and UndefinedBehaviorSanitizer too).

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "skin/bar_skin.h"
#include "skin/bmp_decoder.h"
#include "skin/calendar_skin.h"
#include "skin/clock_skin.h"
#include "skin/skin_package.h"
#include "skin/skin_package_format.h"
#include "skin/testing/skin_test_support.h"
#include "skin/weather_skin.h"
#include "skin/window_skin.h"

namespace kalvoro {
namespace {

using testing::Bytes;
using testing::TestBmp;

constexpr char kSmallBarDescription[] =
    "[VER]\r\nSkinVer=1.0\r\nClockVer=1.0\r\n"
    "[BAR]\r\nBarBkLeft=0\r\nBarBkTop=0\r\nBarBkWidth=12\r\nBarBkHeight=4\r\nLEDBkColor=$102030\r\n"
    "[BUTTON]\r\nMenuBtnUpLeft=0\r\nMenuBtnUpTop=4\r\nMenuBtnUpWidth=3\r\nMenuBtnUpHeight=3\r\n"
    "MenuBtnHotLeft=3\r\nMenuBtnHotTop=4\r\nMenuBtnHotWidth=3\r\nMenuBtnHotHeight=3\r\n"
    "MinBtnUpLeft=6\r\nMinBtnUpTop=4\r\nMinBtnUpWidth=2\r\nMinBtnUpHeight=1\r\n"
    "MinBtnHotLeft=8\r\nMinBtnHotTop=4\r\nMinBtnHotWidth=2\r\nMinBtnHotHeight=1\r\n"
    "YearBtnUpLeft=10\r\nYearBtnUpTop=4\r\nYearBtnUpWidth=2\r\nYearBtnUpHeight=2\r\n"
    "MonthBtnUpLeft=10\r\nMonthBtnUpTop=6\r\nMonthBtnUpWidth=2\r\nMonthBtnUpHeight=2\r\n"
    "[CALENDAR]\r\nCalendarBkLeft=0\r\nCalendarBkTop=0\r\nCalendarBkWidth=12\r\nCalendarBkHeight=9\r\n"
    "[WEATHER]\r\nWeatherBkLeft=2\r\nWeatherBkTop=2\r\nWeatherBkWidth=0x8\r\nWeatherBkHeight=5\r\nFontColor=255\r\n"
    "[WIN]\r\nWinLeft=0\r\nWinTop=0\r\nWinWidth=10\r\nWinHeight=5\r\nCloseBtnLeft=0\r\nCloseBtnTop=5\r\n"
    "CloseBtnWidth=4\r\nCloseBtnHeight=2\r\nCloseBtnHotLeft=4\r\nCloseBtnHotTop=5\r\nCloseBtnHotWidth=4\r\n"
    "CloseBtnHotHeight=2\r\n"
    "[Clock]\r\nClockWidth=9\r\nClockHeight=9\r\nHourHandLeft=9\r\nHourHandWidth=1\r\nHourHandHeight=5\r\n"
    "MinuteHandLeft=10\r\nMinuteHandWidth=1\r\nMinuteHandHeight=7\r\nSecondHandLeft=11\r\nSecondHandWidth=1\r\n"
    "SecondHandHeight=9\r\nCenterPointLeft=9\r\nCenterPointTop=6\r\nCenterPointWidth=3\r\nCenterPointHeight=3\r\n"
    "[CLOCK]\r\nCenterX=4\r\nCenterY=4\r\n";

// 12 x 9 pictures in every layout the decoder reads.
std::vector<std::string> SeedBitmaps() {
    std::vector<std::string> bitmaps;
    bitmaps.push_back(EncodeBmp24(testing::CoordinateImage(12, 9)));
    const auto with = [](std::uint16_t bits, std::int32_t height, std::string palette, std::size_t stride) {
        TestBmp bmp;
        bmp.bits = bits;
        bmp.width = 12;
        bmp.height = height;
        bmp.palette = std::move(palette);
        for (std::size_t i = 0; i < stride * 9; ++i) bmp.pixel_data.push_back(static_cast<char>(i * 37 + 11));
        return bmp;
    };
    bitmaps.push_back(with(1, 9, Bytes({0, 0, 0, 0, 255, 0, 255, 0}), 4).Build());
    bitmaps.push_back(with(4, -9, std::string(64, '\x40'), 8).Build());
    TestBmp eight = with(8, 9, std::string(40, '\x22'), 12);
    eight.colours_used = 10;
    bitmaps.push_back(eight.Build());
    TestBmp sixteen = with(16, -9, "", 24);
    sixteen.compression = 3;
    sixteen.masks = {0xF800, 0x07E0, 0x001F};
    bitmaps.push_back(sixteen.Build());
    TestBmp thirty_two = with(32, 9, "", 48);
    thirty_two.header_size = 108;
    thirty_two.compression = 3;
    thirty_two.masks = {0xFF0000, 0xFF00, 0xFF};
    bitmaps.push_back(thirty_two.Build());
    TestBmp core = with(8, 9, std::string(768, '\x33'), 12);
    core.header_size = 12;
    bitmaps.push_back(core.Build());
    return bitmaps;
}

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    std::string Mutate(std::string bytes) {
        const int count = Pick(1, 4);
        for (int i = 0; i < count; ++i) MutateOnce(bytes);
        return bytes;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::size_t Position(const std::string& bytes) {
        return bytes.empty() ? 0 : Pick(0, static_cast<int>(bytes.size()) - 1);
    }

    void MutateOnce(std::string& bytes) {
        static const std::uint64_t kInteresting[] = {0,
                                                     1,
                                                     2,
                                                     0x7F,
                                                     0xFF,
                                                     0x7FFF,
                                                     0xFFFF,
                                                     0x7FFFFFFF,
                                                     0x80000000,
                                                     0xFFFFFFFF,
                                                     0x100000000,
                                                     0x8000000000000000,
                                                     0xFFFFFFFFFFFFFFFF};
        static const char kDescriptionBytes[] = "0123456789-$xX=[]\r\n ";
        switch (Pick(0, 6)) {
            case 0:
                if (!bytes.empty()) bytes[Position(bytes)] = static_cast<char>(Pick(0, 255));
                break;
            case 1:
                if (!bytes.empty()) bytes[Position(bytes)] ^= static_cast<char>(1 << Pick(0, 7));
                break;
            case 2:
                bytes.insert(Position(bytes), std::string(Pick(1, 8), static_cast<char>(Pick(0, 255))));
                break;
            case 3:
                if (!bytes.empty()) bytes.erase(Position(bytes), Pick(1, 16));
                break;
            case 4:
                bytes.resize(Position(bytes));
                break;
            case 5: {
                // Little-endian fields (lengths, sizes, offsets) are where parsers usually trip.
                const std::uint64_t value = kInteresting[Pick(0, std::size(kInteresting) - 1)];
                const int width = Pick(0, 1) == 0 ? 4 : 8;
                const std::size_t at = Position(bytes);
                for (int i = 0; i < width && at + i < bytes.size(); ++i) {
                    bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
                }
                break;
            }
            default:
                if (!bytes.empty()) bytes[Position(bytes)] = kDescriptionBytes[Pick(0, sizeof(kDescriptionBytes) - 2)];
                break;
        }
    }

    std::mt19937 random_;
};

void ExpectConsistent(const SkinImage& image) {
    if (image.empty()) {
        EXPECT_TRUE(image.pixels.empty());
    } else {
        EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height);
    }
}

TEST(SkinRobustness, MutatedPackagesLoadConsistentlyOrNotAtAll) {
    std::vector<std::string> seeds;
    for (const auto& bitmap : SeedBitmaps()) seeds.push_back(BuildSkinPackage(kSmallBarDescription, bitmap));
    for (const auto& seed : seeds) {
        ASSERT_TRUE(LoadBarSkinData(seed));
        ASSERT_TRUE(LoadCalendarSkinData(seed));
        ASSERT_TRUE(LoadWeatherSkinData(seed));
        ASSERT_TRUE(LoadWindowSkinData(seed));
        ASSERT_TRUE(LoadClockSkinData(seed));
    }

    Mutator mutator(20240229);
    int loaded = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string package = mutator.Mutate(seeds[round % seeds.size()]);
        if (auto blocks = SplitSkinPackage(package)) {
            if (auto image = DecodeBmp(blocks->bitmap)) ExpectConsistent(*image);
        }
        if (auto bar = LoadBarSkinData(package)) {
            ++loaded;
            for (const auto* image : {&bar->background, &bar->menu_button_up, &bar->menu_button_hot,
                                      &bar->min_button_up, &bar->min_button_hot}) {
                ExpectConsistent(*image);
            }
        }
        if (auto calendar = LoadCalendarSkinData(package)) ExpectConsistent(calendar->background);
        if (auto weather = LoadWeatherSkinData(package)) ExpectConsistent(weather->background);
        if (auto window = LoadWindowSkinData(package)) ExpectConsistent(window->frame);
        if (auto clock = LoadClockSkinData(package)) {
            for (const auto* image :
                 {&clock->face, &clock->hour_hand, &clock->minute_hand, &clock->second_hand, &clock->center_cap}) {
                ExpectConsistent(*image);
            }
        }
        DiagnoseSkinPackage(package, skin_keys::kSkinVersion);
    }
    // Many mutations leave the package usable; the run must have exercised both outcomes.
    EXPECT_GT(loaded, 100);
    EXPECT_LT(loaded, 4000);
}

TEST(SkinRobustness, RandomBytesBehindABmpSignatureNeverCrashTheDecoder) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = "BM";
        const int length = std::uniform_int_distribution<int>(0, 200)(random);
        for (int i = 0; i < length; ++i) bytes.push_back(static_cast<char>(random() & 0xFF));
        if (length > 16) {
            bytes[14] = static_cast<char>(std::array{12, 40, 52, 56, 108, 124}[random() % 6]);
            bytes[15] = bytes[16] = bytes[17] = '\0';
        }
        if (auto image = DecodeBmp(bytes)) ExpectConsistent(*image);
    }
}

}  // namespace
}  // namespace kalvoro
