#pragma once
// When the weather window loads its page: at creation, when shown on a later day than the last
// load, and on 刷新.... The page itself does everything else.

#include "base/date_time.h"

namespace kalvoro {

inline constexpr char kWeatherHeading[] = "天气预报";
inline constexpr char kWeatherButtonHint[] = "公历-农历";
inline constexpr char kWeatherRefreshCaption[] = "刷新...";
// Shown in place of the page where no web browser control can be created or no page is set.
inline constexpr char kWeatherUnavailableText[] = "无法在此显示天气网页。";
inline constexpr char kWeatherNoAddressText[] = "未设置天气网页地址。";

class WeatherPageSchedule {
public:
    // LoadWeatherPage: the page is loaded now.
    void MarkLoaded(DateTime now) {
        loaded_date_ = DateOf(now);
        loaded_ = true;
    }
    // FormShow: true when the last load was on another day (or never).
    bool NeedsLoadOnShow(DateTime now) const { return !loaded_ || DateOf(now) != loaded_date_; }
    DateTime LoadedDate() const { return loaded_date_; }

private:
    DateTime loaded_date_ = 0;
    bool loaded_ = false;
};

}  // namespace kalvoro
