#include "popup/popup_settings.h"

#include <algorithm>

namespace kalvoro::popup {

PopupSettings ReadPopupSettings(const IniFile& settings_file) {
    const PopupSettings defaults;
    PopupSettings settings;
    settings.auto_close = settings_file.ReadBool("MSG", "Auto", defaults.auto_close);
    settings.auto_close_seconds = std::clamp(settings_file.ReadInteger("MSG", "AutoSec", defaults.auto_close_seconds),
                                             kMinAutoCloseSeconds, kMaxAutoCloseSeconds);
    settings.alpha = std::clamp(settings_file.ReadInteger("MSG", "Tran", defaults.alpha), kMinAlpha, kMaxAlpha);
    return settings;
}

}  // namespace kalvoro::popup
