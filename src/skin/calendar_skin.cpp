#include "skin/calendar_skin.h"

#include "skin/skin_package.h"

namespace kalvoro {

std::optional<CalendarSkin> LoadCalendarSkinData(std::string_view package_bytes) {
    auto package = SkinPackage::Read(package_bytes);
    if (!package || !package->HasSupportedVersion(skin_keys::kSkinVersion)) return std::nullopt;
    CalendarSkin skin;
    CutPieces(*package, {{skin_keys::kCalendarBackground, skin.background},
                         {skin_keys::kYearButtonUp, skin.year_button_up},
                         {skin_keys::kMonthButtonUp, skin.month_button_up}});
    skin.menu = ReadMenuColors(*package);
    skin.font = package->Color(skin_keys::kCalendarFont);
    skin.day_back = package->Color(skin_keys::kCalendarDayBack);
    skin.week_back = package->Color(skin_keys::kCalendarWeekBack);
    skin.highlight_back = package->Color(skin_keys::kCalendarHighlightBack);
    skin.mark = package->Color(skin_keys::kCalendarMark);
    return skin;
}

}  // namespace kalvoro
