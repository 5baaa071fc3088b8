#include "calendar/calendar_control_cell.h"

#include <algorithm>

#include "base/gbk.h"
#include "calendar/cell_text.h"
#include "calendar/solar_terms.h"

namespace kalvoro {

std::string CutFestivalText(std::string_view text, int longest_bytes) {
    if (GbkLength(text) <= static_cast<std::size_t>(std::max(longest_bytes, 0))) return std::string(text);
    std::string cut = CutToGbkBytes(text, static_cast<std::size_t>(std::max(longest_bytes - 2, 0)));
    cut += kEllipsis;
    return cut;
}

LunarCellText MakeLunarCellText(DateTime date, bool chinese_ear) {
    const std::string_view term = GetSolarTermName(date);
    if (!term.empty()) return {std::string(term), true};
    return {GetLunarCellText(date, chinese_ear), false};
}

}  // namespace kalvoro
