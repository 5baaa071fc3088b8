#pragma once
// The popup messages' own keys in section MSG of "skin.ini": whether they close by themselves,
// after how many seconds, and their alpha.

#include "base/ini_file.h"

namespace kalvoro::popup {

inline constexpr int kMinAutoCloseSeconds = 5;
inline constexpr int kMaxAutoCloseSeconds = 3600;
inline constexpr int kMinAlpha = 55;
inline constexpr int kMaxAlpha = 255;

struct PopupSettings {
    bool auto_close = true;      // MSG/Auto
    int auto_close_seconds = 5;  // MSG/AutoSec
    int alpha = 200;             // MSG/Tran

    bool operator==(const PopupSettings&) const = default;
};

// Values outside their ranges are brought to the nearest end; a missing or unreadable file gives
// the defaults.
PopupSettings ReadPopupSettings(const IniFile& settings_file);

}  // namespace kalvoro::popup
