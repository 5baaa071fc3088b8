#include "calendar/lss_calendar.h"

#include <algorithm>
#include <cmath>

#include "calendar/calendar_hint_text.h"
#include "calendar/week_number.h"

namespace kalvoro {
namespace {

constexpr DateTime kFirstSelectableDay = 2;     // 1900-01-01
constexpr DateTime kLastSelectableDay = 73415;  // 2100-12-31

DateTime ClampToSelectable(DateTime date) {
    if (!std::isfinite(date)) return kFirstSelectableDay;
    return DateOf(std::clamp(date, kFirstSelectableDay, kLastSelectableDay));
}

bool IsUsableScale(double scale) {
    return std::isfinite(scale) && std::fabs(scale) >= 0.001;
}

}  // namespace

TLssCalendar::TLssCalendar(IClock& clock) : clock_(clock) {
    date_ = ClampToSelectable(clock_.Now());
    const DateParts parts = DecodeDate(date_);
    year_ = parts.year;
    month_ = parts.month;
    day_ = parts.day;
    first_date_ = FirstDateOfGrid(year_, month_, use_iso8601_);
    layout_ = ComputeCellGeometry(LayoutInput());
}

void TLssCalendar::AttachView(ICalendarView& view, int client_width, int client_height) {
    view_ = &view;
    client_width_ = client_width;
    client_height_ = client_height;
    RunLayout();
}

void TLssCalendar::DetachView() {
    view_ = nullptr;
}

void TLssCalendar::Resize(int client_width, int client_height) {
    client_width_ = client_width;
    client_height_ = client_height;
    Relayout();
}

void TLssCalendar::SetCalColors(const TLssCalColors& colors) {
    if (colors == colors_) return;
    const bool fonts_changed = !colors.SameFonts(colors_);
    colors_ = colors;
    if (fonts_changed) {
        ++fonts_revision_;
        if (view_) font_ = colors_.DayTextFont;
    }
    Repaint();
}

void TLssCalendar::SetFtvList(const TFestivalList& festivals) {
    FtvList() = festivals;
    Repaint();
}

void TLssCalendar::ShareFtvList(TFestivalList& festivals) {
    shared_festivals_ = &festivals;
    Repaint();
}

void TLssCalendar::SetLunarCalStyle(TLssCalStyle style) {
    if (style == lunar_style_) return;
    lunar_style_ = style;
    Relayout();
}

void TLssCalendar::SetFtvCalStyle(TLssCalStyle style) {
    if (style == festival_style_) return;
    festival_style_ = style;
    Relayout();
}

void TLssCalendar::SetVerticalScale(double scale) {
    if (!IsUsableScale(scale) || scale == vertical_scale_) return;
    vertical_scale_ = scale;
    Relayout();
}

void TLssCalendar::SetHorizonScale(double scale) {
    if (!IsUsableScale(scale) || scale == horizon_scale_) return;
    horizon_scale_ = scale;
    Relayout();
}

void TLssCalendar::SetAutoFontSize(bool on) {
    if (on == auto_font_size_) return;
    auto_font_size_ = on;
    Relayout();
}

void TLssCalendar::SetUseISO8601(bool on) {
    if (on == use_iso8601_) return;
    use_iso8601_ = on;
    first_date_ = FirstDateOfGrid(year_, month_, use_iso8601_);
    Repaint();
}

void TLssCalendar::SetFlag(bool& flag, bool on) {
    if (flag == on) return;
    flag = on;
    Repaint();
}

void TLssCalendar::Repaint(const Rect* rect) {
    if (view_) view_->InvalidateCalendar(rect);
}

void TLssCalendar::Relayout() {
    RunLayout();
    Repaint();
}

CalendarLayoutInput TLssCalendar::LayoutInput() const {
    CalendarLayoutInput input;
    input.client_width = client_width_;
    input.client_height = client_height_;
    input.lunar_style = lunar_style_;
    input.festival_style = festival_style_;
    input.vertical_scale = vertical_scale_;
    input.horizon_scale = horizon_scale_;
    input.auto_font_size = auto_font_size_;
    input.show_vertical = show_vertical_;
    input.show_arrow = show_arrow_;
    input.date = date_;
    return input;
}

void TLssCalendar::RunLayout() {
    const CalendarLayoutInput input = LayoutInput();
    if (!view_) {
        layout_ = ComputeCellGeometry(input);
        return;
    }
    TLssCalColors fitted = colors_;
    layout_ = ComputeCalendarLayout(input, view_->Measurer(), fitted);
    if (!fitted.SameFonts(colors_)) {
        colors_ = fitted;
        ++fonts_revision_;
    }
}

void TLssCalendar::SetDate(DateTime date) {
    if (!(date >= kFirstSelectableDay && date < kLastSelectableDay + 1)) return;
    const DateTime day = DateOf(date);
    if (day == date_) return;
    const DateTime old_date = date_;
    const DateTime old_first = first_date_;
    date_ = day;
    const DateParts parts = DecodeDate(date_);
    year_ = parts.year;
    month_ = parts.month;
    day_ = parts.day;
    first_date_ = FirstDateOfGrid(year_, month_, use_iso8601_);
    if (OnChange) OnChange();
    if (first_date_ != old_first) {
        Repaint(&layout_.days);
    } else {
        // A change made by program within the shown month repaints as a selection does, so the
        // frame never stays on the old day.
        const Rect old_cell = GetCellRect(old_date);
        const Rect new_cell = GetCellRect(date_);
        Repaint(&old_cell);
        Repaint(&new_cell);
    }
}

void TLssCalendar::SetYear(int year) {
    year = std::clamp(year, kCalendarFirstYear, kCalendarLastYear);
    SetDate(EncodeDate(year, month_, std::min(day_, DaysInMonth(year, month_))));
}

void TLssCalendar::SetMonth(int month) {
    if (month > 12 || month < 0) month = 12;
    if (month == 0) month = 1;
    SetDate(EncodeDate(year_, month, std::min(day_, DaysInMonth(year_, month))));
}

void TLssCalendar::SelectAt(int x, int y) {
    const int index = CellIndexAt(layout_, x, y);
    if (index < 0) return;
    const DateTime date = first_date_ + index;
    if (date == date_) return;
    selecting_ = true;
    SetDate(date);
}

bool TLssCalendar::SelectInMonthAt(int x, int y) {
    const int index = CellIndexAt(layout_, x, y);
    if (index < 0) return false;
    if (DecodeDate(first_date_ + index).month != month_) return false;
    SelectAt(x, y);
    return true;
}

Rect TLssCalendar::GetCellRect(DateTime date) const {
    const double offset = DateOf(date) - first_date_;
    if (!(std::fabs(offset) < 1e6)) return {};
    return CellRectAt(layout_, static_cast<int>(offset));
}

int TLssCalendar::GetWeekNumber(DateTime date) const {
    return kalvoro::GetWeekNumber(date, use_iso8601_);
}

FestivalText TLssCalendar::GetFestivalText(DateTime date) const {
    return kalvoro::GetFestivalText(FtvList(), date);
}

std::int32_t TLssCalendar::GetMarkColor(DateTime date) const {
    return kalvoro::GetMarkColor(FtvList(), date);
}

void TLssCalendar::MouseDown(int x, int y) {
    if (layout_.days.Contains(x, y)) {
        SelectAt(x, y);
        return;
    }
    if (!show_arrow_) return;
    const CalendarArrows& arrows = layout_.arrows;
    if (arrows.prev_year.Contains(x, y)) {
        SetDate(IncMonth(date_, -12));
    } else if (arrows.prev_month.Contains(x, y)) {
        SetDate(IncMonth(date_, -1));
    } else if (arrows.next_month.Contains(x, y)) {
        SetDate(IncMonth(date_, 1));
    } else if (arrows.next_year.Contains(x, y)) {
        SetDate(IncMonth(date_, 12));
    }
}

void TLssCalendar::MouseMove(int x, int y, bool left_button_held) {
    if (left_button_held) SelectAt(x, y);
}

void TLssCalendar::MouseUp() {
    selecting_ = false;
}

bool TLssCalendar::KeyDown(CalendarKey key, bool shift, bool ctrl, bool alt) {
    if (shift || ctrl || alt) return false;
    selecting_ = true;
    switch (key) {
        case CalendarKey::PageUp:
            SetDate(IncMonth(date_, -1));
            break;
        case CalendarKey::PageDown:
            SetDate(IncMonth(date_, 1));
            break;
        case CalendarKey::Home:
            SetDate(EncodeDate(year_, month_, 1));
            break;
        case CalendarKey::End:
            SetDate(EncodeDate(year_, month_, DaysInMonth(year_, month_)));
            break;
        case CalendarKey::Left:
            SetDate(date_ - 1);
            break;
        case CalendarKey::Right:
            SetDate(date_ + 1);
            break;
        case CalendarKey::Up:
            SetDate(date_ - 7);
            break;
        case CalendarKey::Down:
            SetDate(date_ + 7);
            break;
        case CalendarKey::Enter:
            if (OnClick) OnClick();
            break;
    }
    return true;
}

CalendarHintRequest TLssCalendar::HintAt(int x, int y, const DateLocale& locale) {
    if (!show_hint_) return {};
    Rect place;
    DateTime date = 0;
    std::string_view arrow_text;
    const int index = CellIndexAt(layout_, x, y);
    if (index >= 0) {
        place = CellRectAt(layout_, index);
        date = first_date_ + index;
    } else if (show_arrow_ && !layout_.days.Contains(x, y)) {
        const CalendarArrows& arrows = layout_.arrows;
        const std::pair<const Rect*, std::string_view> spots[] = {{&arrows.prev_year, kPrevYearHint},
                                                                  {&arrows.prev_month, kPrevMonthHint},
                                                                  {&arrows.next_month, kNextMonthHint},
                                                                  {&arrows.next_year, kNextYearHint}};
        for (const auto& [spot, text] : spots) {
            if (spot->Contains(x, y)) {
                place = *spot;
                arrow_text = text;
                break;
            }
        }
        if (arrow_text.empty()) return {};
    } else {
        return {};
    }
    CalendarHintRequest request;
    request.show = true;
    // The date is part of the key: the same cell shows another day once the month moved.
    if (!hinted_.valid || hinted_.rect != place || hinted_.date != date) {
        hinted_ = {true, place, date};
        request.changed = true;
        request.text =
            arrow_text.empty() ? CalendarHintText(date, FtvList(), use_iso8601_, locale) : std::string(arrow_text);
    }
    return request;
}

DateTime TLssCalendar::Today() const {
    return DateOf(clock_.Now());
}

}  // namespace kalvoro
