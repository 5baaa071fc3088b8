#pragma once
// The window messages the bar and the popup program exchange. Values are fixed: the bar and any
// stand-in for the popup program rely on them.

#include <cstddef>

namespace kalvoro::popup {

// popup -> bar; lParam is the popup program's window.
inline constexpr unsigned kRegisterMessage = 0x04BC;
// bar -> popup; lParam is one of the two notices below.
inline constexpr unsigned kBarNoticeMessage = 0x04BD;
inline constexpr long kNoticeSettingsChanged = 1;
inline constexpr long kNoticeBarClosing = 2;
// popup -> bar: alternate the tray icons while a message waits unread, and stop again.
inline constexpr unsigned kTrayAnimationStartMessage = 0x04BE;
inline constexpr unsigned kTrayAnimationStopMessage = 0x04BF;

// A WM_COPYDATA text larger than this is refused.
inline constexpr std::size_t kMaxCopyDataBytes = 64 * 1024;

}  // namespace kalvoro::popup
