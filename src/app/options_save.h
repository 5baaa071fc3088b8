#pragma once
// What the settings dialog holds when it closes, and the keys of "skin.ini" it writes from it, in
// the order they are written.

#include <string>
#include <vector>

#include "app/settings.h"
#include "base/settings_keys.h"

namespace kalvoro {

struct OptionsValues {
    LedFontSettings led;  // led_digits: the bar shows digits; the font keys only count without them
    int transparency = 200;
    bool on_top = false;
    bool start_hidden = false;
    int default_win = 1;  // 0 精简, 1 时钟, 2 日历, 3 天气
    bool date_loop = false;
    bool hour_chime = false;
    bool half_chime = false;
    int chime_type = 0;
    std::string hot_key1;  // the lists' texts, empty when nothing is chosen
    std::string hot_key2;
    bool hot_key = false;
    bool msg_auto_close = true;
    int msg_auto_sec = 5;
    int msg_tran = 200;
    int reminder_mode = 1;  // 0 不显示, 1 启动时显示, 2 循环显示
    int reminder_step = 5;
    bool auto_sync = false;
    int sync_step_hours = 1;
};

struct IniWrite {
    settings_keys::Key key;
    std::string value;
};

// The keys the dialog writes on closing, in order: the LED keys (the font keys only for plain
// text), BAR, CLOCK, MSG, TIME.
std::vector<IniWrite> OptionsKeyWrites(const OptionsValues& values);

// The dialog's values as the running program holds them.
void ApplyOptionsValues(const OptionsValues& values, AppSettings& settings);

// The dialog's fields read from the settings (everything but what the bar shows right now:
// its alpha and its digits or text, which the caller sets).
OptionsValues OptionsValuesFromFile(const IniDocument& doc);

}  // namespace kalvoro
