#include "popup/bar_handle_argument.h"

#include <cstdint>
#include <limits>

namespace kalvoro::popup {

std::optional<std::uint64_t> ParseBarHandleArgument(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    const bool negative = text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;

    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (value == 0) return std::nullopt;
    if (negative) {
        constexpr std::uint64_t kInt32Magnitude = std::uint64_t{1} << 31;
        if (value > kInt32Magnitude) return std::nullopt;
        return static_cast<std::uint64_t>(-static_cast<std::int64_t>(value));
    }
    return value;
}

}  // namespace kalvoro::popup
