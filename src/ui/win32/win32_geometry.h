#pragma once
// Between the window system's types and the snapping core's.

#include <windows.h>

#include <cstdint>

#include "base/colour.h"
#include "base/geometry.h"
#include "base/win32/colour.h"
#include "base/win32/rect.h"
#include "ui/magnetic_host.h"

namespace kalvoro::win {

inline WindowId ToWindowId(HWND hwnd) {
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(hwnd));
}
inline HWND ToHwnd(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}

}  // namespace kalvoro::win
