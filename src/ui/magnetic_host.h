#pragma once
// What the snapping core needs to know about the desktop. The Win32 side answers from the live
// windows; tests answer from a fake desktop.

#include <cstdint>

#include "base/geometry.h"

namespace kalvoro {

// Opaque window identity (the Win32 side stores the window handle's value); 0 means no window.
using WindowId = std::uint64_t;

class MagneticHost {
public:
    virtual ~MagneticHost() = default;

    virtual bool IsWindow(WindowId id) const = 0;
    virtual bool IsVisible(WindowId id) const = 0;
    virtual bool IsMaximized(WindowId id) const = 0;
    // Screen rectangle of the whole window.
    virtual Rect WindowRect(WindowId id) const = 0;
    // The work area the window snaps to and fills when maximised.
    virtual Rect WorkArea(WindowId id) const = 0;
    virtual Point CursorPosition() const = 0;
};

}  // namespace kalvoro
