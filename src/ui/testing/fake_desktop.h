#pragma once
// A desktop of plain rectangles for driving the snapping core in tests.

#include <map>

#include "ui/magnetic.h"
#include "ui/magnetic_host.h"

namespace kalvoro::testing {

struct FakeWindow {
    Rect rect;
    bool visible = true;
    bool maximized = false;
};

class FakeDesktop : public MagneticHost {
public:
    Rect work_area{0, 0, 1920, 1040};
    Point cursor;
    std::map<WindowId, FakeWindow> windows;

    bool IsWindow(WindowId id) const override { return windows.contains(id); }
    bool IsVisible(WindowId id) const override { return IsWindow(id) && windows.at(id).visible; }
    bool IsMaximized(WindowId id) const override { return IsWindow(id) && windows.at(id).maximized; }
    Rect WindowRect(WindowId id) const override { return IsWindow(id) ? windows.at(id).rect : Rect{}; }
    Rect WorkArea(WindowId) const override { return work_area; }
    Point CursorPosition() const override { return cursor; }
};

// Windows of the bar family, as the program lays them out by default.
inline constexpr WindowId kBar = 101;
inline constexpr WindowId kCalendar = 102;
inline constexpr WindowId kClock = 103;
inline constexpr WindowId kWeather = 104;
inline constexpr WindowId kStranger = 105;

// Drags `wnd` the way the window system does: enter, one moving step with the cursor shifted by
// (dx, dy) from the grab point, then the carried children applied; the outcome stays open (no exit).
struct DragStep {
    Rect proposed;
    std::vector<CarriedWindow> carried;
};

inline DragStep DragBy(TMagnetic& magnetic, FakeDesktop& desktop, WindowId wnd, int dx, int dy) {
    const Rect start = desktop.windows.at(wnd).rect;
    desktop.cursor = {start.left + 7, start.top + 5};
    magnetic.BeginMove(wnd);
    desktop.cursor = {desktop.cursor.x + dx, desktop.cursor.y + dy};
    DragStep step{start.Moved(dx, dy), {}};
    step.carried = magnetic.SnapMoving(wnd, step.proposed);
    return step;
}

}  // namespace kalvoro::testing
