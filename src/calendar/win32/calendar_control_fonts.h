#pragma once
// GDI fonts of the month grid: created from the font descriptions once per change, and a text
// measurer for the layout that measures in the very font that will draw.

#include <windows.h>

#include "base/display_scale.h"
#include "base/win32/gdi.h"
#include "calendar/calendar_control_layout.h"
#include "calendar/lss_calendar.h"

namespace kalvoro::win {

// Points to a character height in pixels at the control's resolution.
int FontPixelHeight(int points, const DisplayScale& scale);
// Anti-aliased glyphs when smooth, else the system's plain text output.
Font CreateCalFont(const CalFont& font, bool smooth, const DisplayScale& scale);

class GdiTextMeasurer final : public ITextMeasurer {
public:
    GdiTextMeasurer();
    CalSize MeasureText(const CalFont& font, std::string_view text) override;
    void SetScale(const DisplayScale& scale);

private:
    DisplayScale scale_;
    MemoryDC dc_;
    // The layout measures one font at many sizes and then many texts in one font: keep the last.
    CalFont last_font_;
    Font font_;
};

// The five fonts that draw, rebuilt only when the calendar's fonts or SmoothText changed.
class CalendarFonts {
public:
    void Update(const TLssCalendar& calendar, const DisplayScale& scale);
    HFONT Week() const { return week_.get(); }
    HFONT Day() const { return day_.get(); }
    HFONT Lunar() const { return lunar_.get(); }
    HFONT Festival() const { return festival_.get(); }
    HFONT BackMonth() const { return back_month_.get(); }

private:
    int revision_ = -1;
    DisplayScale scale_;
    bool smooth_ = false;
    Font week_;
    Font day_;
    Font lunar_;
    Font festival_;
    Font back_month_;
};

}  // namespace kalvoro::win
