#pragma once
// How the three kinds of festivals and marks combine for one day.

#include <cstdint>
#include <string>

#include "base/date_time.h"
#include "calendar/festival_list.h"

namespace kalvoro {

struct FestivalText {
    std::string text;               // festival texts joined by one blank
    std::int32_t color = kNoColor;  // colour of the first festival found
};

// In order: the eve festival (lunar day 00) on the last day of a lunar month, then the lunar,
// the solar and the week festival of the day. Only the date's whole day counts.
FestivalText GetFestivalText(const TFestivalList& festivals, DateTime date);

// The first mark of the day, lunar before solar before week; kNoColor for none.
std::int32_t GetMarkColor(const TFestivalList& festivals, DateTime date);

}  // namespace kalvoro
