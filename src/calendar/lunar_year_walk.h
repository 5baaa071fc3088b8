#pragma once
// The conversions computed by walking the year table from 1900 (GetLunarDate) and from the 2000
// anchor (LunarToSolar) on every call. The engine answers from precomputed month starts instead;
// these stay as the reference that its results must match day for day.

#include "base/date_time.h"
#include "calendar/lunar_types.h"

namespace kalvoro::lunar_walk {

TLunarDate GetLunarDate(DateTime date);
DateTime LunarToSolar(const TLunarDate& date);

}  // namespace kalvoro::lunar_walk
