#include "app/bar_menus.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvoro {
namespace {

std::string VisibleCaptions(std::span<const MenuRow> items) {
    std::string out;
    for (const MenuRow& item : items) {
        if (!item.visible || item.in_submenu) continue;
        out += std::string(item.caption) + "|";
    }
    return out;
}

TEST(BarMenusTest, MainMenuShowsItsItemsInOrder) {
    EXPECT_EQ(VisibleCaptions(MainMenuItems()),
              "精简|时钟|日历|-|定时任务|日历标记|城市时间查询|系统设置|-|帮助|关于|退出|");
}

TEST(BarMenusTest, TrayMenuShowsItsItemsInOrder) {
    EXPECT_EQ(VisibleCaptions(TrayMenuItems()),
              "打开窗口|隐藏窗口|-|定时任务|日历标记|城市时间查询|系统设置|-|主页|帮助|关于|退出|");
}

TEST(BarMenusTest, RadioTagsAreTheModeNumbers) {
    for (const MenuRow& item : MainMenuItems()) {
        const int expected_tag[] = {0, 2, 1, 3};
        if (item.radio) {
            EXPECT_EQ(item.tag,
                      expected_tag[static_cast<int>(item.command) - static_cast<int>(MenuCommand::kModeCompact)]);
        }
        EXPECT_EQ(item.radio, item.command >= MenuCommand::kModeCompact && item.command <= MenuCommand::kModeWeather);
    }
}

TEST(BarMenusTest, SettingsPagesAreNumberedZeroToFive) {
    for (auto items : {MainMenuItems(), TrayMenuItems()}) {
        int page = 0;
        for (const MenuRow& item : items) {
            if (!item.in_submenu) continue;
            EXPECT_EQ(item.command, MenuCommand::kOptionsPage);
            EXPECT_EQ(item.tag, page++);
        }
        EXPECT_EQ(page, 6);
    }
}

}  // namespace
}  // namespace kalvoro
