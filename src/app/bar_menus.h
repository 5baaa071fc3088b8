#pragma once
// The bar's two pop-up menus: the main menu (menu button) and the tray menu. Both are built from
// this one table so captions, tags, separators and images cannot drift apart.

#include <span>
#include <string_view>

namespace kalvoro {

enum class MenuCommand {
    kSeparator,
    kModeCompact,  // radio items switch the display mode of their tag
    kModeClock,
    kModeCalendar,
    kModeWeather,
    kOpen,
    kHide,
    kTasks,
    kMarks,
    kWorldTime,
    kOptionsSubmenu,
    kOptionsPage,  // tag = page
    kHomePage,
    kHelp,
    kAbout,
    kExit,
};

enum class MenuImage { kNone = -1, kSettings = 0, kHelp, kExit, kAbout, kHomePage, kTasks, kMarks, kWorldTime };

struct MenuRow {
    std::string_view name;  // PM_... name of the item
    std::string_view caption;
    MenuCommand command;
    int tag;
    bool visible;
    bool radio;
    MenuImage image;
    bool in_submenu;  // one of the six settings pages under 系统设置
};

std::span<const MenuRow> MainMenuItems();
std::span<const MenuRow> TrayMenuItems();

// Command identifiers of the Win32 menus: one per row, so a click names its row.
inline constexpr int kMainMenuFirstId = 1000;
inline constexpr int kTrayMenuFirstId = 2000;

}  // namespace kalvoro
