#include "popup/bar_handle_argument.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kalvoro::popup {
namespace {

TEST(ParseBarHandleArgument, ReadsDecimalHandles) {
    struct Case {
        std::string text;
        std::optional<std::uint64_t> expected;
    };
    const Case cases[] = {
        {"65862", 65862},
        {"  132456\t", 132456},
        {"18446744073709551615", 18446744073709551615ull},
        {"-2", 0xFFFFFFFFFFFFFFFEull},
        {"-2147483648", 0xFFFFFFFF80000000ull},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"0", std::nullopt},
        {"-", std::nullopt},
        {"-0", std::nullopt},
        {"0x1234", std::nullopt},
        {"12 34", std::nullopt},
        {"+12", std::nullopt},
        {"18446744073709551616", std::nullopt},
        {"-2147483649", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseBarHandleArgument(c.text), c.expected) << "'" << c.text << "'";
}

}  // namespace
}  // namespace kalvoro::popup
