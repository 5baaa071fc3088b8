#include "ui/win32/win32_magnetic_host.h"

#include <windows.h>

#include "ui/win32/win32_geometry.h"

namespace kalvoro::win {

bool Win32MagneticHost::IsWindow(WindowId id) const {
    return id != 0 && ::IsWindow(ToHwnd(id));
}

bool Win32MagneticHost::IsVisible(WindowId id) const {
    return IsWindow(id) && ::IsWindowVisible(ToHwnd(id));
}

bool Win32MagneticHost::IsMaximized(WindowId id) const {
    return IsWindow(id) && ::IsZoomed(ToHwnd(id));
}

Rect Win32MagneticHost::WindowRect(WindowId id) const {
    RECT rect{};
    if (!IsWindow(id) || !::GetWindowRect(ToHwnd(id), &rect)) return {};
    return ToRect(rect);
}

Rect Win32MagneticHost::WorkArea(WindowId id) const {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = IsWindow(id) ? ::MonitorFromWindow(ToHwnd(id), MONITOR_DEFAULTTONEAREST)
                                          : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (monitor && ::GetMonitorInfoW(monitor, &info)) return ToRect(info.rcWork);
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return ToRect(area);
}

Point Win32MagneticHost::CursorPosition() const {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    return {cursor.x, cursor.y};
}

}  // namespace kalvoro::win
