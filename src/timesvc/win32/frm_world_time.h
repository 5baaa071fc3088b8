#pragma once
// TFrmWorldTime (城市时间查询): the time of a city chosen by country, with its zone, position and
// daylight-saving dates, refreshed every second.

#include <windows.h>

#include <functional>
#include <string>

#include "base/date_time.h"

namespace kalvoro::win {

inline constexpr int kWorldCountryComboId = 351;
inline constexpr int kWorldCityListId = 352;
inline constexpr int kWorldPanelId = 353;
// The panel's labels (children of the panel).
inline constexpr int kWorldHeadingId = 361;
inline constexpr int kWorldTimeId = 362;
inline constexpr int kWorldZoneId = 363;
inline constexpr int kWorldPlaceId = 364;
inline constexpr int kWorldDstStartId = 365;
inline constexpr int kWorldDstEndId = 366;

struct WorldTimeOptions {
    std::string app_dir;  // "TimeZone.lst" is read from here
    // The system's UTC clock and local year; tests may replace them.
    std::function<DateTime()> utc_now;
    int local_year = 0;  // 0: the year of the computer's local date
};

// Opens the window modally and returns when it is closed.
void ShowWorldTime(HWND owner, const WorldTimeOptions& options);

}  // namespace kalvoro::win
