#include "tasks/task_menus.h"

#include "tasks/task_tree.h"

namespace kalvoro {
namespace {

struct Candidate {
    TaskMenuEntry entry;
    bool visible;
};

// Hidden items leave no doubled, leading or trailing separators behind.
std::vector<TaskMenuEntry> Visible(const std::vector<Candidate>& candidates) {
    std::vector<TaskMenuEntry> items;
    for (const Candidate& candidate : candidates) {
        if (!candidate.visible) continue;
        const bool separator = candidate.entry.caption == "-";
        if (separator && (items.empty() || items.back().caption == "-")) continue;
        items.push_back(candidate.entry);
    }
    if (!items.empty() && items.back().caption == "-") items.pop_back();
    return items;
}

TaskMenuEntry Separator() {
    return {"-", 0, -1, true};
}

}  // namespace

std::string StartStopCaption(int task_image) {
    return task_image == kImageRunningTask ? "停止" : "启用";
}

std::vector<TaskMenuEntry> ListAddMenu(bool node_selected) {
    return {
        {"新定时任务", kCmdNewTask, kImageAddTask, true},
        Separator(),
        {"声音", kCmdNewSound, kImageSound, node_selected},
        {"消息", kCmdNewMessage, kImageMessage, node_selected},
        {"执行命令", kCmdNewCommand, kImageCommand, node_selected},
    };
}

std::vector<TaskMenuEntry> ListContextMenu(TaskMenuNode node, int task_image) {
    const bool any = node != TaskMenuNode::kNone;
    const bool task = node == TaskMenuNode::kTask;
    return Visible({
        {{StartStopCaption(task_image), kCmdStartStop}, task},
        {{"修改", kCmdEdit}, any},
        {Separator(), true},
        {{"添加定时任务", kCmdNewTask, kImageAddTask}, !any},
        {{"添加声音", kCmdNewSound, kImageSound}, task},
        {{"添加消息", kCmdNewMessage, kImageMessage}, task},
        {{"添加执行命令", kCmdNewCommand}, task},
        {Separator(), true},
        {{"删除", kCmdDelete}, any},
    });
}

std::vector<TaskMenuEntry> EditorAddMenu() {
    return {
        {"声音", kCmdNewSound, kImageSound, true},
        {"消息", kCmdNewMessage, kImageMessage, true},
        {"执行命令", kCmdNewCommand, kImageCommand, true},
    };
}

std::vector<TaskMenuEntry> EditorContextMenu(TaskMenuNode node, int task_image) {
    if (node == TaskMenuNode::kNone) return {};
    const bool task = node == TaskMenuNode::kTask;
    return Visible({
        {{StartStopCaption(task_image), kCmdStartStop}, task},
        {Separator(), true},
        {{"添加声音", kCmdNewSound, kImageSound}, task},
        {{"添加消息", kCmdNewMessage, kImageMessage}, task},
        {{"添加执行命令", kCmdNewCommand}, true},
        {{"修改", kCmdEdit}, !task},
        {Separator(), true},
        {{"删除", kCmdDelete}, !task},
    });
}

}  // namespace kalvoro
