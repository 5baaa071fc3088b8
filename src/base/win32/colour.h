#pragma once
// A stored colour as GDI takes it.

#include <windows.h>

#include "base/colour.h"

namespace kalvoro::win {

// 0x00BBGGRR as is; a high byte of 0xFF names a system colour (the window face, the highlight ...)
// by its index, looked up now; other high bytes are ignored.
inline COLORREF ResolveColour(Colour colour) {
    if (IsSystemColour(colour)) return ::GetSysColor(static_cast<int>(colour & 0xFFu));
    return colour & 0x00FFFFFFu;
}

}  // namespace kalvoro::win
