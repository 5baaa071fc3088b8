#pragma once
// TCalendarHint: the calendar's hover hint. A topmost tool-window pop-up with a thin border that
// never takes the focus and lets clicks fall through to what lies below; a red label column and
// the texts beside it, in the system hint font on the hint colour.

#include <windows.h>

#include <string>
#include <string_view>

#include "base/win32/gdi.h"
#include "base/win32/window.h"
#include "calendar/calendar_hint_text.h"

namespace kalvoro::win {

inline constexpr int kHintPointerOffset = 16;

class TCalendarHint : public Window {
public:
    TCalendarHint();
    // Created hidden; the owner keeps it above the owner's windows and takes it along.
    bool Create(HWND owner);

    // Lays the text out and takes the new size; hides the window when there is nothing to show.
    void SetText(std::string_view text);
    const std::string& Text() const { return text_; }
    const HintLayout& Layout() const { return layout_; }

    // Places the window 16 pixels right of and below a screen point, moved left or up to stay on
    // the point's monitor, and shows it without activating it.
    void ShowAt(POINT screen_point);
    // Shows it where it was.
    void ShowAgain();
    void HideHint();

    int Alpha() const { return alpha_; }
    // A new value from 0 to 255 makes the window layered with that opacity; others are ignored.
    void SetAlpha(int alpha);

    // Where ShowAt puts a window of the given size for the pointer at point within the work area.
    static POINT PlaceNear(POINT point, SIZE size, const RECT& screen);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void Paint(HDC dc) const;
    CalSize Measure(std::string_view text) const;

    Font font_;
    COLORREF text_colour_;
    std::string text_;
    HintLayout layout_;
    int alpha_ = 255;
};

}  // namespace kalvoro::win
