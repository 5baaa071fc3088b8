#pragma once
// Routes the window messages of a registered window to the snapping core. The numbers are the
// window system's, so a window procedure can hand its messages over unchanged.

#include <cstdint>
#include <vector>

#include "ui/magnetic.h"

namespace kalvoro {

inline constexpr unsigned kMsgWindowPosChanged = 0x0047;
inline constexpr unsigned kMsgCommand = 0x0111;
inline constexpr unsigned kMsgSysCommand = 0x0112;
inline constexpr unsigned kMsgSizing = 0x0214;
inline constexpr unsigned kMsgMoving = 0x0216;
inline constexpr unsigned kMsgEnterSizeMove = 0x0231;
inline constexpr unsigned kMsgExitSizeMove = 0x0232;

inline constexpr std::uintptr_t kSysCommandMinimize = 0xF020;
inline constexpr std::uintptr_t kSysCommandRestore = 0xF120;
inline constexpr unsigned kWindowPosShowWindow = 0x0040;
inline constexpr unsigned kWindowPosHideWindow = 0x0080;

struct MagneticMessage {
    WindowId wnd = 0;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    Rect* proposed = nullptr;     // WM_MOVING, WM_SIZING: the rectangle lParam points at
    unsigned windowPosFlags = 0;  // WM_WINDOWPOSCHANGED: WINDOWPOS::flags
};

struct MagneticOutcome {
    bool handled = false;
    std::intptr_t result = 0;
    std::vector<CarriedWindow> carried;  // WM_MOVING: move these in one deferred batch
};

// WM_MOVING and WM_SIZING of a registered window come back handled with result 1 and the proposed
// rectangle corrected; every other message is left for the window's own handling.
MagneticOutcome HandleMagneticMessage(TMagnetic& magnetic, const MagneticMessage& message);

}  // namespace kalvoro
