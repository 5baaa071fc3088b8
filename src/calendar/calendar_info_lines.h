#pragma once
// The calendar window's heading and its four information lines about the selected date.

#include <string>

#include "base/date_time.h"
#include "calendar/festival_list.h"
#include "calendar/mark_lines.h"

namespace kalvoro {

struct CalendarInfoLines {
    std::string year;      // "2009年"
    std::string month;     // "05月"
    std::string lunar;     // "农历： 二零二零年闰四月初一", then " (立夏)" on a term day
    std::string ganzhi;    // "干支： 庚子(鼠)年辛巳月己亥日"
    std::string festival;  // "节日： " and the day's festivals
    std::string mark;      // "标记： " and the day's mark notes
};

// A date the engine has no lunar date or stem-branch record for gets those lines with nothing
// after the label.
CalendarInfoLines MakeCalendarInfoLines(DateTime selected, const TFestivalList& festivals, const MarkLines& marks);

}  // namespace kalvoro
