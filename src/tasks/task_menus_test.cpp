#include "tasks/task_menus.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

std::vector<std::string> Captions(const std::vector<TaskMenuEntry>& items) {
    std::vector<std::string> captions;
    for (const TaskMenuEntry& item : items) captions.push_back(item.caption);
    return captions;
}

using Strings = std::vector<std::string>;

TEST(TaskMenusTest, ListWindowRightClickMenu) {
    EXPECT_EQ(Captions(ListContextMenu(TaskMenuNode::kTask, 0)),
              (Strings{"停止", "修改", "-", "添加声音", "添加消息", "添加执行命令", "-", "删除"}));
    EXPECT_EQ(Captions(ListContextMenu(TaskMenuNode::kTask, 1)).front(), "启用");
    EXPECT_EQ(Captions(ListContextMenu(TaskMenuNode::kTask, 7)).front(), "启用");
    EXPECT_EQ(Captions(ListContextMenu(TaskMenuNode::kAction, 0)), (Strings{"修改", "-", "删除"}));
    EXPECT_EQ(Captions(ListContextMenu(TaskMenuNode::kNone, 0)), (Strings{"添加定时任务"}));
    EXPECT_EQ(ListContextMenu(TaskMenuNode::kNone, 0).front().id, kCmdNewTask);
}

TEST(TaskMenusTest, ListWindowAddMenuNeedsASelectionForActions) {
    for (const bool selected : {false, true}) {
        const auto items = ListAddMenu(selected);
        EXPECT_EQ(Captions(items), (Strings{"新定时任务", "-", "声音", "消息", "执行命令"}));
        EXPECT_TRUE(items[0].enabled);
        EXPECT_EQ(items[2].enabled, selected);
        EXPECT_EQ(items[3].enabled, selected);
        EXPECT_EQ(items[4].enabled, selected);
        EXPECT_EQ(items[0].image, 5);
        EXPECT_EQ(items[4].image, 4);
    }
}

TEST(TaskMenusTest, EditorMenus) {
    EXPECT_EQ(Captions(EditorAddMenu()), (Strings{"声音", "消息", "执行命令"}));
    EXPECT_EQ(Captions(EditorContextMenu(TaskMenuNode::kTask, 0)),
              (Strings{"停止", "-", "添加声音", "添加消息", "添加执行命令"}));
    EXPECT_EQ(Captions(EditorContextMenu(TaskMenuNode::kTask, 1)).front(), "启用");
    EXPECT_EQ(Captions(EditorContextMenu(TaskMenuNode::kAction, 0)), (Strings{"添加执行命令", "修改", "-", "删除"}));
    EXPECT_TRUE(EditorContextMenu(TaskMenuNode::kNone, 0).empty());
}

}  // namespace
}  // namespace kalvoro
