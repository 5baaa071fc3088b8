#pragma once
// Between the window system's rectangle and ours.

#include <windows.h>

#include "base/display_scale.h"
#include "base/geometry.h"

namespace kalvoro::win {

inline Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline RECT ToRECT(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
// A rectangle of a 96-DPI layout at a display's scale.
inline RECT ScaledRECT(const DisplayScale& scale, const RECT& design) {
    return ToRECT(scale.Px(ToRect(design)));
}

}  // namespace kalvoro::win
