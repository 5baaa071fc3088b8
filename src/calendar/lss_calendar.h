#pragma once
// TLssCalendar, the month-grid control without its window: every property with its initial value,
// the layout, the selected date and how mouse and keys move it, what each cell shows, and the hint
// texts. The control's window (calendar/win32/lss_calendar_control.h) attaches itself as the view,
// measures text, paints what this class describes and forwards the mouse and the keys.

#include <cstdint>
#include <functional>
#include <string>

#include "base/clock.h"
#include "base/date_time.h"
#include "calendar/calendar_control_cell.h"
#include "calendar/calendar_control_colors.h"
#include "calendar/calendar_control_grid.h"
#include "calendar/calendar_control_layout.h"
#include "calendar/festival_list.h"
#include "calendar/festival_text.h"

namespace kalvoro {

inline constexpr int kCalendarFirstYear = 1900;
inline constexpr int kCalendarLastYear = 2100;
inline constexpr int kCalendarDefaultWidth = 300;
inline constexpr int kCalendarDefaultHeight = 210;

// What the control's window does for it.
class ICalendarView {
public:
    virtual ~ICalendarView() = default;
    // Repaint a part of the client area, or all of it for nullptr.
    virtual void InvalidateCalendar(const Rect* rect) = 0;
    virtual ITextMeasurer& Measurer() = 0;
};

enum class CalendarKey { Left, Right, Up, Down, PageUp, PageDown, Home, End, Enter };

// What the hint window should do after a mouse move.
struct CalendarHintRequest {
    bool show = false;
    bool changed = false;  // a new cell or hot spot: place the window anew with this text
    std::string text;
};

class TLssCalendar {
public:
    // Date starts as the clock's today (kept within 1900..2100).
    explicit TLssCalendar(IClock& clock);
    TLssCalendar(const TLssCalendar&) = delete;
    TLssCalendar& operator=(const TLssCalendar&) = delete;

    // The window attaches once it exists (which runs the first layout) and detaches when it goes.
    void AttachView(ICalendarView& view, int client_width, int client_height);
    void DetachView();
    void Resize(int client_width, int client_height);

    // Properties. Setters that change nothing do nothing.
    const TLssCalColors& CalColors() const { return colors_; }
    // Copies the values; a font change also makes DayTextFont the control's Font. Repaints.
    void SetCalColors(const TLssCalColors& colors);
    const TFestivalList& FtvList() const { return shared_festivals_ ? *shared_festivals_ : festivals_; }
    // Changes made through this reference (marks) show at the next repaint.
    TFestivalList& FtvList() { return shared_festivals_ ? *shared_festivals_ : festivals_; }
    void SetFtvList(const TFestivalList& festivals);
    // Draws from a list owned elsewhere (it must outlive the control) instead of its own copy.
    void ShareFtvList(TFestivalList& festivals);
    const CalFont& Font() const { return font_; }
    void SetFont(const CalFont& font) { font_ = font; }

    TLssCalStyle LunarCalStyle() const { return lunar_style_; }
    void SetLunarCalStyle(TLssCalStyle style);
    TLssCalStyle FtvCalStyle() const { return festival_style_; }
    void SetFtvCalStyle(TLssCalStyle style);
    double VerticalScale() const { return vertical_scale_; }
    void SetVerticalScale(double scale);  // a magnitude below 0.001 is ignored
    double HorizonScale() const { return horizon_scale_; }
    void SetHorizonScale(double scale);
    bool AutoFontSize() const { return auto_font_size_; }
    void SetAutoFontSize(bool on);
    bool UseISO8601() const { return use_iso8601_; }
    void SetUseISO8601(bool on);

    bool ChineseEar() const { return chinese_ear_; }
    void SetChineseEar(bool on) { SetFlag(chinese_ear_, on); }
    bool ShowVertical() const { return show_vertical_; }
    void SetShowVertical(bool on) { SetFlag(show_vertical_, on); }
    bool ShowBackMonth() const { return show_back_month_; }
    void SetShowBackMonth(bool on) { SetFlag(show_back_month_, on); }
    bool ShowBackImage() const { return show_back_image_; }
    void SetShowBackImage(bool on) { SetFlag(show_back_image_, on); }
    bool ShowArrow() const { return show_arrow_; }
    void SetShowArrow(bool on) { SetFlag(show_arrow_, on); }
    bool ShowBorder() const { return show_border_; }
    void SetShowBorder(bool on) { SetFlag(show_border_, on); }
    bool ShowGrid() const { return show_grid_; }
    void SetShowGrid(bool on) { SetFlag(show_grid_, on); }
    bool EnWeekName() const { return en_week_name_; }
    void SetEnWeekName(bool on) { SetFlag(en_week_name_, on); }
    bool SmoothText() const { return smooth_text_; }
    void SetSmoothText(bool on) { SetFlag(smooth_text_, on); }
    bool ShadowFont() const { return shadow_font_; }
    void SetShadowFont(bool on) { SetFlag(shadow_font_, on); }
    bool ShowHint() const { return show_hint_; }
    void SetShowHint(bool on) { show_hint_ = on; }

