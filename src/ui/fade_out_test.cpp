#include <gtest/gtest.h>

#include "ui/fade_out.h"

namespace kalvoro {
namespace {

using Steps = std::vector<std::uint8_t>;

TEST(FadeOutTest, StepsDownByThirtyWhileAboveThirty) {
    struct Case {
        int alpha;
        Steps steps;
    };
    const Case cases[] = {
        {200, {170, 140, 110, 80, 50, 20}},
        {255, {225, 195, 165, 135, 105, 75, 45, 15}},
        {61, {31, 1}},
        {60, {30}},
        {31, {1}},
        {30, {}},
        {0, {}},
        {-40, {}},
        {1000, {225, 195, 165, 135, 105, 75, 45, 15}},
    };
    for (const Case& c : cases) EXPECT_EQ(FadeOutSteps(c.alpha), c.steps) << "from " << c.alpha;
}

}  // namespace
}  // namespace kalvoro
