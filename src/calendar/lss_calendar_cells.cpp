// What the cells and the weekday row of TLssCalendar show.

#include "calendar/lss_calendar.h"

#include "calendar/lunar_names.h"

namespace kalvoro {

CellTextPlacement TLssCalendar::PlacementOf(TLssCalStyle style) const {
    if (style != TLssCalStyle::csRight) return CellTextPlacement::TopCentered;
    return show_vertical_ ? CellTextPlacement::Vertical : CellTextPlacement::LeftMiddle;
}

CellText TLssCalendar::MakeLunarText(DateTime date, bool in_month, const Rect& cell, const Rect& place) const {
    LunarCellText lunar = MakeLunarCellText(date, chinese_ear_);
    if (lunar.text.empty()) return {};
    CellText text;
    text.text = std::move(lunar.text);
    if (!in_month) {
        text.color = colors_.TrailingTextColor;
    } else {
        text.color = lunar.is_term ? colors_.LunarTermColor : colors_.LunarTextFont.Color;
    }
    text.rect = place.Offset(cell.left, cell.top);
    text.placement = PlacementOf(lunar_style_);
    text.font = CellFontRole::Lunar;
    return text;
}

CellText TLssCalendar::MakeFestivalText(const FestivalText& festival, bool in_month, const Rect& cell) const {
    if (festival.text.empty()) return {};
    CellText text;
    text.text = CutFestivalText(festival.text, layout_.longest_festival_bytes);
    if (!in_month) {
        text.color = colors_.TrailingTextColor;
    } else {
        text.color = festival.color != kNoColor ? static_cast<Colour>(festival.color) : colors_.FtvTextFont.Color;
    }
    text.rect = layout_.festival.Offset(cell.left, cell.top);
    text.placement = PlacementOf(festival_style_);
    text.font = CellFontRole::Festival;
    text.shadow = smooth_text_ && shadow_font_ && in_month;
    return text;
}

CalendarCell TLssCalendar::Cell(int index, DateTime today) const {
    CalendarCell cell;
    cell.index = index;
    cell.date = first_date_ + index;
    cell.rect = CellRectAt(layout_, index);
    const DateParts parts = DecodeDate(cell.date);
    // 42 consecutive days never hold the same month twice.
    cell.in_month = parts.month == month_;
    cell.selected = cell.date == date_;
    cell.today = cell.date == DateOf(today);
    cell.mark_color = GetMarkColor(cell.date);

    Colour day_color = colors_.DayTextFont.Color;
    const int weekday = DayOfWeek(cell.date);
    if (!cell.in_month) {
        day_color = colors_.TrailingTextColor;
    } else if (weekday == 1) {
        day_color = colors_.SundayColor;
    } else if (weekday == 7) {
        day_color = colors_.SaturdayColor;
    }
    cell.day.text = cell.today ? std::string(kTodayText) : std::to_string(parts.day);
    cell.day.color = cell.today ? kTodayColor : day_color;
    cell.day.rect = layout_.day_number.Offset(cell.rect.left, cell.rect.top);
    cell.day.shadow = smooth_text_ && shadow_font_ && cell.in_month;

    const Rect& lunar_place = layout_.lunar;
    const Rect& festival_place = layout_.festival;
    if (!festival_place.IsEmpty() && lunar_style_ == festival_style_) {
        // One place for both: the festivals when the day has any, else the lunar text.
        const FestivalText festival = GetFestivalText(cell.date);
        if (!festival.text.empty()) {
            cell.festival = MakeFestivalText(festival, cell.in_month, cell.rect);
        } else {
            cell.lunar = MakeLunarText(cell.date, cell.in_month, cell.rect, lunar_place);
        }
        return cell;
    }
    if (!lunar_place.IsEmpty()) cell.lunar = MakeLunarText(cell.date, cell.in_month, cell.rect, lunar_place);
    if (!festival_place.IsEmpty())
        cell.festival = MakeFestivalText(GetFestivalText(cell.date), cell.in_month, cell.rect);
    return cell;
}

WeekHeading TLssCalendar::WeekHeadingAt(int column) const {
    const int index = use_iso8601_ ? column + 1 : column;
    const int weekday = index % 7;
    WeekHeading heading;
    heading.text = en_week_name_ ? std::string(GetEnglishWeekName(index, 0)) : GetChineseWeekName(index);
    heading.color = weekday == 0   ? colors_.SundayColor
                    : weekday == 6 ? colors_.SaturdayColor
                                   : colors_.WeekTextFont.Color;
    heading.rect = Rect::FromSize(layout_.week.left + column * layout_.cell_width, layout_.week.top, layout_.cell_width,
                                  layout_.week.Height());
    return heading;
}

}  // namespace kalvoro
