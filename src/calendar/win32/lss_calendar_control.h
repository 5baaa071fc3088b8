#pragma once
// The month-grid control as a child window. It owns the calendar (TLssCalendar: properties,
// selection, what each cell shows) and its hint window, measures and paints for it, and turns
// mouse, keys and its timer into calls on it.
//
// Painting is double-buffered into one off-screen surface kept between paints (made anew when the
// size changes); a paint draws only what the update region touches and copies that part.

#include <windows.h>

#include <functional>
#include <memory>

#include "base/clock.h"
#include "base/win32/gdi.h"
#include "base/win32/window.h"
#include "calendar/lss_calendar.h"
#include "calendar/win32/calendar_control_fonts.h"
#include "calendar/win32/calendar_hint.h"

namespace kalvoro::win {

enum class CalendarMouseButton { Left, Right, Middle };

class LssCalendarControl final : public Window, private ICalendarView {
public:
    // The clock says what today is (the "今天" cell and the initial Date).
    explicit LssCalendarControl(IClock& clock);
    ~LssCalendarControl() override;

    // A visible tab-stop child of the parent; 300 x 210 unless told otherwise.
    bool Create(HWND parent, int x, int y, int width = kCalendarDefaultWidth, int height = kCalendarDefaultHeight,
                int control_id = 0);

    TLssCalendar& Calendar() { return calendar_; }
    const TLssCalendar& Calendar() const { return calendar_; }
    TCalendarHint& Hint() { return hint_; }

    // The pictures are copied; nullptr removes one. The mark picture is drawn on marked days
    // (magenta pixels see-through), the back picture stretched over the days with ShowBackImage.
    void SetMarkImage(HBITMAP picture);
    void SetBackImage(HBITMAP picture);

    // Repaints the whole control now (after FtvList or marks changed, say).
    void Repaint();

    std::function<void()> OnDblClick;
    // After the control's own handling of a press.
    std::function<void(CalendarMouseButton button, int x, int y)> OnMouseDown;
    std::function<void(CalendarMouseButton button, int x, int y)> OnMouseUp;

    // How often the control looks whether today moved on.
    static constexpr UINT kTodayTimerMs = 30000;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void InvalidateCalendar(const Rect* rect) override;
    ITextMeasurer& Measurer() override { return measurer_; }

    void OnPaint();
    void PaintInto(HRGN update);
    bool SurfaceFits() const;
    bool EnsureSurface();
    void OnButtonDown(CalendarMouseButton button, LPARAM lparam, bool double_click);
    void OnButtonUp(CalendarMouseButton button, LPARAM lparam);
    void OnMouseMove(WPARAM wparam, LPARAM lparam);
    bool OnKeyDown(WPARAM key);
    void OnTodayTimer();

    TLssCalendar calendar_;
    GdiTextMeasurer measurer_;
    CalendarFonts fonts_;
    std::unique_ptr<OffscreenSurface> surface_;
    Bitmap mark_image_;
    Bitmap back_image_;
    TCalendarHint hint_;
    DateTime painted_today_ = 0;
    bool tracking_leave_ = false;
    bool left_pressed_ = false;
};

}  // namespace kalvoro::win
