#pragma once
// The bar's date texts from the lunar engine and the core's festival lists.

#include "app/clock_display.h"
#include "calendar/festival_list.h"

namespace kalvoro {

class CalendarDateTexts final : public IDateTexts {
public:
    // The list outlives this object.
    explicit CalendarDateTexts(const TFestivalList& festivals) : festivals_(festivals) {}

    std::string LunarText(DateTime date) override;
    std::string GanZhiText(DateTime date) override;
    std::string TermText(DateTime date) override;
    std::string FestivalText(DateTime date) override;

private:
    const TFestivalList& festivals_;
};

}  // namespace kalvoro