    // Fired after every change of Date.
    std::function<void()> OnChange;
    // Fired by Enter; the window also fires it for a click.
    std::function<void()> OnClick;

    // The selected date, always a whole day of the years 1900 to 2100.
    DateTime Date() const { return date_; }
    int Year() const { return year_; }
    int Month() const { return month_; }
    int Day() const { return day_; }
    DateTime FirstDate() const { return first_date_; }

    // Ignores a date outside 1900..2100 or equal to Date. The month's cells repaint when the grid
    // moves, else the old and the new selected cell.
    void SetDate(DateTime date);
    void SetYear(int year);    // clamped to 1900..2100; month kept, day clamped to the month
    void SetMonth(int month);  // above 12 or negative gives 12, 0 gives 1; day clamped
    // Selects the cell under a point of the days rectangle.
    void SelectAt(int x, int y);
    // The same, but only a date of the shown month; true when the point was in the days rectangle
    // and the cell's date in the shown month.
    bool SelectInMonthAt(int x, int y);
    Rect GetCellRect(DateTime date) const;

    int GetWeekNumber(DateTime date) const;
    FestivalText GetFestivalText(DateTime date) const;
    std::int32_t GetMarkColor(DateTime date) const;

    // Left button: a press selects (or, outside the days, follows an arrow hot spot), a move with
    // the button held selects, the release ends the selecting.
    void MouseDown(int x, int y);
    void MouseMove(int x, int y, bool left_button_held);
    void MouseUp();
    bool Selecting() const { return selecting_; }
    // Keys work only without Shift, Ctrl and Alt; true when the key was used.
    bool KeyDown(CalendarKey key, bool shift, bool ctrl, bool alt);

    // Hint for a mouse move over the control (nothing to show when ShowHint is off).
    CalendarHintRequest HintAt(int x, int y, const DateLocale& locale);
    void ForgetHintedCell() { hinted_ = {}; }

    // What the painter draws.
    const CalendarLayout& Layout() const { return layout_; }
    int FontsRevision() const { return fonts_revision_; }
    CalendarCell Cell(int index, DateTime today) const;
    WeekHeading WeekHeadingAt(int column) const;
    std::string BackMonthText() const { return std::to_string(month_); }
    DateTime Today() const;

private:
    struct HintedPlace {
        bool valid = false;
        Rect rect;
        DateTime date = 0;
    };

    void SetFlag(bool& flag, bool on);
    void Repaint(const Rect* rect = nullptr);
    void Relayout();
    CalendarLayoutInput LayoutInput() const;
    void RunLayout();
    CellText MakeLunarText(DateTime date, bool in_month, const Rect& cell, const Rect& place) const;
    CellText MakeFestivalText(const FestivalText& festival, bool in_month, const Rect& cell) const;
    CellTextPlacement PlacementOf(TLssCalStyle style) const;

    IClock& clock_;
    ICalendarView* view_ = nullptr;
    int client_width_ = kCalendarDefaultWidth;
    int client_height_ = kCalendarDefaultHeight;

    TLssCalColors colors_;
    TFestivalList festivals_;
    TFestivalList* shared_festivals_ = nullptr;
    CalFont font_{"宋体", kGb2312Charset, kClWindowText, 9, 0};
    TLssCalStyle lunar_style_ = TLssCalStyle::csRight;
    TLssCalStyle festival_style_ = TLssCalStyle::csBottom;
    double vertical_scale_ = 4.0;
    double horizon_scale_ = 2.5;
    bool chinese_ear_ = false;
    bool use_iso8601_ = false;
    bool show_vertical_ = false;
    bool show_back_month_ = true;
    bool show_back_image_ = false;
    bool show_arrow_ = true;
    bool auto_font_size_ = true;
    bool show_border_ = false;
    bool show_grid_ = false;
    bool en_week_name_ = false;
    bool smooth_text_ = false;
    bool shadow_font_ = false;
    bool show_hint_ = true;

    DateTime date_ = 0;
    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
    DateTime first_date_ = 0;
    bool selecting_ = false;
    CalendarLayout layout_;
    int fonts_revision_ = 0;
    HintedPlace hinted_;
};

}  // namespace kalvoro
