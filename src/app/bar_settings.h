#pragma once
// The bar's half of "skin.ini": what it reads at start-up, with each key's default and range, and
// what it writes when moved and when closing.

#include <string>
#include <string_view>

#include "base/ini_file.h"

namespace kalvoro {

inline constexpr char kSettingsFileName[] = "skin.ini";
inline constexpr int kBarWidth = 332;
inline constexpr int kBarHeight = 34;

// Child window opened at start (BAR/DefWin) and child window showing at exit (CHILD/Index)
// number their windows differently; both enums keep the file's numbers.
enum class StartChild { kNone = 0, kClock = 1, kCalendar = 2, kWeather = 3 };
enum class ShowingChild { kNone = 0, kCalendar = 1, kClock = 2, kWeather = 3 };

struct LedFontSettings {
    bool led_digits = true;
    std::string name = "Tahoma";
    int size_points = 18;
    int colour = 0xFFFFFF;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
};

struct BarSettings {
    std::string skin_file;
    std::string clock_file;
    LedFontSettings led;
    std::string win_file;
    bool alarm_on = false;
    bool half_alarm_on = false;
    int alarm_type = 0;
    bool hot_key_on = false;
    std::string hot_key1_text;
    std::string hot_key2_text;
    bool auto_sync = false;
    int sync_step_hours = 1;
    int msg_auto_sec = 5;  // -1 when messages are closed by the user
    int msg_tran = 200;
    int mark_reminder_mode = 1;
    int mark_reminder_step = 5;
    int left = 0;
    int top = 0;
    bool on_top = false;
    bool start_hidden = false;
    StartChild default_child = StartChild::kClock;
    int transparency = 200;
    int child_index = 0;
};

// Reads the keys in start-up order. With skin_only set only the skin names are read (the skin
// reload after the settings dialog applied another skin).
BarSettings LoadBarSettings(const IniFile& ini, int screen_width, bool skin_only = false);

// Modifier bits (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4) of a HotKey1 text; 0 when it is none of
// the seven combinations.
int HotKeyModifiers(std::string_view hot_key1);

// The first parameter, trimmed of blanks and control characters, is "/hide" in any case.
bool IsHideSwitch(std::string_view first_parameter);

struct ExitState {
    ShowingChild showing = ShowingChild::kNone;
    int bar_left = 0;
    int bar_top = 0;
    int transparency = 200;
    bool clock_visible = false;
    int clock_left = 0;
    int clock_top = 0;
};

// Writes CHILD/Index, BAR/Left, BAR/Top, BAR/Tr and, with the clock window showing, CHILD/Top and
// CHILD/Left, in this order.
bool SaveExitState(IniFile& ini, const ExitState& state);

// BAR/Left and BAR/Top, then the clock window's place when it shows.
bool SavePositions(IniFile& ini, int bar_left, int bar_top, bool clock_visible, int clock_left, int clock_top);

}  // namespace kalvoro
