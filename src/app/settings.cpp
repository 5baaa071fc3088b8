#include "app/settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>

#include "app/options_save.h"
#include "base/settings_keys.h"

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

AppSettings ReadAppSettings(const IniDocument& doc, int screen_width) {
    namespace k = settings_keys;
    const auto read_int = [&](k::Key key, int fallback) { return doc.ReadInteger(key.section, key.name, fallback); };
    const auto read_bool = [&](k::Key key, bool fallback) { return doc.ReadBool(key.section, key.name, fallback); };
    const auto read_string = [&](k::Key key) { return doc.ReadString(key.section, key.name, ""); };

    AppSettings s;
    s.skin_file = read_string(k::kSkinSkinFile);
    s.clock_file = read_string(k::kSkinClockFile);

    s.led.led_digits = read_bool(k::kLedLedFont, true);
    s.led.name = doc.ReadString(k::kLedFontName.section, k::kLedFontName.name, "Tahoma");
    s.led.size_points = read_int(k::kLedFontSize, 18);
    s.led.colour = read_int(k::kLedFontColor, 16777215);
    s.led.bold = read_bool(k::kLedFontBold, false);
    s.led.italic = read_bool(k::kLedFontItalic, false);
    s.led.underline = read_bool(k::kLedFontUnderline, false);
    s.led.strike_out = read_bool(k::kLedFontStrikeOut, false);

    s.win_file = read_string(k::kSkinWinFile);

    s.alarm_on = read_bool(k::kClockAlarm, false);
    s.half_alarm_on = read_bool(k::kClockHalfAlarm, false);
    s.alarm_type = read_int(k::kClockAlarmType, 0);
    s.hot_key_on = read_bool(k::kClockHotKey, false);
    if (s.hot_key_on) {
        s.hot_key1_text = read_string(k::kClockHotKey1);
        s.hot_key2_text = read_string(k::kClockHotKey2);
    }

    s.auto_sync = read_bool(k::kTimeAutoCheck, false);
    s.sync_step_hours = read_int(k::kTimeStepHour, 1);

    s.msg_auto_sec = read_bool(k::kMsgAuto, true) ? read_int(k::kMsgAutoSec, 5) : -1;
    s.msg_tran = read_int(k::kMsgTran, 200);
    s.mark_reminder_mode = read_int(k::kMsgCalendarLX, 1);
    s.mark_reminder_step = read_int(k::kMsgCalendarStep, 5);

    s.left = read_int(k::kBarLeft, screen_width - kBarWidth);
    // Beyond the right edge is pulled back flush; there is no lower bound.
    if (static_cast<long long>(s.left) + kBarWidth > screen_width) s.left = screen_width - kBarWidth;
    s.top = std::max(0, read_int(k::kBarTop, 0));

    s.on_top = read_bool(k::kBarOnTop, false);
    s.start_hidden = read_bool(k::kBarOnStartHide, false);
    s.date_loop = read_bool(k::kBarDateLoop, false);
    s.default_child = DisplayModeFromDefWin(read_int(k::kBarDefWin, 1));

    s.transparency = read_int(k::kBarTr, 200);
    s.child_at_exit = DisplayModeFromChildIndex(read_int(k::kChildIndex, 0));
    return s;
}

Settings::Settings(IFileStore& files, std::string path) : files_(files), file_(files, std::move(path)) {}

void Settings::Load(int screen_width) {
    values_ = ReadAppSettings(file_.Load(), screen_width);
}

void Settings::ReloadSkinNames() {
    namespace k = settings_keys;
    const IniDocument doc = file_.Load();
    values_.skin_file = doc.ReadString(k::kSkinSkinFile.section, k::kSkinSkinFile.name, "");
    values_.clock_file = doc.ReadString(k::kSkinClockFile.section, k::kSkinClockFile.name, "");
    Notify(SettingsChange::kSkins);
}

bool Settings::SaveExitState(const ExitState& state) {
    namespace k = settings_keys;
    std::vector<std::pair<k::Key, int>> values = {{k::kChildIndex, ChildIndexNumber(state.showing)},
                                                  {k::kBarLeft, state.bar_left},
                                                  {k::kBarTop, state.bar_top},
                                                  {k::kBarTr, state.transparency}};
    if (state.clock_visible) {
        values.emplace_back(k::kChildTop, state.clock_top);
        values.emplace_back(k::kChildLeft, state.clock_left);
    }
    return ReplaceIntegers(values);
}

