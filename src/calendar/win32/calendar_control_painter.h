#pragma once
// Paints the month grid in its fixed order: weekday row, day area, the big month number, border
// and grid, then the 42 cells. With an update region only what it touches is drawn: the caller
// clips to it, and cells outside it are skipped altogether.

#include <windows.h>

#include "calendar/lss_calendar.h"
#include "calendar/win32/calendar_control_fonts.h"

namespace kalvoro::win {

// The shadow under day numbers and festival texts, one pixel right and down.
inline constexpr COLORREF kTextShadowColour = RGB(64, 64, 64);
// Pixels of this colour in the mark picture are see-through.
inline constexpr COLORREF kMarkPictureKey = RGB(255, 0, 255);

struct CalendarPictures {
    HBITMAP back_image = nullptr;
    HBITMAP mark_image = nullptr;
};

// update: the region to repaint in client co-ordinates, or nullptr for everything.
void PaintCalendar(HDC dc, const TLssCalendar& calendar, const CalendarFonts& fonts, const CalendarPictures& pictures,
                   HRGN update, DateTime today);

}  // namespace kalvoro::win
