#pragma once
// "skin.ini" as the program holds it: one Settings object, owned by the application core, reads
// every key once at start-up, writes what the bar and the settings dialog change, and tells the
// windows that subscribed what changed. Keys are spelled once, in base/settings_keys.h.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/display_mode.h"
#include "base/ini_file.h"
#include "base/settings_keys.h"

namespace kalvoro {

inline constexpr int kBarWidth = 332;
inline constexpr int kBarHeight = 34;

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

struct AppSettings {
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
    bool date_loop = false;  // the date line cycles through its lines; applied at start
    DisplayMode default_child = DisplayMode::kClock;
    int transparency = 200;
    DisplayMode child_at_exit = DisplayMode::kCompact;
};

// Reads every key in start-up order, each with its default and range.
AppSettings ReadAppSettings(const IniDocument& doc, int screen_width);

// Modifier bits (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4) of a HotKey1 text; 0 when it is none of
// the seven combinations.
int HotKeyModifiers(std::string_view hot_key1);

// The first parameter, trimmed of blanks and control characters, is "/hide" in any case.
bool IsHideSwitch(std::string_view first_parameter);

struct ExitState {
    DisplayMode showing = DisplayMode::kCompact;
    int bar_left = 0;
    int bar_top = 0;
    int transparency = 200;
    bool clock_visible = false;
    int clock_left = 0;
    int clock_top = 0;
};

// What a change notice is about; a subscriber reacts to the parts it shows.
enum class SettingsChange : unsigned {
    kSkins = 1u << 0,  // SKIN/SkinFile or ClockFile
    kBar = 1u << 1,    // transparency, on top, date loop, start child
    kLed = 1u << 2,
    kChime = 1u << 3,  // CLOCK keys
    kMessages = 1u << 4,
    kTimeSync = 1u << 5,
};

struct OptionsValues;

class Settings {
public:
    Settings(IFileStore& files, std::string path);

    const AppSettings& values() const { return values_; }
    IniFile& file() { return file_; }

    // Start-up: every key.
    void Load(int screen_width);
    // After another skin was applied: the two skin names only; every other value stays as it is.
    void ReloadSkinNames();

    // CHILD/Index, BAR/Left, BAR/Top, BAR/Tr and, with the clock window showing, CHILD/Top and
    // CHILD/Left, in this order and in one replacement of the file, as SavePositions. False when the
    // file exists but cannot be read or the write failed.
    bool SaveExitState(const ExitState& state);
    // BAR/Left and BAR/Top, then the clock window's place when it shows, in one replacement of the
    // file (a kill leaves the old or the new place, never half of each). Nothing is written when the
    // content stays the same. False when the file exists but cannot be read or the write failed.
    bool SavePositions(int bar_left, int bar_top, bool clock_visible, int clock_left, int clock_top);
    // The clock window's stored place, CHILD/Top read with the given default.
    int ChildLeft(int screen_width) const;
    int ChildTop(int default_top) const;

    // Values the program changes while running (the settings dialog, the bar).
    void SetTransparency(int alpha);
    void SetDateLoop(bool on);

    // The settings dialog closed: writes its keys in their order (a failed write ends the writing,
    // the keys after it stay as they were), takes the values for the running program and sends the
    // notices kLed, kBar, kChime, kMessages and kTimeSync. False when a write failed.
    bool SaveOptions(const OptionsValues& options);
    // 应用(&A) of the settings dialog: SKIN/SkinFile or SKIN/ClockFile := the package's file name,
    // then the skin names are read again and kSkins is sent. False when the write failed (nothing
    // is sent then).
    bool ApplySkinFile(const std::string& file_name);
    bool ApplyClockFile(const std::string& file_name);

    using Listener = std::function<void(SettingsChange)>;
    int Subscribe(Listener listener);
    void Unsubscribe(int token);
    void Notify(SettingsChange change);

private:
    // The keys' new values in one replacement of the file; nothing is written when they are all
    // stored already.
    bool ReplaceIntegers(const std::vector<std::pair<settings_keys::Key, int>>& values);

    IFileStore& files_;
    IniFile file_;
    AppSettings values_;
    std::vector<std::pair<int, Listener>> listeners_;
    int next_token_ = 1;
};

}  // namespace kalvoro
