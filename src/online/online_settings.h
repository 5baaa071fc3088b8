#pragma once
// Where the online extras go: the web site (announcements, the update notice, 主页) and the weather
// page. The build fixes them (online_build_config.h); "skin.ini" may override them:
//
//   [ONLINE]
//   WebSite=http://example.org/        announcements from WebSite + "AD/AD003.txt"
//   WeatherPage=http://example.org/w.htm
//
// An address under a reserved name (".example", ".invalid", ".test", ".localhost") or not http(s)
// names no server: nothing is fetched from it, so an install without a server makes no request.

#include <string>
#include <string_view>

#include "base/ini_file.h"

namespace kalvoro {

inline constexpr char kWeatherPageName[] = "Weather_Kalvoro.htm";

struct OnlineAddresses {
    std::string web_site;       // ends in "/" when not empty
    std::string announcements;  // empty: no server, TimerAD stays off
    std::string weather_page;   // empty: no server, the weather window says so
};

bool NamesServer(std::string_view url);

OnlineAddresses ResolveOnlineAddresses(const IniDocument& settings, std::string_view build_web_site,
                                       std::string_view build_weather_page);
// With the addresses this build was made with.
OnlineAddresses ReadOnlineAddresses(const IniFile& settings);

}  // namespace kalvoro
