#include <cstdlib>

#include "ui/magnetic.h"

namespace kalvoro {
namespace {

bool Near(int a, int b, int distance) {
    return std::abs(a - b) < distance;
}

struct Shift {
    int dx = 0;
    int dy = 0;
};

// The eight edge tests of a moving rectangle against one target; a later match overrides an earlier.
void SnapEdges(const Rect& p, const Rect& r, int d, Shift& shift) {
    if (p.top < r.bottom + d && r.top - d < p.bottom) {
        if (Near(p.left, r.left, d)) shift.dx = r.left - p.left;
        if (Near(p.left, r.right, d)) shift.dx = r.right - p.left;
        if (Near(p.right, r.left, d)) shift.dx = r.left - p.right;
        if (Near(p.right, r.right, d)) shift.dx = r.right - p.right;
    }
    if (p.left < r.right + d && r.left - d < p.right) {
        if (Near(p.top, r.top, d)) shift.dy = r.top - p.top;
        if (Near(p.top, r.bottom, d)) shift.dy = r.bottom - p.top;
        if (Near(p.bottom, r.top, d)) shift.dy = r.top - p.bottom;
        if (Near(p.bottom, r.bottom, d)) shift.dy = r.bottom - p.bottom;
    }
}

struct EdgeSet {
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
};

EdgeSet EdgesOf(SizingEdge edge) {
    switch (edge) {
        case SizingEdge::kLeft:
            return {true, false, false, false};
        case SizingEdge::kRight:
            return {false, true, false, false};
        case SizingEdge::kTop:
            return {false, false, true, false};
        case SizingEdge::kTopLeft:
            return {true, false, true, false};
        case SizingEdge::kTopRight:
            return {false, true, true, false};
        case SizingEdge::kBottom:
            return {false, false, false, true};
        case SizingEdge::kBottomLeft:
            return {true, false, false, true};
        case SizingEdge::kBottomRight:
            return {false, true, false, true};
    }
    return {};
}

// Only the dragged edges move; which target they snap to is judged from where they were proposed.
void SnapSizedEdges(const Rect& p0, Rect& p, const Rect& r, int d, EdgeSet edges) {
    if (p.top < r.bottom + d && r.top - d < p.bottom) {
        if (edges.left) {
            if (Near(p0.left, r.left, d)) p.left = r.left;
            if (Near(p0.left, r.right, d)) p.left = r.right;
        }
        if (edges.right) {
            if (Near(p0.right, r.left, d)) p.right = r.left;
            if (Near(p0.right, r.right, d)) p.right = r.right;
        }
    }
    if (p.left < r.right + d && r.left - d < p.right) {
        if (edges.top) {
            if (Near(p0.top, r.top, d)) p.top = r.top;
            if (Near(p0.top, r.bottom, d)) p.top = r.bottom;
        }
        if (edges.bottom) {
            if (Near(p0.bottom, r.top, d)) p.bottom = r.top;
            if (Near(p0.bottom, r.bottom, d)) p.bottom = r.bottom;
        }
    }
}

}  // namespace

std::vector<CarriedWindow> TMagnetic::SnapMoving(WindowId moving, Rect& proposed) {
    if (Find(moving) == nullptr) return {};
    if (moving_ != moving) BeginMove(moving);
    const MagneticEntry& self = *Find(moving);
    const int d = snap_distance_;

    const Point c = ClampPoint(host_.CursorPosition());
    Rect p = ClampRect(proposed).MovedTo(c.x + grab_offset_.x, c.y + grab_offset_.y);
    Shift shift;

    SnapEdges(p, work_area_, d, shift);
    for (const MagneticEntry& target : entries_) {
        if (target.wnd == moving || (target.parent == moving && target.glued)) continue;
        if (!host_.IsVisible(target.wnd)) continue;
        SnapEdges(p, target.rect, d, shift);
    }

    // A carried child snaps to the windows that stay put, never to the work area.
    const int cursor_dx = c.x - start_cursor_.x;
    const int cursor_dy = c.y - start_cursor_.y;
    for (const MagneticEntry& child : entries_) {
        if (!IsCarriedBy(child, moving)) continue;
        const Rect carried = child.rect.Moved(cursor_dx, cursor_dy);
        for (const MagneticEntry& target : entries_) {
            if (&target == &child || target.wnd == moving) continue;
            if ((target.parent == moving && target.glued) || !host_.IsVisible(target.wnd)) continue;
            SnapEdges(carried, target.rect, d, shift);
        }
    }

    p = p.Moved(shift.dx, shift.dy);
    proposed = p;

    std::vector<CarriedWindow> carried;
    for (const MagneticEntry& child : entries_) {
        if (!IsCarriedBy(child, moving)) continue;
        carried.push_back({child.wnd, child.rect.Moved(p.left - self.rect.left, p.top - self.rect.top)});
    }
    return carried;
}

void TMagnetic::SnapSizing(WindowId sizing, Rect& proposed, SizingEdge edge) {
    if (Find(sizing) == nullptr) return;
    if (moving_ != sizing) BeginMove(sizing);
    const int d = snap_distance_;
    const EdgeSet edges = EdgesOf(edge);
    const Rect p0 = ClampRect(proposed);
    Rect p = p0;

    SnapSizedEdges(p0, p, work_area_, d, edges);
    for (const MagneticEntry& target : entries_) {
        if (target.wnd == sizing || !host_.IsVisible(target.wnd)) continue;
        SnapSizedEdges(p0, p, target.rect, d, edges);
    }

    // A narrow window must not snap one edge past the other.
    if (p.Width() <= 0 && p0.Width() > 0) {
        p.left = p0.left;
        p.right = p0.right;
    }
    if (p.Height() <= 0 && p0.Height() > 0) {
        p.top = p0.top;
        p.bottom = p0.bottom;
    }
    proposed = p;
}

}  // namespace kalvoro
