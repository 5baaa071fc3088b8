#pragma once
// Texts for the user go to the popup message program; the bar and its parts reach it only
// through this interface.

#include <string>
#include <string_view>

namespace kalvoro {

inline constexpr unsigned kMsgPopupRegister = 0x04BC;   // popup -> bar, lParam = popup window
inline constexpr unsigned kMsgPopupNotify = 0x04BD;     // bar -> popup, lParam 1 or 2
inline constexpr unsigned kMsgTrayAnimateOn = 0x04BE;   // popup -> bar
inline constexpr unsigned kMsgTrayAnimateOff = 0x04BF;  // popup -> bar
inline constexpr long kPopupSettingsRewritten = 1;
inline constexpr long kPopupBarClosing = 2;
inline constexpr char kPopupProgramName[] = "Sablewin.exe";

class IPopupSender {
public:
    virtual ~IPopupSender() = default;
    // Starts the popup program when needed; false (and nothing shown) when it is missing.
    virtual bool ShowText(std::string_view utf8_text) = 0;
};

// The WM_COPYDATA payload: the text in GBK with its terminating NUL (cbData = length + 1).
std::string PopupPayload(std::string_view utf8_text);

}  // namespace kalvoro
