#pragma once
// Between the window system's rectangle and ours.

#include <windows.h>

#include "base/geometry.h"

namespace kalvoro::win {

inline Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline RECT ToRECT(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace kalvoro::win
