#pragma once
// Every key a skin description may hold, with its default. Colours are COLORREF values
// (0x00BBGGRR); a value whose high byte is 0xFF names a system colour and is passed on as written.

#include <array>
#include <cstdint>
#include <string_view>

#include "skin/skin_piece.h"

#include "base/colour.h"

namespace kalvoro {

// A piece is four integer keys <name>Left, <name>Top, <name>Width, <name>Height in one section.
struct SkinPieceKey {
    std::string_view section;
    std::string_view name;
    SkinRect default_rect;
};

struct SkinColorKey {
    std::string_view section;
    std::string_view key;
    Colour default_color;
};

namespace skin_keys {

inline constexpr std::string_view kVersionSection = "VER";
inline constexpr std::string_view kSkinVersion = "SkinVer";    // bar and window skins
inline constexpr std::string_view kClockVersion = "ClockVer";  // clock skins
inline constexpr std::string_view kSupportedVersion = "1.0";

// Bar skin: one bitmap of at least 332 x 610 with all defaults.
inline constexpr SkinPieceKey kBarBackground{"BAR", "BarBk", {0, 0, 332, 34}};
inline constexpr SkinPieceKey kMenuButtonUp{"BUTTON", "MenuBtnUp", {0, 584, 43, 26}};
inline constexpr SkinPieceKey kMenuButtonHot{"BUTTON", "MenuBtnHot", {43, 584, 43, 26}};
inline constexpr SkinPieceKey kMinButtonUp{"BUTTON", "MinBtnUp", {86, 584, 26, 9}};
inline constexpr SkinPieceKey kMinButtonHot{"BUTTON", "MinBtnHot", {112, 584, 26, 9}};
inline constexpr SkinPieceKey kYearButtonUp{"BUTTON", "YearBtnUp", {138, 584, 11, 11}};
inline constexpr SkinPieceKey kMonthButtonUp{"BUTTON", "MonthBtnUp", {138, 584, 11, 11}};
inline constexpr SkinPieceKey kCalendarBackground{"CALENDAR", "CalendarBk", {0, 34, 332, 390}};
inline constexpr SkinPieceKey kWeatherBackground{"WEATHER", "WeatherBk", {0, 424, 332, 160}};

inline constexpr SkinColorKey kLedBackground{"BAR", "LEDBkColor", 0x000000};
inline constexpr SkinColorKey kLedDark{"BAR", "LEDDarkColor", 0x373737};
inline constexpr SkinColorKey kLedLight{"BAR", "LEDFontColor", 0x00FFFF};
inline constexpr SkinColorKey kLedBorder{"BAR", "LEDBorderColor", 0xD08130};
inline constexpr SkinColorKey kDateLineFont{"BAR", "FontColor", 0x000000};

inline constexpr SkinColorKey kMenuIconBarStart{"MENU", "IconBarColor1", 0xF5DEAD};
inline constexpr SkinColorKey kMenuIconBarStop{"MENU", "IconBarColor2", 0xE4BA5F};
inline constexpr SkinColorKey kMenuSelectionStart{"MENU", "SelectionColor1", 0xF5DEAD};
inline constexpr SkinColorKey kMenuSelectionStop{"MENU", "SelectionColor2", 0xE4BA5F};
inline constexpr SkinColorKey kMenuSelectionFrame{"MENU", "SelectionFrameColor", 0xC56A31};

inline constexpr SkinColorKey kCalendarFont{"CALENDAR", "FontColor", 0x000000};
inline constexpr SkinColorKey kCalendarDayBack{"CALENDAR", "DayBackColor", 0xFDF7EA};
inline constexpr SkinColorKey kCalendarWeekBack{"CALENDAR", "WeekBackColor", 0xFCF1DA};
inline constexpr SkinColorKey kCalendarHighlightBack{"CALENDAR", "HightlightBackColor", 0xE4BA5F};
inline constexpr SkinColorKey kCalendarMark{"CALENDAR", "MarkColor", 0x80FFFF};

inline constexpr SkinColorKey kWeatherFont{"WEATHER", "FontColor", 0xFFFFFF};

// Window skin (dialog frames).
inline constexpr SkinPieceKey kWindowFrame{"WIN", "Win", {0, 0, 100, 50}};
inline constexpr SkinPieceKey kCloseButtonUp{"WIN", "CloseBtn", {0, 50, 43, 17}};
inline constexpr SkinPieceKey kCloseButtonHot{"WIN", "CloseBtnHot", {43, 50, 43, 17}};
inline constexpr SkinColorKey kCaption{"WIN", "CaptionColor", 0x000000};

// Clock skin: no piece has a default. The centre keys default to the middle of the face.
inline constexpr SkinPieceKey kClockFace{"Clock", "Clock", {0, 0, 0, 0}};
inline constexpr SkinPieceKey kHourHand{"Clock", "HourHand", {0, 0, 0, 0}};
inline constexpr SkinPieceKey kMinuteHand{"Clock", "MinuteHand", {0, 0, 0, 0}};
inline constexpr SkinPieceKey kSecondHand{"Clock", "SecondHand", {0, 0, 0, 0}};
inline constexpr SkinPieceKey kCenterCap{"Clock", "CenterPoint", {0, 0, 0, 0}};
inline constexpr std::string_view kClockSection = "CLOCK";
inline constexpr std::string_view kCenterX = "CenterX";
inline constexpr std::string_view kCenterY = "CenterY";

// The pieces each kind of package is cut into, for tools and checks.
inline constexpr std::array kBarSkinPieces = {kBarBackground, kMenuButtonUp,       kMenuButtonHot,
                                              kMinButtonUp,   kMinButtonHot,       kYearButtonUp,
                                              kMonthButtonUp, kCalendarBackground, kWeatherBackground};
inline constexpr std::array kWindowSkinPieces = {kWindowFrame, kCloseButtonUp, kCloseButtonHot};
inline constexpr std::array kClockSkinPieces = {kClockFace, kHourHand, kMinuteHand, kSecondHand, kCenterCap};

inline constexpr std::array kBarSkinColors = {kLedBackground,     kLedDark,
                                              kLedLight,          kLedBorder,
                                              kDateLineFont,      kMenuIconBarStart,
                                              kMenuIconBarStop,   kMenuSelectionStart,
                                              kMenuSelectionStop, kMenuSelectionFrame,
                                              kCalendarFont,      kCalendarDayBack,
                                              kCalendarWeekBack,  kCalendarHighlightBack,
                                              kCalendarMark,      kWeatherFont};
inline constexpr std::array kWindowSkinColors = {kCaption};

}  // namespace skin_keys
}  // namespace kalvoro
