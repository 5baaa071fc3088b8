#pragma once
// The daylight-saving rules Windows keeps for its time zones, under
// HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Time Zones\<zone>: the zone's TZI value, or
// the one for the year under "Dynamic DST" where the rules changed over the years.

#include "timesvc/world_time.h"

namespace kalvoro::win {

class RegistryZoneRules final : public IZoneRules {
public:
    std::optional<ZoneYearRules> ForYear(const std::string& zone, int year) override;
};

}  // namespace kalvoro::win
