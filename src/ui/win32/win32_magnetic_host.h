#pragma once
// The snapping core's view of the live desktop: window rectangles, visibility and the work area of
// each window's monitor.

#include "ui/magnetic_host.h"

namespace kalvoro::win {

class Win32MagneticHost : public MagneticHost {
public:
    bool IsWindow(WindowId id) const override;
    bool IsVisible(WindowId id) const override;
    bool IsMaximized(WindowId id) const override;
    Rect WindowRect(WindowId id) const override;
    // The work area of the monitor nearest to the window.
    Rect WorkArea(WindowId id) const override;
    Point CursorPosition() const override;
};

}  // namespace kalvoro::win
