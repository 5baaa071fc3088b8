#include "tasks/shutdown_countdown.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(ShutdownCountdownTest, ShowsTenThenNineToOneAndEndsOnTheTenthTick) {
    ShutdownCountdown countdown;
    std::vector<std::string> shown{countdown.Text()};
    int ticks = 0;
    while (!countdown.Tick()) {
        shown.push_back(countdown.Text());
        ASSERT_LT(++ticks, 20);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"10", "09", "08", "07", "06", "05", "04", "03", "02", "01"}));
    EXPECT_EQ(ticks, 9);  // the tenth tick closes the window
}

}  // namespace
}  // namespace kalvoro
