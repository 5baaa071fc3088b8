#pragma once

#include <windows.h>

#include <cstdint>

namespace kalvoro::win {

// A stored colour as GDI takes it: 0x00BBGGRR as is, a high byte of 0xFF names a system colour
// (the window face, the highlight ...), other high bytes are ignored.
inline COLORREF ResolveColour(std::uint32_t colour) {
    if ((colour & 0xFF000000u) == 0xFF000000u) return ::GetSysColor(static_cast<int>(colour & 0xFFu));
    return colour & 0x00FFFFFFu;
}

}  // namespace kalvoro::win
