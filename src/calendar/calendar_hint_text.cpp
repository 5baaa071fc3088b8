#include "calendar/calendar_hint_text.h"

#include <algorithm>

#include "calendar/festival_text.h"
#include "calendar/ganzhi.h"
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_names.h"
#include "calendar/week_number.h"

namespace kalvoro {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = text.find_first_not_of("\r\n");
    while (start != std::string_view::npos) {
        const std::size_t end = text.find_first_of("\r\n", start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = text.find_first_not_of("\r\n", end);
    }
    return lines;
}

}  // namespace

std::string CalendarHintText(DateTime date, const TFestivalList& festivals, bool use_iso8601,
                             const DateLocale& locale) {
    std::string text = "公元= " + FormatDateTime("yyyy年m月d日 dddd", date, locale) + "  第" +
                       std::to_string(GetWeekNumber(date, use_iso8601)) + "周";
    text += "\n农历= ";
    const TLunarDate lunar = GetLunarDate(date);
    if (lunar.Day != 0) {
        text +=
            GetLunarYearName(lunar.Year) + GetLunarMonthName(lunar.Month, lunar.IsLeap) + GetLunarDayName(lunar.Day);
    }
    text += "\n干支= ";
    if (const auto ganzhi = GetGanZhi(date)) {
        text += GetGanZhiName(ganzhi->YearIndex) + "(" + std::string(GetAnimalName(ganzhi->YearIndex)) + ")年" +
                GetGanZhiName(ganzhi->MonthIndex) + "月" + GetGanZhiName(ganzhi->DayIndex) + "日";
    }
    const FestivalText festival = GetFestivalText(festivals, date);
    if (!festival.text.empty()) text += "\n节日= " + festival.text;
    return text;
}

HintLayout LayoutHintText(std::string_view text, const HintMeasure& measure) {
    HintLayout layout;
    const bool labelled = text.find('=') != std::string_view::npos;
    for (const std::string_view line : SplitLines(text)) {
        const std::size_t equals = labelled ? line.find('=') : std::string_view::npos;
        if (equals == std::string_view::npos) {
            layout.lines.push_back({std::string(), std::string(line)});
        } else {
            layout.lines.push_back(
                {std::string(Trim(line.substr(0, equals))) + ":", std::string(line.substr(equals + 1))});
        }
    }
    if (layout.lines.empty()) return layout;
    for (const HintLine& line : layout.lines) {
        if (!line.label.empty()) layout.label_width = std::max(layout.label_width, measure(line.label).cx);
    }
    int widest_text = 0;
    for (const HintLine& line : layout.lines) widest_text = std::max(widest_text, measure(line.text).cx);
    layout.line_height = measure("H").cy;
    layout.width = layout.label_width + widest_text + 2 * kHintMargin;
    layout.height = layout.line_height * static_cast<int>(layout.lines.size()) + 2 * kHintMargin;
    layout.visible = true;
    return layout;
}

}  // namespace kalvoro
