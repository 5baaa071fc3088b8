#pragma once
// The popup message program ("Sablewin.exe") and the bar talk through these window messages; every
// part of the program that shows a text to the user reaches the popup program through IPopupSender.
// The values are fixed: the bar, the popup program and any stand-in for it rely on them.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvoro {

inline constexpr unsigned kMsgPopupRegister = 0x04BC;   // popup -> bar, lParam = popup window
inline constexpr unsigned kMsgPopupNotify = 0x04BD;     // bar -> popup, lParam 1 or 2
inline constexpr unsigned kMsgTrayAnimateOn = 0x04BE;   // popup -> bar: a message waits unread
inline constexpr unsigned kMsgTrayAnimateOff = 0x04BF;  // popup -> bar
inline constexpr long kPopupSettingsRewritten = 1;
inline constexpr long kPopupBarClosing = 2;
inline constexpr char kPopupProgramName[] = "Sablewin.exe";

// A WM_COPYDATA text larger than this is refused.
inline constexpr std::size_t kMaxCopyDataBytes = 64 * 1024;

class IPopupSender {
public:
    virtual ~IPopupSender() = default;
    // Starts the popup program when needed; false (and nothing shown) when it is missing.
    virtual bool ShowText(std::string_view utf8_text) = 0;
};

// The WM_COPYDATA payload: the text in GBK with its terminating NUL (cbData = length + 1).
std::string PopupPayload(std::string_view utf8_text);

}  // namespace kalvoro
