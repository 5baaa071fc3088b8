#pragma once
// The festival rows the calendar window stores for its calendar: the default festivals with
// duplicate keys resolved, in black (colour 0), and the week row "0520" reading "母亲节".

#include "calendar/festival_list.h"

namespace kalvoro {

TFestivalList MakeCalendarWindowFestivals();

}  // namespace kalvoro
