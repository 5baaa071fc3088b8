#pragma once

#include <windows.h>

#include "calendar/calendar_control_types.h"

namespace kalvoro::win {

// A stored colour as GDI takes it: system colours (high byte 0xFF) are looked up.
inline COLORREF ResolveCalColor(CalColor color) {
    if ((color & 0xFF000000u) == 0xFF000000u) return ::GetSysColor(static_cast<int>(color & 0xFFu));
    return color & 0x00FFFFFFu;
}

inline RECT ToRect(const CalRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace kalvoro::win
