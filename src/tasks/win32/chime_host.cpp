#include "tasks/win32/chime_host.h"

namespace kalvoro::win {

ChimeHost::ChimeHost(HWND bar, IPopupSender& popup, const std::string& app_dir, IMciCommands& mci,
                     const DateLocale& locale)
    : player_(mci), alarm_(player_, popup, app_dir + "Sound\\", locale), hot_key_(bar) {}

void ChimeHost::Start(const ChimeSettings& settings) {
    player_.Create();
    alarm_.SetOptions(settings.hour_chime, settings.half_chime, settings.chime_type);
    if (settings.hot_key_on) hot_key_.Register(settings.hot_key_modifiers, settings.hot_key_key);
}

void ChimeHost::ApplySettings(const ChimeSettings& settings) {
    alarm_.SetOptions(settings.hour_chime, settings.half_chime, settings.chime_type);
    hot_key_.Apply(settings.hot_key_on, settings.hot_key_modifiers, settings.hot_key_key);
}

}  // namespace kalvoro::win
