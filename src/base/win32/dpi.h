#pragma once
// The resolution a window is shown at. The program is per-monitor DPI aware: each window scales
// its 96-DPI design by the resolution of the monitor it is on. The per-monitor functions are
// looked up at run time, so the program still starts on systems without them (there it is
// system-DPI aware and every monitor has the system's resolution).

#include <windows.h>

#include "base/display_scale.h"

namespace kalvoro::win {

// The system's resolution (the primary monitor's when the program started).
DisplayScale SystemScale();
// The resolution of the monitor the window is on (for a child, its top-level window's).
DisplayScale ScaleOfWindow(HWND window);
// The resolution of the monitor that holds the point, or the nearest one.
DisplayScale ScaleAt(POINT point);

}  // namespace kalvoro::win