bool Settings::SavePositions(int bar_left, int bar_top, bool clock_visible, int clock_left, int clock_top) {
    namespace k = settings_keys;
    std::vector<std::pair<k::Key, int>> values = {{k::kBarLeft, bar_left}, {k::kBarTop, bar_top}};
    if (clock_visible) {
        values.emplace_back(k::kChildTop, clock_top);
        values.emplace_back(k::kChildLeft, clock_left);
    }
    return ReplaceIntegers(values);
}

bool Settings::ReplaceIntegers(const std::vector<std::pair<settings_keys::Key, int>>& values) {
    // One replacement of the whole file: a kill between two writes could keep a new Left beside an
    // old Top, a place the bar never had.
    const std::optional<std::string> bytes = files_.ReadAll(file_.path());
    // A file that exists but cannot be read is never replaced.
    if (!bytes && files_.Exists(file_.path())) return false;
    IniDocument document = bytes ? IniDocument::Parse(*bytes) : IniDocument();
    for (const auto& [key, value] : values) document.Write(key.section, key.name, std::to_string(value));
    std::string content = document.Serialize();
    if (bytes && content == *bytes) return true;
    return files_.WriteAtomic(file_.path(), content);
}

int Settings::ChildLeft(int screen_width) const {
    namespace k = settings_keys;
    const int left = file_.ReadInteger(k::kChildLeft.section, k::kChildLeft.name, 0);
    return std::clamp(left, 0, std::max(0, screen_width - 100));
}

int Settings::ChildTop(int default_top) const {
    namespace k = settings_keys;
    return file_.ReadInteger(k::kChildTop.section, k::kChildTop.name, default_top);
}

void Settings::SetTransparency(int alpha) {
    if (values_.transparency == alpha) return;
    values_.transparency = alpha;
    Notify(SettingsChange::kBar);
}

void Settings::SetDateLoop(bool on) {
    if (values_.date_loop == on) return;
    values_.date_loop = on;
    Notify(SettingsChange::kBar);
}

bool Settings::SaveOptions(const OptionsValues& options) {
    bool ok = true;
    for (const IniWrite& write : OptionsKeyWrites(options)) {
        if (!file_.WriteString(write.key.section, write.key.name, write.value)) {
            ok = false;
            break;
        }
    }
    // The running program takes what the user chose even when the file could not keep it.
    ApplyOptionsValues(options, values_);
    for (const SettingsChange change : {SettingsChange::kLed, SettingsChange::kBar, SettingsChange::kChime,
                                        SettingsChange::kMessages, SettingsChange::kTimeSync}) {
        Notify(change);
    }
    return ok;
}

bool Settings::ApplySkinFile(const std::string& file_name) {
    namespace k = settings_keys;
    if (!file_.WriteString(k::kSkinSkinFile.section, k::kSkinSkinFile.name, file_name)) return false;
    ReloadSkinNames();
    return true;
}

bool Settings::ApplyClockFile(const std::string& file_name) {
    namespace k = settings_keys;
    if (!file_.WriteString(k::kSkinClockFile.section, k::kSkinClockFile.name, file_name)) return false;
    ReloadSkinNames();
    return true;
}

int Settings::Subscribe(Listener listener) {
    const int token = next_token_++;
    listeners_.emplace_back(token, std::move(listener));
    return token;
}

void Settings::Unsubscribe(int token) {
    std::erase_if(listeners_, [token](const auto& entry) { return entry.first == token; });
}

void Settings::Notify(SettingsChange change) {
    // A listener may unsubscribe while being told; walk a copy of the tokens.
    std::vector<int> tokens;
    tokens.reserve(listeners_.size());
    for (const auto& entry : listeners_) tokens.push_back(entry.first);
    for (int token : tokens) {
        const auto it = std::find_if(listeners_.begin(), listeners_.end(),
                                     [token](const auto& entry) { return entry.first == token; });
        if (it != listeners_.end()) it->second(change);
    }
}

}  // namespace kalvoro
