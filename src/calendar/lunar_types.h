#pragma once
// The records the lunar engine hands out.

#include <cstdint>

namespace kalvoro {

// A lunar date; the all-zero record means "no lunar date" and callers test Day == 0 for it.
struct TLunarDate {
    std::int32_t Year = 0;   // named by the Gregorian year in which the lunar year begins
    std::int32_t Month = 0;  // 1..12
    std::int32_t Day = 0;    // 1..30
    bool IsLeap = false;     // the leap month that follows the ordinary month of the same number

    friend bool operator==(const TLunarDate&, const TLunarDate&) = default;
};

// Unreduced sexagenary indices: the stem is index mod 10, the branch index mod 12.
struct TGanZhi {
    std::int32_t YearIndex = 0;
    std::int32_t MonthIndex = 0;
    std::int32_t DayIndex = 0;

    friend bool operator==(const TGanZhi&, const TGanZhi&) = default;
};

}  // namespace kalvoro
