#pragma once
// The task editor's six combo boxes (year, month, day, hour, minute, second): their items, which
// item a time text selects, and the time text the boxes make.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro {

enum TimeBox : int { kBoxYear = 0, kBoxMonth, kBoxDay, kBoxHour, kBoxMinute, kBoxSecond };
inline constexpr int kTimeBoxCount = 6;

// The items of a box: an empty one for "any", then the current year and the 11 following years,
// 01..12, 01..31, 00..23, 00..59 or 00..59.
std::vector<std::string> TimeBoxItems(int box, int current_year);

// The index of the item each box selects for a time text: the item equal to the component's text
// as written, 0 (the empty item) when the component is absent, -1 when its text is no item (a past
// year, a number without its leading zero), which reads as empty.
std::array<int, kTimeBoxCount> TimeBoxSelection(std::string_view time_text, int current_year);

// The time text: each non-empty box text followed by its unit, in box order.
std::string BuildTimeText(const std::array<std::string, kTimeBoxCount>& box_texts);

}  // namespace kalvoro
