#pragma once
// Everything the bar hosts for the chime in one object: the sound player, the chime and the hot
// key, created once the bar's window exists and given up when it closes.
//
//   start-up      ChimeHost(bar window, popup, AppDir), then Start(settings)
//   each tick     OnTick(now), after the scheduler
//   WM_HOTKEY     if (OnHotKey(wparam, lparam, now)) return 1;
//   settings      ApplySettings(settings) when the settings dialog has closed
//   closing       Close()
// The scheduler's sound actions go to player().

#include <windows.h>

#include <string>

#include "base/date_time.h"
#include "base/popup_protocol.h"
#include "base/win32/text.h"
#include "tasks/chime_clock_alarm.h"
#include "tasks/win32/back_sound.h"
#include "tasks/win32/hot_key_chime.h"

namespace kalvoro::win {

// The CLOCK keys of "skin.ini".
struct ChimeSettings {
    bool hour_chime = false;        // Alarm
    bool half_chime = false;        // HalfAlarm
    int chime_type = kChimeVoice;   // AlarmType
    bool hot_key_on = false;        // HotKey
    std::string hot_key_modifiers;  // HotKey1
    std::string hot_key_key;        // HotKey2
};

class ChimeHost {
public:
    // app_dir ends in "\"; the chime's sounds are in its folder "Sound\".
    ChimeHost(HWND bar, IPopupSender& popup, const std::string& app_dir, IMciCommands& mci = SystemMci(),
              const DateLocale& locale = SystemDateLocale());

    // Start-up: the player's window, the chime options, and the hot key when it is on.
    void Start(const ChimeSettings& settings);
    void OnTick(DateTime now) { alarm_.CheckChime(now); }
    bool OnHotKey(WPARAM wparam, LPARAM lparam, DateTime now) {
        return SayTimeOnHotKey(hot_key_, wparam, lparam, alarm_, now);
    }
    void ApplySettings(const ChimeSettings& settings);
    void Close() { hot_key_.Unregister(); }

    ISoundPlayer& player() { return player_; }
    ClockAlarm& alarm() { return alarm_; }
    const ChimeHotKey& hot_key() const { return hot_key_; }

private:
    BackSound player_;  // before the alarm, which refers to it
    ClockAlarm alarm_;
    ChimeHotKey hot_key_;
};

}  // namespace kalvoro::win
