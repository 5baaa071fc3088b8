#pragma once
// Plain geometry every subsystem shares: one point, one size and one rectangle type. Rectangles
// follow the window system's convention: right and bottom are exclusive.

#include <algorithm>

namespace kalvoro {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr Point TopLeft() const { return {left, top}; }
    static constexpr Rect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr bool Contains(int x, int y) const { return Contains(Point{x, y}); }
    constexpr bool Intersects(const Rect& other) const {
        return !IsEmpty() && !other.IsEmpty() && left < other.right && other.left < right && top < other.bottom &&
               other.top < bottom;
    }
    constexpr Rect Offset(int dx, int dy) const { return Moved(dx, dy); }
    constexpr Rect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect MovedTo(int x, int y) const { return {x, y, x + Width(), y + Height()}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Bounding box of both, whether or not either is empty.
constexpr Rect BoundingBox(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

constexpr Rect Intersection(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

// No desktop comes near these coordinates; limiting inputs to them keeps every sum of a few
// coordinates and distances inside int.
inline constexpr int kCoordinateLimit = 1 << 27;

constexpr int ClampCoordinate(int value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

constexpr Rect ClampRect(const Rect& r) {
    return {ClampCoordinate(r.left), ClampCoordinate(r.top), ClampCoordinate(r.right), ClampCoordinate(r.bottom)};
}

constexpr Point ClampPoint(Point p) {
    return {ClampCoordinate(p.x), ClampCoordinate(p.y)};
}

}  // namespace kalvoro
