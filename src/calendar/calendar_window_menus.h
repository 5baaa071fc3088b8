#pragma once
// What the calendar window's menus hold: the year and month menus (BuildDateMenus), the cell-text
// menu and the mark menu's state.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"
#include "calendar/calendar_marks.h"

namespace kalvoro {

struct DateMenuItem {
    std::string caption;
    int tag = 0;  // the year or the month the item selects
};

// "01月" .. "12月" with tags 1 to 12.
std::vector<DateMenuItem> MonthMenuItems();

inline constexpr int kYearMenuYears = 13;
// Thirteen years centred on the selected one, shifted to stay within 1900..2100: "2003年" ..
// "2015年" for 2009, "2088年" .. "2100年" for 2100.
std::vector<DateMenuItem> YearMenuItems(int selected_year);

inline constexpr std::string_view kOtherYearCaption = "其他...";

// The year dialog (其他): whole numbers from 1900 to 2100; a number outside is taken as the nearest
// end, a text that is no number gives nothing.
inline constexpr int kYearInputMin = 1900;
inline constexpr int kYearInputMax = 2100;
std::optional<int> ParseYearInput(std::string_view text);

// The cell-text menu (PopupMenuGNG): what each cell shows under its day number.
enum class CellTextKind { kLunar = 0, kGanZhi = 1, kFestival = 2 };

struct CellTextMenuItem {
    std::string_view name;  // PM_GN, PM_GG, PM_JR
    std::string_view caption;
    CellTextKind kind;
};
std::span<const CellTextMenuItem> CellTextMenuItems();
std::string_view CellTextCaption(CellTextKind kind);

// How the calendar is set for a kind: the lunar text (or the stem-branch name) or the festivals go
// under the day number. The festival kind leaves the stem-branch switch as it was.
struct CellTextSettings {
    bool lunar_below = true;
    bool festivals_below = false;
    bool change_chinese_ear = true;
    bool chinese_ear = false;
};
CellTextSettings CellTextSettingsFor(CellTextKind kind);

// The mark menu (PopupMenuMark) as it opens: 标记当日 and 取消标记 only when it was opened from
// the calendar grid, 取消标记 enabled only when the selected date has a mark of either kind.
struct MarkMenuState {
    bool mark_items_visible = false;
    bool delete_enabled = false;
};
MarkMenuState MarkMenuStateFor(bool opened_from_grid, DateTime selected, const CalendarMarks& marks);

}  // namespace kalvoro
