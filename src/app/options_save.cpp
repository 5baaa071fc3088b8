#include "app/options_save.h"

namespace kalvoro {

namespace {

std::string Flag(bool on) {
    return on ? "1" : "0";
}

}  // namespace

std::vector<IniWrite> OptionsKeyWrites(const OptionsValues& v) {
    namespace k = settings_keys;
    std::vector<IniWrite> writes;
    writes.reserve(27);
    writes.push_back({k::kLedLedFont, Flag(v.led.led_digits)});
    if (!v.led.led_digits) {
        writes.push_back({k::kLedFontName, v.led.name});
        writes.push_back({k::kLedFontSize, std::to_string(v.led.size_points)});
        writes.push_back({k::kLedFontColor, std::to_string(v.led.colour)});
        writes.push_back({k::kLedFontBold, Flag(v.led.bold)});
        writes.push_back({k::kLedFontItalic, Flag(v.led.italic)});
        writes.push_back({k::kLedFontUnderline, Flag(v.led.underline)});
        writes.push_back({k::kLedFontStrikeOut, Flag(v.led.strike_out)});
    }
    writes.push_back({k::kBarTr, std::to_string(v.transparency)});
    writes.push_back({k::kBarOnTop, Flag(v.on_top)});
    writes.push_back({k::kBarOnStartHide, Flag(v.start_hidden)});
    writes.push_back({k::kBarDefWin, std::to_string(v.default_win)});
    writes.push_back({k::kBarDateLoop, Flag(v.date_loop)});
    writes.push_back({k::kClockAlarm, Flag(v.hour_chime)});
    writes.push_back({k::kClockHalfAlarm, Flag(v.half_chime)});
    writes.push_back({k::kClockAlarmType, std::to_string(v.chime_type)});
    writes.push_back({k::kClockHotKey1, v.hot_key1});
    writes.push_back({k::kClockHotKey2, v.hot_key2});
    writes.push_back({k::kClockHotKey, Flag(v.hot_key)});
    writes.push_back({k::kMsgAuto, Flag(v.msg_auto_close)});
    writes.push_back({k::kMsgAutoSec, std::to_string(v.msg_auto_sec)});
    writes.push_back({k::kMsgTran, std::to_string(v.msg_tran)});
    writes.push_back(
        {k::kMsgCalendarLX, std::to_string(v.reminder_mode == 1 || v.reminder_mode == 2 ? v.reminder_mode : 0)});
    writes.push_back({k::kMsgCalendarStep, std::to_string(v.reminder_step)});
    writes.push_back({k::kTimeAutoCheck, Flag(v.auto_sync)});
    writes.push_back({k::kTimeStepHour, std::to_string(v.sync_step_hours)});
    return writes;
}

void ApplyOptionsValues(const OptionsValues& v, AppSettings& s) {
    s.led = v.led;
    s.transparency = v.transparency;
    s.on_top = v.on_top;
    s.start_hidden = v.start_hidden;
    s.default_child = DisplayModeFromDefWin(v.default_win);
    s.date_loop = v.date_loop;
    s.alarm_on = v.hour_chime;
    s.half_alarm_on = v.half_chime;
    s.alarm_type = v.chime_type;
    s.hot_key_on = v.hot_key;
    s.hot_key1_text = v.hot_key ? v.hot_key1 : std::string();
    s.hot_key2_text = v.hot_key ? v.hot_key2 : std::string();
    s.msg_auto_sec = v.msg_auto_close ? v.msg_auto_sec : -1;
    s.msg_tran = v.msg_tran;
    s.mark_reminder_mode = v.reminder_mode == 1 || v.reminder_mode == 2 ? v.reminder_mode : 0;
    s.mark_reminder_step = v.reminder_step;
    s.auto_sync = v.auto_sync;
    s.sync_step_hours = v.sync_step_hours;
}

OptionsValues OptionsValuesFromFile(const IniDocument& doc) {
    namespace k = settings_keys;
    const auto read_int = [&](k::Key key, int fallback) { return doc.ReadInteger(key.section, key.name, fallback); };
    const auto read_bool = [&](k::Key key, bool fallback) { return doc.ReadBool(key.section, key.name, fallback); };
    OptionsValues v;
    v.transparency = read_int(k::kBarTr, 200);
    v.on_top = read_bool(k::kBarOnTop, false);
    v.start_hidden = read_bool(k::kBarOnStartHide, false);
    v.default_win = read_int(k::kBarDefWin, 1);
    v.date_loop = read_bool(k::kBarDateLoop, false);
    v.hour_chime = read_bool(k::kClockAlarm, false);
    v.half_chime = read_bool(k::kClockHalfAlarm, false);
    v.chime_type = read_int(k::kClockAlarmType, 0);
    v.hot_key1 = doc.ReadString(k::kClockHotKey1.section, k::kClockHotKey1.name, "");
    v.hot_key2 = doc.ReadString(k::kClockHotKey2.section, k::kClockHotKey2.name, "");
    v.hot_key = read_bool(k::kClockHotKey, false);
    v.msg_auto_close = read_bool(k::kMsgAuto, true);
    v.msg_auto_sec = read_int(k::kMsgAutoSec, 5);
    v.msg_tran = read_int(k::kMsgTran, 200);
    v.reminder_mode = read_int(k::kMsgCalendarLX, 1);
    v.reminder_step = read_int(k::kMsgCalendarStep, 5);
    v.auto_sync = read_bool(k::kTimeAutoCheck, false);
    v.sync_step_hours = read_int(k::kTimeStepHour, 1);
    return v;
}

}  // namespace kalvoro
