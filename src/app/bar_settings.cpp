#include "app/bar_settings.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kalvoro {

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

int HotKeyModifiers(std::string_view hot_key1) {
    static constexpr std::array<std::pair<std::string_view, int>, 7> kCombinations{{
        {"Alt", 1},
        {"Ctrl", 2},
        {"Shift", 4},
        {"Alt + Ctrl", 3},
        {"Alt + Shift", 5},
        {"Ctrl + Shift", 6},
        {"Alt + Ctrl + Shift", 7},
    }};
    for (const auto& [text, bits] : kCombinations) {
        if (EqualsNoCase(hot_key1, text)) return bits;
    }
    return 0;
}

bool IsHideSwitch(std::string_view parameter) {
    const auto is_trimmed = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!parameter.empty() && is_trimmed(parameter.front())) parameter.remove_prefix(1);
    while (!parameter.empty() && is_trimmed(parameter.back())) parameter.remove_suffix(1);
    return EqualsNoCase(parameter, "/hide");
}

BarSettings LoadBarSettings(const IniFile& ini, int screen_width, bool skin_only) {
    // One read of the file for all keys; the values are those IniFile would give one by one.
    const IniDocument doc = ini.Load();
    BarSettings s;
    s.skin_file = doc.ReadString("SKIN", "SkinFile", "");
    s.clock_file = doc.ReadString("SKIN", "ClockFile", "");
    if (skin_only) return s;

    s.led.led_digits = doc.ReadBool("LED", "LEDFont", true);
    s.led.name = doc.ReadString("LED", "FontName", "Tahoma");
    s.led.size_points = doc.ReadInteger("LED", "FontSize", 18);
    s.led.colour = doc.ReadInteger("LED", "FontColor", 16777215);
    s.led.bold = doc.ReadBool("LED", "FontBold", false);
    s.led.italic = doc.ReadBool("LED", "FontItalic", false);
    s.led.underline = doc.ReadBool("LED", "FontUnderline", false);
    s.led.strike_out = doc.ReadBool("LED", "FontStrikeOut", false);

    s.win_file = doc.ReadString("SKIN", "WinFile", "");

    s.alarm_on = doc.ReadBool("CLOCK", "Alarm", false);
    s.half_alarm_on = doc.ReadBool("CLOCK", "HalfAlarm", false);
    s.alarm_type = doc.ReadInteger("CLOCK", "AlarmType", 0);
    s.hot_key_on = doc.ReadBool("CLOCK", "HotKey", false);
    if (s.hot_key_on) {
        s.hot_key1_text = doc.ReadString("CLOCK", "HotKey1", "");
        s.hot_key2_text = doc.ReadString("CLOCK", "HotKey2", "");
    }

    s.auto_sync = doc.ReadBool("TIME", "AutoChcek", false);
    s.sync_step_hours = doc.ReadInteger("TIME", "StepHour", 1);

    s.msg_auto_sec = doc.ReadBool("MSG", "Auto", true) ? doc.ReadInteger("MSG", "AutoSec", 5) : -1;
    s.msg_tran = doc.ReadInteger("MSG", "Tran", 200);
    s.mark_reminder_mode = doc.ReadInteger("MSG", "CalendarLX", 1);
    s.mark_reminder_step = doc.ReadInteger("MSG", "CalendarStep", 5);

    s.left = doc.ReadInteger("BAR", "Left", screen_width - kBarWidth);
    // Beyond the right edge is pulled back flush; there is no lower bound.
    if (static_cast<long long>(s.left) + kBarWidth > screen_width) s.left = screen_width - kBarWidth;
    s.top = std::max(0, doc.ReadInteger("BAR", "Top", 0));

    s.on_top = doc.ReadBool("BAR", "OnTop", false);
    s.start_hidden = doc.ReadBool("BAR", "OnStartHide", false);
    const int def_win = doc.ReadInteger("BAR", "DefWin", 1);
    s.default_child = (def_win < 0 || def_win > 3) ? StartChild::kClock : static_cast<StartChild>(def_win);

    s.transparency = doc.ReadInteger("BAR", "Tr", 200);
    s.child_index = doc.ReadInteger("CHILD", "Index", 0);
    return s;
}

bool SaveExitState(IniFile& ini, const ExitState& state) {
    bool ok = ini.WriteInteger("CHILD", "Index", static_cast<int>(state.showing));
    ok = ini.WriteInteger("BAR", "Left", state.bar_left) && ok;
    ok = ini.WriteInteger("BAR", "Top", state.bar_top) && ok;
    ok = ini.WriteInteger("BAR", "Tr", state.transparency) && ok;
    if (state.clock_visible) {
        ok = ini.WriteInteger("CHILD", "Top", state.clock_top) && ok;
        ok = ini.WriteInteger("CHILD", "Left", state.clock_left) && ok;
    }
    return ok;
}

bool SavePositions(IniFile& ini, int bar_left, int bar_top, bool clock_visible, int clock_left, int clock_top) {
    bool ok = ini.WriteInteger("BAR", "Left", bar_left);
    ok = ini.WriteInteger("BAR", "Top", bar_top) && ok;
    if (clock_visible) {
        ok = ini.WriteInteger("CHILD", "Top", clock_top) && ok;
        ok = ini.WriteInteger("CHILD", "Left", clock_left) && ok;
    }
    return ok;
}

}  // namespace kalvoro
