#include "calendar/calendar_window_menus.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "calendar/mark_keys.h"

namespace kalvoro {
namespace {

constexpr std::array<CellTextMenuItem, 3> kCellTextItems{{
    {"PM_GN", "公历-农历", CellTextKind::kLunar},
    {"PM_GG", "公历-干支", CellTextKind::kGanZhi},
    {"PM_JR", "公历-节日", CellTextKind::kFestival},
}};

}  // namespace

std::vector<DateMenuItem> MonthMenuItems() {
    std::vector<DateMenuItem> items;
    for (int month = 1; month <= 12; ++month) items.push_back({IntToZeroStr(month, 2) + "月", month});
    return items;
}

std::vector<DateMenuItem> YearMenuItems(int selected_year) {
    const int centre = std::clamp(selected_year, kYearInputMin + 6, kYearInputMax - 6);
    std::vector<DateMenuItem> items;
    for (int i = 0; i < kYearMenuYears; ++i) {
        const int year = centre - 6 + i;
        items.push_back({std::to_string(year) + "年", year});
    }
    return items;
}

std::optional<int> ParseYearInput(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return std::clamp(value, kYearInputMin, kYearInputMax);
}

std::span<const CellTextMenuItem> CellTextMenuItems() {
    return kCellTextItems;
}

std::string_view CellTextCaption(CellTextKind kind) {
    for (const CellTextMenuItem& item : kCellTextItems) {
        if (item.kind == kind) return item.caption;
    }
    return kCellTextItems[0].caption;
}

CellTextSettings CellTextSettingsFor(CellTextKind kind) {
    CellTextSettings settings;
    if (kind == CellTextKind::kFestival) {
        settings.lunar_below = false;
        settings.festivals_below = true;
        settings.change_chinese_ear = false;
    } else {
        settings.chinese_ear = kind == CellTextKind::kGanZhi;
    }
    return settings;
}

MarkMenuState MarkMenuStateFor(bool opened_from_grid, DateTime selected, const CalendarMarks& marks) {
    MarkMenuState state;
    state.mark_items_visible = opened_from_grid;
    if (opened_from_grid) state.delete_enabled = marks.IsMarked(SolarKeyOf(selected), LunarKeyOf(selected));
    return state;
}

}  // namespace kalvoro
