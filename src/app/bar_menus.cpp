#include "app/bar_menus.h"

#include <array>

namespace kalvoro {

namespace {

using C = MenuCommand;
using I = MenuImage;

constexpr std::array kMainMenu{
    MenuRow{"PM_Smp", "精简", C::kModeCompact, 0, true, true, I::kNone, false},
    MenuRow{"PM_Clock", "时钟", C::kModeClock, 2, true, true, I::kNone, false},
    MenuRow{"PM_Calendar", "日历", C::kModeCalendar, 1, true, true, I::kNone, false},
    MenuRow{"PM_Weather", "天气", C::kModeWeather, 3, false, true, I::kNone, false},
    MenuRow{"N1", "-", C::kSeparator, 0, true, false, I::kNone, false},
    MenuRow{"PM_TaskOptions", "定时任务", C::kTasks, 0, true, false, I::kTasks, false},
    MenuRow{"PM_CalOptions", "日历标记", C::kMarks, 0, true, false, I::kMarks, false},
    MenuRow{"PM_WorldTime", "城市时间查询", C::kWorldTime, 0, true, false, I::kWorldTime, false},
    MenuRow{"PM_Options", "系统设置", C::kOptionsSubmenu, 0, true, false, I::kSettings, false},
    MenuRow{"PM_OptionsNor", "常规设置", C::kOptionsPage, 0, true, false, I::kNone, true},
    MenuRow{"PM_OptionsBS", "报时设置", C::kOptionsPage, 1, true, false, I::kNone, true},
    MenuRow{"PM_OptionsSkin", "皮肤更换", C::kOptionsPage, 2, true, false, I::kNone, true},
    MenuRow{"PM_OptionsClock", "时钟样式", C::kOptionsPage, 3, true, false, I::kNone, true},
    MenuRow{"PM_OptionsMsg", "消息设置", C::kOptionsPage, 4, true, false, I::kNone, true},
    MenuRow{"PM_OptionsTime", "时间校正", C::kOptionsPage, 5, true, false, I::kNone, true},
    MenuRow{"N2", "-", C::kSeparator, 0, true, false, I::kNone, false},
    MenuRow{"PM_HomePage", "主页", C::kHomePage, 0, false, false, I::kHomePage, false},
    MenuRow{"PM_Help", "帮助", C::kHelp, 0, true, false, I::kHelp, false},
    MenuRow{"PM_About", "关于", C::kAbout, 0, true, false, I::kAbout, false},
    MenuRow{"PM_Exit", "退出", C::kExit, 0, true, false, I::kExit, false},
};

constexpr std::array kTrayMenu{
    MenuRow{"PM_Open", "打开窗口", C::kOpen, 0, true, false, I::kNone, false},
    MenuRow{"PM_Hide1", "隐藏窗口", C::kHide, 0, true, false, I::kNone, false},
    MenuRow{"N3", "-", C::kSeparator, 0, true, false, I::kNone, false},
    MenuRow{"PM_TaskOptions1", "定时任务", C::kTasks, 0, true, false, I::kTasks, false},
    MenuRow{"PM_CalOptions1", "日历标记", C::kMarks, 0, true, false, I::kMarks, false},
    MenuRow{"PM_WorldTime1", "城市时间查询", C::kWorldTime, 0, true, false, I::kWorldTime, false},
    MenuRow{"PM_Options1", "系统设置", C::kOptionsSubmenu, 0, true, false, I::kSettings, false},
    MenuRow{"PM_OptionsNor1", "常规设置", C::kOptionsPage, 0, true, false, I::kNone, true},
    MenuRow{"PM_OptionsBS1", "报时设置", C::kOptionsPage, 1, true, false, I::kNone, true},
    MenuRow{"PM_OptionsSkin1", "皮肤更换", C::kOptionsPage, 2, true, false, I::kNone, true},
    MenuRow{"PM_OptionsClock1", "时钟样式", C::kOptionsPage, 3, true, false, I::kNone, true},
    MenuRow{"PM_OptionsMsg1", "消息设置", C::kOptionsPage, 4, true, false, I::kNone, true},
    MenuRow{"PM_OptionsTime1", "时间校正", C::kOptionsPage, 5, true, false, I::kNone, true},
    MenuRow{"N4", "-", C::kSeparator, 0, true, false, I::kNone, false},
    MenuRow{"PM_Homepage1", "主页", C::kHomePage, 0, true, false, I::kHomePage, false},
    MenuRow{"PM_Help1", "帮助", C::kHelp, 0, true, false, I::kHelp, false},
    MenuRow{"PM_About1", "关于", C::kAbout, 0, true, false, I::kAbout, false},
    MenuRow{"PM_Exit1", "退出", C::kExit, 0, true, false, I::kExit, false},
};

}  // namespace

std::span<const MenuRow> MainMenuItems() {
    return kMainMenu;
}
std::span<const MenuRow> TrayMenuItems() {
    return kTrayMenu;
}

}  // namespace kalvoro
