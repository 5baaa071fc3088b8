#include "calendar/calendar_window_festivals.h"

#include <vector>

namespace kalvoro {
namespace {

constexpr std::int32_t kStoredRowColor = 0;

std::vector<StringEntry> StoredRows(const SortedStringList& list) {
    std::vector<StringEntry> rows;
    rows.reserve(list.size());
    for (const StringEntry& entry : list) rows.push_back({entry.text, kStoredRowColor});
    return rows;
}

}  // namespace

TFestivalList MakeCalendarWindowFestivals() {
    TFestivalList festivals;
    festivals.SetSolarFestivals(StoredRows(festivals.SolarFestivals()));
    festivals.SetLunarFestivals(StoredRows(festivals.LunarFestivals()));

    std::vector<StringEntry> week_rows = StoredRows(festivals.WeekFestivals());
    for (StringEntry& row : week_rows) {
        if (row.text.starts_with("0520=")) row.text = "0520=母亲节";
    }
    festivals.SetWeekFestivals(week_rows);
    return festivals;
}

}  // namespace kalvoro
