#include "app/options_rules.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(OptionsRulesTest, PercentLabelCountsDownFromOpaque) {
    // (255 - position) / 2.5, worked by hand.
    const std::pair<int, const char*> cases[] = {
        {55, "80%"}, {155, "40%"}, {255, "0%"}, {254, "0%"}, {253, "1%"}, {200, "22%"}, {56, "80%"}, {57, "79%"},
    };
    for (const auto& [position, label] : cases) EXPECT_EQ(TransparencyPercentLabel(position), label) << position;
}

TEST(OptionsRulesTest, FacePreviewFitsOneHundredSquare) {
    struct Case {
        int width, height;
        PreviewSize expected;
    } const cases[] = {
        {100, 100, {100, 100}},                         // fits exactly: own size
        {80, 60, {80, 60}},     {101, 100, {100, 99}},  // 100 * 100 / 101 = 99.0
        {100, 101, {99, 100}},  {200, 150, {100, 75}},  // wider than high
        {150, 200, {75, 100}},                          // higher than wide
        {120, 120, {100, 100}},                         // square: height 100, width 100
        {300, 101, {100, 34}},                          // 33.67 rounds up
        {301, 100, {100, 33}},                          // 33.22 rounds down
        {1000, 1, {100, 0}},    {0, 50, {0, 0}},        // an empty face gives nothing to show
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FacePreviewSize(c.width, c.height), c.expected) << c.width << " x " << c.height;
    }
}

TEST(OptionsRulesTest, EnablingRulesTable) {
    struct Case {
        OptionsChecks checks;
        OptionsEnabled expected;
    } const cases[] = {
        {{}, {}},
        {{.hour_chime = true}, {.chime_type = true}},
        {{.half_chime = true}, {.chime_type = true}},
        {{.hour_chime = true, .half_chime = true}, {.chime_type = true}},
        {{.hot_key = true}, {.hot_key_lists = true}},
        {{.auto_sync = true}, {.sync_step = true}},
        {{.auto_close = true}, {.auto_seconds = true}},
        {{.repeat_reminder = true}, {.reminder_step = true}},
        {{.plain_time = true}, {.font_button = true}},
        {{true, true, true, true, true, true, true}, {true, true, true, true, true, true}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(EnabledControls(cases[i].checks), cases[i].expected) << "row " << i;
    }
}

TEST(OptionsRulesTest, StartCommandQuotesThePath) {
    EXPECT_EQ(StartCommand(R"(C:\Program Files\Kalvoro\Kalvoro.exe)"),
              R"("C:\Program Files\Kalvoro\Kalvoro.exe" /hide)");
}

TEST(OptionsRulesTest, RunValueComparison) {
    const char* exe = R"(C:\Apps\Kalvoro.exe)";
    struct Case {
        const char* value;
        bool ours;
    } const cases[] = {
        {R"("C:\Apps\Kalvoro.exe" /hide)", true},
        {R"("C:\Apps\Kalvoro.exe")", true},        // the quoted path alone
        {R"("c:\apps\KALVORO.EXE" /HIDE)", true},  // case does not count
        {R"("c:\apps\kalvoro.exe")", true},
        {R"(C:\Apps\Kalvoro.exe)", false},  // unquoted
        {R"(C:\Apps\Kalvoro.exe /hide)", false},
        {R"("C:\Apps\Kalvoro.exe"  /hide)", false},  // two blanks
        {R"("C:\Apps\Kalvoro.exe" /hid)", false},
        {R"("C:\Apps\Kalvoro.exe" /hide x)", false},
        {R"("C:\Other\Kalvoro.exe" /hide)", false},  // another copy of the program
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsOurRunValue(c.value, exe), c.ours) << c.value;
    EXPECT_FALSE(IsOurRunValue(R"("" /hide)", ""));
}

TEST(OptionsRulesTest, TypedNumbersClampToTheirRange) {
    EXPECT_EQ(ClampSpinText("4", 5, 3600, 5), 5);
    EXPECT_EQ(ClampSpinText("5", 5, 3600, 9), 5);
    EXPECT_EQ(ClampSpinText("3600", 5, 3600, 5), 3600);
    EXPECT_EQ(ClampSpinText("3601", 5, 3600, 5), 3600);
    EXPECT_EQ(ClampSpinText(" 42 ", 5, 3600, 5), 42);
    EXPECT_EQ(ClampSpinText("-7", 1, 600, 5), 1);
    EXPECT_EQ(ClampSpinText("99999999999999", 1, 1000, 5), 1000);
    EXPECT_EQ(ClampSpinText("12a", 1, 600, 7), 7);
    EXPECT_EQ(ClampSpinText("", 1, 600, 7), 7);
}

}  // namespace
}  // namespace kalvoro
