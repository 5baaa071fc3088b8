#pragma once
// Every key of "skin.ini", spelled once. The bar, its windows, the settings dialog and the popup
// program all read and write the file through these names.

namespace kalvoro::settings_keys {

struct Key {
    const char* section;
    const char* name;
};

inline constexpr char kFileName[] = "skin.ini";

inline constexpr Key kBarOnTop{"BAR", "OnTop"};
inline constexpr Key kBarOnStartHide{"BAR", "OnStartHide"};
inline constexpr Key kBarDefWin{"BAR", "DefWin"};
inline constexpr Key kBarDateLoop{"BAR", "DateLoop"};
inline constexpr Key kBarTr{"BAR", "Tr"};
inline constexpr Key kBarLeft{"BAR", "Left"};
inline constexpr Key kBarTop{"BAR", "Top"};

inline constexpr Key kClockAlarm{"CLOCK", "Alarm"};
inline constexpr Key kClockHalfAlarm{"CLOCK", "HalfAlarm"};
inline constexpr Key kClockAlarmType{"CLOCK", "AlarmType"};
inline constexpr Key kClockHotKey{"CLOCK", "HotKey"};
inline constexpr Key kClockHotKey1{"CLOCK", "HotKey1"};
inline constexpr Key kClockHotKey2{"CLOCK", "HotKey2"};

inline constexpr Key kMsgAuto{"MSG", "Auto"};
inline constexpr Key kMsgAutoSec{"MSG", "AutoSec"};
inline constexpr Key kMsgTran{"MSG", "Tran"};
inline constexpr Key kMsgCalendarLX{"MSG", "CalendarLX"};
inline constexpr Key kMsgCalendarStep{"MSG", "CalendarStep"};

// The key's name is misspelt in every "skin.ini" there is; it stays so.
inline constexpr Key kTimeAutoCheck{"TIME", "AutoChcek"};
inline constexpr Key kTimeStepHour{"TIME", "StepHour"};

inline constexpr Key kSkinSkinFile{"SKIN", "SkinFile"};
inline constexpr Key kSkinClockFile{"SKIN", "ClockFile"};
inline constexpr Key kSkinWinFile{"SKIN", "WinFile"};

inline constexpr Key kLedLedFont{"LED", "LEDFont"};
inline constexpr Key kLedFontName{"LED", "FontName"};
inline constexpr Key kLedFontSize{"LED", "FontSize"};
inline constexpr Key kLedFontColor{"LED", "FontColor"};
inline constexpr Key kLedFontBold{"LED", "FontBold"};
inline constexpr Key kLedFontItalic{"LED", "FontItalic"};
inline constexpr Key kLedFontUnderline{"LED", "FontUnderline"};
inline constexpr Key kLedFontStrikeOut{"LED", "FontStrikeOut"};

// Where the web site and the weather page are, when not where the build says (an empty value: none).
inline constexpr Key kOnlineWebSite{"ONLINE", "WebSite"};
inline constexpr Key kOnlineWeatherPage{"ONLINE", "WeatherPage"};

inline constexpr Key kChildIndex{"CHILD", "Index"};
inline constexpr Key kChildLeft{"CHILD", "Left"};
inline constexpr Key kChildTop{"CHILD", "Top"};

}  // namespace kalvoro::settings_keys
