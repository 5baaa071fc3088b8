#pragma once
// Magnetic windows: while the user drags or sizes a registered window its edges jump to the work
// area's edges and to the other registered windows within the snap distance, and children that
// touch their parent (glued children) travel with it.

#include <vector>

#include "base/geometry.h"
#include "ui/magnetic_host.h"

namespace kalvoro {

struct MagneticEntry {
    WindowId wnd = 0;
    WindowId parent = 0;  // 0: none
    bool glued = false;   // touches its parent, directly or through a glued sibling
    Rect rect;            // at the start of the current move or at the last glue update
};

// A window to move along with its parent: the caller applies all of them in one deferred batch
// (SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE), so only the top-left corner matters.
struct CarriedWindow {
    WindowId wnd = 0;
    Rect rect;
    friend bool operator==(const CarriedWindow&, const CarriedWindow&) = default;
};

// The edge being dragged while sizing, numbered as WM_SIZING's wParam.
enum class SizingEdge : int {
    kLeft = 1,
    kRight = 2,
    kTop = 3,
    kTopLeft = 4,
    kTopRight = 5,
    kBottom = 6,
    kBottomLeft = 7,
    kBottomRight = 8,
};

class TMagnetic {
public:
    static constexpr int kDefaultSnapDistance = 10;

    explicit TMagnetic(const MagneticHost& host) : host_(host) {}

    int SnapDistance() const { return snap_distance_; }
    // Negative distances switch snapping off.
    void SetSnapDistance(int pixels);

    // False when wnd is 0, already registered or not a window, or when parent is given and is not
    // a window. A window given as its own parent gets none. Register a parent before its children.
    bool AddWindow(WindowId wnd, WindowId parent);
    // Children of the removed window lose their parent. False when wnd is not registered.
    bool RemoveWindow(WindowId wnd);

    bool IsRegistered(WindowId wnd) const { return Find(wnd) != nullptr; }
    bool IsGlued(WindowId wnd) const;
    const std::vector<MagneticEntry>& Entries() const { return entries_; }

    // WM_ENTERSIZEMOVE: remembers the work area, every window's rectangle and where the cursor
    // grabbed the moving window.
    void BeginMove(WindowId moving);
    // WM_MOVING: corrects the proposed rectangle in place and returns the glued children to carry.
    // Returns nothing and leaves the rectangle alone for a window that is not registered.
    std::vector<CarriedWindow> SnapMoving(WindowId moving, Rect& proposed);
    // WM_SIZING: corrects the proposed rectangle in place.
    void SnapSizing(WindowId sizing, Rect& proposed, SizingEdge edge);
    // WM_EXITSIZEMOVE and the other events that may change which children touch their parent.
    void EndMove();
    void UpdateGlue();

private:
    const MagneticEntry* Find(WindowId wnd) const;
    MagneticEntry* Find(WindowId wnd);
    bool IsCarriedBy(const MagneticEntry& entry, WindowId moving) const;

    const MagneticHost& host_;
    int snap_distance_ = kDefaultSnapDistance;
    std::vector<MagneticEntry> entries_;
    Rect work_area_;
    WindowId moving_ = 0;
    Point start_cursor_;
    Point grab_offset_;
};

}  // namespace kalvoro
