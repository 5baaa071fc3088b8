#pragma once
// Between the window system's types and the snapping core's.

#include <windows.h>

#include <cstdint>

#include "ui/colour_ref.h"
#include "ui/geometry.h"
#include "ui/magnetic_host.h"

namespace kalvoro::win {

inline Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline RECT ToRECT(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

inline WindowId ToWindowId(HWND hwnd) {
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(hwnd));
}
inline HWND ToHwnd(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}

// Skin colours with 0xFF in the top byte name a system colour by its index.
inline COLORREF ResolveColour(ColourRef colour) {
    if ((colour >> 24) == 0xFF) return ::GetSysColor(static_cast<int>(colour & 0xFF));
    return colour & 0xFFFFFF;
}

}  // namespace kalvoro::win
