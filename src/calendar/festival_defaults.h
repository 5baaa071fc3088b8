#pragma once
// The built-in festival tables. A row is four key digits, one separator ("*" or a blank, of no
// meaning), then the festival text; a text may name several festivals separated by blanks.

#include <cstdint>
#include <span>
#include <string_view>

namespace kalvoro {

inline constexpr std::int32_t kSolarFestivalColor = 255;      // red
inline constexpr std::int32_t kLunarFestivalColor = 8388736;  // purple
inline constexpr std::int32_t kWeekFestivalColor = 8388608;   // navy

std::span<const std::string_view> DefaultSolarFestivals();  // 102 rows
std::span<const std::string_view> DefaultLunarFestivals();  // 13 rows
std::span<const std::string_view> DefaultWeekFestivals();   // 12 rows

}  // namespace kalvoro
