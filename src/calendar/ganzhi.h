#pragma once
// The sexagenary (干支) numbering of year, month and day.

#include <optional>

#include "base/date_time.h"
#include "calendar/lunar_types.h"

namespace kalvoro {

// No record for dates before 1900-01-01 (or after 9999-12-31). The year changes at the full
// instant of 立春, the month on the day of the term that opens it.
std::optional<TGanZhi> GetGanZhi(DateTime date);

}  // namespace kalvoro
